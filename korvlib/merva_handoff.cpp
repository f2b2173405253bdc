// KUGetMERVAWindow and KUPlotMERVAFile: finding or starting the plotting
// program and handing it a client's plot file.

#include "korvlib/korv32.h"
#include "korvlib/korv_module.h"
#include "korvlib/merva_command.h"

namespace {

constexpr DWORD START_WAIT_MS = 15000;
constexpr UINT HANDOFF_TIMEOUT_MS = 30000;
constexpr LPARAM PLOT_FILE_TYPE_1 = 0x10000;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

// Starts the command line in a normally shown window and waits until a
// window of the class exists, the program ends or the wait runs out.
// False when the program could not be started.
bool StartAndWait(const korv::MervaLaunch& launch, HWND& found) {
  const WaitCursor cursor;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::string commandLine = launch.commandLine;
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return false;
  const Handle process(info.hProcess), thread(info.hThread);
  WaitForInputIdle(process.Get(), START_WAIT_MS);
  const DWORD start = GetTickCount();
  for (;;) {
    found = FindWindowA(launch.windowClass.c_str(), nullptr);
    if (found || GetTickCount() - start >= START_WAIT_MS) break;
    if (WaitForSingleObject(process.Get(), 100) == WAIT_OBJECT_0) {
      found = FindWindowA(launch.windowClass.c_str(), nullptr);
      break;
    }
  }
  return true;
}

HWND FindOrStartMerva() {
  if (const HWND running = FindWindowA(korv::MERVA_FRAME_CLASS, nullptr)) return running;
  const korv::MervaLaunch launch = korv::MervaLaunchCommand();
  HWND found = nullptr;
  if (!StartAndWait(launch, found)) {
    korv::KorvMessage("Error opening " + launch.commandLine, MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  if (!found) {
    korv::KorvMessage("Cannot find " + launch.commandLine, MB_OKCANCEL);
    return nullptr;
  }
  return found;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The receiver resolves names against its own folder, so it gets the
// name as the client sees it.
std::string AbsolutePath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

// The result code of the "Plot MERVA File" request; 0 when the program
// did not answer.
LRESULT SendPlotRequest(HWND frame, const std::string& name) {
  const ATOM atom = GlobalAddAtomA(name.c_str());
  if (!atom) return 3;  // longer than an atom holds
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutA(frame, RegisterWindowMessageA("Plot MERVA File"), atom, PLOT_FILE_TYPE_1,
                           SMTO_ABORTIFHUNG, HANDOFF_TIMEOUT_MS, &reply))
    reply = 0;
  GlobalDeleteAtom(atom);
  return static_cast<LRESULT>(reply);
}

}  // namespace

extern "C" HWND WINAPI KUGetMERVAWindow(void) { return FindOrStartMerva(); }

extern "C" int WINAPI KUPlotMERVAFile(LPCSTR applicationKey, LPCSTR fileName) {
  const std::string fullName =
      korv::ClientProgramDirectory(applicationKey) + (fileName ? fileName : "");
  if (!FileExists(fullName))
    return korv::KorvMessage("Oops! " + fullName + " does not exist.", MB_OKCANCEL);
  const HWND frame = FindOrStartMerva();
  if (!frame) return 0;
  const std::string sentName = AbsolutePath(fullName);
  const LRESULT reply = SendPlotRequest(frame, sentName);
  switch (LOWORD(reply)) {
    case 2:
      return korv::KorvMessage("MERVA is currently busy.", MB_OKCANCEL);
    case 4:
      return korv::KorvMessage("File does not exist: " + sentName, MB_OKCANCEL);
    case 0:
      return korv::KorvMessage("MERVA did not respond... contact author.", MB_OKCANCEL);
    default:
      return static_cast<int>(reply);
  }
}
