// Loaded into merva95 by a message hook of the end-to-end tests: it does
// what only code on merva95's own thread can do, on request of a
// registered message posted to the frame. Menus and drop handles are
// local to a process under Wine.
//
// Requests (wParam): 1 writes every menu item of the frame's menu bar to
// "menu.txt" ("id flags text" per line); 2 drops the files named in
// "drop.txt" (one per line) on the frame; 3 sends the frame the menu
// selection of top-level pop-up number lParam (0-based), -1 for the
// frame's system menu; 4 opens a window of merva95's thread beside the
// frame: lParam 0 an unowned pop-up window, 1 a modeless dialog owned by
// the frame. Both note in "closed.txt" how they were closed and whether
// merva95's settings file existed then. The files live in the folder named by the
// environment variable MERVA_PROBE_DIR; "done.txt" is written when a
// request was carried out.

#include <windows.h>
// DROPFILES.
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string ProbeFile(const char* name) {
  char folder[MAX_PATH] = {};
  GetEnvironmentVariableA("MERVA_PROBE_DIR", folder, sizeof folder);
  return std::string(folder) + "\\" + name;
}

void WriteAtomically(const char* name, const std::string& text) {
  const std::string target = ProbeFile(name);
  const std::string temporary = target + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
  }
  MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void DumpMenu(HMENU menu, std::string& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      DumpMenu(sub, out);
      continue;
    }
    const UINT id = GetMenuItemID(menu, i);
    if (id == 0 || id == 0xFFFFFFFFu) continue;  // separators
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    const UINT flags = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    char line[400];
    std::snprintf(line, sizeof line, "%u %u %s\n", id, flags, text);
    out += line;
  }
}

void DropFiles(HWND frame) {
  std::ifstream in(ProbeFile("drop.txt"), std::ios::binary);
  std::vector<std::string> names;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (!line.empty()) names.push_back(line);
  }
  std::size_t bytes = sizeof(DROPFILES) + 1;
  for (const std::string& name : names) bytes += name.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND | GMEM_SHARE, bytes);
  if (!memory) return;
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->pt = POINT{20, 20};
  header->fNC = FALSE;
  header->fWide = FALSE;
  char* at = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
  for (const std::string& name : names) {
    std::memcpy(at, name.c_str(), name.size() + 1);
    at += name.size() + 1;
  }
  *at = '\0';
  GlobalUnlock(memory);
  PostMessageA(frame, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

void SelectPopup(HWND frame, LPARAM which) {
  if (which < 0) {
    HMENU system = GetSystemMenu(frame, FALSE);
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_SYSMENU),
                 reinterpret_cast<LPARAM>(system));
    return;
  }
  SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(static_cast<UINT>(which), MF_POPUP),
               reinterpret_cast<LPARAM>(GetMenu(frame)));
}

HMODULE ThisModule() {
  HMODULE module = nullptr;
  // Pinned: merva95 keeps running the windows' procedures after the test
  // removes its hook.
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

void Note(const char* what) {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  const std::string settings = std::string(windows) + "\\mervaw.ini";
  const bool written = GetFileAttributesA(settings.c_str()) != INVALID_FILE_ATTRIBUTES;
  std::ofstream out(ProbeFile("closed.txt"), std::ios::binary | std::ios::app);
  out << what << (written ? " after-settings" : " before-settings") << "\n";
}

LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) Note("popup-close");
  if (message == WM_DESTROY) Note("popup-destroy");
  return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    Note("dialog-cancel");
    DestroyWindow(dialog);
    return TRUE;
  }
  if (message == WM_DESTROY) Note("dialog-destroy");
  return FALSE;
}

void OpenWindow(HWND frame, LPARAM kind) {
  HMODULE module = ThisModule();
  if (kind == 0) {
    WNDCLASSA type{};
    type.lpfnWndProc = PopupProc;
    type.hInstance = module;
    type.lpszClassName = "MervaTestPopup";
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&type);
    HWND popup = CreateWindowExA(0, "MervaTestPopup", "Test pop-up", WS_POPUP | WS_CAPTION, 10, 10,
                                 200, 100, nullptr, nullptr, module, nullptr);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    return;
  }
  // An empty dialog template: a caption and no controls.
  struct {
    DLGTEMPLATE header;
    WORD menu, windowClass, title[12];
  } form{};
  form.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  form.header.cx = 120;
  form.header.cy = 60;
  const char caption[] = "Test dialog";
  for (int i = 0; caption[i]; ++i) form.title[i] = static_cast<WORD>(caption[i]);
  CreateDialogIndirectParamA(module, &form.header, frame, DialogProc, 0);
}

void Carry(HWND frame, WPARAM request, LPARAM parameter) {
  switch (request) {
    case 1: {
      std::string out;
      if (HMENU menu = GetMenu(frame)) DumpMenu(menu, out);
      WriteAtomically("menu.txt", out);
      break;
    }
    case 2:
      DropFiles(frame);
      break;
    case 3:
      SelectPopup(frame, parameter);
      break;
    case 4:
      OpenWindow(frame, parameter);
      break;
    default:
      return;
  }
  WriteAtomically("done.txt", std::to_string(request));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT probeMessage = RegisterWindowMessageA("merva95 test probe");
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (message->message == probeMessage) {
      const WPARAM request = message->wParam;
      const LPARAM parameter = message->lParam;
      message->message = WM_NULL;
      Carry(message->hwnd, request, parameter);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
