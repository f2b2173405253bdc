#include "automation/command_line.h"

#include <cctype>
#include <fstream>
#include <vector>

#include "core/number_text.h"
#include "io/import_common.h"

namespace merva {

namespace {

constexpr int DESCRIBED_TEXT_TYPE = 99;

std::string Lower(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lowered;
}

bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
  return text.substr(at, prefix.size()) == prefix;
}

// Where the blank-separated items begin; blanks inside quotation marks do
// not separate.
std::vector<std::size_t> ItemStarts(std::string_view line) {
  std::vector<std::size_t> starts;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i >= line.size()) break;
    starts.push_back(i);
    bool quoted = false;
    while (i < line.size() && (quoted || line[i] != ' ')) {
      if (line[i] == '"') quoted = !quoted;
      ++i;
    }
  }
  return starts;
}

// The first item beginning with `prefix`; npos when none.
std::size_t FindItem(std::string_view lowered, const std::vector<std::size_t>& starts,
                     std::string_view prefix) {
  for (std::size_t at : starts)
    if (StartsWith(lowered, at, prefix)) return at;
  return std::string_view::npos;
}

std::string TrimBlanks(std::string_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return std::string(text.substr(first, last - first));
}

// A name in quotation marks, or the rest of the line.
std::string QuotedOrRest(std::string_view line, std::size_t at) {
  if (at < line.size() && line[at] == '"') {
    const std::size_t end = line.find('"', at + 1);
    return std::string(line.substr(at + 1, end == std::string_view::npos ? end : end - at - 1));
  }
  return TrimBlanks(line.substr(at));
}

// A name in quotation marks, or up to the first blank.
std::string QuotedOrItem(std::string_view line, std::size_t at) {
  if (at < line.size() && line[at] == '"') return QuotedOrRest(line, at);
  const std::size_t end = line.find(' ', at);
  return std::string(line.substr(at, end == std::string_view::npos ? end : end - at));
}

// "/f" and "/p": "=" (type 1), or up to `maxDigits` digits and "=".
// Returns the position after "=", npos when the syntax does not fit.
std::size_t ReadFileTypeSwitch(std::string_view lowered, std::size_t at, int maxDigits,
                               int& fileType) {
  std::size_t i = at + 2;
  int digits = 0, value = 0;
  while (i < lowered.size() && digits < maxDigits &&
         std::isdigit(static_cast<unsigned char>(lowered[i]))) {
    value = value * 10 + (lowered[i] - '0');
    ++digits;
    ++i;
  }
  if (i >= lowered.size() || lowered[i] != '=') return std::string_view::npos;
  fileType = digits == 0 ? 1 : value;
  return i + 1;
}

CommandLineOutcome FileSwitch(std::string_view line, std::string_view lowered, std::size_t at,
                              int maxDigits, CommandLineRequest request, CommandLineOutcome out) {
  int fileType = 1;
  const std::size_t nameAt = ReadFileTypeSwitch(lowered, at, maxDigits, fileType);
  if (nameAt == std::string_view::npos) return out;
  std::string name = QuotedOrRest(line, nameAt);
  if (name.empty()) return out;
  if (name.find('@') != std::string::npos) fileType = DESCRIBED_TEXT_TYPE;
  out.outcome = 1;
  out.request = request;
  out.text = std::move(name);
  out.fileType = fileType;
  return out;
}

bool IsSwitchItem(std::string_view lowered, std::size_t at) { return lowered[at] == '/'; }

}  // namespace

int FileTypeOfFirstLine(std::string_view line) {
  // A plot file starts with its header, "data" or a curve kind, none of
  // which holds a comma, a tab or only numbers; such a line starts a
  // column or CSV file, which the column reader takes with its dialog.
  // The plot-file reader judges the rest.
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  if (line.find_first_of(",\t") != std::string_view::npos) return FILE_TYPE_COLUMNS;
  FreeFormReader numbers(line);
  double value = 0.0;
  int count = 0;
  while (numbers.Next(value)) ++count;
  return count > 0 && numbers.AtEnd() ? FILE_TYPE_COLUMNS : FILE_TYPE_PLOT;
}

int FileTypeOfPath(const std::string& path) {
  if (path.find('@') != std::string::npos) return DESCRIBED_TEXT_TYPE;
  std::ifstream file(path, std::ios::binary);
  std::string firstLine;
  if (file) std::getline(file, firstLine);
  return FileTypeOfFirstLine(firstLine);
}

CommandLineOutcome ParseCommandLine(std::string_view commandLine, const std::string& programFolder,
                                    const FileTypeProbe& fileTypeOf) {
  CommandLineOutcome out;
  const std::size_t nul = commandLine.find('\0');
  if (nul != std::string_view::npos) commandLine = commandLine.substr(0, nul);
  if (commandLine.size() < 3 || commandLine.size() >= COMMAND_LINE_LENGTH) return out;

  // Switches are matched in lower case; names keep the case they were given.
  const std::string_view line = commandLine;
  const std::string lowered = Lower(line);
  const std::vector<std::size_t> starts = ItemStarts(lowered);
  const auto npos = std::string_view::npos;

  if (FindItem(lowered, starts, "/uninstall") != npos) {
    out.outcome = -1;
    return out;
  }
  if (FindItem(lowered, starts, "/-logo") != npos) out.startupFlags |= STARTUP_NO_LOGO;
  if (FindItem(lowered, starts, "/intro") != npos) out.startupFlags |= STARTUP_INTRO;

  if (const std::size_t at = FindItem(lowered, starts, "/s"); at != npos) {
    std::size_t nameAt = at + 2;
    while (nameAt < line.size() && line[nameAt] == ' ') ++nameAt;
    std::string name = QuotedOrRest(line, nameAt);
    if (name.empty()) return out;
    if (name.find(':') == std::string::npos) {
      while (!name.empty() && name.front() == '\\') name.erase(0, 1);
      name = programFolder + name;
    }
    out.outcome = 1;
    out.request = CommandLineRequest::SettingsFile;
    out.text = std::move(name);
    return out;
  }
  if (const std::size_t at = FindItem(lowered, starts, "/f"); at != npos)
    return FileSwitch(line, lowered, at, 2, CommandLineRequest::PlotFile, out);
  if (const std::size_t at = FindItem(lowered, starts, "/p"); at != npos)
    return FileSwitch(line, lowered, at, 1, CommandLineRequest::PrintFile, out);

  for (std::size_t at : starts) {
    if (IsSwitchItem(lowered, at)) continue;
    const std::string written = QuotedOrItem(line, at);
    if (written.empty()) return out;
    std::string name = written;
    for (char& c : name)
      if (c == '/') c = '\\';
    int fileType = fileTypeOf ? fileTypeOf(name) : 1;
    if (fileType == DESCRIBED_TEXT_TYPE) name = written;
    out.outcome = 1;
    out.request = CommandLineRequest::PlotFile;
    out.text = std::move(name);
    out.fileType = fileType;
    return out;
  }
  return out;
}

}  // namespace merva
