#include "dialog_driver.h"

namespace korv::test {

namespace {

BOOL CALLBACK FindDialogProc(HWND window, LPARAM found) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (pid == GetCurrentProcessId() && IsWindowVisible(window) &&
      std::string(className) == "#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindProcessDialog() {
  HWND found = nullptr;
  EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

DialogDriver::DialogDriver(std::function<void(HWND)> action, DWORD timeoutMs)
    : thread_([this, action, timeoutMs] {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        HWND dialog = nullptr;
        while (!(dialog = FindProcessDialog()) && GetTickCount64() < deadline) Sleep(20);
        if (!dialog) return;
        found_ = true;
        Sleep(50);  // let WM_INITDIALOG's work settle
        action(dialog);
        const ULONGLONG closeBy = GetTickCount64() + 5000;
        while (IsWindow(dialog) && GetTickCount64() < closeBy) Sleep(20);
        if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      }) {}

bool DialogDriver::Wait() {
  if (thread_.joinable()) thread_.join();
  return found_;
}

std::string ControlText(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != 0; }

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

RECT ControlRect(HWND dialog, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string MessageBoxText(HWND box) { return ControlText(box, 0xFFFF); }

}  // namespace korv::test
