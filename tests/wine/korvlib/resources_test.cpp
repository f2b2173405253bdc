// The library file: its exports, version, resources and the common-dialog
// error texts its clients load by identifier.

#include <gtest/gtest.h>

#include <cderr.h>

#include <string>
#include <vector>

#include "korvlib/korv32.h"
#include "korvlib/resource_ids.h"
#include "korvlib/window_texts.h"
#include "test_windows.h"

namespace korv::test {
namespace {

class LoadedLibrary {
 public:
  LoadedLibrary() : module_(LoadLibraryA("KORV32.DLL")) {}
  ~LoadedLibrary() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

TEST(Library, FileNameAndUndecoratedExports) {
  const LoadedLibrary library;
  ASSERT_NE(library.Get(), nullptr);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(library.Get(), path, MAX_PATH);
  // The loader may report the name as imported; the file itself is upper case.
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA(path, &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_STREQ(found.cFileName, "KORV32.DLL");
  for (const char* exported : {"KUAboutBox", "KUAppOptions", "KUGetMERVAWindow", "KUGotoURL",
                               "KUPlotMERVAFile", "KUProgressBar"})
    EXPECT_NE(GetProcAddress(library.Get(), exported), nullptr) << exported;
}

TEST(Library, VersionIsAtLeast2000) {
  const LoadedLibrary library;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(library.Get(), path, MAX_PATH);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  // Packed one byte per part, as the plotting program compares it.
  const DWORD packed = (HIWORD(fixed->dwFileVersionMS) & 0xFF) << 24 |
                       (LOWORD(fixed->dwFileVersionMS) & 0xFF) << 16 |
                       (HIWORD(fixed->dwFileVersionLS) & 0xFF) << 8 |
                       (LOWORD(fixed->dwFileVersionLS) & 0xFF);
  EXPECT_GE(packed, 0x02000000u);
  EXPECT_EQ(FileVersionString(path), "2.1.0.0");
}

TEST(Library, IconsBitmapsAndTemplates) {
  const HMODULE module = Korv32Module();
  for (const char* icon : {"NEW", "OPEN", "VIEW", "SAVE", "RUN", "SPDSHEET"})
    EXPECT_NE(LoadIconA(module, icon), nullptr) << icon;
  for (int frame = 1; frame <= KU_ANIMATION_FRAMES; ++frame) {
    const HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(frame));
    EXPECT_NE(bitmap, nullptr) << frame;
    DeleteObject(bitmap);
  }
  for (const char* name : {"KU_TOOLS", "MERVA"}) {
    const HBITMAP bitmap = LoadBitmapA(module, name);
    EXPECT_NE(bitmap, nullptr) << name;
    DeleteObject(bitmap);
  }
  for (const char* name :
       {"ABOUT", "OPTIONS", "PROGRESS00", "PROGRESS01", "PROGRESS02", "PROGRESS03", "PROGRESS04",
        "PROGRESS05", "PROGRESS06", "PROGRESS07", "FILENOTFOUND"})
    EXPECT_NE(FindResourceA(module, name, RT_DIALOG), nullptr) << name;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

TEST(Library, FileNotFoundTemplate) {
  const HWND dialog =
      CreateDialogParamA(Korv32Module(), "FILENOTFOUND", nullptr, PlainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  char text[128] = {};
  GetWindowTextA(dialog, text, sizeof text);
  EXPECT_STREQ(text, "File Not Found");
  GetDlgItemTextA(dialog, KU_NOTFOUND_BROWSE, text, sizeof text);
  EXPECT_STREQ(text, "&Browse...");
  GetClassNameA(GetDlgItem(dialog, KU_NOTFOUND_PATH), text, sizeof text);
  EXPECT_STRCASEEQ(text, "Edit");
  EXPECT_NE(GetDlgItem(dialog, KU_NOTFOUND_PROGRAM), nullptr);
  EXPECT_NE(GetDlgItem(dialog, IDOK), nullptr);
  EXPECT_NE(GetDlgItem(dialog, IDCANCEL), nullptr);
  bool cannotFind = false;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    GetWindowTextA(child, text, sizeof text);
    if (std::string(text) == "Cannot find ") cannotFind = true;
  }
  EXPECT_TRUE(cannotFind);
  DestroyWindow(dialog);
}

TEST(Library, CommonDialogErrorTexts) {
  const struct {
    DWORD code;
    const char* name;
  } codes[] = {
      {CDERR_STRUCTSIZE, "CDERR_STRUCTSIZE"},
      {CDERR_INITIALIZATION, "CDERR_INITIALIZATION"},
      {CDERR_NOTEMPLATE, "CDERR_NOTEMPLATE"},
      {CDERR_NOHINSTANCE, "CDERR_NOHINSTANCE"},
      {CDERR_LOADSTRFAILURE, "CDERR_LOADSTRFAILURE"},
      {CDERR_FINDRESFAILURE, "CDERR_FINDRESFAILURE"},
      {CDERR_LOADRESFAILURE, "CDERR_LOADRESFAILURE"},
      {CDERR_LOCKRESFAILURE, "CDERR_LOCKRESFAILURE"},
      {CDERR_MEMALLOCFAILURE, "CDERR_MEMALLOCFAILURE"},
      {CDERR_MEMLOCKFAILURE, "CDERR_MEMLOCKFAILURE"},
      {CDERR_NOHOOK, "CDERR_NOHOOK"},
      {CDERR_REGISTERMSGFAIL, "CDERR_REGISTERMSGFAIL"},
      {PDERR_SETUPFAILURE, "PDERR_SETUPFAILURE"},
      {PDERR_PARSEFAILURE, "PDERR_PARSEFAILURE"},
      {PDERR_RETDEFFAILURE, "PDERR_RETDEFFAILURE"},
      {PDERR_LOADDRVFAILURE, "PDERR_LOADDRVFAILURE"},
      {PDERR_GETDEVMODEFAIL, "PDERR_GETDEVMODEFAIL"},
      {PDERR_INITFAILURE, "PDERR_INITFAILURE"},
      {PDERR_NODEVICES, "PDERR_NODEVICES"},
      {PDERR_NODEFAULTPRN, "PDERR_NODEFAULTPRN"},
      {PDERR_DNDMMISMATCH, "PDERR_DNDMMISMATCH"},
      {PDERR_CREATEICFAILURE, "PDERR_CREATEICFAILURE"},
      {PDERR_PRINTERNOTFOUND, "PDERR_PRINTERNOTFOUND"},
      {PDERR_DEFAULTDIFFERENT, "PDERR_DEFAULTDIFFERENT"},
      {CFERR_NOFONTS, "CFERR_NOFONTS"},
      {CFERR_MAXLESSTHANMIN, "CFERR_MAXLESSTHANMIN"},
      {FNERR_SUBCLASSFAILURE, "FNERR_SUBCLASSFAILURE"},
      {FNERR_INVALIDFILENAME, "FNERR_INVALIDFILENAME"},
      {FNERR_BUFFERTOOSMALL, "FNERR_BUFFERTOOSMALL"},
      {FRERR_BUFFERLENGTHZERO, "FRERR_BUFFERLENGTHZERO"},
      {CDERR_DIALOGFAILURE, "CDERR_DIALOGFAILURE"},
  };
  // The identifiers the plotting program looks up.
  std::vector<DWORD> expected;
  for (DWORD c = 1; c <= 12; ++c) expected.push_back(c);
  for (DWORD c = 4097; c <= 4108; ++c) expected.push_back(c);
  for (DWORD c : {8193u, 8194u, 12289u, 12290u, 12291u, 16385u, 65535u}) expected.push_back(c);
  ASSERT_EQ(std::size(codes), expected.size());
  const LoadedLibrary library;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(codes[i].code, expected[i]);
    char text[512] = {};
    ASSERT_GT(LoadStringA(library.Get(), codes[i].code, text, sizeof text), 0) << codes[i].name;
    const std::string prefix = std::string(codes[i].name) + "... ";
    EXPECT_EQ(std::string(text).substr(0, prefix.size()), prefix);
    EXPECT_GT(std::string(text).size(), prefix.size() + 10) << codes[i].name;
    EXPECT_EQ(std::string(text).back(), '.') << codes[i].name;
  }
  char text[64] = {};
  EXPECT_EQ(LoadStringA(library.Get(), 0, text, sizeof text), 0);
  EXPECT_EQ(LoadStringA(library.Get(), 13, text, sizeof text), 0);
}

TEST(Library, GotoUrlOpensWithTheShell) {
  EXPECT_FALSE(KUGotoURL(nullptr));
  EXPECT_FALSE(KUGotoURL(""));
  EXPECT_FALSE(KUGotoURL("Z:\\no\\such\\document.txt"));
}

}  // namespace
}  // namespace korv::test
