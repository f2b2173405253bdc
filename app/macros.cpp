#include "app/macros.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "app/dialogs.h"
#include "app/help.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/ui_host.h"
#include "automation/macro_shortcuts.h"
#include "files/win32/profile_stores.h"

namespace merva::app {

namespace {

constexpr char SETTINGS_FILE[] = "mervaw.ini";
constexpr char MACROS_SECTION[] = "Macros";
constexpr char SHORTCUTS_SECTION[] = "MacroShortcuts";
constexpr std::size_t SHORTCUT_PATH_LENGTH = 288;

struct MacroShortcut {
  int keyCode = 0;
  std::string macro;  // the macro's name
  std::string path;   // its file, at most 288 characters
};

std::vector<MacroShortcut> shortcuts;

std::string MacroFile(const std::string& name) {
  return ProgramFile("MACROS\\" + name + ".MAC").substr(0, SHORTCUT_PATH_LENGTH);
}

std::vector<std::string> MacroNames() {
  PrivateProfileStore store(SETTINGS_FILE);
  return store.Keys(MACROS_SECTION);
}

void FillList(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_MACRO_LIST, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : MacroNames())
    SendDlgItemMessageA(dialog, IDC_MACRO_LIST, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(name.c_str()));
  SendDlgItemMessageA(dialog, IDC_MACRO_LIST, CB_SETCURSEL, 0, 0);
}

std::string ChosenMacro(HWND dialog) {
  char name[MAX_PATH] = {};
  GetDlgItemTextA(dialog, IDC_MACRO_LIST, name, sizeof name);
  std::string text = name;
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Starting from the dialog: a failure names the missing program.
bool StartFromDialog(const std::string& arguments) {
  if (StartMacroEditor(arguments)) return true;
  Ui().Show("Cannot find " + ProgramFile(MACRO_EDITOR_FILE), "Macro", MB_ICONSTOP);
  return false;
}

void DeleteMacro(HWND dialog, const std::string& name) {
  if (name.empty()) return;
  const std::string question = "Delete the macro " + name + "?";
  if (Ui().Ask(question, "Macro", MB_YESNO | MB_ICONQUESTION, IDNO) != IDYES) return;
  PrivateProfileStore store(SETTINGS_FILE);
  store.Remove(MACROS_SECTION, name);
  store.Remove(SHORTCUTS_SECTION, name);
  store.Flush();
  DeleteFileA(MacroFile(name).c_str());
  FillList(dialog);
}

INT_PTR CALLBACK MacroProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      FillList(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_MACRO_RUN: {
          const std::string name = ChosenMacro(dialog);
          if (name.empty()) {
            MessageBeep(MB_OK);
            return TRUE;
          }
          if (StartFromDialog("/RUN " + MacroFile(name))) EndDialog(dialog, 1);
          return TRUE;
        }
        case IDC_MACRO_EDIT:
          if (StartFromDialog("")) EndDialog(dialog, 1);
          return TRUE;
        case IDC_MACRO_DELETE:
          DeleteMacro(dialog, ChosenMacro(dialog));
          return TRUE;
        case IDC_HELP_BUTTON:
          OpenHelpContext(HELP_MACRO);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

bool KeyDown(bool shift) { return (GetKeyState(shift ? VK_SHIFT : VK_CONTROL) & 0x8000) != 0; }

const MacroShortcut* ShortcutOf(int keyCode) {
  for (const MacroShortcut& s : shortcuts)
    if (s.keyCode == keyCode) return &s;
  return nullptr;
}

// True when the key is taken here and must not reach the program.
bool HandleKey(WPARAM virtualKey) {
  Program& program = TheProgram();
  const bool shift = KeyDown(true), ctrl = KeyDown(false);
  if (virtualKey == VK_ESCAPE) {
    if (program.helpMode) EndHelpMode();
    return false;
  }
  if (virtualKey == VK_F1 && shift && !ctrl) {
    if (program.openDialogs > 0) return false;
    EnterHelpMode();
    return true;
  }
  if (virtualKey == VK_F1 && !shift && !ctrl) {
    if (program.helpContext)
      OpenHelpContext(program.helpContext);
    else
      OpenHelpIndex();
    return true;
  }
  const MacroShortcut* shortcut = ShortcutOf(KeyCode(static_cast<int>(virtualKey), shift, ctrl));
  if (!shortcut || !program.frame || !IsWindowEnabled(program.frame)) return false;
  if (!StartMacroEditor(" /RUN " + shortcut->path)) MessageBeep(MB_OK);
  return true;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  // Key-down transitions only, no repeats, and nothing while a menu is open.
  const bool keyDown = (static_cast<DWORD>(lParam) & 0xC0000000u) == 0;
  if (code == HC_ACTION && keyDown && !TheProgram().menuMode && HandleKey(wParam)) return 1;
  return CallNextHookEx(TheProgram().keyboardHook, code, wParam, lParam);
}

}  // namespace

void LoadMacroShortcuts() {
  shortcuts.clear();
  PrivateProfileStore store(SETTINGS_FILE);
  for (const std::string& name : store.Keys(SHORTCUTS_SECTION)) {
    std::string value;
    if (!store.Get(SHORTCUTS_SECTION, name, value)) continue;
    const int code = ShortcutKeyCode(std::atoi(value.c_str()));
    if (code == 0) continue;
    shortcuts.push_back({code, name, MacroFile(name)});
  }
}

int MacroDialog() {
  const INT_PTR started = RunDialog("MACRO", MacroProc, 0);
  LoadMacroShortcuts();
  return started == 1 ? 1 : 0;
}

void InstallKeyboardHook() {
  Program& program = TheProgram();
  if (!program.keyboardHook)
    program.keyboardHook =
        SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId());
}

void RemoveKeyboardHook() {
  Program& program = TheProgram();
  if (program.keyboardHook) UnhookWindowsHookEx(program.keyboardHook);
  program.keyboardHook = nullptr;
}

bool StartMacroEditor(const std::string& arguments) {
  const std::string program = ProgramFile(MACRO_EDITOR_FILE);
  const DWORD attributes = GetFileAttributesA(program.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty()) commandLine += (arguments.front() == ' ' ? "" : " ") + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      TheProgram().programFolder.c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace merva::app
