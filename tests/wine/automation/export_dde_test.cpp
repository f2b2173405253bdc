// Save As of data files and Copy of a curve's data in the real program,
// driven over DDE: the files compared byte for byte, the clipboard read by
// this (another) process.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "harness/merva_dde_fixture.h"

namespace merva::test {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string TempFolder() {
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  std::string path = std::string(folder) + "merva_export_e2e";
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

// The bytes of a clipboard format; false when it is not there.
bool ClipboardBytes(UINT format, std::string& bytes) {
  bool opened = false;
  for (int attempt = 0; attempt < 40 && !(opened = OpenClipboard(nullptr)); ++attempt) Sleep(50);
  if (!opened) return false;
  HANDLE data = GetClipboardData(format);
  const char* at = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (at) {
    bytes.assign(at, GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return at != nullptr;
}

class ExportDde : public MervaDdeTest {
 protected:
  void SetUp() override {
    folder_ = TempFolder();
    StartMerva();
    if (!Started()) return;
    // Curve 1: 3 points; curve 2: 2 points with its own X values.
    ASSERT_EQ(client_.Execute("[XY(0,1.5)][XY(0.5,-2)][XY(1,1E-9)][SelectCurve(2)][XY(7,10)]"
                              "[XY(8,12345678)][Caption(\"Ex\")][Title1(\"Run \"7\"\")]"
                              "[XAxisLabel(\"Time, s\")][Legend(1,\"gauge A\")]"),
              ACK);
  }
  void TearDown() override {
    MervaDdeTest::TearDown();
    for (const char* name : {"a.txt", "b.csv", "c.bin", "ro.txt"}) {
      const std::string path = folder_ + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Path(const char* name) const { return folder_ + "\\" + name; }
  int SaveAs(int type, const std::string& path) {
    return client_.Execute("[FileSaveAs(" + std::to_string(type) + ",\"" + path + "\")]");
  }

  std::string folder_;
};

TEST_F(ExportDde, FileSaveAsWritesTheThreeDataLayouts) {
  ASSERT_EQ(client_.Execute("[SelectCurve(2)]"), ACK);
  ASSERT_EQ(SaveAs(2, Path("a.txt")), ACK);
  EXPECT_EQ(ReadFile(Path("a.txt")), "2\r\n7,10\r\n8,1.234568E+07\r\n");

  ASSERT_EQ(SaveAs(3, Path("b.csv")), ACK);
  EXPECT_EQ(ReadFile(Path("b.csv")),
            "\"Run \"\"7\"\"\"\r\n\"Time, s\",\"gauge A\",\r\n"
            "0,1.5,10\r\n0.5,-2,1.234568E+07\r\n1,1E-09,\r\n");

  ASSERT_EQ(SaveAs(4, Path("c.bin")), ACK);
  const std::string bin = ReadFile(Path("c.bin"));
  ASSERT_EQ(bin.size(), 2048u);
  const unsigned char expected[] = {2, 0, 0, 0};
  EXPECT_EQ(bin.substr(0, 4), std::string(reinterpret_cast<const char*>(expected), 4));
  const float pairs[] = {7.0f, 10.0f, 8.0f, 12345678.0f};
  EXPECT_EQ(bin.substr(1024, 16), std::string(reinterpret_cast<const char*>(pairs), 16));
  EXPECT_EQ(bin.find_first_not_of('\0', 1040), std::string::npos);
  // A bad type code writes nothing.
  EXPECT_NE(SaveAs(7, Path("d.txt")), ACK);
  EXPECT_EQ(GetFileAttributesA(Path("d.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ExportDde, RefusedTargetsLeaveFilesAsTheyWere) {
  { std::ofstream(Path("ro.txt"), std::ios::binary) << "keep"; }
  SetFileAttributesA(Path("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_NE(SaveAs(3, Path("ro.txt")), ACK);
  EXPECT_EQ(ReadFile(Path("ro.txt")), "keep");
  EXPECT_NE(SaveAs(2, folder_ + "\\no such folder\\x.txt"), ACK);
  // The document is still there and still saves.
  ASSERT_EQ(client_.Execute("[SelectCurve(1)]"), ACK);
  ASSERT_EQ(SaveAs(2, Path("a.txt")), ACK);
  EXPECT_EQ(ReadFile(Path("a.txt")), "3\r\n0,1.5\r\n0.5,-2\r\n1,1E-09\r\n");
}

TEST_F(ExportDde, CopyTextPlacesTextMervawAndLink) {
  ASSERT_EQ(client_.Execute("[SelectCurve(2)][CopyText()]"), ACK);
  const std::string text = "  7.000000    \t  10.00000    \r\n  8.000000    \t 0.1234568E+08\r\n";
  std::string bytes;
  ASSERT_TRUE(ClipboardBytes(CF_TEXT, bytes));
  EXPECT_EQ(bytes.substr(0, bytes.find('\0')), text);
  ASSERT_TRUE(ClipboardBytes(RegisterClipboardFormatA("MERVAW"), bytes));
  EXPECT_EQ(bytes.substr(0, bytes.find('\0')), text);
  EXPECT_GE(bytes.size(), 67u);  // 33 bytes a point and one
  ASSERT_TRUE(ClipboardBytes(RegisterClipboardFormatA("Link"), bytes));
  EXPECT_EQ(bytes.substr(0, 19), std::string("MERVAW\0Ex\0Curve02\0\0", 19));
  // The link names an item the server gives.
  RawDdeClient topic;
  ASSERT_TRUE(topic.Connect("MERVAW", "Ex"));
  std::string served;
  ASSERT_TRUE(topic.Request("Curve02", CF_TEXT, served));
  EXPECT_EQ(served.substr(0, served.find('\0')), text);
}

// Copy's text pastes back as the same curve; text another process puts on
// the clipboard pastes as curves.
TEST_F(ExportDde, CopiedAndForeignTextPasteAsCurves) {
  ASSERT_EQ(client_.Execute("[SelectCurve(2)][CopyText()][Paste()]"), ACK);
  RawDdeClient topic;
  ASSERT_TRUE(topic.Connect("MERVAW", "Ex"));
  std::string two, three;
  ASSERT_TRUE(topic.Request("Curve2", CF_TEXT, two));
  ASSERT_TRUE(topic.Request("Curve3", CF_TEXT, three));
  EXPECT_EQ(three, two);
  const std::string foreign = "0.5\t1\t2\r\n1.5\t3\t4\r\n";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, foreign.size() + 1);
  std::memcpy(GlobalLock(block), foreign.c_str(), foreign.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
  ASSERT_EQ(client_.Execute("[Paste()]"), ACK);
  std::string count, five;
  ASSERT_TRUE(topic.Request("NumberOfCurves", CF_TEXT, count));
  EXPECT_EQ(count.substr(0, count.find('\0')), "5");
  ASSERT_TRUE(topic.Request("Curve5", CF_TEXT, five));
  EXPECT_EQ(five.substr(0, five.find('\0')),
            " 0.5000000    \t  2.000000    \r\n  1.500000    \t  4.000000    \r\n");
}

}  // namespace
}  // namespace merva::test
