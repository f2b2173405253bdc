#pragma once

// Help: HTML pages in the "help" folder beside the program, one per
// context number ("<number>.html"), opened with the shell.

#include <string>

namespace merva::app {

// The page of a context number; the index when there is no such page.
void OpenHelpContext(int context);
void OpenHelpIndex();
// The page whose title is or begins with the keyword, else the contents,
// where the subjects are listed.
void OpenHelpKeyword(const std::string& keyword);
void OpenHelpHowTo();

// The path of a help page.
std::string HelpPagePath(const std::string& page);

// Help mode (Shift+F1): the next menu choice or click opens its help.
void EnterHelpMode();
void EndHelpMode();

}  // namespace merva::app
