#include "app/tool_bar.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "app/help.h"
#include "app/menu_dispatch.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "app/tool_bar_ids.h"
#include "automation/parameter_cells.h"
#include "core/messages.h"

namespace merva::app {

namespace {

struct ToolButton {
  const char* tip;
  int command;
};

constexpr std::array<ToolButton, TOOLBAR_BUTTON_COUNT> kButtons{{
    {"New", IDM_NEW},
    {"Open", IDM_OPEN},
    {"Save", IDM_SAVE},
    {"Print", IDM_PRINT},
    {"Copy Picture", IDM_COPY_PICTURE},
    {"Paste", IDM_PASTE},
    {"Erase", IDM_ERASE_CURVE},
    {"Edit Data", IDM_EDIT_DATA},
    {"Note", IDM_NOTE},
    {"Fonts", IDM_FONTS},
    {"No grid lines", IDM_AXES_ONLY},
    {"Grid lines", IDM_AXES_ONLY + 1},
    {"Box", IDM_BOX},
    {"Line/Symbol Styles", IDM_SYMBOLS},
    {"Colors", IDM_COLOR_FIRST},
    {"Curve Fit", IDM_CURVE_FIT},
    {"Integrate", IDM_INTEGRATE},
    {"FFT", IDM_FFT},
    {"List Peaks", IDM_LIST_PEAKS},
    {"Interpolate", IDM_INTERPOLATE},
    {"Scan data", IDM_SCAN},
    {"Zoom in", IDM_ZOOM_IN},
    {"Zoom out", IDM_ZOOM_OUT},
    {"Redraw", IDM_REDRAW},
    {"Help tool", 0},
    {"", IDM_TOOLBAR},
}};

constexpr UINT_PTR TIP_TIMER = 1;
constexpr UINT TIP_DELAY_MS = 1000;
constexpr int BORDER = 2;
// Posted to a container: wParam 1 puts the buttons in the floating window,
// 0 docks them; lParam the floating window's place (screen, MAKELPARAM).
constexpr UINT WM_TOOLBAR_PLACE = WM_APP + 0x40;
// A drag shorter than this stays a click on the bar.
constexpr int DRAG_MIN = 4;

struct ToolBar {
  HWND docked = nullptr;
  HWND floating = nullptr;
  HWND tip = nullptr;
  HBITMAP strip = nullptr;
  int cell = 16;  // square picture cells
  int buttonWidth = 24, buttonHeight = 23;
  bool rebuilding = false;
  HWND tipButton = nullptr;
  std::string tipText;
  // Dragging the docked bar off the frame: the outline shown on the screen.
  bool dragging = false;
  bool outlineShown = false;
  RECT outline{};
  POINT grab{};          // where the bar was taken, relative to the outline
  bool resized = false;  // the floating window's size-move loop resized it
};
ToolBar bar;

bool Floating() { return (Settings().toolBarStyle & TOOLBAR_FLOATING) != 0; }
bool Large() { return TheParameterCells().largeButtons != 0; }

bool RegisterClasses();

void HideTip() {
  if (bar.tip) ShowWindow(bar.tip, SW_HIDE);
}

void PlaceTip(const std::string& text, POINT at) {
  if (!bar.tip) return;
  bar.tipText = text;
  HDC dc = GetDC(bar.tip);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT size{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &size, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(bar.tip, dc);
  SetWindowTextA(bar.tip, text.c_str());
  // Room for the text's margins and the border.
  RECT outer{0, 0, size.right + 8, size.bottom + 4};
  AdjustWindowRectEx(&outer, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  SetWindowPos(bar.tip, HWND_TOPMOST, at.x, at.y, outer.right - outer.left,
               outer.bottom - outer.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(bar.tip, nullptr, TRUE);
}

void ShowTip(HWND button) {
  const char* text = ToolButtonTip(GetDlgCtrlID(button));
  if (!text || !*text) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  PlaceTip(text, POINT{cursor.x, cursor.y + 20});
}

LRESULT CALLBACK TipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT text = client;
    InflateRect(&text, -4, -2);
    DrawTextA(dc, bar.tipText.c_str(), static_cast<int>(bar.tipText.size()), &text,
              DT_LEFT | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(window, &ps);
    return 0;
  }
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcA(window, message, wParam, lParam);
}

int ButtonHint(int id) {
  const int command = ToolButtonCommand(id);
  return command ? command : 0;
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_USERDATA));
  switch (message) {
    case WM_MOUSEMOVE:
      if (bar.tipButton != button) {
        HideTip();
        bar.tipButton = button;
        SetTimer(GetParent(button), TIP_TIMER, TIP_DELAY_MS, nullptr);
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
        SetStatusHint(ButtonHint(GetDlgCtrlID(button)));
      }
      break;
    case WM_MOUSELEAVE:
      if (bar.tipButton == button) {
        KillTimer(GetParent(button), TIP_TIMER);
        bar.tipButton = nullptr;
        HideTip();
        SetStatusHint(0);
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      KillTimer(GetParent(button), TIP_TIMER);
      HideTip();
      break;
    default:
      break;
  }
  return CallWindowProcA(original, button, message, wParam, lParam);
}

// A greyed button shows its picture washed out: every pixel that is not
// the button face becomes a light grey of its own brightness.
void DrawGreyedCell(HDC target, int x, int y, HDC strip, int index) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = bar.cell;
  info.bmiHeader.biHeight = -bar.cell;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP cell = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!cell || !bits) {
    if (cell) DeleteObject(cell);
    return;
  }
  HDC memory = CreateCompatibleDC(target);
  HGDIOBJ old = SelectObject(memory, cell);
  BitBlt(memory, 0, 0, bar.cell, bar.cell, strip, index * bar.cell, 0, SRCCOPY);
  GdiFlush();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const DWORD faceBits = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  auto* pixel = static_cast<DWORD*>(bits);
  for (int i = 0; i < bar.cell * bar.cell; ++i) {
    const DWORD p = pixel[i] & 0xFFFFFFu;
    if (p == faceBits) continue;
    const DWORD lum = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
    const DWORD grey = 128 + lum / 2;
    pixel[i] = (grey << 16) | (grey << 8) | grey;
  }
  BitBlt(target, x, y, bar.cell, bar.cell, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(cell);
}

void DrawButton(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  const bool greyed = (item.itemState & ODS_DISABLED) != 0;
  const bool pushed = !greyed && (item.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(item.hDC, &r, DFC_BUTTON,
                   DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (greyed ? DFCS_INACTIVE : 0));
  if (!bar.strip) return;
  const int index = static_cast<int>(item.CtlID) - 1;
  const int x = r.left + (r.right - r.left - bar.cell) / 2 + (pushed ? 1 : 0);
  const int y = r.top + (r.bottom - r.top - bar.cell) / 2 + (pushed ? 1 : 0);
  HDC memory = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(memory, bar.strip);
  if (greyed)
    DrawGreyedCell(item.hDC, x, y, memory, index);
  else
    BitBlt(item.hDC, x, y, bar.cell, bar.cell, memory, index * bar.cell, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

// The help tool and the hide button are always there; every other button
// follows its menu command.
bool ButtonEnabled(int id) {
  const int command = ToolButtonCommand(id);
  return command == 0 || CommandEnabled(command);
}

void RefreshButtons(HWND container) {
  if (!container) return;
  for (int id = 1; id <= TOOLBAR_BUTTON_COUNT; ++id) {
    HWND button = GetDlgItem(container, id);
    if (!button) continue;
    const bool enabled = ButtonEnabled(id);
    if ((IsWindowEnabled(button) != 0) != enabled) EnableWindow(button, enabled ? TRUE : FALSE);
  }
}

void Clicked(int id) {
  HideTip();
  HWND frame = TheProgram().frame;
  if (id == TOOLBAR_BUTTON_HELP) {
    EnterHelpMode();
    return;
  }
  const int command = ToolButtonCommand(id);
  if (command && ButtonEnabled(id))
    PostMessageA(frame, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

// A frame too narrow for one row of buttons wraps them, none is cut off.
int DockedColumns() {
  RECT client{};
  if (TheProgram().frame) GetClientRect(TheProgram().frame, &client);
  const int fit = (static_cast<int>(client.right) - 2 * BORDER) / std::max(bar.buttonWidth, 1);
  return std::max(1, std::min(TOOLBAR_BUTTON_COUNT, fit));
}

int DockedRows() {
  const int columns = DockedColumns();
  return (TOOLBAR_BUTTON_COUNT + columns - 1) / columns;
}

// Buttons in rows of `columns`.
void PlaceButtons(HWND container, int columns) {
  if (columns < 1) columns = 1;
  for (int i = 0; i < TOOLBAR_BUTTON_COUNT; ++i) {
    HWND button = GetDlgItem(container, i + 1);
    const int column = i % columns, row = i / columns;
    MoveWindow(button, BORDER + column * bar.buttonWidth, BORDER + row * bar.buttonHeight,
               bar.buttonWidth, bar.buttonHeight, TRUE);
  }
}

constexpr DWORD FLOAT_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;

SIZE FloatingOuterSize() {
  const int columns = std::max(1, std::min(Settings().toolBarColumns, TOOLBAR_BUTTON_COUNT));
  const int rows = (TOOLBAR_BUTTON_COUNT + columns - 1) / columns;
  RECT outer{0, 0, columns * bar.buttonWidth + 2 * BORDER, rows * bar.buttonHeight + 2 * BORDER};
  AdjustWindowRectEx(&outer, FLOAT_STYLE, FALSE, WS_EX_TOOLWINDOW);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

void ToggleOutline() {
  HDC screen = GetDC(nullptr);
  RECT r = bar.outline;
  for (int i = 0; i < 3; ++i) {
    DrawFocusRect(screen, &r);
    InflateRect(&r, -1, -1);
  }
  ReleaseDC(nullptr, screen);
  bar.outlineShown = !bar.outlineShown;
}

void HideOutline() {
  if (bar.outlineShown) ToggleOutline();
}

void MoveOutline(POINT cursor) {
  HideOutline();
  const SIZE size = FloatingOuterSize();
  bar.outline = RECT{cursor.x - bar.grab.x, cursor.y - bar.grab.y, cursor.x - bar.grab.x + size.cx,
                     cursor.y - bar.grab.y + size.cy};
  ToggleOutline();
}

POINT ScreenPoint(HWND window, LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(window, &p);
  return p;
}

// The band along the top of the frame's client area where a floating bar
// that is let go docks.
bool InDockingBand(const RECT& floating) {
  HWND frame = TheProgram().frame;
  if (!frame) return false;
  RECT client{};
  GetClientRect(frame, &client);
  POINT origin{0, 0};
  ClientToScreen(frame, &origin);
  const int caption = GetSystemMetrics(SM_CYSMCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
  const int top = origin.y - caption, bottom = origin.y + bar.buttonHeight + 2 * BORDER;
  const bool across = floating.right > origin.x && floating.left < origin.x + client.right;
  return across && floating.top >= top && floating.top <= bottom;
}

void PlaceToolBar(bool floating, POINT at, bool moveFloating);

void EndDrag(HWND window, POINT cursor) {
  const bool wasDragging = bar.dragging;
  bar.dragging = false;
  HideOutline();
  if (GetCapture() == window) ReleaseCapture();
  if (!wasDragging) return;
  RECT docked{};
  GetWindowRect(window, &docked);
  InflateRect(&docked, DRAG_MIN, DRAG_MIN);
  // Let go over the docked place: it stays docked.
  if (PtInRect(&docked, cursor)) return;
  PostMessageA(window, WM_TOOLBAR_PLACE, 1,
               MAKELPARAM(static_cast<short>(cursor.x - bar.grab.x),
                          static_cast<short>(cursor.y - bar.grab.y)));
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      if (window == bar.docked) {
        SetCapture(window);
        bar.dragging = false;
        bar.grab = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        bar.outline = RECT{};
        // The grab point inside the floating window's caption.
        bar.grab.x = std::min<LONG>(bar.grab.x, FloatingOuterSize().cx - 1);
        bar.grab.y = GetSystemMetrics(SM_CYSMCAPTION) / 2;
        bar.outline.left = ScreenPoint(window, lParam).x;
        bar.outline.top = ScreenPoint(window, lParam).y;
      }
      return 0;
    case WM_MOUSEMOVE:
      if (window == bar.docked && GetCapture() == window) {
        const POINT cursor = ScreenPoint(window, lParam);
        if (!bar.dragging && std::abs(cursor.x - bar.outline.left) < DRAG_MIN &&
            std::abs(cursor.y - bar.outline.top) < DRAG_MIN)
          return 0;
        bar.dragging = true;
        MoveOutline(cursor);
      }
      return 0;
    case WM_LBUTTONUP:
      if (window == bar.docked && GetCapture() == window)
        EndDrag(window, ScreenPoint(window, lParam));
      return 0;
    case WM_CAPTURECHANGED:
      if (window == bar.docked) {
        bar.dragging = false;
        HideOutline();
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      // Double-click on the docked bar's background floats it where it was.
      if (window == bar.docked)
        PostMessageA(window, WM_TOOLBAR_PLACE, 1,
                     MAKELPARAM(static_cast<short>(Settings().toolBarX),
                                static_cast<short>(Settings().toolBarY)));
      return 0;
    case WM_NCLBUTTONDBLCLK:
      if (window == bar.floating && wParam == HTCAPTION) {
        PostMessageA(window, WM_TOOLBAR_PLACE, 0, 0);
        return 0;
      }
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_ENTERSIZEMOVE:
      bar.resized = false;
      return 0;
    case WM_SIZING:
      bar.resized = true;
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_EXITSIZEMOVE:
      // Moved by its caption (not resized) into the band: docked.
      if (window == bar.floating && !bar.resized) {
        RECT place{};
        GetWindowRect(window, &place);
        if (InDockingBand(place)) PostMessageA(window, WM_TOOLBAR_PLACE, 0, 0);
      }
      return 0;
    case WM_TOOLBAR_PLACE:
      PlaceToolBar(wParam != 0,
                   POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))},
                   wParam != 0);
      return 0;
    case WM_SETCURSOR:
      if (window == bar.docked && reinterpret_cast<HWND>(wParam) == window &&
          LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
        return TRUE;
      }
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam) Clicked(LOWORD(wParam));
      return 0;
    case WM_DRAWITEM:
      DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_TIMER:
      if (wParam == TIP_TIMER) {
        KillTimer(window, TIP_TIMER);
        POINT cursor{};
        GetCursorPos(&cursor);
        if (bar.tipButton && WindowFromPoint(cursor) == bar.tipButton) ShowTip(bar.tipButton);
      }
      return 0;
    case WM_SIZE: {
      const int width = LOWORD(lParam) - 2 * BORDER;
      if (GetDlgItem(window, 1)) PlaceButtons(window, width / std::max(bar.buttonWidth, 1));
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client{};
      GetClientRect(window, &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      if (window == bar.docked) DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_CLOSE:
      if (window == bar.floating && !bar.rebuilding) {
        // Closing the floating window by its system menu hides the tool bar.
        PostMessageA(TheProgram().frame, WM_COMMAND, IDM_TOOLBAR, 0);
        return 0;
      }
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (window == bar.docked) bar.docked = nullptr;
      if (window == bar.floating) {
        RECT place{};
        GetWindowRect(window, &place);
        Settings().toolBarX = place.left;
        Settings().toolBarY = place.top;
        bar.floating = nullptr;
      }
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterClasses() {
  static bool registered = false;
  if (registered) return true;
  HINSTANCE instance = TheProgram().instance;
  WNDCLASSEXA container{};
  container.cbSize = sizeof container;
  container.style = CS_DBLCLKS;
  container.lpfnWndProc = ContainerProc;
  container.hInstance = instance;
  container.hCursor = LoadCursor(nullptr, IDC_ARROW);
  container.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  container.lpszClassName = TOOLBAR_CLASS;
  WNDCLASSEXA tip{};
  tip.cbSize = sizeof tip;
  tip.style = CS_SAVEBITS;
  tip.lpfnWndProc = TipProc;
  tip.hInstance = instance;
  tip.hCursor = LoadCursor(nullptr, IDC_ARROW);
  tip.lpszClassName = TOOLTIP_CLASS;
  registered = RegisterClassExA(&container) && RegisterClassExA(&tip);
  return registered;
}

void LoadStrip() {
  if (bar.strip) DeleteObject(bar.strip);
  bar.strip = static_cast<HBITMAP>(LoadImageA(TheProgram().instance,
                                              Large() ? "TOOLBAR_LARGE" : "TOOLBAR_SMALL",
                                              IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  BITMAP info{};
  if (bar.strip && GetObjectA(bar.strip, sizeof info, &info)) bar.cell = info.bmHeight;
  bar.buttonWidth = bar.cell + 8;
  bar.buttonHeight = bar.cell + 7;
}

void AddButtons(HWND container) {
  HINSTANCE instance = TheProgram().instance;
  for (int i = 0; i < TOOLBAR_BUTTON_COUNT; ++i) {
    HWND button = CreateWindowA(
        "BUTTON", kButtons[static_cast<std::size_t>(i)].tip, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
        0, 0, bar.buttonWidth, bar.buttonHeight, container,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), instance, nullptr);
    if (!button) continue;
    const LONG_PTR original =
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc));
    SetWindowLongPtrA(button, GWLP_USERDATA, original);
  }
}

void Build() {
  Program& program = TheProgram();
  if (!program.frame || !RegisterClasses()) return;
  LoadStrip();
  RECT client{};
  GetClientRect(program.frame, &client);
  bar.docked = CreateWindowA(TOOLBAR_CLASS, "", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                             client.right, DockedRows() * bar.buttonHeight + 2 * BORDER,
                             program.frame, nullptr, program.instance, nullptr);
  const SIZE outer = FloatingOuterSize();
  bar.floating = CreateWindowExA(WS_EX_TOOLWINDOW, TOOLBAR_CLASS, "Tools", FLOAT_STYLE,
                                 Settings().toolBarX, Settings().toolBarY, outer.cx, outer.cy,
                                 program.frame, nullptr, program.instance, nullptr);
  if (!bar.tip)
    bar.tip =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIP_CLASS, "", WS_POPUP | WS_BORDER,
                        0, 0, 10, 10, program.frame, nullptr, program.instance, nullptr);
  HWND used = Floating() ? bar.floating : bar.docked;
  if (used) {
    AddButtons(used);
    if (used == bar.docked) {
      PlaceButtons(used, DockedColumns());
    } else {
      // The system may make the window wider than the stored columns
      // (smallest caption window): as many rows as the columns that fit.
      RECT inner{};
      GetClientRect(used, &inner);
      const int columns =
          std::max(1, (static_cast<int>(inner.right) - 2 * BORDER) / bar.buttonWidth);
      const int rows = (TOOLBAR_BUTTON_COUNT + columns - 1) / columns;
      RECT outer{0, 0, inner.right, rows * bar.buttonHeight + 2 * BORDER};
      AdjustWindowRectEx(&outer, FLOAT_STYLE, FALSE, WS_EX_TOOLWINDOW);
      SetWindowPos(used, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      PlaceButtons(used, columns);
    }
    RefreshButtons(used);
    if (Settings().toolBarVisible) ShowWindow(used, Floating() ? SW_SHOWNOACTIVATE : SW_SHOW);
  }
}

void CloseBoth() {
  bar.rebuilding = true;
  HideTip();
  bar.tipButton = nullptr;
  if (bar.docked) SendMessageA(bar.docked, WM_CLOSE, 0, 0);
  if (bar.floating) SendMessageA(bar.floating, WM_CLOSE, 0, 0);
  bar.rebuilding = false;
}

// Docking or undocking rebuilds both containers (as a change of button
// size does); a new floating window goes where it was let go.
void PlaceToolBar(bool floating, POINT at, bool moveFloating) {
  int& style = Settings().toolBarStyle;
  style = floating ? (style | TOOLBAR_FLOATING) : (style & ~TOOLBAR_FLOATING);
  Settings().toolBarVisible = true;
  CloseBoth();
  if (moveFloating) {
    Settings().toolBarX = at.x;
    Settings().toolBarY = at.y;
  }
  Build();
  LayoutFrame();
}

}  // namespace

const char* ToolButtonTip(int button) {
  if (button < 1 || button > TOOLBAR_BUTTON_COUNT) return nullptr;
  return kButtons[static_cast<std::size_t>(button - 1)].tip;
}

int ToolButtonCommand(int button) {
  if (button < 1 || button > TOOLBAR_BUTTON_COUNT) return 0;
  return kButtons[static_cast<std::size_t>(button - 1)].command;
}

void CreateToolBar(HWND) {
  CloseBoth();
  Build();
  LayoutFrame();
}

void RebuildToolBar(bool visible, bool largeButtons) {
  Settings().toolBarVisible = visible;
  TheParameterCells().largeButtons = largeButtons ? 1 : 0;
  CloseBoth();
  Build();
  LayoutFrame();
}

void CloseToolBar() {
  CloseBoth();
  if (bar.tip) DestroyWindow(bar.tip);
  bar.tip = nullptr;
  if (bar.strip) DeleteObject(bar.strip);
  bar.strip = nullptr;
}

void RefreshToolBarButtons() {
  RefreshButtons(bar.docked);
  RefreshButtons(bar.floating);
}

void ShowToolTipAt(const std::string& text, POINT screen) { PlaceTip(text, screen); }
void HideToolTip() { HideTip(); }

int DockedToolBarHeight() {
  if (!bar.docked || Floating() || !Settings().toolBarVisible) return 0;
  return DockedRows() * bar.buttonHeight + 2 * BORDER;
}

HWND DockedToolBar() { return bar.docked; }
HWND FloatingToolBar() { return bar.floating; }

int ToolBarCommand(HWND, int commandId, LPARAM) {
  if (commandId == IDM_TOOLBAR)
    RebuildToolBar(!Settings().toolBarVisible, Large());
  else
    RebuildToolBar(Settings().toolBarVisible, !Large());
  return 1;
}

}  // namespace merva::app
