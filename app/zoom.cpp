// Zooming: the rubber-band rectangle of View "Zoom In" and the zoom stack.

#include <algorithm>

#include "app/document_mouse.h"
#include "app/document_window.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "core/messages.h"
#include "render/plot_interaction.h"

namespace merva::app {

namespace {

void Band(HWND window, POINT a, POINT b) {
  HDC dc = GetDC(window);
  const int oldRop = SetROP2(dc, R2_NOT);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  Rectangle(dc, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
            std::max(a.y, b.y) + 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  SetROP2(dc, oldRop);
  ReleaseDC(window, dc);
}

// Restores the mouse state of the document window on every way out.
struct ZoomMode {
  HWND window;
  explicit ZoomMode(HWND w) : window(w) {
    SetMouseEditing(false);
    SetCapture(window);
  }
  ~ZoomMode() {
    ClipCursor(nullptr);
    if (GetCapture() == window) ReleaseCapture();
    SetMouseEditing(true);
    SetStatusHint(0);
  }
};

POINT Clamped(LPARAM lParam, const RECT& frame) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  p.x = std::max(frame.left, std::min(p.x, frame.right));
  p.y = std::max(frame.top, std::min(p.y, frame.bottom));
  return p;
}

// Follows the mouse until the left button goes up; false when cancelled.
bool TrackRectangle(HWND window, const RECT& frame, POINT& a, POINT& b) {
  HCURSOR cursor = LoadCursorA(TheProgram().instance, "ZOOM");
  if (!cursor) cursor = LoadCursor(nullptr, IDC_CROSS);
  bool down = false;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    const bool mouse = message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST;
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
      if (down) Band(window, a, b);
      return false;
    }
    if (!mouse) {
      if (message.message == WM_CANCELMODE || !IsWindow(window)) return false;
      TranslateMessage(&message);
      DispatchMessageA(&message);
      continue;
    }
    SetCursor(cursor);
    if (message.hwnd != window) continue;  // consumed
    switch (message.message) {
      case WM_LBUTTONDOWN:
        a = b = Clamped(message.lParam, frame);
        down = true;
        Band(window, a, b);
        break;
      case WM_MOUSEMOVE:
        if (!down) break;
        Band(window, a, b);
        b = Clamped(message.lParam, frame);
        Band(window, a, b);
        break;
      case WM_LBUTTONUP:
        if (!down) break;
        Band(window, a, b);
        b = Clamped(message.lParam, frame);
        return true;
      default:
        break;
    }
  }
  return false;
}

}  // namespace

int ZoomInCommand(HWND) {
  if (!GetSystemMetrics(SM_MOUSEPRESENT)) {
    Ui().ShowStatus(Status::Failure(MSG_REQUIRES_MOUSE));
    return 0;
  }
  const int slot = ActiveSlot();
  HWND window = SlotWindow(slot);
  PlotDocument* d = ActiveDocument();
  if (!window || !d || d->curveCount <= 0) return 0;
  const PlotFrame& f = d->plotFrame;
  const RECT frame{static_cast<LONG>(f.left), static_cast<LONG>(f.top), static_cast<LONG>(f.right),
                   static_cast<LONG>(f.bottom)};
  if (frame.right <= frame.left || frame.bottom <= frame.top) return 0;
  SetStatusHint(MSG_STATUS_ZOOM_RECTANGLE);
  POINT a{}, b{};
  bool done;
  {
    ZoomMode mode(window);
    RECT screen = frame;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    ClipCursor(&screen);
    done = TrackRectangle(window, frame, a, b);
  }
  if (!done || !Documents().IsOpen(slot)) return 0;
  if (!ZoomToRectangle(Documents().Document(slot), a.x, a.y, b.x, b.y)) return 0;
  InvalidatePicture(slot);
  return 1;
}

int ZoomOutCommand(HWND) {
  PlotDocument* d = ActiveDocument();
  if (!d || !ZoomOutView(*d)) return 0;
  InvalidatePicture(ActiveSlot());
  return 1;
}

}  // namespace merva::app
