// The note's button window: a transparent child over the button the plot
// draws, with the tip "Click to display note" and the note as a pop-up.

#include <array>
#include <string>

#include "app/document_mouse.h"
#include "app/document_window.h"
#include "app/program.h"
#include "app/tool_bar.h"

namespace merva::app {

namespace {

constexpr UINT_PTR NOTE_TIP_TIMER = 1;
constexpr UINT NOTE_TIP_DELAY_MS = 1000;
constexpr char NOTE_TIP[] = "Click to display note";

std::array<HWND, MAX_DOCUMENTS + 1> noteButtons{};
bool tracking = false;

int ButtonSlot(HWND button) { return WindowSlot(GetParent(button)); }

POINT BelowButton(HWND button) {
  RECT r{};
  GetWindowRect(button, &r);
  return POINT{r.left, r.bottom + 2};
}

LRESULT CALLBACK NoteButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!tracking) {
        tracking = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
        SetTimer(button, NOTE_TIP_TIMER, NOTE_TIP_DELAY_MS, nullptr);
      }
      return 0;
    case WM_TIMER:
      KillTimer(button, NOTE_TIP_TIMER);
      if (tracking) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ShowToolTipAt(NOTE_TIP, POINT{cursor.x, cursor.y + 20});
      }
      return 0;
    case WM_MOUSELEAVE:
      tracking = false;
      KillTimer(button, NOTE_TIP_TIMER);
      HideToolTip();
      return 0;
    case WM_LBUTTONDOWN: {
      KillTimer(button, NOTE_TIP_TIMER);
      const int slot = ButtonSlot(button);
      if (Documents().IsOpen(slot)) {
        const std::string& text = Documents().Document(slot).note.text;
        ShowToolTipAt(text.empty() ? std::string(" ") : text, BelowButton(button));
      }
      return 0;
    }
    case WM_LBUTTONUP:
      return 0;
    case WM_PAINT: {
      // The plot draws the button; this window only takes the mouse.
      PAINTSTRUCT ps;
      BeginPaint(button, &ps);
      EndPaint(button, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      KillTimer(button, NOTE_TIP_TIMER);
      if (tracking) HideToolTip();
      tracking = false;
      return 0;
    default:
      return DefWindowProcA(button, message, wParam, lParam);
  }
}

}  // namespace

int NoteButtonCommand(HWND, int, LPARAM) {
  const int slot = ActiveSlot();
  PlotDocument* document = ActiveDocument();
  if (!document) return 0;
  document->note.attribute1 ^= NOTE_BUTTON;
  document->MarkChanged();
  RedrawDocument(slot);
  return 1;
}

void UpdateNoteButton(int slot, const DrawResult& result) {
  if (slot < 1 || slot > MAX_DOCUMENTS) return;
  HWND& button = noteButtons[static_cast<std::size_t>(slot)];
  if (button && !IsWindow(button)) button = nullptr;
  HWND document = SlotWindow(slot);
  const SurfaceRect& box = result.textRects[RECT_NOTE];
  const bool wanted = document && Documents().IsOpen(slot) &&
                      (Documents().Document(slot).note.attribute1 & NOTE_BUTTON) &&
                      box.right > box.left && box.bottom > box.top;
  if (!wanted) {
    if (button) DestroyWindow(button);
    button = nullptr;
    return;
  }
  if (!button) {
    button =
        CreateWindowExA(WS_EX_TRANSPARENT, NOTE_CLASS, "", WS_CHILD, box.left, box.top, box.Width(),
                        box.Height(), document, nullptr, TheProgram().instance, nullptr);
    if (!button) return;
    SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoteButtonProc));
  }
  SetWindowPos(button, HWND_TOP, box.left, box.top, box.Width(), box.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace merva::app
