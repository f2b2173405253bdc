#include "files/win32/profile_stores.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "files/file_association.h"
#include "files/ini_profile.h"
#include "files/preferences.h"
#include "files/win32/system_settings.h"

namespace merva {
namespace {

std::string TempFile(const char* name) {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path =
      std::string(folder) + "merva_" + std::to_string(GetCurrentProcessId()) + "_" + name;
  DeleteFileA(path.c_str());
  return path;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string SavedText(const ProgramSettings& s) {
  IniProfile ini;
  SaveProgramSettings(ini, s);
  return ini.Text();
}

TEST(PrivateProfileStore, LookupRulesOfTheSystem) {
  const std::string path = TempFile("rules.ini");
  WriteFile(path,
            "[Arrays]\r\n NumCurves = 50 \r\nempty=\r\nquoted=\"a b\"\r\n[arrays]\r\nlater=1\r\n");
  PrivateProfileStore store(path);
  std::string value;
  ASSERT_TRUE(store.Get("ARRAYS", "numcurves", value));
  EXPECT_EQ(value, "50");
  EXPECT_FALSE(store.Get("Arrays", "empty", value));
  EXPECT_FALSE(store.Get("Arrays", "missing", value));
  EXPECT_FALSE(store.Get("Nothing", "numcurves", value));
  ASSERT_TRUE(store.Get("Arrays", "quoted", value));
  EXPECT_EQ(value, "a b");
  DeleteFileA(path.c_str());
}

TEST(PrivateProfileStore, PutRemoveKeysAndLongValues) {
  const std::string path = TempFile("put.ini");
  PrivateProfileStore store(path);
  // The system's profile functions keep values of up to 32766 characters.
  const std::string longValue(32766, '5');
  ASSERT_TRUE(store.Put("S", "a", "1"));
  ASSERT_TRUE(store.Put("S", "b", longValue));
  ASSERT_TRUE(store.Put("S", "c", "3"));
  ASSERT_TRUE(store.Remove("S", "c"));
  EXPECT_TRUE(store.Remove("S", "never"));
  EXPECT_TRUE(store.Flush());
  std::string value;
  ASSERT_TRUE(store.Get("s", "B", value));
  EXPECT_EQ(value.size(), longValue.size());
  EXPECT_EQ(store.Keys("S"), (std::vector<std::string>{"a", "b"}));
  DeleteFileA(path.c_str());
}

TEST(SystemSettings, NoFileGivesTheDefaults) {
  ProgramSettings s = DefaultProgramSettings();
  LoadProgramSettingsFromSystem(s, TempFile("absent.ini"));
  EXPECT_EQ(SavedText(s), SavedText(DefaultProgramSettings()));
  EXPECT_EQ(s.numCurves, 100);
  EXPECT_EQ(s.numPoints, 1000);
}

TEST(SystemSettings, TextIsWhiteOnABlackWindow) {
  EXPECT_EQ(DesktopDefaultSettings().fontColors[0], 0x000000u);
  const int element = COLOR_WINDOW;
  const COLORREF old = GetSysColor(COLOR_WINDOW);
  COLORREF black = RGB(0, 0, 0);
  ASSERT_TRUE(SetSysColors(1, &element, &black));
  const ProgramSettings s = DesktopDefaultSettings();
  SetSysColors(1, &element, &old);
  for (uint32_t color : s.fontColors) EXPECT_EQ(color, 0xFFFFFFu);
}

TEST(SystemSettings, WriteReadRoundTripThroughTheProfileFunctions) {
  const std::string path = TempFile("roundtrip.ini");
  ProgramSettings s = DefaultProgramSettings();
  s.hasPosition = true;
  s.windowLeft = -4;
  s.windowTop = 8;
  s.windowWidth = 800;
  s.windowHeight = 600;
  s.unitLabel1 = "'g'";
  s.unitLabel2 = " m";
  s.toolBarX = -12;
  s.numPoints = 4000;
  s.recentFiles = {"C:\\a b\\one.grf", "two.grf"};
  s.fonts[2].SetFaceName("Courier New");
  s.plotWidth = 1.0 / 3.0;
  ASSERT_TRUE(SaveProgramSettingsToSystem(s, path).Ok());
  ProgramSettings back = DefaultProgramSettings();
  LoadProgramSettingsFromSystem(back, path);
  const std::string once = SavedText(back);
  EXPECT_EQ(back.unitLabel1, "'g'");
  EXPECT_EQ(back.unitLabel2, " m");
  EXPECT_EQ(back.toolBarX, -12);
  EXPECT_EQ(back.recentFiles, s.recentFiles);
  EXPECT_EQ(back.fonts, s.fonts);
  EXPECT_TRUE(back.hasPosition);
  EXPECT_EQ(back.windowLeft, -4);
  // Writing again and reading again changes nothing.
  ASSERT_TRUE(SaveProgramSettingsToSystem(back, path).Ok());
  ProgramSettings again = DefaultProgramSettings();
  LoadProgramSettingsFromSystem(again, path);
  EXPECT_EQ(SavedText(again), once);
  // The file the system wrote has the layouts of the portable writer.
  const std::string text = FileText(path);
  EXPECT_NE(text.find("numpoints=4000\r\n"), std::string::npos);
  // (The system may drop the trailing blanks of a value it rewrites.)
  EXPECT_NE(text.find("\r\nwidth=0.33333333"), std::string::npos) << text;
  EXPECT_NE(text.find("X=0xFFFFFFF4\r\n"), std::string::npos);
  EXPECT_NE(text.find("PictureW=0x3B88\r\n"), std::string::npos);
  EXPECT_EQ(text.find("debug="), std::string::npos);
  DeleteFileA(path.c_str());
}

TEST(SystemSettings, GarbageFileKeepsDefaultsAndIsWrittenBackWellFormed) {
  const std::string path = TempFile("garbage.ini");
  std::string text =
      "[Arrays]\r\nnumcurves=250\r\nnumpoints=0\r\n[Format]\r\nXTicks=" + std::string(100000, 'x') +
      "\r\nwidth=1e999\r\n[Colors]\r\ncolor=zz\r\n";
  for (int i = 0; i < 300; ++i) text += static_cast<char>((i * 37) & 0xFF);
  WriteFile(path, text);
  ProgramSettings s = DefaultProgramSettings();
  LoadProgramSettingsFromSystem(s, path);
  EXPECT_EQ(SavedText(s), SavedText(DefaultProgramSettings()));
  ASSERT_TRUE(SaveProgramSettingsToSystem(s, path).Ok());
  ProgramSettings back = DefaultProgramSettings();
  LoadProgramSettingsFromSystem(back, path);
  EXPECT_EQ(SavedText(back), SavedText(DefaultProgramSettings()));
  DeleteFileA(path.c_str());
}

TEST(SystemSettings, PreferencesThroughTheProfileFunctions) {
  const std::string path = TempFile("look.set");
  PlotDocument d;
  SetCompiledDefaults(d);
  d.title1.Set("First");
  d.legendText[5].Set("five");
  d.legendText[100].Set("hundred");
  d.curveTag[5].Set("C5");
  ProgramSettings s = DefaultProgramSettings();
  {
    PrivateProfileStore file(path);
    ASSERT_TRUE(SavePreferences(file, d, s).Ok());
  }
  PlotDocument target;
  SetCompiledDefaults(target);
  PrivateProfileStore file(path);
  EXPECT_TRUE(GetPreferences(file, target, s));
  EXPECT_EQ(target.title1.Str(), "First");
  EXPECT_EQ(target.legendText[5].Str(), "five");
  EXPECT_EQ(target.legendText[100].Str(), "hundred");
  EXPECT_EQ(target.curveTag[5].Str(), "C5");
  EXPECT_NE(FileText(path).find("Legend100=hundred\r\n"), std::string::npos);
  DeleteFileA(path.c_str());
}

TEST(SystemSettings, PreferenceFileThatIsNotIni) {
  const std::string path = TempFile("binary.set");
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>((i * 131 + 3) & 0xFF);
  WriteFile(path, bytes);
  PlotDocument d;
  SetCompiledDefaults(d);
  ProgramSettings s = DefaultProgramSettings();
  PrivateProfileStore file(path);
  EXPECT_FALSE(GetPreferences(file, d, s));
  EXPECT_EQ(d.changed, 0);
  DeleteFileA(path.c_str());
}

constexpr char TEST_KEY[] = "Software\\MervaSettingsTest";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TEST_KEY, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &root_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    if (root_) RegCloseKey(root_);
    RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
  }
  HKEY root_ = nullptr;
};

TEST_F(RegistryTest, ValuesByKeyPath) {
  RegistryStore store(root_);
  std::string value;
  EXPECT_FALSE(store.Get("Control Panel\\International", "sMonDecimalSep", value));
  ASSERT_TRUE(store.Put("Control Panel\\International", "sMonDecimalSep", ","));
  ASSERT_TRUE(store.Put("Control Panel\\International", "empty", ""));
  ASSERT_TRUE(store.Put("A\\B", "", "default"));
  ASSERT_TRUE(store.Get("control panel\\international", "SMONDECIMALSEP", value));
  EXPECT_EQ(value, ",");
  EXPECT_FALSE(store.Get("Control Panel\\International", "empty", value));
  ASSERT_TRUE(store.Get("A\\B", "", value));
  EXPECT_EQ(value, "default");
  std::vector<std::string> keys = store.Keys("Control Panel\\International");
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"empty", "sMonDecimalSep"}));
  EXPECT_TRUE(store.Remove("Control Panel\\International", "sMonDecimalSep"));
  EXPECT_TRUE(store.Remove("No\\Such", "x"));
  EXPECT_FALSE(store.Get("Control Panel\\International", "sMonDecimalSep", value));
}

