// Files of every import type opened in merva95.exe through the command
// language over DDE, and numbers pasted from the clipboard; the curves are
// checked through DDE requests.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "harness/merva_dde_fixture.h"

namespace merva::test {
namespace {

class ImportE2e : public MervaDdeTest {
 protected:
  void SetUp() override { StartMerva(); }

  // The topic of the newest document: the last of the Topics list.
  std::string NewestTopic() {
    const std::string topics = Item("System", "Topics");
    return topics.substr(topics.rfind('\t') + 1);
  }
  std::string File(const std::string& name, const std::string& bytes) {
    const std::string path = TempDirectory() + "\\merva_import_" + name;
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }
};

TEST_F(ImportE2e, CsvFileThroughFileTypeFour) {
  const std::string csv =
      File("run.csv",
           "\xEF\xBB\xBF\"Time\",\"Gauge 1\",\"Gauge 2\"\r\n0,1.5,-2\r\n0.5,2.5,1E-3\r\n"
           "1,3.5,4\r\n\r\n");
  ASSERT_EQ(client_.Execute("[FileType(4)][FileOpen(\"" + csv + "\")]"), ACK);
  const std::string topic = NewestTopic();
  EXPECT_EQ(topic, "merva_import_run.csv");
  EXPECT_EQ(Item(topic, "NumberOfCurves"), "2");
  EXPECT_EQ(Item(topic, "NumberOfPoints"), "3\t3");
  EXPECT_EQ(Item(topic, "Curve2"),
            " 0.0000000E+00\t -2.000000    \r\n 0.5000000    \t 0.1000000E-02\r\n"
            "  1.000000    \t  4.000000    \r\n");
  // Append adds the two columns again after them.
  ASSERT_EQ(client_.Execute("[FileAppend(\"" + csv + "\")]"), ACK);
  EXPECT_EQ(Item(topic, "NumberOfCurves"), "4");
}

TEST_F(ImportE2e, PointListsRecordsAndDescribedText) {
  const std::string pairs = File("pairs.dat", "2\n1 10\n2 20\n");
  ASSERT_EQ(client_.Execute("[FileType(2)][FileOpen(\"" + pairs + "\")]"), ACK);
  EXPECT_EQ(Item(NewestTopic(), "Curve1"),
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
  EXPECT_EQ(Item(NewestTopic(), "Curve1"),
            " 0.0000000E+00\t  2.000000    \r\n  1.000000    \t -2.000000    \r\n");

  const std::string data = File("described.txt", "header\n1 5 6\n2 7 8\n");
  File("described.fmt", "DATASTART 2\nXCOLUMN   1\nYCOLUMN   3\n");
  ASSERT_EQ(
      client_.Execute("[FileType(99)][FileOpen(\"" + data + "@merva_import_described.fmt\")]"),
      ACK);
  EXPECT_EQ(Item(NewestTopic(), "Curve1"),
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
  EXPECT_EQ(Item("Pasted", "NumberOfPoints"), "1\t2\t2");
  EXPECT_EQ(Item("Pasted", "Curve3"),
            "  1.000000    \t  100.0000    \r\n  2.000000    \t  200.0000    \r\n");
  // No text: the command fails.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_NE(client_.Execute("[Paste()]"), ACK);
}

// The window of a dialog's descendants with the control identifier.
HWND Descendant(HWND parent, int id) {
  for (HWND child : ChildrenOf(parent, nullptr))
    if (GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

TEST_F(ImportE2e, OpenDialogFileTypesButtonAndColumnChoice) {
  const std::string csv = File("choose.csv", "1,10,100\r\n2,20,200\r\n3,30,300\r\n");
  const DWORD pid = Pid();
  Command(4097);
  HWND types = WaitForDialogTitled(pid, "Select File Type");
  ASSERT_NE(types, nullptr);
  CheckRadioButton(types, 140, 149, 140);  // the plot file first...
  ASSERT_TRUE(Answer(types, IDOK));
  HWND open = WaitForDialog(pid);
  ASSERT_NE(open, nullptr);
  HWND button = Descendant(open, 901);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(WindowText(button), "File &Types");
  // ...then the open dialog's button changes it to columns.
  PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(901, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  types = WaitForDialogTitled(pid, "Select File Type");
  ASSERT_NE(types, nullptr);
  SendMessageA(GetDlgItem(types, 140), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(GetDlgItem(types, 143), BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(Answer(types, IDOK));
  HWND name = GetDlgItem(open, 0x47C);
  if (!name) name = GetDlgItem(open, 0x480);
  ASSERT_NE(name, nullptr);
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(csv.c_str()));
  PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

  HWND columns = WaitForDialogTitled(pid, "Specify Columns to Plot");
  ASSERT_NE(columns, nullptr);
  EXPECT_EQ(FieldText(columns, 902), "1");
  EXPECT_EQ(WindowText(GetDlgItem(columns, 911 + 15)), "Column 16");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(columns, 913)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(columns, 914)));
  SetField(columns, 902, "3");
  CheckButton(columns, 903, true);
  CheckButton(columns, 912, false);
  CheckButton(columns, 913, false);
  CheckButton(columns, 911, true);
  ASSERT_TRUE(Answer(columns, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(frame_, "choose.csv"); }, 10000));
  EXPECT_EQ(Item("merva_import_choose.csv", "Curve1"),
            "  100.0000    \t  1.000000    \r\n  200.0000    \t  2.000000    \r\n"
            "  300.0000    \t  3.000000    \r\n");
}

TEST_F(ImportE2e, HandOffOfADescribedFile) {
  const std::string data = File("handed.txt", "Run 4\n0 1\n1 3\n2 5\n");
  File("handed.fmt", "TITLE     1\nDATASTART 2\n");
  const UINT plot = RegisterWindowMessageA("Plot MERVA File");
  const ATOM atom = GlobalAddAtomA((data + "@merva_import_handed.fmt").c_str());
  const LRESULT result = SendMessageA(frame_, plot, atom, MAKELPARAM(0, 99));
  GlobalDeleteAtom(atom);
  ASSERT_EQ(result, 1);
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(frame_, "handed.txt"); }, 10000));
  EXPECT_EQ(Item("merva_import_handed.txt", "Curve1"),
            " 0.0000000E+00\t  1.000000    \r\n  1.000000    \t  3.000000    \r\n"
            "  2.000000    \t  5.000000    \r\n");
}

// An old-KESTRA record of the program's own layout: 5 samples at 500 Hz.
std::string KestraRecord() {
  std::string b(512, '\0');
  auto f64 = [&](std::size_t at, double v) { std::memcpy(&b[at], &v, 8); };
  std::memcpy(&b[0], "MVKSTRG\x1A", 8);
  const int32_t count = 5;
  std::memcpy(&b[8], &count, 4);
  f64(12, 500);  // Hz: 2 ms a sample
  f64(20, 2.5);  // calibration
  f64(256, 0);
  f64(264, 2);
  for (int16_t s : {1, 2, 3, 4, 5}) b.append(reinterpret_cast<const char*>(&s), 2);
  return b;
}

TEST_F(ImportE2e, RecorderTimeWindowFromTheDialogAndFromStartStop) {
  const std::string record = File("kestra.dat", KestraRecord());
  const DWORD pid = Pid();
  Command(4097);
  HWND types = WaitForDialogTitled(pid, "Select File Type");
  ASSERT_NE(types, nullptr);
  CheckRadioButton(types, 140, 149, 146);
  ASSERT_TRUE(Answer(types, IDOK));
  HWND open = WaitForDialog(pid);
  ASSERT_NE(open, nullptr);
  HWND name = GetDlgItem(open, 0x47C);
  if (!name) name = GetDlgItem(open, 0x480);
  ASSERT_NE(name, nullptr);
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(record.c_str()));
  PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  HWND limits = WaitForDialogTitled(pid, "Start/Finish Time");
  ASSERT_NE(limits, nullptr);
  EXPECT_EQ(FieldText(limits, 128), "0");
  SetField(limits, 128, "4");
  SetField(limits, 129, "8");
  ASSERT_TRUE(Answer(limits, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(frame_, "kestra.dat"); }, 10000));
  EXPECT_EQ(Item("merva_import_kestra.dat", "Curve1"),
            "  4.000000    \t  15.00000    \r\n  6.000000    \t  20.00000    \r\n"
            "  8.000000    \t  25.00000    \r\n");
  // In command mode [StartStop( gives the window, with no dialog.
  ASSERT_EQ(client_.Execute("[StartStop(0,2)][FileType(7)][FileOpen(\"" + record + "\")]"), ACK);
  EXPECT_EQ(Item(NewestTopic(), "NumberOfPoints"), "2");
}

