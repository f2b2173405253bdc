#include <gtest/gtest.h>

#include "harness/wine_harness.h"

namespace merva::test {
namespace {

// The harness on a program every Windows has: start, find its window,
// end it by id.
TEST(Harness, StartsFindsAndEndsAProgram) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  StartedProcess notepad = StartProgram(std::string(system) + "\\notepad.exe", "");
  ASSERT_NE(notepad.pid, 0u);
  EXPECT_TRUE(
      WaitUntil([&] { return FindWindowOfProcess(notepad.pid, "Notepad") != nullptr; }, 20000));
  EXPECT_TRUE(notepad.Running());
  const DWORD pid = notepad.pid;
  notepad.End();
  HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (h) {
    EXPECT_EQ(WaitForSingleObject(h, 5000), WAIT_OBJECT_0);
    CloseHandle(h);
  }
}

TEST(Harness, PathsAndFiles) {
  EXPECT_EQ(ProgramPath("app/merva95.exe").substr(0, 2), "Z:");
  const std::string dir = TempDirectory();
  EXPECT_EQ(dir, TempDirectory());
  ASSERT_TRUE(WriteFileBytes(dir + "\\a.txt", std::string("x\r\ny\0z", 6)));
  EXPECT_EQ(ReadFileBytes(dir + "\\a.txt"), std::string("x\r\ny\0z", 6));
  EXPECT_TRUE(WaitUntil([] { return true; }, 0));
  EXPECT_FALSE(WaitUntil([] { return false; }, 100));
}

}  // namespace
}  // namespace merva::test
