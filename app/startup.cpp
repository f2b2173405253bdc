// The program's entry: the system and library checks, the hand-off to a
// running copy, the window classes, the frame, the DDE server and the
// message loop.

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/app_host.h"
#include "app/document_window.h"
#include "app/frame_window.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "app/uninstall.h"
#include "automation/command_line.h"
#include "automation/win32/dde_server.h"
#include "automation/win32/handoff_messages.h"
#include "files/win32/system_settings.h"

namespace merva::app {

namespace {

constexpr char LIBRARY_FILE[] = "KORV32.DLL";
constexpr DWORD REQUIRED_LIBRARY_VERSION = 0x02000000;  // 2.0.0.0, a byte per part

void StopBox(const std::string& text, const char* caption = APP_TITLE, UINT extra = 0) {
  MessageBoxA(nullptr, text.c_str(), caption, MB_OK | MB_ICONSTOP | extra);
}

std::string VersionText(DWORD version) {
  char text[32];
  std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", (version >> 24) & 0xFFUL,
                (version >> 16) & 0xFFUL, (version >> 8) & 0xFFUL, version & 0xFFUL);
  return text;
}

// The library's file version as one number, a byte per part; false when
// the file has no version resource.
bool LibraryVersion(const std::string& path, DWORD& version) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return false;
  std::string block(size, '\0');
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return false;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof *info)
    return false;
  const DWORD ms = info->dwFileVersionMS;
  const DWORD ls = info->dwFileVersionLS;
  version = ((HIWORD(ms) & 0xFFu) << 24) | ((LOWORD(ms) & 0xFFu) << 16) |
            ((HIWORD(ls) & 0xFFu) << 8) | (LOWORD(ls) & 0xFFu);
  return true;
}

