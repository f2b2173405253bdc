#include "files/ini_profile.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/number_text.h"

namespace merva {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// A line break inside a value would end it early and start a new line.
std::string OneLine(std::string_view text) {
  std::string line(TrimLeft(text));
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

std::string Folded(std::string_view key) {
  std::string folded(key);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

bool ValidName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name)
    if (c == '\r' || c == '\n' || c == '\0') return false;
  return true;
}

}  // namespace

void IniProfile::Section::AddLine(Line line) {
  if (line.isKey) keyLines.emplace(Folded(line.key), lines.size());  // the first one wins
  lines.push_back(std::move(line));
}

IniProfile::Line* IniProfile::Section::FindKey(std::string_view key) {
  const auto found = keyLines.find(Folded(key));
  return found == keyLines.end() ? nullptr : &lines[found->second];
}

void IniProfile::Section::Reindex() {
  keyLines.clear();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].isKey) keyLines.emplace(Folded(lines[i].key), i);
}

void IniProfile::AddSection(Section section) {
  if (section.hasHeader) sectionIndex_.emplace(Folded(section.name), sections_.size());
  sections_.push_back(std::move(section));
}

void IniProfile::Parse(std::string_view text) {
  sections_.clear();
  sectionIndex_.clear();
  sections_.push_back(Section{});  // lines ahead of the first header
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::string_view raw = text.substr(start, end - start);
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;

    const std::string_view line = Trim(raw);
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        Section section;
        section.name = std::string(Trim(line.substr(1, close - 1)));
        section.hasHeader = true;
        AddSection(std::move(section));
        continue;
      }
    }
    Line entry;
    const std::size_t equals = line.find('=');
    if (line.front() != ';' && equals != std::string_view::npos) {
      entry.isKey = true;
      entry.key = std::string(Trim(line.substr(0, equals)));
      entry.value = std::string(Trim(line.substr(equals + 1)));
    } else {
      entry.value = std::string(line);
    }
    sections_.back().AddLine(std::move(entry));
  }
}

std::string IniProfile::Text() const {
  std::string out;
  bool first = true;
  for (const Section& section : sections_) {
    if (!section.hasHeader && section.lines.empty()) continue;
    if (!first) out += "\r\n";
    first = false;
    if (section.hasHeader) out += "[" + section.name + "]\r\n";
    for (const Line& line : section.lines) {
      if (line.isKey) out += line.key + "=";
      out += line.value + "\r\n";
    }
  }
  return out;
}

IniProfile::Section* IniProfile::FindSection(std::string_view name) {
  const auto found = sectionIndex_.find(Folded(Trim(name)));
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

bool IniProfile::Get(std::string_view section, std::string_view key, std::string& value) {
  value.clear();
  Section* s = FindSection(section);
  if (!s) return false;
  const Line* line = s->FindKey(Trim(key));
  if (!line) return false;
  value = std::string(StripQuotes(line->value));
  return !value.empty();
}

bool IniProfile::Put(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (!ValidName(section) || section.find(']') != std::string_view::npos || !ValidName(key) ||
      key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';')
    return false;
  Section* s = FindSection(section);
  if (!s) {
    if (sections_.empty()) sections_.push_back(Section{});
    Section added;
    added.name = std::string(section);
    added.hasHeader = true;
    AddSection(std::move(added));
    s = &sections_.back();
  }
  std::string text = OneLine(value);
  if (Line* found = s->FindKey(key)) {
    found->value = std::move(text);
    return true;
  }
  Line line;
  line.isKey = true;
  line.key = std::string(key);
  line.value = std::move(text);
  s->AddLine(std::move(line));
  return true;
}

bool IniProfile::Remove(std::string_view section, std::string_view key) {
  Section* s = FindSection(section);
  if (!s) return true;
  const auto found = s->keyLines.find(Folded(Trim(key)));
  if (found == s->keyLines.end()) return true;
  s->lines.erase(s->lines.begin() + static_cast<std::ptrdiff_t>(found->second));
  s->Reindex();
  return true;
}

std::vector<std::string> IniProfile::Keys(std::string_view section) {
  std::vector<std::string> keys;
  if (Section* s = FindSection(section))
    for (const Line& line : s->lines)
      if (line.isKey) keys.push_back(line.key);
  return keys;
}

std::vector<std::string> IniProfile::Sections() const {
  std::vector<std::string> names;
  for (const Section& section : sections_)
    if (section.hasHeader) names.push_back(section.name);
  return names;
}

IniFileStore::IniFileStore(std::string path) : path_(std::move(path)) {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Parse(text);
}

bool IniFileStore::Flush() {
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const std::string text = Text();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace merva
