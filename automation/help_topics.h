#pragma once

// Help topics by keyword: the help is a folder of HTML pages, so a keyword
// (the command language's [HelpSearch(, the DDE "Help" item's topic name)
// is looked up among the pages' titles.

#include <string>
#include <string_view>
#include <vector>

namespace merva {

struct HelpPage {
  std::string file;   // "dde.html"
  std::string title;  // "Transferring MERVA data to other applications"
};

// The title of a page: the text of its <title> element without the
// " - MERVA95 Help" that every page ends it with; empty when there is none.
std::string HelpPageTitle(std::string_view html);

// The page whose title equals the keyword, else the first whose title
// begins with it (case-insensitive, surrounding blanks and quotation marks
// ignored); empty when none does or the keyword is empty.
std::string HelpPageForKeyword(const std::vector<HelpPage>& pages, std::string_view keyword);

}  // namespace merva
