// The note's button window: a transparent child over the button the plot
// draws, with the tip "Click to display note" and the note as a pop-up.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/document_mouse.h"
#include "app/document_window.h"
#include "app/program.h"
#include "app/tool_bar.h"
#include "render/plot_fonts.h"
#include "render/win32/gdi_handles.h"
#include "render/win32/gdi_surface.h"

namespace merva::app {

namespace {

constexpr UINT_PTR NOTE_TIP_TIMER = 1;
constexpr UINT NOTE_TIP_DELAY_MS = 1000;
constexpr char NOTE_TIP[] = "Click to display note";

std::array<HWND, MAX_DOCUMENTS + 1> noteButtons{};
bool tracking = false;

POINT BelowButton(HWND button) {
  RECT r{};
  GetWindowRect(button, &r);
  return POINT{r.left, r.bottom + 2};
}

// The pop-up that shows a button-activated note: the text in the note font
// inside a 2-unit frame, with a dithered shadow on the right and bottom.
constexpr int POPUP_FRAME = 2;
constexpr int POPUP_SHADOW = 16;
constexpr int DEFAULT_TAB_STOPS = 8;
constexpr char UNDER_PROPERTY[] = "MervaNoteUnder";

// The screen under the pop-up, taken before it shows, for the shadow.
HBITMAP ScreenUnder(int x, int y, int width, int height) {
  win32::WindowDc screen(nullptr);
  win32::MemoryDc copy(screen.Get());
  HBITMAP bits = CreateCompatibleBitmap(screen.Get(), width, height);
  if (!bits) return nullptr;
  win32::Selection into(copy.Get(), bits);
  BitBlt(copy.Get(), 0, 0, width, height, screen.Get(), x, y, SRCCOPY);
  return bits;
}

std::vector<std::string> NoteLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' || text[i] == '\r')
      lines.emplace_back();
    else
      lines.back() += text[i];
  }
  return lines;
}

struct NoteLayout {
  int width = 0, height = 0, lineHeight = 0, margin = 0, tab = 0;
};

// Lays the note out with its font selected into `dc`.
NoteLayout MeasureNote(HDC dc, const Note& note, const std::vector<std::string>& lines) {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  NoteLayout layout;
  layout.lineHeight = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
  layout.margin = std::max<int>(1, metrics.tmAveCharWidth);
  const int stops = note.attribute2 > 0 ? note.attribute2 : DEFAULT_TAB_STOPS;
  layout.tab = std::max(1, stops * layout.margin);
  int widest = 0;
  for (const std::string& line : lines) {
    const DWORD size =
        GetTabbedTextExtentA(dc, line.c_str(), static_cast<int>(line.size()), 1, &layout.tab);
    widest = std::max(widest, static_cast<int>(LOWORD(size)));
  }
  layout.width = widest + 2 * layout.margin + 2 * POPUP_FRAME;
  layout.height =
      static_cast<int>(lines.size()) * layout.lineHeight + layout.lineHeight + 2 * POPUP_FRAME;
  return layout;
}

// The document's note font selected into a context while this lives.
class NoteFontIn {
 public:
  NoteFontIn(HDC dc, const PlotDocument& d) : surface_(dc) {
    fonts_.Create(surface_, d.fonts, surface_.Capabilities());
    fonts_.Select(surface_, FONT_NOTE);
  }
  NoteFontIn(const NoteFontIn&) = delete;
  NoteFontIn& operator=(const NoteFontIn&) = delete;
  ~NoteFontIn() { fonts_.Release(); }

 private:
  win32::GdiSurface surface_;
  PlotFonts fonts_;
};