// Little-endian fields of the binary files the test writes.
struct Bytes {
  std::string b;
  explicit Bytes(std::size_t size) : b(size, '\0') {}
  Bytes& Text(std::size_t at, const char* text) {
    std::memcpy(&b[at], text, std::strlen(text));
    return *this;
  }
  Bytes& I32(std::size_t at, int32_t v) {
    std::memcpy(&b[at], &v, 4);
    return *this;
  }
  Bytes& F32(std::size_t at, float v) {
    std::memcpy(&b[at], &v, 4);
    return *this;
  }
  Bytes& F64(std::size_t at, double v) {
    std::memcpy(&b[at], &v, 8);
    return *this;
  }
  Bytes& Samples(std::initializer_list<int16_t> samples) {
    for (int16_t s : samples) b.append(reinterpret_cast<const char*>(&s), 2);
    return *this;
  }
};

// One file of each type 2 to 10, each giving a curve of 2 points.
std::vector<std::pair<int, std::string>> FilesOfEveryType() {
  Bytes unformatted(2048);
  unformatted.I32(0, 2).F32(1024, 1).F32(1028, 2).F32(1032, 3).F32(1036, 4);
  Bytes digitizer(512);
  digitizer.Text(0, "MV9820F\x1A").I32(8, 9820).I32(12, 2).F64(16, 0.001).F64(24, 0.5);
  digitizer.Samples({2, 4});
  Bytes kestraNew(512);
  kestraNew.Text(0, "MVKSTRH\x1A").I32(8, 512).I32(12, 2).F64(16, 1000).F64(24, 10);
  kestraNew.F64(32, 0).F64(40, 100).Samples({10, 20});
  Bytes nicolet(1538);
  nicolet.Text(0, "3").Text(4, "1").Text(8, "0").Text(146, "2").Text(158, "0");
  nicolet.Text(170, "1").Text(194, "0").Text(218, "1").Text(253, "0").Text(277, "1");
  nicolet.Text(658, "2").Text(1036, "0.001").Text(1060, "0").Text(1084, "0").Text(1144, "0");
  nicolet.Samples({5, 6});
  Bytes footer(256);
  footer.Text(0, "MVHDASJ\x1A").I32(8, 2).F64(12, 1000).F64(20, 1).F64(28, 1).F64(36, 1);
  Bytes hdas(0);
  hdas.Samples({7, 8});
  return {{2, "2\n1 10\n2 20\n"}, {3, "2 0.5\n7 8\n"}, {4, "\"t\",\"y\"\r\n1,2\r\n3,4\r\n5,6\r\n"},
          {5, unformatted.b},     {6, digitizer.b},    {7, KestraRecord()},
          {8, kestraNew.b},       {9, nicolet.b},      {10, hdas.b + footer.b}};
}

