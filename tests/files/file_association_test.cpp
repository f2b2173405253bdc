#include "files/file_association.h"

#include <gtest/gtest.h>

#include <map>

namespace merva {
namespace {

// Sections are key paths; the key "" is the default value.
class MapStore : public ProfileStore {
 public:
  bool Get(std::string_view s, std::string_view k, std::string& v) override {
    auto it = values.find({std::string(s), std::string(k)});
    v = it == values.end() ? std::string() : it->second;
    return !v.empty();
  }
  bool Put(std::string_view s, std::string_view k, std::string_view v) override {
    if (failAll) return false;
    values[{std::string(s), std::string(k)}] = std::string(v);
    return true;
  }
  bool Remove(std::string_view, std::string_view) override { return true; }
  std::vector<std::string> Keys(std::string_view) override { return {}; }
  bool Flush() override { return true; }
  std::map<std::pair<std::string, std::string>, std::string> values;
  bool failAll = false;
};

TEST(FileAssociation, EntriesAsRegistered) {
  MapStore store;
  EXPECT_EQ(WriteFileAssociation(store, "C:\\MERVA\\MERVA95.EXE"), 12);
  auto value = [&](const char* key) { return store.values[{key, ""}]; };
  EXPECT_EQ(value("MERVAW"), "MERVA File");
  EXPECT_EQ(value("MERVAW\\DefaultIcon"), "C:\\MERVA\\MERVA95.EXE,1");
  EXPECT_EQ(value("MERVAW\\shell\\open\\command"), "C:\\MERVA\\MERVA95.EXE");
  EXPECT_EQ(value("MERVAW\\shell\\open\\ddeexec"), "[FileOpen(\"%1\")]");
  EXPECT_EQ(value("MERVAW\\shell\\open\\ddeexec\\application"), "MERVAW");
  EXPECT_EQ(value("MERVAW\\shell\\open\\ddeexec\\topic"), "ROZAVA");
  EXPECT_EQ(value("MERVAW\\shell\\print\\command"), "C:\\MERVA\\MERVA95.EXE");
  EXPECT_EQ(value("MERVAW\\shell\\print\\ddeexec"), "[FileOpen(\"%1\")][FilePrint()][FileClose()]");
  EXPECT_EQ(value("MERVAW\\shell\\print\\ddeexec\\application"), "MERVAW");
  EXPECT_EQ(value("MERVAW\\shell\\print\\ddeexec\\topic"), "ROZAVA");
  EXPECT_EQ(value("MERVAW\\shell\\print\\ddeexec\\ifexec"),
            "[FileOpen(\"%1\")][FilePrint()][FileExit()]");
  EXPECT_EQ(value(".grf"), "MERVAW");
  EXPECT_EQ(store.values.size(), 12u);
}

TEST(FileAssociation, ProgramPathWithBlanksIsQuotedInCommands) {
  const auto entries = FileAssociationEntries("C:\\Program Files\\MERVA\\merva95.exe");
  EXPECT_EQ(entries[1].value, "C:\\Program Files\\MERVA\\merva95.exe,1");
  EXPECT_EQ(entries[2].value, "\"C:\\Program Files\\MERVA\\merva95.exe\"");
  EXPECT_EQ(entries[6].value, "\"C:\\Program Files\\MERVA\\merva95.exe\"");
}

TEST(FileAssociation, FailuresAreIgnored) {
  MapStore store;
  store.failAll = true;
  EXPECT_EQ(WriteFileAssociation(store, "x.exe"), 0);
}

TEST(ClipboardFormats, Names) {
  EXPECT_STREQ(CLIPBOARD_FORMAT_NAMES[0], "MERVAW");
  EXPECT_STREQ(CLIPBOARD_FORMAT_NAMES[1], "Link");
  EXPECT_STREQ(CLIPBOARD_FORMAT_NAMES[2], "ObjectLink");
  EXPECT_STREQ(CLIPBOARD_FORMAT_NAMES[3], "XlTable");
}

}  // namespace
}  // namespace merva
