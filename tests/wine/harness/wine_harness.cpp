#include "harness/wine_harness.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace merva::test {

std::string ProgramPath(const std::string& relativePath) {
  // The build directory is a Unix path; Wine maps the root to Z:.
  std::string path = std::string("Z:") + MERVA_BUILD_DIR + "/" + relativePath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

StartedProcess::StartedProcess(StartedProcess&& other) noexcept
    : pid(other.pid), process_(other.process_) {
  other.pid = 0;
  other.process_ = nullptr;
}

StartedProcess& StartedProcess::operator=(StartedProcess&& other) noexcept {
  if (this != &other) {
    End();
    pid = other.pid;
    process_ = other.process_;
    other.pid = 0;
    other.process_ = nullptr;
  }
  return *this;
}

bool StartedProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool StartedProcess::WaitExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_) return true;
  const bool ended = WaitUntil([this] { return !Running(); }, timeoutMs, 20);
  if (ended && exitCode) GetExitCodeProcess(process_, exitCode);
  return ended;
}

void StartedProcess::End() {
  if (!process_) return;
  if (Running()) {
    // By id, as a test must end only what it started.
    if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
      TerminateProcess(h, 1);
      WaitForSingleObject(h, 5000);
      CloseHandle(h);
    }
  }
  CloseHandle(process_);
  process_ = nullptr;
  pid = 0;
}

StartedProcess StartProgram(const std::string& exe, const std::string& arguments,
                            const std::string& workingDirectory) {
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                      &info))
    return StartedProcess();
  CloseHandle(info.hThread);
  WaitForInputIdle(info.hProcess, 10000);
  return StartedProcess(info.dwProcessId, info.hProcess);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, pollMs, QS_ALLINPUT);
  }
}

namespace {

struct WindowSearch {
  DWORD pid;
  const char* className;
  const char* title;
  HWND found;
};

bool Matches(HWND window, const WindowSearch& search) {
  char name[256];
  if (search.className) {
    if (!GetClassNameA(window, name, sizeof name) || lstrcmpiA(name, search.className) != 0)
      return false;
  }
  if (search.title) {
    GetWindowTextA(window, name, sizeof name);
    if (lstrcmpA(name, search.title) != 0) return false;
  }
  return true;
}

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && Matches(window, *search)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindChild(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  if (Matches(window, *search)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindWindowOfProcess(DWORD pid, const char* className) {
  WindowSearch search{pid, className, nullptr, nullptr};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChildWindow(HWND parent, const char* className, const char* title) {
  WindowSearch search{0, className, title, nullptr};
  EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

namespace {

struct DialogSearch {
  DWORD pid;
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner != search->pid || std::string(name) != "#32770" || !IsWindowVisible(window))
    return TRUE;
  if (search->caption && WindowText(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND DialogOfProcess(DWORD pid, const char* caption) {
  DialogSearch search{pid, caption, nullptr};
  EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TempDirectory() {
  static std::string directory;
  if (!directory.empty()) return directory;
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::ostringstream name;
  name << base << "merva-e2e-" << GetCurrentProcessId() << "-" << GetTickCount();
  directory = name.str();
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string();
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<double> NumbersIn(const std::string& text) {
  std::vector<double> values;
  const char* p = text.c_str();
  for (;;) {
    char* end = nullptr;
    const double v = std::strtod(p, &end);
    if (end == p) break;
    values.push_back(v);
    p = end;
  }
  return values;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace merva::test
