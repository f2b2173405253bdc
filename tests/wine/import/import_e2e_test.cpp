// Files of every import type opened in merva95.exe through the command
// language over DDE, and numbers pasted from the clipboard; the curves are
// checked through DDE requests.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "harness/merva_program.h"
#include "raw_dde_client.h"

namespace merva::test {
namespace {

constexpr int ACK = 0x8000;

class ImportE2e : public MervaTest {
 protected:
  void SetUp() override {
    MervaTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(merva_.Start("/-logo"));
    ASSERT_TRUE(WaitUntil([] { return RawDdeClient().Connect("MERVAW", "System"); }, 20000));
    ASSERT_TRUE(client_.Connect("MERVAW", "ROZava"));
  }

  std::string Request(const std::string& topic, const char* item) {
    RawDdeClient client;
    std::string data;
    if (!client.Connect("MERVAW", topic.c_str())) return "no topic " + topic;
    EXPECT_TRUE(client.Request(item, CF_TEXT, data)) << topic << " " << item;
    return data;
  }
  // The topic of the newest document: the last of the Topics list.
  std::string NewestTopic() {
    const std::string topics = Request("System", "Topics");
    return topics.substr(topics.rfind('\t') + 1);
  }
  std::string File(const std::string& name, const std::string& bytes) {
    const std::string path = TempDirectory() + "\\merva_import_" + name;
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }

  MervaProgram merva_;
  RawDdeClient client_;
};

TEST_F(ImportE2e, CsvFileThroughFileTypeFour) {
  const std::string csv =
      File("run.csv",
           "\xEF\xBB\xBF\"Time\",\"Gauge 1\",\"Gauge 2\"\r\n0,1.5,-2\r\n0.5,2.5,1E-3\r\n"
           "1,3.5,4\r\n\r\n");
  ASSERT_EQ(client_.Execute("[FileType(4)][FileOpen(\"" + csv + "\")]"), ACK);
  const std::string topic = NewestTopic();
  EXPECT_EQ(topic, "merva_import_run.csv");
  EXPECT_EQ(Request(topic, "NumberOfCurves"), "2");
  EXPECT_EQ(Request(topic, "NumberOfPoints"), "3\t3");
  EXPECT_EQ(Request(topic, "Curve2"),
            " 0.0000000E+00\t -2.000000    \r\n 0.5000000    \t 0.1000000E-02\r\n"
            "  1.000000    \t  4.000000    \r\n");
  // Append adds the two columns again after them.
  ASSERT_EQ(client_.Execute("[FileAppend(\"" + csv + "\")]"), ACK);
  EXPECT_EQ(Request(topic, "NumberOfCurves"), "4");
}

TEST_F(ImportE2e, PointListsRecordsAndDescribedText) {
  const std::string pairs = File("pairs.dat", "2\n1 10\n2 20\n");
  ASSERT_EQ(client_.Execute("[FileType(2)][FileOpen(\"" + pairs + "\")]"), ACK);
  EXPECT_EQ(Request(NewestTopic(), "Curve1"),
            "  1.000000    \t  10.00000    \r\n  2.000000    \t  20.00000    \r\n");

  std::string wft(1538, '\0');
  auto put = [&](std::size_t at, const char* text) {
    std::memcpy(&wft[at], text, std::strlen(text));
  };
  put(0, "3");
  put(4, "1");
  put(8, "0");
  put(146, "2");
  put(158, "0");
  put(170, "0.5");
  put(194, "0");
  put(218, "1");
  put(253, "0");
  put(277, "1");
  put(658, "2");
  put(1036, "0.001");
  put(1060, "0");
  put(1084, "0");
  put(1144, "0");
  wft += std::string("\x04\x00\xFC\xFF", 4);  // 4, -4
  const std::string record = File("shot.wft", wft);
  ASSERT_EQ(client_.Execute("[FileType(9)][FileOpen(\"" + record + "\")]"), ACK);
  EXPECT_EQ(Request(NewestTopic(), "Curve1"),
            " 0.0000000E+00\t  2.000000    \r\n  1.000000    \t -2.000000    \r\n");

  const std::string data = File("described.txt", "header\n1 5 6\n2 7 8\n");
  File("described.fmt", "DATASTART 2\nXCOLUMN   1\nYCOLUMN   3\n");
  ASSERT_EQ(
      client_.Execute("[FileType(99)][FileOpen(\"" + data + "@merva_import_described.fmt\")]"),
      ACK);
  EXPECT_EQ(Request(NewestTopic(), "Curve1"),
            "  1.000000    \t  6.000000    \r\n  2.000000    \t  8.000000    \r\n");
}

TEST_F(ImportE2e, PasteNumbersFromTheClipboard) {
  ASSERT_EQ(client_.Execute("[Caption(\"Pasted\")][XY(1,1)]"), ACK);
  const char text[] = "1\t10\t100\r\n2\t20\t200\r\n";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
  std::memcpy(GlobalLock(memory), text, sizeof text);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  ASSERT_EQ(client_.Execute("[Paste()]"), ACK);
  EXPECT_EQ(Request("Pasted", "NumberOfPoints"), "1\t2\t2");
  EXPECT_EQ(Request("Pasted", "Curve3"),
            "  1.000000    \t  100.0000    \r\n  2.000000    \t  200.0000    \r\n");
  // No text: the command fails.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_NE(client_.Execute("[Paste()]"), ACK);
}

}  // namespace
}  // namespace merva::test
