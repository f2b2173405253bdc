#include "macroeditor/editor.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "automation/macro_shortcuts.h"
#include "macroeditor/dde_client.h"
#include "macroeditor/editor_parts.h"
#include "macroeditor/macro_store.h"
#include "macroeditor/resource_ids.h"
#include "macroeditor/run_control.h"

namespace merva::macro {

namespace {

constexpr char FONT_SECTION[] = "Macro Editor";
constexpr char DEFAULT_FONT[] = "MS Sans Serif";
constexpr int DEFAULT_FONT_SIZE = 10;
constexpr char CHANGED_PROMPT[] = "The macro has been changed. Do you want to save it?";
constexpr int ROW_HEIGHT = 24;
constexpr char HELP_PAGE[] = "help\\mvmac95.html";

Editor editor;

std::string ComboText(HWND combo) {
  char text[MAX_PATH] = {};
  GetWindowTextA(combo, text, sizeof text);
  std::string name = text;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  while (!name.empty() && name.front() == ' ') name.erase(0, 1);
  return name;
}

void FillMacroCombo() {
  SendMessageA(editor.macroCombo, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : MacroNames())
    SendMessageA(editor.macroCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SetWindowTextA(editor.macroCombo, editor.macroName.c_str());
}

void FillShortcutCombo() {
  for (int i = 0; i < SHORTCUT_COUNT; ++i)
    SendMessageA(editor.shortcutCombo, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(ShortcutName(i).c_str()));
  SendMessageA(editor.shortcutCombo, CB_SETCURSEL, 0, 0);
}

HFONT CreateEditorFont() {
  char face[LF_FACESIZE] = {};
  GetPrivateProfileStringA(FONT_SECTION, "FontFace", DEFAULT_FONT, face, sizeof face, "mervaw.ini");
  int points = static_cast<int>(
      GetPrivateProfileIntA(FONT_SECTION, "FontSize", DEFAULT_FONT_SIZE, "mervaw.ini"));
  points = std::clamp(points, 4, 72);
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

HWND Child(const char* cls, const char* text, DWORD style, int id) {
  return CreateWindowExA(cls == std::string("EDIT") ? WS_EX_CLIENTEDGE : 0, cls, text,
                         WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, editor.window,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), editor.instance,
                         nullptr);
}

void CreateChildren() {
  editor.toolBar = CreateEditorToolBar(editor.window);
  Child("STATIC", "Macro:", SS_LEFT, IDC_MACRO_LABEL);
  editor.macroCombo =
      Child("COMBOBOX", "", CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP, IDC_MACRO_COMBO);
  Child("STATIC", "Shortcut:", SS_LEFT, IDC_SHORTCUT_LABEL);
  editor.shortcutCombo =
      Child("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, IDC_SHORTCUT_COMBO);
  editor.edit = Child("EDIT", "",
                      ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN |
                          ES_NOHIDESEL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                      IDC_EDIT);
  SendMessageA(editor.edit, EM_LIMITTEXT, MACRO_TEXT_LIMIT, 0);
  editor.font = CreateEditorFont();
  SendMessageA(editor.edit, WM_SETFONT, reinterpret_cast<WPARAM>(editor.font), TRUE);
  HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (int id : {IDC_MACRO_LABEL, IDC_MACRO_COMBO, IDC_SHORTCUT_LABEL, IDC_SHORTCUT_COMBO})
    SendDlgItemMessageA(editor.window, id, WM_SETFONT, reinterpret_cast<WPARAM>(gui), TRUE);
  FillMacroCombo();
  FillShortcutCombo();
}

void Layout(int width, int height) {
  SendMessageA(editor.toolBar, TB_AUTOSIZE, 0, 0);
  RECT bar{};
  GetWindowRect(editor.toolBar, &bar);
  const int top = bar.bottom - bar.top + 4;
  const int half = width / 2;
  MoveWindow(GetDlgItem(editor.window, IDC_MACRO_LABEL), 6, top + 4, 44, 16, TRUE);
  MoveWindow(editor.macroCombo, 52, top, half - 60, 200, TRUE);
  MoveWindow(GetDlgItem(editor.window, IDC_SHORTCUT_LABEL), half, top + 4, 56, 16, TRUE);
  MoveWindow(editor.shortcutCombo, half + 58, top, width - half - 64, 300, TRUE);
  const int editTop = top + ROW_HEIGHT + 4;
  MoveWindow(editor.edit, 0, editTop, width, std::max(0, height - editTop), TRUE);
}

bool Changed() { return SendMessageA(editor.edit, EM_GETMODIFY, 0, 0) != 0; }

// False when the user cancels or the save fails.
bool OfferSave() {
  if (!Changed()) return true;
  const int answer = ShowMessage(CHANGED_PROMPT, MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDCANCEL) return false;
  return answer == IDNO || SaveCommand();
}

void ShowHelp() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string page = path;
  page = page.substr(0, page.find_last_of('\\') + 1) + HELP_PAGE;
  ShellExecuteA(editor.window, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The edit box that clipboard commands act on: the one with the focus.
HWND ClipboardTarget() {
  HWND focus = GetFocus();
  char cls[16] = {};
  if (focus) GetClassNameA(focus, cls, sizeof cls);
  return focus && lstrcmpiA(cls, "Edit") == 0 ? focus : editor.edit;
}

void SwitchMacro() {
  const LRESULT index = SendMessageA(editor.macroCombo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  char name[MAX_PATH] = {};
  if (SendMessageA(editor.macroCombo, CB_GETLBTEXTLEN, index, 0) >= MAX_PATH) return;
  SendMessageA(editor.macroCombo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name));
  if (lstrcmpiA(name, editor.macroName.c_str()) == 0) return;
  if (Running() || !OfferSave()) {
    SetWindowTextA(editor.macroCombo, editor.macroName.c_str());
    return;
  }
  LoadMacro(name);
}

void Command(int id, int notification) {
  switch (id) {
    case IDM_RUN:
      RunCommand(false);
      break;
    case IDM_STEP:
      RunCommand(true);
      break;
    case IDM_STOP:
      StopCommand();
      break;
    case IDM_SAVE:
      SaveCommand();
      break;
    case IDM_PRINT:
      PrintCommand();
      break;
    case IDM_CUT:
      SendMessageA(ClipboardTarget(), WM_CUT, 0, 0);
      break;
    case IDM_COPY:
      SendMessageA(ClipboardTarget(), WM_COPY, 0, 0);
      break;
    case IDM_PASTE:
      SendMessageA(ClipboardTarget(), WM_PASTE, 0, 0);
      break;
    case IDM_FIND:
      OpenFindDialog(false);
      break;
    case IDM_REPLACE:
      OpenFindDialog(true);
      break;
    case IDM_FIND_NEXT:
      FindNextCommand();
      break;
    case IDM_EXIT:
      PostMessageA(editor.window, WM_CLOSE, 0, 0);
      break;
    case IDM_SELECT_ALL:
      SendMessageA(editor.edit, EM_SETSEL, 0, -1);
      break;
    case IDM_CLEAR_ALL:
      if (Running()) break;
      SendMessageA(editor.edit, EM_SETSEL, 0, -1);
      SendMessageA(editor.edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
      break;
    case IDM_HELP:
      ShowHelp();
      break;
    case IDC_MACRO_COMBO:
      if (notification == CBN_SELCHANGE) SwitchMacro();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      editor.window = window;
      CreateChildren();
      return 0;
    case WM_SIZE:
      Layout(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETFOCUS:
      SetFocus(editor.edit);
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return ToolBarNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_TIMER:
      ToolTipTimer();
      return 0;
    case WM_CLOSE:
      if (Running()) {
        CloseWhenStopped();
        return 0;
      }
      if (editor.runAndExit || OfferSave()) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      DestroyToolTip();
      if (editor.font) DeleteObject(editor.font);
      editor.font = nullptr;
      PostQuitMessage(RunExitCode());
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

Editor& TheEditor() { return editor; }

bool RegisterEditorClass(HINSTANCE instance) {
  editor.instance = instance;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSA cls{};
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = instance;
  cls.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszMenuName = EDITOR_CLASS;
  cls.lpszClassName = EDITOR_CLASS;
  return RegisterClassA(&cls) != 0 && RegisterToolTipClass(instance);
}

HWND CreateEditorWindow(int show) {
  editor.accelerators = LoadAcceleratorsA(editor.instance, EDITOR_CLASS);
  HWND window =
      CreateWindowExA(0, EDITOR_CLASS, EDITOR_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, EDITOR_WIDTH, 400, nullptr, nullptr, editor.instance, nullptr);
  if (!window) return nullptr;
  ShowWindow(window, show);
  UpdateWindow(window);
  return window;
}

int ShowMessage(const std::string& text, UINT flags) {
  HWND owner = editor.window && IsWindow(editor.window) ? editor.window : nullptr;
  return MessageBoxA(owner, text.c_str(), EDITOR_TITLE, flags);
}

bool DispatchOne(const MSG& message) {
  if (message.message == WM_QUIT) return false;
  MSG copy = message;
  if (editor.findDialog && IsDialogMessageA(editor.findDialog, &copy)) return true;
  if (editor.window && editor.accelerators &&
      TranslateAcceleratorA(editor.window, editor.accelerators, &copy))
    return true;
  TranslateMessage(&copy);
  DispatchMessageA(&copy);
  return true;
}

bool PumpWaiting() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Left for the main loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    DispatchOne(message);
  }
  return true;
}

std::string EditText() {
  const int length = GetWindowTextLengthA(editor.edit);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(editor.edit, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, got)));
  return text;
}

void SetEditText(const std::string& text) {
  SetWindowTextA(editor.edit, text.c_str());
  SendMessageA(editor.edit, EM_SETMODIFY, FALSE, 0);
}

void SelectText(std::size_t begin, std::size_t end) {
  SendMessageA(editor.edit, EM_SETSEL, static_cast<WPARAM>(begin), static_cast<LPARAM>(end));
  SendMessageA(editor.edit, EM_SCROLLCARET, 0, 0);
}

bool LoadMacro(const std::string& name) {
  std::string text;
  switch (ReadMacro(name, text)) {
    case MacroLoad::NotAMacro:
      ShowMessage(NOT_A_MACRO);
      return false;
    case MacroLoad::TooLong:
      ShowMessage(MACRO_TOO_LONG);
      return false;
    case MacroLoad::Missing:  // a new macro
      text.clear();
      break;
    case MacroLoad::Ok:
      break;
  }
  editor.macroName = MacroNameOf(name);
  SetEditText(text);
  SetWindowTextA(editor.macroCombo, editor.macroName.c_str());
  SendMessageA(editor.shortcutCombo, CB_SETCURSEL, ShortcutIndexOf(editor.macroName), 0);
  return true;
}

bool SaveCommand() {
  if (Running()) return false;
  const std::string name = ComboText(editor.macroCombo);
  if (!ValidMacroName(name)) {
    ShowMessage("Enter a macro name of letters, digits and blanks in the Macro box.");
    SetFocus(editor.macroCombo);
    return false;
  }
  LRESULT shortcut = SendMessageA(editor.shortcutCombo, CB_GETCURSEL, 0, 0);
  if (shortcut == CB_ERR) shortcut = 0;
  const std::string holder = ShortcutHolder(static_cast<int>(shortcut), name);
  if (!holder.empty()) {
    ShowMessage("The specified shortcut key is already used by the macro " + holder +
                ". The macro cannot be saved.");
    return false;
  }
  if (!WriteMacro(name, EditText())) {
    ShowMessage("The macro could not be written to " + MacroPath(name) + ".");
    return false;
  }
  RecordMacro(name, static_cast<int>(shortcut));
  editor.macroName = name;
  SendMessageA(editor.edit, EM_SETMODIFY, FALSE, 0);
  FillMacroCombo();
  TellMervaToReloadMacros();
  return true;
}

void TellMervaToReloadMacros() {
  if (!FindWindowA(MERVA_FRAME_CLASS, nullptr)) return;
  HCONV merva = Dde().Connect("MERVAW", "ROZava");
  if (!merva) return;
  Dde().Execute(merva, "[UpdateMacros()]", nullptr);
  Dde().Disconnect(merva);
}

}  // namespace merva::macro
