#pragma once

// End-to-end test harness: starts the programs of the build tree in the
// Wine prefix, waits for conditions and ends what it started.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace merva::test {

// Windows path of a file in the build tree, e.g. "app/merva95.exe".
std::string ProgramPath(const std::string& relativePath);

// A process started by a test. Ends it, by its id, when it goes out of
// scope while still running.
class StartedProcess {
 public:
  StartedProcess() = default;
  StartedProcess(DWORD pid, HANDLE process) : pid(pid), process_(process) {}
  StartedProcess(StartedProcess&& other) noexcept;
  StartedProcess& operator=(StartedProcess&& other) noexcept;
  StartedProcess(const StartedProcess&) = delete;
  StartedProcess& operator=(const StartedProcess&) = delete;
  ~StartedProcess() { End(); }

  bool Running() const;
  // Waits for the process to end on its own; false on time-out.
  bool WaitExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  // Terminates the process if it still runs.
  void End();
  HANDLE Handle() const { return process_; }

  DWORD pid = 0;

 private:
  HANDLE process_ = nullptr;
};

// Starts `exe` with a command line of its quoted path and `arguments`;
// pid 0 when it could not be started.
StartedProcess StartProgram(const std::string& exe, const std::string& arguments,
                            const std::string& workingDirectory = "");

// Polls `condition` until it holds or `timeoutMs` passes, dispatching this
// thread's messages in between.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 50);

// A visible or hidden top-level window of the process with the class name
// (any class when null).
HWND FindWindowOfProcess(DWORD pid, const char* className);
// A descendant of `parent` with the class and title (either may be null).
HWND FindChildWindow(HWND parent, const char* className, const char* title);
// The window text.
std::string WindowText(HWND window);
// A visible dialog box of the process, with that caption when one is given.
HWND DialogOfProcess(DWORD pid, const char* caption = nullptr);
bool FileExists(const std::string& path);
// The numbers of a text such as a CurveN reply, in order (X and Y alternating).
std::vector<double> NumbersIn(const std::string& text);
// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// A fresh empty folder for this test program run (Windows path, no
// trailing backslash).
std::string TempDirectory();
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace merva::test
