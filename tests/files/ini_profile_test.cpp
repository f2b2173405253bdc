#include "files/ini_profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace merva {
namespace {

TEST(IniProfile, LooksUpWithoutRegardToCaseAndBlanks) {
  IniProfile ini("[Arrays]\r\n  NumCurves =  50  \r\n[flags]\nSavePrompt=0\n");
  std::string value;
  EXPECT_TRUE(ini.Get("arrays", "numcurves", value));
  EXPECT_EQ(value, "50");
  EXPECT_TRUE(ini.Get(" FLAGS ", "saveprompt", value));
  EXPECT_EQ(value, "0");
  EXPECT_FALSE(ini.Get("Arrays", "numpoints", value));
  EXPECT_FALSE(ini.Get("Missing", "numcurves", value));
}

TEST(IniProfile, EmptyValuesCountAsMissing) {
  IniProfile ini("[S]\nEmpty=\nBlank=   \nQuotes=\"\"\nNoEquals\n");
  std::string value = "x";
  EXPECT_FALSE(ini.Get("S", "Empty", value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(ini.Get("S", "Blank", value));
  EXPECT_FALSE(ini.Get("S", "Quotes", value));
  EXPECT_FALSE(ini.Get("S", "NoEquals", value));
}

TEST(IniProfile, OnePairOfMatchingQuotesIsRemoved) {
  IniProfile ini("[S]\na=\"x y\"\nb='z'\nc=\"unmatched'\nd=\"\"q\"\"\n");
  std::string value;
  ASSERT_TRUE(ini.Get("S", "a", value));
  EXPECT_EQ(value, "x y");
  ASSERT_TRUE(ini.Get("S", "b", value));
  EXPECT_EQ(value, "z");
  ASSERT_TRUE(ini.Get("S", "c", value));
  EXPECT_EQ(value, "\"unmatched'");
  ASSERT_TRUE(ini.Get("S", "d", value));
  EXPECT_EQ(value, "\"q\"");
}

TEST(IniProfile, FirstSectionAndFirstKeyWin) {
  IniProfile ini("[S]\nk=1\nk=2\n[s]\nk=3\nother=4\n");
  std::string value;
  ASSERT_TRUE(ini.Get("S", "k", value));
  EXPECT_EQ(value, "1");
  EXPECT_FALSE(ini.Get("S", "other", value));
  ASSERT_TRUE(ini.Put("S", "K", "5"));
  ASSERT_TRUE(ini.Get("s", "k", value));
  EXPECT_EQ(value, "5");
}

TEST(IniProfile, PutKeepsOtherLinesAndWritesCrLf) {
  IniProfile ini("; comment\r\n[A]\r\nx=1\r\n; keep me\r\n[B]\r\ny=2\r\n");
  ASSERT_TRUE(ini.Put("A", "x", "10"));
  ASSERT_TRUE(ini.Put("A", "z", "  3 "));
  ASSERT_TRUE(ini.Put("C", "w", "line1\nline2"));
  EXPECT_EQ(ini.Text(),
            "; comment\r\n\r\n[A]\r\nx=10\r\n; keep me\r\nz=3 \r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\n"
            "w=line1 line2\r\n");
  EXPECT_EQ(ini.Keys("a"), (std::vector<std::string>{"x", "z"}));
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"A", "B", "C"}));
}

TEST(IniProfile, RefusesNamesThatWouldBreakTheFile) {
  IniProfile ini;
  EXPECT_FALSE(ini.Put("", "k", "v"));
  EXPECT_FALSE(ini.Put("S", "", "v"));
  EXPECT_FALSE(ini.Put("S]", "k", "v"));
  EXPECT_FALSE(ini.Put("S", "a=b", "v"));
  EXPECT_FALSE(ini.Put("S", "[k", "v"));
  EXPECT_FALSE(ini.Put("S\nX", "k", "v"));
  EXPECT_EQ(ini.Text(), "");
}

TEST(IniProfile, RemoveDeletesOnlyThatKey) {
  IniProfile ini("[A]\nx=1\ny=2\n");
  EXPECT_TRUE(ini.Remove("a", "X"));
  EXPECT_TRUE(ini.Remove("none", "x"));
  std::string value;
  EXPECT_FALSE(ini.Get("A", "x", value));
  EXPECT_TRUE(ini.Get("A", "y", value));
  // A second line of the key comes forward.
  IniProfile twice("[A]\nk=1\nk=2\n");
  EXPECT_TRUE(twice.Remove("A", "K"));
  ASSERT_TRUE(twice.Get("a", "k", value));
  EXPECT_EQ(value, "2");
}

TEST(IniProfile, LineEndsBomAndLongLines) {
  const std::string longValue(100000, '7');
  IniProfile ini("\xEF\xBB\xBF[A]\rx=1\r[B]\ny=" + longValue + "\n\n\n[C]\nz=3");
  std::string value;
  ASSERT_TRUE(ini.Get("A", "x", value));
  EXPECT_EQ(value, "1");
  ASSERT_TRUE(ini.Get("B", "y", value));
  EXPECT_EQ(value.size(), longValue.size());
  ASSERT_TRUE(ini.Get("C", "z", value));
  EXPECT_EQ(value, "3");
}

TEST(IniProfile, BinaryDataHasNoKeys) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919) & 0xFF);
  IniProfile ini(bytes);
  std::string value;
  EXPECT_FALSE(ini.Get("Labels", "Title1", value));
  // Whatever it kept, its text parses again to the same text.
  IniProfile again(ini.Text());
  EXPECT_EQ(again.Text(), ini.Text());
}

TEST(IniFileStore, MissingFileIsEmptyAndFlushWrites) {
  const std::string path = ::testing::TempDir() + "merva_ini_store_test.ini";
  std::remove(path.c_str());
  {
    IniFileStore store(path);
    std::string value;
    EXPECT_FALSE(store.Get("A", "x", value));
    ASSERT_TRUE(store.Put("A", "x", "1"));
    ASSERT_TRUE(store.Flush());
  }
  IniFileStore reread(path);
  std::string value;
  ASSERT_TRUE(reread.Get("A", "x", value));
  EXPECT_EQ(value, "1");
  std::remove(path.c_str());
}

TEST(IniFileStore, FlushToAnUnwritablePathFails) {
  IniFileStore store(::testing::TempDir() + "no/such/folder/x.ini");
  store.Put("A", "x", "1");
  EXPECT_FALSE(store.Flush());
}

}  // namespace
}  // namespace merva
