// The library together with the plotting program: the hand-off to a
// running merva95 and its start-up check of the library's version.
// Skipped while the program is not built.

#include <gtest/gtest.h>

#include "harness/wine_harness.h"
#include "korvlib/korv32.h"

namespace korv::test {
namespace {

using merva::test::ProgramPath;
using merva::test::StartProgram;
using merva::test::TempDirectory;
using merva::test::WaitUntil;

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct ChildSearch {
  const char* className;
  int count;
};

BOOL CALLBACK CountChild(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  if (std::string(name) == search->className) ++search->count;
  return TRUE;
}

int CountChildren(HWND parent, const char* className) {
  ChildSearch search{className, 0};
  EnumChildWindows(parent, CountChild, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

TEST(WithMerva95, PlotFileOpensANewDocumentWindow) {
  const std::string program = ProgramPath("app/merva95.exe");
  if (!Exists(program)) GTEST_SKIP() << "merva95.exe is not built";
  if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window already runs";
  auto merva = StartProgram(program, "/-logo");
  ASSERT_NE(merva.pid, 0u);
  HWND frame = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (frame = FindWindowA("MERVA/W", nullptr)) != nullptr; }, 20000));
  Sleep(500);
  const int before = CountChildren(frame, "MERVADOC");
  const std::string file = ProgramPath("app/EX01.GRF");
  ASSERT_TRUE(Exists(file));
  EXPECT_EQ(KUPlotMERVAFile(nullptr, file.c_str()), 1);
  EXPECT_EQ(KUGetMERVAWindow(), frame);
  EXPECT_TRUE(WaitUntil([&] { return CountChildren(frame, "MERVADOC") == before + 1; }, 10000));
}

struct BoxSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<BoxSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner == search->pid && std::string(name) == "#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The message box of a process.
HWND MessageBoxOf(DWORD pid) {
  BoxSearch search{pid, nullptr};
  EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(WithMerva95, RefusesALibraryOlderThan2000) {
  const std::string program = ProgramPath("app/merva95.exe");
  const std::string oldLibrary = ProgramPath("tests/wine/old/KORV32.DLL");
  if (!Exists(program)) GTEST_SKIP() << "merva95.exe is not built";
  if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window already runs";
  ASSERT_TRUE(Exists(oldLibrary));
  const std::string folder = TempDirectory() + "\\oldlib";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(program.c_str(), (folder + "\\merva95.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(oldLibrary.c_str(), (folder + "\\KORV32.DLL").c_str(), FALSE));
  auto merva = StartProgram(folder + "\\merva95.exe", "/-logo", folder);
  ASSERT_NE(merva.pid, 0u);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(merva.pid)) != nullptr; }, 20000));
  char caption[64] = {}, text[1024] = {};
  GetWindowTextA(box, caption, sizeof caption);
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_STREQ(caption, "MERVA/W");
  const std::string message = text;
  EXPECT_EQ(message.rfind("This application requires KORV32.DLL version 2.0.0.0", 0), 0u)
      << message;
  EXPECT_NE(message.find(" is 1.9.0.0"), std::string::npos) << message;
  EXPECT_EQ(FindWindowA("MERVA/W", nullptr), nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(merva.WaitExit(10000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace korv::test
