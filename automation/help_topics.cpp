#include "automation/help_topics.h"

#include <cctype>

namespace merva {

namespace {

constexpr std::string_view TITLE_ENDING = " - MERVA95 Help";

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
  if (start.size() > text.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i)
    if (Lower(text[i]) != Lower(start[i])) return false;
  return true;
}

std::string_view Trimmed(std::string_view text) {
  const auto unwanted = [](char c) { return c == ' ' || c == '\t' || c == '"'; };
  while (!text.empty() && unwanted(text.front())) text.remove_prefix(1);
  while (!text.empty() && unwanted(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view part) {
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at)
    if (StartsWithIgnoringCase(text.substr(at), part)) return at;
  return std::string_view::npos;
}

}  // namespace

std::string HelpPageTitle(std::string_view html) {
  const std::size_t open = FindIgnoringCase(html, "<title>");
  if (open == std::string_view::npos) return std::string();
  std::string_view title = html.substr(open + 7);
  const std::size_t close = FindIgnoringCase(title, "</title>");
  if (close == std::string_view::npos) return std::string();
  title = title.substr(0, close);
  if (title.size() >= TITLE_ENDING.size() &&
      title.substr(title.size() - TITLE_ENDING.size()) == TITLE_ENDING)
    title.remove_suffix(TITLE_ENDING.size());
  return std::string(title);
}

std::string HelpPageForKeyword(const std::vector<HelpPage>& pages, std::string_view keyword) {
  keyword = Trimmed(keyword);
  if (keyword.empty()) return std::string();
  for (const HelpPage& page : pages)
    if (page.title.size() == keyword.size() && StartsWithIgnoringCase(page.title, keyword))
      return page.file;
  for (const HelpPage& page : pages)
    if (StartsWithIgnoringCase(page.title, keyword)) return page.file;
  return std::string();
}

}  // namespace merva
