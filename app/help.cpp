#include "app/help.h"

#include <windows.h>

#include <shellapi.h>

#include "app/program.h"
#include "app/ui_host.h"

namespace merva::app {

namespace {

bool Exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void OpenPage(const std::string& path) {
  if (!Exists(path)) {
    Ui().Show("Cannot find " + path, APP_TITLE);
    return;
  }
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(TheProgram().frame, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) Ui().Show("Cannot open " + path, APP_TITLE);
}

}  // namespace

std::string HelpPagePath(const std::string& page) { return ProgramFile("help\\" + page); }

void OpenHelpContext(int context) {
  const std::string page = HelpPagePath(std::to_string(context) + ".html");
  OpenPage(Exists(page) ? page : HelpPagePath("index.html"));
}

void OpenHelpIndex() { OpenPage(HelpPagePath("index.html")); }

void OpenHelpKeyword(const std::string&) { OpenPage(HelpPagePath("index.html")); }

void OpenHelpHowTo() { OpenPage(HelpPagePath("howto.html")); }

void EnterHelpMode() {
  TheProgram().helpMode = 1;
  SetCursor(LoadCursor(nullptr, IDC_HELP));
}

void EndHelpMode() {
  TheProgram().helpMode = 0;
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

}  // namespace merva::app
