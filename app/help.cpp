#include "app/help.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "app/program.h"
#include "app/ui_host.h"
#include "automation/help_topics.h"

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

// Closes a file search when the listing ends.
struct FileSearch {
  HANDLE handle;
  ~FileSearch() {
    if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
  }
};

// The title of every page, by file name; it stands in the first lines.
std::vector<HelpPage> HelpPages() {
  std::vector<HelpPage> pages;
  WIN32_FIND_DATAA found{};
  FileSearch search{FindFirstFileA(HelpPagePath("*.html").c_str(), &found)};
  if (search.handle == INVALID_HANDLE_VALUE) return pages;
  do {
    std::ifstream page(HelpPagePath(found.cFileName), std::ios::binary);
    std::string head(1024, '\0');
    page.read(&head[0], static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(page.gcount()));
    pages.push_back({found.cFileName, HelpPageTitle(head)});
  } while (FindNextFileA(search.handle, &found));
  // The listing's order is the file system's; a keyword must not depend on it.
  std::sort(pages.begin(), pages.end(),
            [](const HelpPage& a, const HelpPage& b) { return a.file < b.file; });
  return pages;
}

}  // namespace

std::string HelpPagePath(const std::string& page) { return ProgramFile("help\\" + page); }

void OpenHelpContext(int context) {
  const std::string page = HelpPagePath(std::to_string(context) + ".html");
  OpenPage(Exists(page) ? page : HelpPagePath("index.html"));
}

void OpenHelpIndex() { OpenPage(HelpPagePath("index.html")); }

void OpenHelpKeyword(const std::string& keyword) {
  const std::string page = HelpPageForKeyword(HelpPages(), keyword);
  OpenPage(HelpPagePath(page.empty() ? "index.html" : page));
}

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
