// The library together with the plotting program: the hand-off to a
// running merva95 and its start-up check of the library's version.
// Skipped while the program is not built.

#include <gtest/gtest.h>

#include "harness/merva_program.h"
#include "korvlib/korv32.h"

namespace korv::test {
namespace {

using namespace merva::test;

TEST(WithMerva95, PlotFileOpensANewDocumentWindow) {
  if (!Exists(ProgramFile())) GTEST_SKIP() << "merva95.exe is not built";
  if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window already runs";
  MervaProgram merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  Sleep(200);
  HWND frame = merva.frame;
  const int before = DocumentCount(frame);
  const std::string file = ProgramPath("app/EX01.GRF");
  ASSERT_TRUE(Exists(file));
  EXPECT_EQ(KUPlotMERVAFile(nullptr, file.c_str()), 1);
  EXPECT_EQ(KUGetMERVAWindow(), frame);
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(frame) == before + 1; }, 10000));
}

TEST(WithMerva95, RefusesALibraryOlderThan2000) {
  const std::string program = ProgramFile();
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
  HWND box = WaitForDialog(merva.pid, nullptr, MERVA_START_MS);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "MERVA/W");
  const std::string message = BoxText(box);
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
