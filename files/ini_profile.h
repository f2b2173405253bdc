#pragma once

// An INI text held in memory, looked up the way the system's profile
// functions do: sections and keys without regard to case, surrounding
// blanks ignored, one pair of matching quotes around a value removed, the
// first section of a name wins, and a missing key and an empty value are
// the same.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "files/profile_store.h"

namespace merva {

class IniProfile : public ProfileStore {
 public:
  IniProfile() = default;
  explicit IniProfile(std::string_view text) { Parse(text); }

  // Replaces the contents by the INI text (any bytes; lines that are
  // neither a section header nor a key are kept as they are).
  void Parse(std::string_view text);
  // The INI text, CR LF line ends.
  std::string Text() const;

  bool Get(std::string_view section, std::string_view key, std::string& value) override;
  bool Put(std::string_view section, std::string_view key, std::string_view value) override;
  bool Remove(std::string_view section, std::string_view key) override;
  std::vector<std::string> Keys(std::string_view section) override;
  bool Flush() override { return true; }

  // Section names in stored order.
  std::vector<std::string> Sections() const;

 private:
  struct Line {
    bool isKey = false;
    std::string key;    // trimmed
    std::string value;  // trimmed; for other lines the whole text
  };
  struct Section {
    std::string name;
    bool hasHeader = false;
    std::vector<Line> lines;
    // Lower-cased key -> its first line: files of many keys are written key
    // by key, and a scan per key would make that quadratic.
    std::unordered_map<std::string, std::size_t> keyLines;
    void AddLine(Line line);
    Line* FindKey(std::string_view key);
    void Reindex();
  };
  Section* FindSection(std::string_view name);
  void AddSection(Section section);
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // lower-cased name -> first
};

// An INI file: read when the store is made (a missing or unreadable file
// is an empty profile), written by Flush.
class IniFileStore : public IniProfile {
 public:
  explicit IniFileStore(std::string path);
  bool Flush() override;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace merva
