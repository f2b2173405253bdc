#include <string>

#include "files/win32/profile_stores.h"
#include "macroeditor/dde_client.h"
#include "macroeditor/editor.h"
#include "macroeditor/run_host.h"

namespace merva::macro {

namespace {

constexpr char SPREADSHEET_EXTENSION[] = ".xls";
constexpr char SPREADSHEET_CLASS_NAME[] = "Excel.Sheet.5";
constexpr char OPEN_COMMAND[] = "\\shell\\open\\command";
constexpr DWORD SPREADSHEET_START_MS = 30000;
// A program just started may show its window before its DDE service.
constexpr DWORD CONNECT_RETRY_MS = 10000;

// The program's command line from the class-root keys, "%1" and what
// follows it left out.
std::string SpreadsheetCommand() {
  RegistryStore classes(HKEY_CLASSES_ROOT);
  std::string name, command;
  if (!classes.Get(SPREADSHEET_EXTENSION, "", name) || name.empty()) name = SPREADSHEET_CLASS_NAME;
  if (!classes.Get(name + OPEN_COMMAND, "", command) &&
      !classes.Get(std::string(SPREADSHEET_CLASS_NAME) + OPEN_COMMAND, "", command))
    return {};
  const std::size_t argument = command.find("%1");
  if (argument != std::string::npos) {
    command.resize(argument);
    while (!command.empty() && (command.back() == ' ' || command.back() == '"')) command.pop_back();
    // A quoted program path lost its closing quote above.
    if (!command.empty() && command.front() == '"') command += '"';
  }
  return command;
}

bool StartSpreadsheet(const std::function<bool()>& stop) {
  std::string command = SpreadsheetCommand();
  if (command.empty()) return false;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  const DWORD deadline = GetTickCount() + SPREADSHEET_START_MS;
  while (!FindWindowA(SPREADSHEET_CLASS, nullptr)) {
    if (static_cast<LONG>(deadline - GetTickCount()) <= 0 || stop() || !PumpWaiting()) return false;
    Sleep(50);
  }
  return true;
}

void EmptyTheClipboard() {
  if (!OpenClipboard(TheEditor().window)) return;
  EmptyClipboard();
  CloseClipboard();
}

}  // namespace

Outcome GenerateThroughSpreadsheet(const GenerateRequest& request, HCONV merva,
                                   const std::function<bool()>& stop) {
  const bool running = FindWindowA(SPREADSHEET_CLASS, nullptr) != nullptr;
  if (!running && !StartSpreadsheet(stop))
    return stop() ? Outcome::Stop() : Outcome::Fail(NEEDS_SPREADSHEET);
  HCONV sheet = Dde().Connect("Excel", "System");
  const DWORD deadline = GetTickCount() + (running ? 0 : CONNECT_RETRY_MS);
  while (!sheet && static_cast<LONG>(deadline - GetTickCount()) > 0 && !stop() && PumpWaiting()) {
    Sleep(200);
    sheet = Dde().Connect("Excel", "System");
  }
  if (!sheet) return Outcome::Fail(NO_SPREADSHEET_CONVERSATION);
  Outcome outcome;
  for (const std::string& execute : GenerateExecutes(request)) {
    outcome = Dde().Execute(sheet, execute, stop);
    if (outcome.kind != Outcome::Done) break;
  }
  if (outcome.kind == Outcome::Done) outcome = Dde().Execute(merva, PASTE_COMMAND, stop);
  EmptyTheClipboard();
  // The workbook goes whatever happened, unsaved.
  Dde().Execute(sheet, CLOSE_WORKBOOK, nullptr);
  Dde().Disconnect(sheet);
  SetForegroundWindow(TheEditor().window);
  return outcome;
}

}  // namespace merva::macro