TEST_F(RegistryTest, FileAssociationIsWritten) {
  EXPECT_EQ(RegisterFileAssociation("C:\\MERVA\\merva95.exe", root_), 12);
  RegistryStore store(root_);
  std::string value;
  for (const RegistryEntry& entry : FileAssociationEntries("C:\\MERVA\\merva95.exe")) {
    ASSERT_TRUE(store.Get(entry.key, "", value)) << entry.key;
    EXPECT_EQ(value, entry.value);
  }
  ASSERT_TRUE(store.Get("MERVAW\\shell\\print\\ddeexec", "", value));
  EXPECT_EQ(value, "[FileOpen(\"%1\")][FilePrint()][FileClose()]");
}

TEST(SystemSettings, FileAssociationFailuresAreIgnored) {
  // A root that is no key: nothing is written and nothing fails.
  HKEY closed = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TEST_KEY, 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &closed, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(closed);
  EXPECT_EQ(RegisterFileAssociation("x.exe", closed), 0);
  RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
}

TEST(SystemSettings, RegionalKeysCanBeRead) {
  PrivateProfileStore profile("");
  RegistryStore registry(HKEY_CURRENT_USER);
  std::string value;
  profile.Get("intl", "sShortDate", value);  // present or not: no failure
  if (registry.Get("Control Panel\\International", "sMonDecimalSep", value)) {
    EXPECT_FALSE(value.empty());
  }
}

TEST(SystemSettings, ClipboardFormatsAreRegistered) {
  const ClipboardFormats first = RegisterClipboardFormats();
  const ClipboardFormats second = RegisterClipboardFormats();
  EXPECT_GE(first.mervaw, 0xC000u);
  EXPECT_GE(first.xlTable, 0xC000u);
  EXPECT_EQ(first.link, second.link);
  EXPECT_NE(first.link, first.objectLink);
  char name[64] = {};
  GetClipboardFormatNameA(first.objectLink, name, sizeof name);
  EXPECT_STREQ(name, "ObjectLink");
}

TEST(SystemSettings, ProgramPathIsFull) {
  const std::string path = ProgramPath();
  EXPECT_NE(path.find(":\\"), std::string::npos);
  EXPECT_NE(path.find("win32_tests"), std::string::npos);
}

}  // namespace
}  // namespace merva