TEST_F(ImportE2e, EveryTypeThroughCommandsAndTheDialogs) {
  const DWORD pid = Pid();
  for (const auto& [type, bytes] : FilesOfEveryType()) {
    const std::string name = "type" + std::to_string(type) + ".dat";
    const std::string path = File(name, bytes);
    RawDdeClient client;  // one conversation per type: the closes below end its document
    ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
    ASSERT_EQ(
        client.Execute("[FileType(" + std::to_string(type) + ")][FileOpen(\"" + path + "\")]"), ACK)
        << type;
    const std::string commandCounts = Item(NewestTopic(), "NumberOfPoints");
    EXPECT_NE(commandCounts.substr(0, 1), "0") << type;

    Command(4097);
    HWND types = WaitForDialogTitled(pid, "Select File Type");
    ASSERT_NE(types, nullptr) << type;
    CheckRadioButton(types, 140, 149, 139 + type);
    ASSERT_TRUE(Answer(types, IDOK));
    HWND open = WaitForDialog(pid);
    ASSERT_NE(open, nullptr) << type;
    HWND field = GetDlgItem(open, 0x47C);
    if (!field) field = GetDlgItem(open, 0x480);
    ASSERT_NE(field, nullptr);
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (type == 4) {
      HWND columns = WaitForDialogTitled(pid, "Specify Columns to Plot");
      ASSERT_NE(columns, nullptr);
      ASSERT_TRUE(Answer(columns, IDOK));
    }
    if (type >= 6 && type != 9) {
      HWND limits = WaitForDialogTitled(pid, "Start/Finish Time");
      ASSERT_NE(limits, nullptr) << type;
      ASSERT_TRUE(Answer(limits, IDOK));
    }
    ASSERT_TRUE(WaitUntil(
        [&] {
          int titled = 0;
          for (const std::string& title : DocumentTitles(frame_))
            titled += title.find(Lower(name)) != std::string::npos;
          return titled == 2;
        },
        10000))
        << type;
    EXPECT_EQ(Item(NewestTopic(), "NumberOfPoints"), commandCounts) << type;
    EXPECT_TRUE(DialogsOf(pid).empty()) << type;
    // Room for the next pair of windows.
    for (int window = 0; window < 2; ++window) {
      RawDdeClient newest;
      ASSERT_TRUE(newest.Connect("MERVAW", NewestTopic().c_str()));
      ASSERT_EQ(newest.Execute("[FileClose()]"), ACK);
    }
    // One window left (the empty start-up one, or a new one), so that
    // conversations have a document.
    if (DocumentCount(frame_) == 0) Command(4096);
    ASSERT_TRUE(WaitUntil([&] { return DocumentCount(frame_) == 1; }, 10000));
  }
}

}  // namespace
}  // namespace merva::test
