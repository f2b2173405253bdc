#include "macroeditor/run_host.h"

#include <algorithm>

#include "macroeditor/dde_client.h"
#include "macroeditor/editor.h"

namespace merva::macro {

namespace {

std::string Lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

// Starts a program; its process handle, or null.
HANDLE Start(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return nullptr;
  CloseHandle(process.hThread);
  return process.hProcess;
}

}  // namespace

Outcome WindowsRunHost::Execute(const std::string& commandString) {
  return Dde().Execute(merva_, commandString, stop_);
}

std::vector<std::string> WindowsRunHost::ListFiles(const std::string& pattern) {
  const std::string full = FullPath(pattern);
  const std::string folder = full.substr(0, full.find_last_of('\\') + 1);
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(full.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files.push_back(folder + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(files.begin(), files.end(),
            [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
  return files;
}

std::string WindowsRunHost::ShortPath(const std::string& directory) {
  char shortName[MAX_PATH] = {};
  const DWORD length = GetShortPathNameA(directory.c_str(), shortName, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(shortName, length) : directory;
}

// The called macro runs in a macro editor of its own; this run waits for it.
Outcome WindowsRunHost::CallMacro(const std::string& name) {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  HANDLE called = Start("\"" + std::string(program) + "\" /RUN " + name);
  if (!called) return Outcome::Fail("Cannot start " + std::string(program));
  DWORD code = 0;
  for (;;) {
    if (MsgWaitForMultipleObjects(1, &called, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) break;
    if (!PumpWaiting() || stop_()) {
      CloseHandle(called);
      return Outcome::Stop();
    }
  }
  GetExitCodeProcess(called, &code);
  CloseHandle(called);
  // The called macro has shown its own message.
  return code == 0 ? Outcome::Ok() : Outcome::Stop();
}

Outcome WindowsRunHost::Pause() {
  return ShowMessage(PAUSED, MB_OKCANCEL | MB_ICONINFORMATION) == IDOK ? Outcome::Ok()
                                                                       : Outcome::Stop();
}

Outcome WindowsRunHost::Shell(const std::string& commandLine) {
  HANDLE started = Start(commandLine);
  if (!started) return Outcome::Fail("Cannot start " + commandLine);
  CloseHandle(started);
  return Outcome::Ok();
}

Outcome WindowsRunHost::Generate(const GenerateRequest& request) {
  return GenerateThroughSpreadsheet(request, merva_, stop_);
}

}  // namespace merva::macro
