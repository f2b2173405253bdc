#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>

#include "macroeditor/editor.h"
#include "macroeditor/editor_parts.h"
#include "macroeditor/resource_ids.h"

namespace merva::macro {

namespace {

constexpr char TIP_CLASS[] = "MVMACTOOLTIP";
constexpr UINT_PTR TIP_TIMER = 1;
constexpr UINT TIP_POLL_MS = 100;
constexpr int TIP_DELAY_POLLS = 5;

struct Tool {
  int id;
  int image;  // in the "TOOLS" bitmap
  const char* hint;
};

constexpr Tool kTools[] = {
    {IDM_RUN, 0, "Run the macro"},
    {IDM_STEP, 1, "Single-step through the macro"},
    {IDM_STOP, 2, "Stop the macro"},
    {0, 0, nullptr},
    {IDM_SAVE, 3, "Save the macro to disk"},
    {IDM_PRINT, 4, "Print"},
    {0, 0, nullptr},
    {IDM_CUT, 5, "Cut the selected text to the Clipboard"},
    {IDM_COPY, 6, "Copy the selected text to the Clipboard"},
    {IDM_PASTE, 7, "Paste text from the Clipboard"},
    {0, 0, nullptr},
    {IDM_FIND, 8, "Find a word or phrase"},
};
constexpr int TOOL_IMAGES = 9;

HWND tip = nullptr;
int hoverId = 0, hoverPolls = 0;

const char* HintOf(int id) {
  for (const Tool& t : kTools)
    if (t.id == id && t.hint) return t.hint;
  return nullptr;
}

LRESULT CALLBACK TipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT area;
  GetClientRect(window, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_INFOBK));
  char text[128] = {};
  GetWindowTextA(window, text, sizeof text);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  area.left += 3;
  DrawTextA(dc, text, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  SelectObject(dc, old);
  EndPaint(window, &paint);
  return 0;
}

void ShowTip(const char* text, POINT at) {
  if (!tip)
    tip = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TIP_CLASS, "", WS_POPUP | WS_BORDER, 0,
                          0, 10, 10, TheEditor().window, nullptr, TheEditor().instance, nullptr);
  if (!tip) return;
  SetWindowTextA(tip, text);
  HDC dc = GetDC(tip);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  SelectObject(dc, old);
  ReleaseDC(tip, dc);
  SetWindowPos(tip, HWND_TOPMOST, at.x, at.y + 20, size.cx + 8, size.cy + 4,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(tip, nullptr, TRUE);
}

void HideTip() {
  if (tip) ShowWindow(tip, SW_HIDE);
}

}  // namespace

HWND CreateEditorToolBar(HWND parent) {
  HWND bar =
      CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 0, 0,
                      parent, reinterpret_cast<HMENU>(IDC_TOOLBAR), TheEditor().instance, nullptr);
  if (!bar) return nullptr;
  SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 15));
  HBITMAP tools = static_cast<HBITMAP>(
      LoadImageA(TheEditor().instance, "TOOLS", IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(tools)};
  const LRESULT first =
      SendMessageA(bar, TB_ADDBITMAP, TOOL_IMAGES, reinterpret_cast<LPARAM>(&add));
  TBBUTTON buttons[sizeof kTools / sizeof kTools[0]] = {};
  int count = 0;
  for (const Tool& t : kTools) {
    TBBUTTON& b = buttons[count++];
    b.iBitmap = t.id ? static_cast<int>(first) + t.image : 0;
    b.idCommand = t.id;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = t.id ? BTNS_BUTTON : BTNS_SEP;
  }
  SendMessageA(bar, TB_ADDBUTTONS, count, reinterpret_cast<LPARAM>(buttons));
  SetTimer(parent, TIP_TIMER, TIP_POLL_MS, nullptr);
  return bar;
}

LRESULT ToolBarNotify(NMHDR*) { return 0; }

bool RegisterToolTipClass(HINSTANCE instance) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = TipProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.lpszClassName = TIP_CLASS;
  return RegisterClassA(&cls) != 0;
}

// The tip of the button under the cursor, after the cursor rested on it.
void ToolTipTimer() {
  HWND bar = TheEditor().toolBar;
  POINT cursor;
  GetCursorPos(&cursor);
  POINT local = cursor;
  ScreenToClient(bar, &local);
  int id = 0;
  if (WindowFromPoint(cursor) == bar) {
    const LRESULT index = SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&local));
    TBBUTTON button{};
    if (index >= 0 && SendMessageA(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)))
      id = button.idCommand;
  }
  if (id != hoverId) {
    hoverId = id;
    hoverPolls = 0;
    HideTip();
    return;
  }
  if (id && ++hoverPolls == TIP_DELAY_POLLS) {
    if (const char* hint = HintOf(id)) ShowTip(hint, cursor);
  }
}

void DestroyToolTip() {
  KillTimer(TheEditor().window, TIP_TIMER);
  if (tip) DestroyWindow(tip);
  tip = nullptr;
}

}  // namespace merva::macro
