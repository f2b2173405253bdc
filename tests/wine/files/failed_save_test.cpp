// Saving onto a full disk: a small file system that run-end-to-end.sh
// mounts (MERVA_SMALL_DISK, reached through Z:) is filled up before the
// save. Skipped where the mount was refused.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness/merva_program.h"

namespace merva::test {
namespace {

constexpr int IDM_CLOSE = 4099;
constexpr int IDM_SAVE = 4101;
constexpr int IDM_DENSE_GRID = 4204;

std::string SmallDisk() {
  const char* unixPath = std::getenv("MERVA_SMALL_DISK");
  if (!unixPath || !*unixPath) return "";
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return Exists(path) ? path : "";
}

// Takes every byte left on the disk; the bytes written.
size_t FillDisk(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  const std::vector<char> block(65536, 'f');
  size_t total = 0;
  for (DWORD size = 65536; size > 0; size /= 2) {
    DWORD written = 0;
    while (WriteFile(file, block.data(), size, &written, nullptr) && written == size)
      total += written;
    total += written;
  }
  CloseHandle(file);
  return total;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(Lower(name));
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

class FailedSave : public MervaTest {
 protected:
  void SetUp() override {
    MervaTest::SetUp();
    if (IsSkipped()) return;
    disk_ = SmallDisk();
    if (disk_.empty()) {
      std::printf("\nno small file system (the mount was refused): the failed-save test skips\n");
      GTEST_SKIP() << "MERVA_SMALL_DISK is not a mounted small file system";
    }
    for (const std::string& name : FilesIn(disk_)) DeleteFileA((disk_ + "\\" + name).c_str());
  }
  void TearDown() override {
    merva_.Close();
    if (!disk_.empty())
      for (const std::string& name : FilesIn(disk_)) DeleteFileA((disk_ + "\\" + name).c_str());
    MervaTest::TearDown();
  }

  std::string disk_;
  MervaProgram merva_;
};

TEST_F(FailedSave, OldFileSurvivesAFullDisk) {
  const std::string plot = disk_ + "\\plot.grf";
  // The document holds EX01 (6.7 KB); the file it saves over is the small
  // EX05, so deleting it first would not make room enough.
  ASSERT_TRUE(WriteFileBytes(plot, ReadFileBytes(ProgramPath("app/EX01.GRF"))));
  ASSERT_TRUE(merva_.Start("/-logo \"" + plot + "\""));
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva_.frame, "plot.grf"); }, 15000));
  const std::string old = ReadFileBytes(ProgramPath("app/EX05.GRF"));
  ASSERT_FALSE(old.empty());
  ASSERT_TRUE(WriteFileBytes(plot, old));
  ASSERT_TRUE(merva_.Send(IDM_DENSE_GRID));  // the document changes
  ASSERT_GT(FillDisk(disk_ + "\\filler"), 0u);

  merva_.Command(IDM_SAVE);
  HWND box = WaitForDialog(merva_.process.pid);
  ASSERT_TRUE(box) << "no message after the failed write";
  EXPECT_EQ(BoxText(box).rfind("Error writing " + plot, 0), 0u) << BoxText(box);
  EXPECT_TRUE(Answer(box, IDOK));
  EXPECT_EQ(ReadFileBytes(plot), old);
  EXPECT_EQ(FilesIn(disk_), (std::vector<std::string>{"filler", "plot.grf"}));

  // Still changed: closing asks to save.
  merva_.Command(IDM_CLOSE);
  box = WaitForDialog(merva_.process.pid);
  ASSERT_TRUE(box);
  EXPECT_NE(BoxText(box).find("has changed."), std::string::npos) << BoxText(box);
  EXPECT_TRUE(Answer(box, IDCANCEL));

  // With room again the save replaces the file.
  ASSERT_TRUE(DeleteFileA((disk_ + "\\filler").c_str()));
  ASSERT_TRUE(merva_.Send(IDM_SAVE));
  const std::string saved = ReadFileBytes(plot);
  EXPECT_EQ(saved.rfind("MERVA/W", 0), 0u);
  EXPECT_NE(saved, old);
  EXPECT_EQ(FilesIn(disk_), (std::vector<std::string>{"plot.grf"}));
  EXPECT_EQ(DialogsOf(merva_.process.pid).size(), 0u);
}

}  // namespace
}  // namespace merva::test
