// mvmac95: edits macros and runs them against the plotting program.

#include <windows.h>

#include <string>

#include "macroeditor/dde_client.h"
#include "macroeditor/editor.h"
#include "macroeditor/macro_store.h"
#include "macroeditor/resource_ids.h"

namespace {

using namespace merva::macro;

constexpr char OLD_PLATFORM[] =
    "This version of MERVA Macro Editor requires Windows 95 or Windows NT 4.0 or later.";
constexpr char ONLY_FROM_MERVA[] = "This application may only be launched by MERVA.";
constexpr char NO_MACRO_NAME[] =
    "An error occurred while launching this application. A macro name MUST be supplied.";

bool PlatformRecentEnough() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&version)) return true;
#pragma GCC diagnostic pop
  return version.dwMajorVersion >= 4;
}

// The arguments after the program's own name.
std::string Arguments() {
  const char* line = GetCommandLineA();
  if (*line == '"') {
    ++line;
    while (*line && *line != '"') ++line;
    if (*line) ++line;
  } else {
    while (*line && *line != ' ' && *line != '\t') ++line;
  }
  std::string rest = line;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!rest.empty() && blank(rest.front())) rest.erase(0, 1);
  while (!rest.empty() && blank(rest.back())) rest.pop_back();
  return rest;
}

// "/RUN name": the name, quotes removed; `run` false without the switch.
std::string MacroToRun(const std::string& arguments, bool& run) {
  run = arguments.size() >= 4 && lstrcmpiA(arguments.substr(0, 4).c_str(), "/RUN") == 0 &&
        (arguments.size() == 4 || arguments[4] == ' ' || arguments[4] == '\t');
  if (!run) return {};
  std::string name = arguments.substr(4);
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.erase(0, 1);
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
    name = name.substr(1, name.size() - 2);
  return name;
}

int Fail(const char* text) {
  MessageBoxA(nullptr, text, EDITOR_TITLE, MB_ICONSTOP | MB_OK);
  return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (!PlatformRecentEnough()) return Fail(OLD_PLATFORM);
  if (!FindWindowA(MERVA_FRAME_CLASS, nullptr)) return Fail(ONLY_FROM_MERVA);
  Editor& editor = TheEditor();
  editor.spreadsheetRunning = FindWindowA(SPREADSHEET_CLASS, nullptr) != nullptr;
  bool run = false;
  const std::string macro = MacroToRun(Arguments(), run);
  if (run && macro.empty()) return Fail(NO_MACRO_NAME);
  editor.runAndExit = run;
  Dde().Initialize();
  if (!RegisterEditorClass(instance) || !CreateEditorWindow(show)) return 1;
  if (run) {
    std::string text;
    if (ReadMacro(macro, text) == MacroLoad::Missing) {
      ShowMessage("Cannot find the macro " + MacroPath(macro) + ".", MB_ICONSTOP | MB_OK);
      return 1;
    }
    if (!LoadMacro(macro)) return 1;
    PostMessageA(editor.window, WM_COMMAND, IDM_RUN, 0);
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchOne(message);
  return static_cast<int>(message.wParam);
}
