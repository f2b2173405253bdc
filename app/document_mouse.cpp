#include "app/document_mouse.h"

#include <array>

#include "app/document_window.h"
#include "app/help.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "render/plot_interaction.h"

namespace merva::app {

namespace {

std::array<DrawResult, MAX_DOCUMENTS + 1> drawResults{};
bool mouseEditing = true;
int mousePointLabel = -1;

// A drag in progress: what is moved and the outline drawn last.
struct Drag {
  HWND window = nullptr;
  int slot = 0;
  HoverHit hit;
  POINT start{};
  RECT box{};
  RECT shown{};
  bool outlined = false;
};
Drag drag;

POINT MousePoint(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

RECT ToRect(const SurfaceRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

RECT ElementBox(const PlotDocument& d, const DrawResult& r, const HoverHit& hit) {
  switch (hit.kind) {
    case HOVER_LEGEND:
      return ToRect(r.legendRect);
    case HOVER_NOTE:
      return ToRect(r.textRects[RECT_NOTE]);
    case HOVER_POINT_LABEL: {
      const DeviceRect& b = d.pointLabels[static_cast<std::size_t>(hit.pointLabel)].lastDrawn;
      return RECT{b.left, b.top, b.right, b.bottom};
    }
    default:
      return RECT{};
  }
}

void Outline(HWND window, const RECT& box) {
  HDC dc = GetDC(window);
  DrawFocusRect(dc, &box);
  ReleaseDC(window, dc);
}

PlotDocument* SlotDocument(int slot) {
  return Documents().IsOpen(slot) ? &Documents().Document(slot) : nullptr;
}

void Hover(HWND window, LPARAM lParam) {
  const int slot = WindowSlot(window);
  PlotDocument* d = SlotDocument(slot);
  if (!d || !mouseEditing || d->curveCount <= 0 || TheProgram().menuMode) return;
  const POINT p = MousePoint(lParam);
  const HoverHit hit = HitTestPlot(*d, LastDrawResult(slot), p.x, p.y);
  if (hit.kind == HOVER_PLOT) {
    double x, y;
    if (DeviceToData(*d, p.x, p.y, x, y)) {
      SetStatusText(ReadoutText(*d, x, y, TheProgram().regional.sShortDate));
      return;
    }
  }
  SetStatusHint(HoverHintNumber(hit.kind));
}

int HelpContextOf(int kind) {
  switch (kind) {
    case HOVER_LEGEND:
      return IDM_LEGEND;
    case HOVER_NOTE:
      return IDM_NOTE;
    case HOVER_POINT_LABEL:
      return IDM_EDIT_LABEL;
    case HOVER_TITLE:
      return IDM_TITLES;
    default:
      return 0;
  }
}

bool ButtonDown(HWND window, LPARAM lParam) {
  const int slot = WindowSlot(window);
  PlotDocument* d = SlotDocument(slot);
  if (!d || !mouseEditing) return false;
  const POINT p = MousePoint(lParam);
  const HoverHit hit = HitTestEditable(*d, LastDrawResult(slot), p.x, p.y);
  if (TheProgram().helpMode) {
    const int context = HelpContextOf(hit.kind);
    if (!context) return false;
    EndHelpMode();
    OpenHelpContext(context);
    return true;
  }
  if (hit.kind != HOVER_LEGEND && hit.kind != HOVER_NOTE && hit.kind != HOVER_POINT_LABEL)
    return false;
  drag = Drag{};
  drag.window = window;
  drag.slot = slot;
  drag.hit = hit;
  drag.start = p;
  drag.box = ElementBox(*d, LastDrawResult(slot), hit);
  SetCapture(window);
  return true;
}

void DragMove(LPARAM lParam) {
  const POINT p = MousePoint(lParam);
  if (drag.outlined) Outline(drag.window, drag.shown);
  drag.shown = drag.box;
  OffsetRect(&drag.shown, p.x - drag.start.x, p.y - drag.start.y);
  Outline(drag.window, drag.shown);
  drag.outlined = true;
}

void DragEnd(LPARAM lParam) {
  const POINT p = MousePoint(lParam);
  if (drag.outlined) Outline(drag.window, drag.shown);
  const Drag done = drag;
  drag = Drag{};
  ReleaseCapture();
  PlotDocument* d = SlotDocument(done.slot);
  const int dx = p.x - done.start.x, dy = p.y - done.start.y;
  if (!d || (dx == 0 && dy == 0)) return;
  const RECT& b = done.box;
  if (done.hit.kind == HOVER_LEGEND) {
    DeviceToFrameFraction(d->plotFrame, b.left + dx, b.top + dy, d->legendX, d->legendY);
  } else if (done.hit.kind == HOVER_NOTE) {
    DeviceToFrameFraction(d->plotFrame, b.left + dx, b.top + dy, d->note.x, d->note.y);
  } else if (done.hit.kind == HOVER_POINT_LABEL &&
             done.hit.pointLabel < static_cast<int>(d->pointLabels.size())) {
    PointLabel& label = d->pointLabels[static_cast<std::size_t>(done.hit.pointLabel)];
    const int axis =
        label.curve >= 1 && label.curve <= d->curveCount ? d->curveAxis[label.curve] : 1;
    double px, py, x, y;
    if (!DataToDevice(*d, label.x, label.y, px, py, axis) ||
        !DeviceToData(*d, px + dx, py + dy, x, y, axis))
      return;
    label.x = x;
    label.y = y;
  } else {
    return;
  }
  d->changed = 1;
  InvalidatePicture(done.slot);
}

bool DoubleClick(HWND window, LPARAM lParam) {
  const int slot = WindowSlot(window);
  PlotDocument* d = SlotDocument(slot);
  if (!d || !mouseEditing || TheProgram().helpMode) return false;
  const POINT p = MousePoint(lParam);
  const HoverHit hit = HitTestEditable(*d, LastDrawResult(slot), p.x, p.y);
  int command = 0;
  switch (hit.kind) {
    case HOVER_TITLE:
      command = IDM_TITLES;
      break;
    case HOVER_LEGEND:
      command = IDM_LEGEND;
      break;
    case HOVER_NOTE:
      command = IDM_NOTE;
      break;
    case HOVER_POINT_LABEL:
      command = IDM_EDIT_LABEL;
      break;
    default:
      return false;
  }
  // The dialogs are the menu commands' own; the label to edit is left here.
  mousePointLabel = hit.pointLabel;
  SendMessageA(TheProgram().frame, WM_COMMAND, static_cast<WPARAM>(command), 0);
  mousePointLabel = -1;
  InvalidatePicture(slot);
  return true;
}

void AddItem(HMENU menu, UINT id, const char* text, bool checked = false) {
  AppendMenuA(menu, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), id, text);
}

// The font and edit commands of a text element (FONT_... index).
void TextElementMenu(HMENU menu, int element) {
  AddItem(menu, static_cast<UINT>(IDM_FONT_FIRST + element - 1), "&Font...");
  AddItem(menu, static_cast<UINT>(IDM_EDIT_TEXT_FIRST + element - 1), "&Edit...");
}

int TextElementAt(const DrawResult& r, POINT p) {
  const auto in = [&](int index) {
    const RECT box = ToRect(r.textRects[static_cast<std::size_t>(index)]);
    return PtInRect(&box, p) != 0;
  };
  if (in(RECT_TITLE1)) return FONT_TITLE1;
  if (in(RECT_TITLE2) || in(RECT_TITLE3)) return FONT_TITLE2;
  if (in(RECT_X_LABEL)) return FONT_X_AXIS;
  if (in(RECT_Y_LABEL) || in(RECT_Y2_LABEL)) return FONT_Y_AXIS;
  return 0;
}

bool RightButton(HWND window, LPARAM lParam) {
  const int slot = WindowSlot(window);
  PlotDocument* d = SlotDocument(slot);
  if (!d) return false;
  ActivateDocumentWindow(slot);
  if (!mouseEditing) return true;
  const POINT p = MousePoint(lParam);
  const DrawResult& r = LastDrawResult(slot);
  const HoverHit hit = HitTestEditable(*d, r, p.x, p.y);
  HMENU menu = CreatePopupMenu();
  if (!menu) return true;
  if (hit.kind == HOVER_LEGEND) {
    AddItem(menu, IDM_LEGEND_FRAME, "F&rame", d->legendFrame != 0);
    AddItem(menu, IDM_LEGEND_OPAQUE, "&Opaque", d->legendOpaque != 0);
    AddItem(menu, IDM_LEGEND_FONT, "&Font...");
  } else if (hit.kind == HOVER_NOTE) {
    const int a = d->note.attribute1;
    AddItem(menu, IDM_NOTE, "&Edit...");
    AddItem(menu, IDM_NOTE_FRAME, "F&rame", (a & NOTE_FRAME) != 0);
    AddItem(menu, IDM_NOTE_OPAQUE, "&Opaque", (a & NOTE_OPAQUE) != 0);
    AddItem(menu, IDM_NOTE_BUTTON, "&Button activated", (a & NOTE_BUTTON) != 0);
    AddItem(menu, IDM_FONT_FIRST + FONT_NOTE - 1, "&Font...");
  } else if (const int element = TextElementAt(r, p)) {
    TextElementMenu(menu, element);
  }
  if (GetMenuItemCount(menu) > 0) {
    POINT screen = p;
    ClientToScreen(window, &screen);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, TheProgram().frame,
                   nullptr);
  }
  DestroyMenu(menu);
  return true;
}

}  // namespace

void RememberDrawResult(int slot, const DrawResult& result) {
  if (slot < 1 || slot > MAX_DOCUMENTS) return;
  drawResults[static_cast<std::size_t>(slot)] = result;
  UpdateNoteButton(slot, result);
}

const DrawResult& LastDrawResult(int slot) {
  static const DrawResult none;
  return slot >= 1 && slot <= MAX_DOCUMENTS ? drawResults[static_cast<std::size_t>(slot)] : none;
}

void SetMouseEditing(bool on) { mouseEditing = on; }
bool MouseEditing() { return mouseEditing; }
int MousePointLabel() { return mousePointLabel; }

bool DocumentMouseMessage(HWND window, UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_MOUSEMOVE:
      if (drag.window == window) {
        DragMove(lParam);
        return true;
      }
      Hover(window, lParam);
      return false;
    case WM_LBUTTONDOWN:
      return ButtonDown(window, lParam);
    case WM_LBUTTONUP:
      if (drag.window != window) return false;
      DragEnd(lParam);
      return true;
    case WM_CAPTURECHANGED:
      if (drag.window == window) {
        if (drag.outlined) Outline(drag.window, drag.shown);
        drag = Drag{};
      }
      return false;
    case WM_LBUTTONDBLCLK:
      return DoubleClick(window, lParam);
    case WM_RBUTTONDOWN:
      return RightButton(window, lParam);
    default:
      return false;
  }
}

}  // namespace merva::app
