#include "macroeditor/core/statement.h"

#include <cctype>
#include <cstdlib>

namespace merva::macro {

namespace {

struct KeywordName {
  const char* text;
  Keyword keyword;
};

// Compared by their first characters, in this order.
constexpr KeywordName kKeywords[] = {
    {"rem", Keyword::Rem},
    {"call ", Keyword::Call},
    {"directory", Keyword::Directory},
    {"forfilesin", Keyword::ForFilesIn},
    {"nextfile", Keyword::NextFile},
    {"pause", Keyword::Pause},
    {"shell", Keyword::Shell},
    {"filesaveas", Keyword::FileSaveAs},
    {"generate", Keyword::Generate},
};

// Commands whose first argument is a quoted string.
constexpr const char* kQuotedFirst[] = {
    "activate",   "caption",  "editfilter", "fileappend",      "fileopen",    "helpsearch",
    "insertlink", "notetext", "say",        "stdopendocument", "textnote",    "title1",
    "title2",     "title3",   "xaxislabel", "yaxislabel",      "y2axislabel",
};

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

bool StartsWithLower(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[i]) != prefix[i]) return false;
  return true;
}

Checked Fault(const char* prefix, std::string_view statement) {
  return {std::string(statement), std::string(prefix) + std::string(statement)};
}

// Everything before a "'" that stands outside double quotes, trailing tabs
// and blanks removed.
std::string_view WithoutComment(std::string_view text) {
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (text[i] == '\'' && !quoted) {
      text = text.substr(0, i);
      break;
    }
  }
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EvenQuotes(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += c == '"';
  return count % 2 == 0;
}

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

bool QuotedFirst(std::string_view name) {
  std::string lower;
  for (char c : name) lower += Lower(c);
  for (const char* command : kQuotedFirst)
    if (lower == command) return true;
  return false;
}

// "(" then a quoted string then ")" from position i; the string in `value`.
const char* ParenthesisedString(std::string_view text, std::size_t i, std::string& value) {
  i = SkipBlanks(text, i);
  if (i >= text.size() || text[i] != '(') return MISSING_OPEN;
  i = SkipBlanks(text, i + 1);
  if (i >= text.size() || text[i] != '"') return NEEDS_QUOTES;
  const std::size_t close = text.find('"', i + 1);
  if (close == std::string_view::npos) return UNMATCHED_QUOTES;
  value.assign(text.substr(i + 1, close - i - 1));
  i = SkipBlanks(text, close + 1);
  if (i >= text.size() || text[i] != ')') return MISSING_CLOSE;
  if (SkipBlanks(text, i + 1) != text.size()) return INCORRECT_SYNTAX;
  return nullptr;
}

}  // namespace

std::string_view TrimStatement(std::string_view line) {
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  while (!line.empty() && line.front() == '\t') line.remove_prefix(1);
  return line;
}

Keyword Classify(std::string_view statement) {
  if (statement.empty() || statement.front() == '\'') return Keyword::None;
  for (const KeywordName& k : kKeywords)
    if (StartsWithLower(statement, k.text)) return k.keyword;
  return Keyword::Command;
}

Checked CheckCommand(std::string_view statement) {
  const std::string_view text = WithoutComment(statement);
  if (!EvenQuotes(text)) return Fault(UNMATCHED_QUOTES, text);
  std::size_t i = 0;
  while (i < text.size() && IsNameChar(text[i])) ++i;
  const std::string_view name = text.substr(0, i);
  if (name.empty()) return Fault(INCORRECT_SYNTAX, text);
  if (i == text.size() || text[i] != '(')
    return Fault(text.find('(', i) == std::string_view::npos ? MISSING_OPEN : INCORRECT_SYNTAX,
                 text);
  int depth = 0;
  bool quoted = false;
  for (std::size_t j = i; j < text.size(); ++j) {
    const char c = text[j];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return Fault(MISSING_OPEN, text);
    if (depth == 0 && j + 1 < text.size())
      return Fault(text[j + 1] == ')' ? MISSING_OPEN : INCORRECT_SYNTAX, text);
  }
  if (depth > 0) return Fault(MISSING_CLOSE, text);
  if (QuotedFirst(name)) {
    const std::size_t first = SkipBlanks(text, i + 1);
    if (text[first] != '"') return Fault(NEEDS_QUOTES, text);
  }
  return {std::string(text), {}};
}

Checked QuotedArgument(std::string_view statement, std::size_t keywordLength) {
  const std::string_view text = WithoutComment(statement);
  if (!EvenQuotes(text)) return Fault(UNMATCHED_QUOTES, text);
  Checked result;
  if (const char* fault = ParenthesisedString(text, keywordLength, result.text))
    return Fault(fault, text);
  if (result.text.empty()) return Fault(INCORRECT_SYNTAX, text);
  return result;
}

Checked CallTarget(std::string_view statement) {
  std::string_view text = WithoutComment(statement);
  std::string_view name = text.substr(SkipBlanks(text, 4));
  if (!name.empty() && name.front() == '"') {
    if (name.size() < 2 || name.back() != '"') return Fault(UNMATCHED_QUOTES, text);
    name = name.substr(1, name.size() - 2);
  }
  if (name.empty() || name.find('"') != std::string_view::npos)
    return Fault(INCORRECT_SYNTAX, text);
  return {std::string(name), {}};
}

Checked ShellCommand(std::string_view statement) {
  const std::string_view text = WithoutComment(statement);
  const std::size_t start = SkipBlanks(text, 5);
  if (start < text.size() && text[start] == '(') return QuotedArgument(text, 5);
  if (start == text.size() || start == 5) return Fault(INCORRECT_SYNTAX, text);
  return {std::string(text.substr(start)), {}};
}

std::string SaveExtension(int typeCode) {
  switch (typeCode) {
    case 1:
      return ".GRF";
    case 2:
      return ".ASC";
    case 4:
      return ".BIN";
    case 5:
      return ".WMF";
    case 6:
      return ".EMF";
    default:
      return {};
  }
}

SaveAs ParseFileSaveAs(std::string_view statement) {
  const std::string_view text = WithoutComment(statement);
  SaveAs result;
  const auto fault = [&](const char* prefix) {
    result.message = std::string(prefix) + std::string(text);
    return result;
  };
  if (!EvenQuotes(text)) return fault(UNMATCHED_QUOTES);
  std::size_t i = SkipBlanks(text, 10);
  if (i >= text.size() || text[i] != '(') return fault(MISSING_OPEN);
  i = SkipBlanks(text, i + 1);
  std::size_t end = i;
  if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
  const std::size_t digits = end;
  while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
  if (end == digits || end - digits > 6) return fault(INCORRECT_SYNTAX);
  result.typeCode = std::atoi(std::string(text.substr(i, end - i)).c_str());
  i = SkipBlanks(text, end);
  if (i >= text.size() || text[i] != ',') return fault(INCORRECT_SYNTAX);
  std::string file;
  // The rest reads like a one-string argument list once the comma is an "(".
  std::string rest = "(" + std::string(text.substr(i + 1));
  if (const char* bad = ParenthesisedString(rest, 0, file)) return fault(bad);
  if (SaveExtension(result.typeCode).empty()) {
    result.message = ILLEGAL_FILE_TYPE;
    return result;
  }
  result.file = file;
  return result;
}

}  // namespace merva::macro