// The shadow: a checkerboard pattern ANDed onto what the screen showed under
// the pop-up before it opened; the corners beside it keep the screen as it was.
void DrawShadow(HWND popup, HDC dc, const RECT& client, const RECT& box) {
  if (HBITMAP under = static_cast<HBITMAP>(GetPropA(popup, UNDER_PROPERTY))) {
    win32::MemoryDc saved(dc);
    win32::Selection picture(saved.Get(), under);
    BitBlt(dc, 0, 0, client.right, client.bottom, saved.Get(), 0, 0, SRCCOPY);
  }
  static const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  win32::BitmapHandle pattern(CreateBitmap(8, 8, 1, 1, checker));
  win32::BrushHandle shadow(CreatePatternBrush(pattern.Get()));
  constexpr DWORD PATTERN_AND_DESTINATION = 0x00A000C9;
  win32::Selection brush(dc, shadow.Get());
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  PatBlt(dc, box.right, POPUP_SHADOW, POPUP_SHADOW, client.bottom - POPUP_SHADOW,
         PATTERN_AND_DESTINATION);
  PatBlt(dc, POPUP_SHADOW, box.bottom, box.right - POPUP_SHADOW, POPUP_SHADOW,
         PATTERN_AND_DESTINATION);
}

void PaintNotePopup(HWND popup) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(popup, &ps);
  const int slot = static_cast<int>(GetWindowLongPtrA(popup, GWLP_USERDATA));
  if (Documents().IsOpen(slot)) {
    const PlotDocument& d = Documents().Document(slot);
    const std::vector<std::string> lines = NoteLines(d.note.text);
    NoteFontIn font(dc, d);
    const NoteLayout layout = MeasureNote(dc, d.note, lines);
    RECT client{};
    GetClientRect(popup, &client);
    const RECT box{0, 0, client.right - POPUP_SHADOW, client.bottom - POPUP_SHADOW};
    DrawShadow(popup, dc, client, box);
    win32::BrushHandle frame(CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME)));
    FillRect(dc, &box, frame.Get());
    const RECT inside{POPUP_FRAME, POPUP_FRAME, box.right - POPUP_FRAME, box.bottom - POPUP_FRAME};
    FillRect(dc, &inside, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    int y = POPUP_FRAME + layout.lineHeight / 2;
    const int x = POPUP_FRAME + layout.margin;
    for (const std::string& line : lines) {
      TabbedTextOutA(dc, x, y, line.c_str(), static_cast<int>(line.size()), 1, &layout.tab, x);
      y += layout.lineHeight;
    }
  }
  EndPaint(popup, &ps);
}

LRESULT CALLBACK NotePopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintNotePopup(popup);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      DestroyWindow(popup);
      return 0;
    case WM_DESTROY:
      if (HANDLE under = RemovePropA(popup, UNDER_PROPERTY)) DeleteObject(under);
      return 0;
    case WM_ACTIVATE:
      // Any press elsewhere takes the activation away: that closes it too.
      if (LOWORD(wParam) == WA_INACTIVE) DestroyWindow(popup);
      return 0;
    default:
      return DefWindowProcA(popup, message, wParam, lParam);
  }
}

// Opens the note's pop-up below the button, owned by the document window.
void ShowNotePopup(HWND button) {
  const HWND document = GetParent(button);
  const int slot = WindowSlot(document);
  if (!Documents().IsOpen(slot)) return;
  const PlotDocument& d = Documents().Document(slot);
  int width = 0, height = 0;
  {
    win32::WindowDc measure(document);
    NoteFontIn font(measure.Get(), d);
    const NoteLayout layout = MeasureNote(measure.Get(), d.note, NoteLines(d.note.text));
    width = layout.width + POPUP_SHADOW;
    height = layout.height + POPUP_SHADOW;
  }
  const POINT at = BelowButton(button);
  HWND popup = CreateWindowExA(0, NOTE_CLASS, "", WS_POPUP, at.x, at.y, width, height, document,
                               nullptr, TheProgram().instance, nullptr);
  if (!popup) return;
  // The system gives the pop-up the frame as owner (a child window owns
  // nothing); the document it shows is kept with it.
  SetWindowLongPtrA(popup, GWLP_USERDATA, static_cast<LONG_PTR>(slot));
  SetWindowLongPtrA(popup, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NotePopupProc));
  SetWindowTextA(popup, d.note.text.c_str());
  if (HBITMAP under = ScreenUnder(at.x, at.y, width, height))
    SetPropA(popup, UNDER_PROPERTY, under);
  ShowWindow(popup, SW_SHOW);
  SetFocus(popup);
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
      HideToolTip();
      ShowNotePopup(button);
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