// The library the loader bound the program to (it imports the About box).
std::string LoadedLibraryPath() {
  HMODULE module = GetModuleHandleA(LIBRARY_FILE);
  if (!module) return {};
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

bool LibraryAcceptable() {
  const std::string path = LoadedLibraryPath();
  const std::string file = LIBRARY_FILE;
  if (path.empty()) {
    StopBox("Cannot find " + file + ". Please re-install this application.");
    return false;
  }
  DWORD version = 0;
  if (!LibraryVersion(path, version)) return true;  // no version resource: nothing to compare
  if (version >= REQUIRED_LIBRARY_VERSION) return true;
  StopBox("This application requires " + file + " version " +
              VersionText(REQUIRED_LIBRARY_VERSION) + "\r\nThe installed version of " + file +
              " is " + VersionText(version) + "\r\nExit this application, delete " + file +
              " from the Windows System\r\ndirectory, and re-install this application.",
          FRAME_CLASS);
  return false;
}

std::string ProgramFolder() {
  const std::string path = ProgramPath();
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

UINT RequestMessage(const win32::HandoffMessages& messages, CommandLineRequest request) {
  switch (request) {
    case CommandLineRequest::PlotFile:
      return messages.plotFile;
    case CommandLineRequest::PrintFile:
      return messages.printFile;
    case CommandLineRequest::SettingsFile:
      return win32::WM_MERVA_PREFERENCE_FILE;
    case CommandLineRequest::None:
      break;
  }
  return 0;
}

void PostRequest(HWND frame, const win32::HandoffMessages& messages,
                 const CommandLineOutcome& outcome) {
  const UINT message = RequestMessage(messages, outcome.request);
  if (!message) return;
  const LPARAM parameter = outcome.request == CommandLineRequest::SettingsFile
                               ? 0
                               : static_cast<LPARAM>(MAKELONG(0, outcome.fileType));
  win32::PostHandoffRequest(frame, message, outcome.text, parameter);
}

// A second start: the running copy gets the command line and this one ends.
void HandOverToRunningCopy(HWND running, const win32::HandoffMessages& messages) {
  HWND popup = GetLastActivePopup(running);
  SetForegroundWindow(popup ? popup : running);
  const CommandLineOutcome outcome = ParseCommandLine(TheProgram().commandLine, ProgramFolder());
  // Files in use by the running copy cannot go.
  if (outcome.outcome == -1) RefuseRemovalWhileRunning();
  if (outcome.outcome == 1) PostRequest(running, messages, outcome);
}

std::string ErrorCodeText(DWORD code) {
  char text[16];
  std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(code));
  return text;
}

bool RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSEXA frame{};
  frame.cbSize = sizeof frame;
  frame.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  frame.lpfnWndProc = FrameWindowProc;
  frame.hInstance = instance;
  frame.hIcon = LoadIconA(instance, "APP_ICON");
  frame.hIconSm = static_cast<HICON>(LoadImageA(instance, "APP_ICON", IMAGE_ICON, 16, 16, 0));
  frame.hCursor = LoadCursor(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  frame.lpszClassName = FRAME_CLASS;
  if (!RegisterClassExA(&frame)) {
    StopBox("Error registering the Frame window class, error = 0x" + ErrorCodeText(GetLastError()),
            APP_TITLE, MB_SYSTEMMODAL);
    return false;
  }
  WNDCLASSEXA document{};
  document.cbSize = sizeof document;
  document.style = CS_DBLCLKS;
  document.lpfnWndProc = DocumentWindowProc;
  document.cbWndExtra = DOCUMENT_EXTRA_BYTES;
  document.hInstance = instance;
  document.hIcon = LoadIconA(instance, "DOCUMENT");
  document.hCursor = LoadCursor(nullptr, IDC_ARROW);
  document.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  document.lpszClassName = DOCUMENT_CLASS;
  if (!RegisterClassExA(&document)) {
    StopBox(
        "Error registering the MDI Child window class, error = 0x" + ErrorCodeText(GetLastError()),
        APP_TITLE, MB_SYSTEMMODAL);
    return false;
  }
  WNDCLASSEXA status{};
  status.cbSize = sizeof status;
  status.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  status.lpfnWndProc = StatusBarProc;
  status.hInstance = instance;
  status.hCursor = LoadCursor(nullptr, IDC_ARROW);
  status.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  status.lpszClassName = STATUS_CLASS;
  if (!RegisterClassExA(&status)) {
    StopBox("Error registering the MERVASTATUS window class", APP_TITLE, MB_SYSTEMMODAL);
    return false;
  }
  WNDCLASSEXA note{};
  note.cbSize = sizeof note;
  note.lpfnWndProc = DefWindowProcA;
  note.hInstance = instance;
  note.hCursor = LoadCursor(nullptr, IDC_ARROW);
  note.hbrBackground = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
  note.lpszClassName = NOTE_CLASS;
  if (!RegisterClassExA(&note)) {
    StopBox("Error registering the MERVANOTE window class", APP_TITLE, MB_SYSTEMMODAL);
    return false;
  }
  return true;
}

bool StartedMinimized(int showCommand) {
  return showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINIMIZED ||
         showCommand == SW_SHOWMINNOACTIVE;
}

int MessageLoop() {
  Program& program = TheProgram();
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) break;
    // Wine drops a DDE message whose memory block it cannot hand over (about
    // 2 MB) and fails the call: the program goes on with its documents.
    if (got == -1) continue;
    if (program.modelessDialog && IsDialogMessageA(program.modelessDialog, &message)) continue;
    if (program.client && TranslateMDISysAccel(program.client, &message)) continue;
    if (program.frame && program.accelerators &&
        TranslateAcceleratorA(program.frame, program.accelerators, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

win32::DdeServerConfig ServerConfig(HWND frame) {
  win32::DdeServerConfig config;
  config.frame = frame;
  config.host = &TheCommandHost();
  config.openDocumentWindow = [](int curves, int points) {
    return NewDocumentWindow(false, curves, points);
  };
  return config;
}

}  // namespace

int RunProgram(HINSTANCE instance, const char* commandLine, int showCommand) {
  OSVERSIONINFOA system{};
  system.dwOSVersionInfoSize = sizeof system;
  if (GetVersionExA(&system) && system.dwMajorVersion < 4) {
    StopBox("This version of MERVA requires Windows 95 or Windows NT 4.0 or later.", APP_TITLE,
            MB_SYSTEMMODAL);
    return 0;
  }
  Program& program = TheProgram();
  program.instance = instance;
  program.commandLine = commandLine ? commandLine : "";
  program.programFolder = ProgramFolder();
  const win32::HandoffMessages& messages = win32::RegisterHandoffMessages();

  if (HWND running = FindWindowA(FRAME_CLASS, nullptr)) {
    HandOverToRunningCopy(running, messages);
    return 0;
  }
  if (!LibraryAcceptable()) return 0;

  const CommandLineOutcome outcome = ParseCommandLine(program.commandLine, program.programFolder);
  if (outcome.outcome == -1) {
    RunRemoval();
    return 0;
  }
  program.startupFlags = outcome.startupFlags;
  if (!RegisterWindowClasses(instance)) return 0;

  RegisterFileAssociation(ProgramPath());
  program.clipboardFormats = RegisterClipboardFormats();
  program.accelerators = LoadAcceleratorsA(instance, ACCELERATOR_NAME);
  program.menu = LoadMenuA(instance, MENU_NAME);
  HWND frame =
      CreateWindowExA(WS_EX_ACCEPTFILES, FRAME_CLASS, APP_TITLE,
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, program.menu, instance, nullptr);
  if (!frame) return 0;

  if (Settings().maximized && !StartedMinimized(showCommand))
    ShowWindow(frame, SW_SHOWMAXIMIZED);
  else
    ShowWindow(frame, showCommand);
  UpdateWindow(frame);

  if (!win32::InitializeDdeServer(ServerConfig(frame))) {
    MessageBoxA(frame, "Could not initialize server!", APP_TITLE, MB_OK | MB_ICONEXCLAMATION);
    DestroyWindow(frame);
    return 0;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (outcome.outcome == 1) {
    program.ownStartRequest = outcome.request == CommandLineRequest::PlotFile;
    PostRequest(frame, messages, outcome);
  }
  SendMessageA(frame, WM_MERVA_DDE_START, 0, 0);

  const int exitCode = MessageLoop();
  if (program.menu && IsWindow(frame) && GetMenu(frame) != program.menu) DestroyMenu(program.menu);
  win32::StopDdeServer();
  return exitCode;
}

}  // namespace merva::app

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  return merva::app::RunProgram(instance, commandLine, showCommand);
}
