#include "app/status_bar.h"

#include <algorithm>

#include "app/program.h"
#include "app/resource_ids.h"
#include "app/tool_bar.h"
#include "core/messages.h"

namespace merva::app {

namespace {

std::string hintText;
HFONT statusFont = nullptr;
int barHeight = 0;

// The font named in the system settings ("desktop" section), weight 100.
HFONT MakeStatusFont() {
  char face[LF_FACESIZE] = {};
  GetProfileStringA("desktop", "StatusBarFaceName", "MS Dialog Light", face, sizeof face);
  const int points = static_cast<int>(GetProfileIntA("desktop", "StatusBarFaceHeight", 10));
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontA(height, 0, 0, 0, 100, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, face);
}

int MeasureHeight(HWND window) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, statusFont);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return metrics.tmHeight + 8;
}

std::string ActiveCapacityText() {
  const PlotDocument* document = ActiveDocument();
  return document ? CapacityText(document->maxCurves, document->maxPoints) : std::string();
}

// The capacity pane's rectangle in the bar.
RECT CapacityPane(HWND window, HDC dc) {
  RECT client{};
  GetClientRect(window, &client);
  SIZE size{};
  const std::string widest = CapacityText(100, 10000000);
  GetTextExtentPoint32A(dc, widest.c_str(), static_cast<int>(widest.size()), &size);
  RECT pane = client;
  pane.left = client.right - size.cx - 16;
  InflateRect(&pane, -2, -2);
  return pane;
}

void Sunken(HDC dc, RECT rect) { DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT); }

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
  HGDIOBJ oldFont = SelectObject(dc, statusFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  const RECT capacity = CapacityPane(window, dc);
  RECT hint = client;
  hint.right = capacity.left - 4;
  InflateRect(&hint, -2, -2);
  Sunken(dc, hint);
  Sunken(dc, capacity);
  RECT text = hint;
  InflateRect(&text, -4, 0);
  DrawTextA(dc, hintText.c_str(), static_cast<int>(hintText.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  const std::string capacityText = ActiveCapacityText();
  text = capacity;
  InflateRect(&text, -4, 0);
  DrawTextA(dc, capacityText.c_str(), static_cast<int>(capacityText.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

bool OverCapacity(HWND window, LPARAM lParam) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, statusFont);
  const RECT pane = CapacityPane(window, dc);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  return PtInRect(&pane, point) != 0;
}

}  // namespace

std::string CapacityText(int curves, int points) {
  return "Max. size: " + std::to_string(curves) + "x" + std::to_string(points);
}

LRESULT CALLBACK StatusBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (OverCapacity(window, lParam)) SetStatusHint(MSG_MOUSE_HINT_ARRAY_SIZES);
      return 0;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(hintText.size());
    case WM_GETTEXT: {
      // The hint is the bar's text, so that others can read what it shows.
      if (!lParam || wParam == 0) return 0;
      const std::size_t room = static_cast<std::size_t>(wParam) - 1;
      const std::size_t length = std::min(room, hintText.size());
      hintText.copy(reinterpret_cast<char*>(lParam), length);
      reinterpret_cast<char*>(lParam)[length] = '\0';
      return static_cast<LRESULT>(length);
    }
    case WM_LBUTTONDBLCLK:
      if (OverCapacity(window, lParam) && !TheProgram().helpMode)
        PostMessageA(TheProgram().frame, WM_COMMAND, IDM_RESIZE_ARRAYS, 0);
      return 0;
    case WM_DESTROY:
      if (statusFont) DeleteObject(statusFont);
      statusFont = nullptr;
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND CreateStatusBar(HWND frame) {
  Program& program = TheProgram();
  if (!statusFont) statusFont = MakeStatusFont();
  program.statusBar = CreateWindowA(STATUS_CLASS, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, frame,
                                    nullptr, program.instance, nullptr);
  if (program.statusBar) barHeight = MeasureHeight(program.statusBar);
  ShowWindow(program.statusBar, Settings().statusBar ? SW_SHOW : SW_HIDE);
  return program.statusBar;
}

void SetStatusText(const std::string& text) {
  if (text == hintText) return;
  hintText = text;
  if (HWND bar = TheProgram().statusBar) {
    // Also the window's own text: other processes read that one.
    DefWindowProcA(bar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(hintText.c_str()));
    InvalidateRect(bar, nullptr, FALSE);
  }
}

void SetStatusHint(int stringId) {
  SetStatusText(stringId ? MessageText(stringId) : std::string());
}

void RefreshStatusBar() {
  if (TheProgram().statusBar) InvalidateRect(TheProgram().statusBar, nullptr, FALSE);
}

void ShowStatusBar(bool visible) {
  Settings().statusBar = visible;
  if (TheProgram().statusBar) ShowWindow(TheProgram().statusBar, visible ? SW_SHOW : SW_HIDE);
  LayoutFrame();
}

void LayoutFrame() {
  Program& program = TheProgram();
  if (!program.frame || !program.client) return;
  RECT client{};
  GetClientRect(program.frame, &client);
  const bool barShown = program.statusBar && Settings().statusBar;
  const int bar = barShown ? barHeight : 0;
  const int tools = DockedToolBarHeight();
  if (HWND docked = DockedToolBar()) MoveWindow(docked, 0, 0, client.right, tools, TRUE);
  MoveWindow(program.client, 0, tools, client.right,
             std::max(0, static_cast<int>(client.bottom) - bar - tools), TRUE);
  if (barShown) MoveWindow(program.statusBar, 0, client.bottom - bar, client.right, bar, TRUE);
}

}  // namespace merva::app
