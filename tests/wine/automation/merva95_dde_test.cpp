// The DDE server and the hand-off messages of the real program: a raw DDE
// client drives merva95.exe. Skipped while the program is not built or
// another copy runs.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "automation/binary_plot.h"
#include "harness/raw_dde_client.h"
#include "harness/wine_harness.h"
// shellapi.h needs windows.h first.
#include <shellapi.h>

namespace merva::test {
namespace {

constexpr int ACK = 0x8000;
constexpr int BUSY = 0x4000;
constexpr UINT IDM_ABOUT_COMMAND = 4243;
constexpr UINT WM_PREFERENCE_FILE = WM_APP + 0x3A1;

BOOL CALLBACK AddChildText(HWND child, LPARAM data) {
  const std::string text = WindowText(child);
  if (!text.empty()) *reinterpret_cast<std::string*>(data) += "[" + text + "]";
  return TRUE;
}

// The message text of a message box; the texts of its controls for
// another dialog.
std::string BoxText(HWND box) {
  char text[2048] = {};
  if (GetDlgItemTextA(box, 0xFFFF, text, sizeof text) > 0) return text;
  std::string all;
  EnumChildWindows(box, AddChildText, reinterpret_cast<LPARAM>(&all));
  return all;
}

// Waits for a dialog box of the process, closes it with OK and returns
// "caption|text"; empty when none came.
std::string DismissBox(DWORD pid, DWORD timeoutMs = 5000) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = DialogOfProcess(pid)) != nullptr; }, timeoutMs)) return "";
  const std::string seen = WindowText(box) + "|" + BoxText(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  WaitUntil([&] { return !IsWindow(box); }, 5000);
  return seen;
}

BOOL CALLBACK CountDocumentWindow(HWND window, LPARAM data) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "MERVADOC") ++*reinterpret_cast<int*>(data);
  return TRUE;
}

int DocumentWindows(HWND frame) {
  int count = 0;
  EnumChildWindows(frame, CountDocumentWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::string Header(const BinaryPlotHeader& h, const std::vector<float>& values) {
  return WriteBinaryPlot(h, values.data(), values.size());
}

// One merva95 per test, with default settings, ended by its id.
class Merva95Dde : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string program = ProgramPath("app/merva95.exe");
    if (!FileExists(program)) GTEST_SKIP() << "merva95.exe is not built";
    if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window already runs";
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    DeleteFileA((std::string(windows) + "\\mervaw.ini").c_str());
    merva_ = StartProgram(program, "/-logo");
    ASSERT_NE(merva_.pid, 0u);
    ASSERT_TRUE(WaitUntil(
        [&] { return (frame_ = FindWindowOfProcess(merva_.pid, "MERVA/W")) != nullptr; }, 20000));
    ASSERT_TRUE(WaitUntil(
        [&] {
          RawDdeClient probe;
          return probe.Connect("MERVAW", "System");
        },
        20000));
  }
  void TearDown() override {
    // Message boxes left by a failed check would keep the program busy.
    for (int i = 0; i < 5; ++i)
      if (HWND box = DialogOfProcess(merva_.pid)) PostMessageA(box, WM_CLOSE, 0, 0);
    merva_.End();
  }

  std::string RequestText(RawDdeClient& client, const char* item) {
    std::string data;
    EXPECT_TRUE(client.Request(item, CF_TEXT, data)) << item;
    return data;
  }
  std::string Topics() {
    RawDdeClient system;
    EXPECT_TRUE(system.Connect("MERVAW", "System"));
    return RequestText(system, "Topics");
  }
  // The text of a topic's item through its own conversation.
  std::string Item(const char* topic, const char* item) {
    RawDdeClient client;
    EXPECT_TRUE(client.Connect("MERVAW", topic)) << topic;
    return RequestText(client, item);
  }
  bool Alive() { return merva_.Running() && IsWindow(frame_); }
  // Saves the conversation's document as a plot file and returns its text.
  std::string SavedText(RawDdeClient& client, const std::string& name) {
    const std::string path = TempDirectory() + "\\" + name;
    DeleteFileA(path.c_str());
    EXPECT_EQ(client.Execute("[FileSaveAs(1,\"" + path + "\")]"), ACK);
    return ReadFileBytes(path);
  }

  StartedProcess merva_;
  HWND frame_ = nullptr;
};

TEST_F(Merva95Dde, SystemAndServiceTopicRequests) {
  RawDdeClient system;
  ASSERT_TRUE(system.Connect("MERVAW", "System"));
  // The empty first document has no topic.
  EXPECT_EQ(RequestText(system, "Topics"), "ROZava\tSystem");
  EXPECT_EQ(RequestText(system, "SysItems"),
            "Topics\tSysItems\tFormats\tStatus\tTopicItemList\tHelp");
  EXPECT_EQ(RequestText(system, "TopicItemList"),
            "Topics\tSysItems\tFormats\tStatus\tTopicItemList\tHelp");
  EXPECT_EQ(RequestText(system, "Formats"), "TEXT");
  EXPECT_EQ(RequestText(system, "Status"), "Ready");
  const std::string help = "See MERVA Help... \"Transferring MERVA data to other applications\"";
  EXPECT_EQ(RequestText(system, "Help"), help);
  std::string data;
  EXPECT_FALSE(system.Request("NoSuchItem", CF_TEXT, data));
  EXPECT_FALSE(system.Request("Topics", CF_BITMAP, data));
  RawDdeClient service;
  ASSERT_TRUE(service.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(RequestText(service, "Formats"), "TEXT");
  EXPECT_EQ(RequestText(service, "TopicItemList"), "Formats\tHelp\tTopicItemList");
  EXPECT_EQ(RequestText(service, "Help"), help);
  EXPECT_FALSE(service.Request("Topics", CF_TEXT, data));
  RawDdeClient other;
  EXPECT_FALSE(other.Connect("MERVAW", "NoSuchTopic"));
  EXPECT_FALSE(other.Connect("OTHER", "System"));
}

TEST_F(Merva95Dde, ExecuteBuildsCurvesAndDocumentRequests) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[Caption(\"Run1\")][XY(1,2)][xy(2,4)][SelectCurve(3)][XY(5,6)]"), ACK);
  EXPECT_EQ(Topics(), "ROZava\tSystem\tRun1");
  RawDdeClient document;
  ASSERT_TRUE(document.Connect("MERVAW", "run1"));
  EXPECT_EQ(RequestText(document, "Formats"), "TEXT");
  EXPECT_EQ(RequestText(document, "NumberOfCurves"), "3");
  EXPECT_EQ(RequestText(document, "NumberOfPoints"), "2\t0\t1");
  EXPECT_EQ(RequestText(document, "TopicItemList"),
            "Formats\tNumberOfCurves\tNumberOfPoints\tTopicItemList\tCurve1\tCurve2\tCurve3");
  EXPECT_EQ(RequestText(document, "Curve1"),
            "  1.000000    \t  2.000000    \r\n  2.000000    \t  4.000000    \r\n");
  EXPECT_EQ(RequestText(document, "Curve2"), "");
  EXPECT_EQ(RequestText(document, "Curve3"), "  5.000000    \t  6.000000    \r\n");
  std::string data;
  EXPECT_FALSE(document.Request("Picture", CF_TEXT, data)) << data.size() << ":" << data;
  EXPECT_FALSE(document.Request("Curve4", CF_TEXT, data));
  EXPECT_FALSE(document.Request("Curve0", CF_TEXT, data));
  EXPECT_FALSE(document.Request("Curve1", CF_BITMAP, data));
  // Pictures of the plot: the data is a handle (Wine's DDE hands a bitmap
  // over in its own form, so only their arrival is checked).
  EXPECT_TRUE(document.Request("Picture", CF_BITMAP, data));
  EXPECT_TRUE(document.Request("Picture", CF_METAFILEPICT, data));
  EXPECT_FALSE(data.empty());

  // Values in general-number form, negative and large.
  EXPECT_EQ(client.Execute("[SelectCurve(2)][XY(-0.5,1234567)][XY(1E20,-3.25E-7)]"), ACK);
  EXPECT_EQ(RequestText(document, "Curve2"),
            "-0.5000000    \t  1234567.    \r\n 0.1000000E+21\t-0.3250000E-06\r\n");
  // Selecting all curves leaves new points on curve 1.
  EXPECT_EQ(client.Execute("[SelectCurve(-1)][XY(3,3)]"), ACK);
  EXPECT_EQ(RequestText(document, "NumberOfPoints"), "3\t2\t1");
  EXPECT_EQ(client.Execute("[ErrorMessages(0)][SelectCurve(0)]"), 0);
}

TEST_F(Merva95Dde, FullCurveFailsWithMessage144AndTheErrorBox) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(
      client.Execute(
          "[ErrorMessages(0)][Caption(\"Full\")][FileArrays(2,3)][XY(1,1)][XY(2,2)][XY(3,3)]"),
      ACK);
  EXPECT_EQ(client.Execute("[XY(4,4)]"), 0);
  EXPECT_EQ(client.Execute("[ErrorMessages(1)][XY(5,5)]"), -1);
  // The program's own message first, then the received text.
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = DialogOfProcess(merva_.pid)) != nullptr; }, 5000));
  std::string seen = WindowText(box) + "|" + BoxText(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  const bool second =
      WaitUntil([&] { return (box = DialogOfProcess(merva_.pid)) != nullptr; }, 3000);
  if (second) {
    seen += "\n" + WindowText(box) + "|" + BoxText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
  }
  EXPECT_NE(seen.find("Cannot add another data point. The currently selected curve already has the "
                      "maximum number of points."),
            std::string::npos)
      << seen;
  EXPECT_NE(seen.find("Error processing this command:|[ErrorMessages(1)][XY(5,5)]"),
            std::string::npos)
      << seen;
  client.Terminate();
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) != 0; }, 5000));
  EXPECT_EQ(Item("Full", "NumberOfPoints"), "3");
  // A curve beyond the capacity grows the arrays and keeps the data.
  RawDdeClient again;
  ASSERT_TRUE(again.Connect("MERVAW", "Full"));
  EXPECT_EQ(again.Execute("[SelectCurve(5)][XY(7,8)]"), ACK);
  EXPECT_EQ(Item("Full", "NumberOfPoints"), "3\t0\t0\t0\t1");
  EXPECT_EQ(Item("Full", "Curve1"),
            "  1.000000    \t  1.000000    \r\n  2.000000    \t  2.000000    \r\n"
            "  3.000000    \t  3.000000    \r\n");
}

TEST_F(Merva95Dde, CommandsWithMenuOperationsReachTheDocument) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[ErrorMessages(0)][Caption(\"Look\")][XY(1,1)][XY(2,4)][XY(3,9)]"
                           "[SelectCurve(2)][XY(1,2)][XY(2,3)][XY(3,4)]"),
            ACK);
  EXPECT_EQ(client.Execute("[TextNote(\"first\\nsecond\",0.25,0.75,1,0,0,8)]"), ACK);
  EXPECT_EQ(client.Execute("[TextFont(1,14,700,1,10,20,300,\"Courier New\")]"), ACK);
  EXPECT_EQ(client.Execute("[TextFont(8,14,700,1,10,20,300,\"Courier New\")]"), 0);
  EXPECT_EQ(client.Execute("[FillBetween(1,2,255,0,0,-1)][FillBetween(1,2,0,0,255,3)]"), ACK);
  EXPECT_EQ(client.Execute("[TextPointLabel(2,2.0,4.0,1,0,\"peak\")]"), ACK);
  EXPECT_EQ(client.Execute("[Color(3,10,20,30)][Color(-1,0,0,0)]"), ACK);
  EXPECT_EQ(client.Execute("[Color(17,0,0,0)]"), 0);
  EXPECT_EQ(client.Execute("[Size(1,5.5,4.25,1)]"), ACK);
  EXPECT_EQ(client.Execute("[MultipleYAxes(1,2.5,3.5)]"), ACK);
  EXPECT_EQ(client.Execute("[MultipleYAxes(2,2,0)]"), ACK);  // curve 2 selected
  EXPECT_EQ(client.Execute("[MultipleYAxes(7,0,0)]"), 0);
  EXPECT_EQ(client.Execute("[Title1(\"Top line\")][XAxisLabel(\"Time\")][YAxisLabel(\"Load\")]"
                           "[Legend(1,\"squares\")][LineType(1,2)][SymbolType(2,3)]"),
            ACK);
  EXPECT_EQ(client.Execute("[GridLines(1)][DenseGridLines(1)][Scale(1)][AutoScale()][AutoSize()]"),
            ACK);
  EXPECT_EQ(client.Execute("[AppShow()][DocMaximize()][DocRestore()][WindowCascade()]"), ACK);
  EXPECT_EQ(client.Execute("[AppShow]"), 0);
  const std::string text = SavedText(client, "look.grf");
  ASSERT_FALSE(text.empty());
  for (const char* expected : {"first", "second", "peak", "Top line", "Time", "Load", "squares"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_TRUE(Alive());
}

TEST_F(Merva95Dde, FileCommandsAndActivate) {
  const std::string dir = TempDirectory();
  const std::string file = ProgramPath("app/EX01.GRF");
  ASSERT_TRUE(FileExists(file));
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[ErrorMessages(0)][Caption(\"First\")][XY(1,1)]"), ACK);
  EXPECT_EQ(client.Execute("[FileNew()][Caption(\"Second\")][XY(1,1)][XY(2,2)]"), ACK);
  EXPECT_EQ(client.Execute("[FILEOPEN(\"" + file + "\")]"), ACK);
  const std::string topics = Topics();
  EXPECT_EQ(topics.rfind("ROZava\tSystem\tFirst\tSecond\t", 0), 0u) << topics;
  EXPECT_EQ(Item("First", "NumberOfPoints"), "1");
  EXPECT_EQ(Item("Second", "NumberOfPoints"), "2");
  // The opened file's topic: its curves.
  const std::string opened = topics.substr(std::string("ROZava\tSystem\tFirst\tSecond\t").size());
  EXPECT_EQ(Item(opened.c_str(), "NumberOfCurves"), "2");
  EXPECT_EQ(client.Execute("[FileNew()] [XY(1,1)]"), 0);  // blank between commands
  // With error messages on, the reader's own message comes first; the
  // client then gets the failure.
  EXPECT_EQ(client.Execute("[ErrorMessages(1)][FileOpen(\"" + dir + "\\missing.grf\")]", 1500), -1);
  std::string box = DismissBox(merva_.pid);
  EXPECT_NE(box.find("missing.grf"), std::string::npos) << box;
  box = DismissBox(merva_.pid);
  EXPECT_EQ(box.rfind("Error processing this command:|[ErrorMessages(1)][FileOpen(", 0), 0u) << box;
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) != 0; }, 5000));
  EXPECT_EQ(client.Execute("[ErrorMessages(0)]"), ACK);
  EXPECT_EQ(client.Execute("[Activate(\"FIRST\")][XY(2,2)]"), ACK);
  EXPECT_EQ(Item("First", "NumberOfPoints"), "2");
  EXPECT_EQ(client.Execute("[Activate(\"nobody\")]"), 0);
  EXPECT_EQ(client.Execute("[Activate(\"second\")][ClearEditFlag()][FileClose()]"), ACK);
  EXPECT_EQ(Topics().find("Second"), std::string::npos);
  EXPECT_EQ(client.Execute("[PostponeRedraw()][XY(5,5)][ViewRedraw()]"), ACK);
  EXPECT_TRUE(Alive());
  EXPECT_EQ(client.Execute("[Activate(\"First\")][ClearEditFlag()]"), ACK);
  EXPECT_EQ(client.Execute("[FileExit()][XY(9,9)]"), ACK) << DismissBox(merva_.pid, 500);
  EXPECT_TRUE(merva_.WaitExit(10000));
}

// With fixed axes each new point inside the window is drawn as one
// segment onto the window's picture.
TEST_F(Merva95Dde, FixedAxesDrawEachNewSegment) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  ASSERT_EQ(client.Execute("[Caption(\"Live\")][XY(0,0)][XY(10,10)][ManualScale(0,0,10,10)]"), ACK);
  for (int i = 1; i <= 9; ++i)
    EXPECT_EQ(client.Execute("[SelectCurve(2)][XY(" + std::to_string(i) + ",5)]"), ACK) << i;
  EXPECT_TRUE(Alive());
  EXPECT_EQ(Item("Live", "NumberOfPoints"), "2\t9");
  EXPECT_EQ(DialogOfProcess(merva_.pid), nullptr);
}

// [ShowCaption( switches the "PrintFileName" setting: on twice stays on,
// and the program keeps it in its settings.
TEST_F(Merva95Dde, ShowCaptionIsKeptInTheSettings) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[ShowCaption(1)][ShowCaption(1)]"), ACK);
  EXPECT_EQ(client.Execute("[FileExit()]"), ACK) << DismissBox(merva_.pid, 500);
  ASSERT_TRUE(merva_.WaitExit(10000));
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  const std::string ini = std::string(windows) + "\\mervaw.ini";
  EXPECT_EQ(GetPrivateProfileIntA("Flags", "PrintFileName", -1, ini.c_str()), 1);
}

// A client that switched error messages off is never left waiting for a
// click: the failure comes back at once and no box of the program opens.
TEST_F(Merva95Dde, ErrorMessagesOffFailsPromptlyWithoutAnyBox) {
  const std::string missing = TempDirectory() + "\\missing.grf";
  DeleteFileA(missing.c_str());
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[ErrorMessages(0)][Caption(\"Quiet\")][XY(1,1)]"), ACK);
  const DWORD start = GetTickCount();
  EXPECT_EQ(client.Execute("[FileOpen(\"" + missing + "\")]", 3000), 0);
  EXPECT_LT(GetTickCount() - start, 2000u);
  // Within one string too, and with the commands before it kept.
  EXPECT_EQ(
      client.Execute("[XY(2,2)][ErrorMessages(0)][FileOpen(\"" + missing + "\")][XY(3,3)]", 3000),
      0);
  // A file type this version cannot read.
  const std::string file = ProgramPath("app/EX01.GRF");
  EXPECT_EQ(client.Execute("[FileType(7)][FileOpen(\"" + file + "\")][FileType(1)]", 3000), 0);
  EXPECT_EQ(client.Execute("[FileType(1)]"), ACK);
  // Text data with ragged or unreadable columns.
  EXPECT_EQ(client.Poke("q1", CF_TEXT, "1 2\r\n3\r\n", 3000), 0);
  EXPECT_EQ(client.Poke("q2", CF_TEXT, "a b\r\nc d\r\n", 3000), 0);
  WaitUntil([] { return false; }, 500);
  EXPECT_EQ(DialogOfProcess(merva_.pid), nullptr) << DismissBox(merva_.pid, 100);
  EXPECT_TRUE(IsWindowEnabled(frame_));
  EXPECT_EQ(Topics(), "ROZava\tSystem\tQuiet");
  EXPECT_EQ(Item("Quiet", "NumberOfPoints"), "2");
  EXPECT_EQ(Item("Quiet", "NumberOfCurves"), "1");
  // The switch belongs to the conversation: another one still gets boxes.
  RawDdeClient other;
  ASSERT_TRUE(other.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(other.Execute("[FileOpen(\"" + missing + "\")]", 1500), -1);
  EXPECT_NE(DismissBox(merva_.pid).find("missing.grf"), std::string::npos);
  EXPECT_NE(DismissBox(merva_.pid).find("Error processing this command:"), std::string::npos);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) != 0; }, 5000));
  EXPECT_EQ(client.Execute("[FileOpen(\"" + missing + "\")]", 3000), 0);
  WaitUntil([] { return false; }, 300);
  EXPECT_EQ(DialogOfProcess(merva_.pid), nullptr) << DismissBox(merva_.pid, 100);
}

// A document filled only by [XY( and never named is reachable by the topic
// the naming rule gives it, "Plot" and its slot number.
TEST_F(Merva95Dde, UnnamedDocumentFilledByXYHasAPlotTopic) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(Topics(), "ROZava\tSystem");
  EXPECT_EQ(client.Execute("[ErrorMessages(0)][XY(1,2)][XY(2,4)]"), ACK);
  EXPECT_EQ(Topics(), "ROZava\tSystem\tPlot1");
  EXPECT_EQ(Item("Plot1", "NumberOfCurves"), "1");
  EXPECT_EQ(Item("Plot1", "NumberOfPoints"), "2");
  EXPECT_EQ(Item("plot1", "Curve1"),
            "  1.000000    \t  2.000000    \r\n  2.000000    \t  4.000000    \r\n");
  // Under a postponed redraw, in a second window, with an empty curve first.
  EXPECT_EQ(client.Execute("[FileNew()][PostponeRedraw()][SelectCurve(2)][XY(5,6)]"), ACK);
  EXPECT_EQ(Topics(), "ROZava\tSystem\tPlot1\tPlot2");
  EXPECT_EQ(Item("Plot2", "NumberOfPoints"), "0\t1");
  EXPECT_EQ(Item("Plot2", "Curve2"), "  5.000000    \t  6.000000    \r\n");
  RawDdeClient document;
  ASSERT_TRUE(document.Connect("MERVAW", "Plot2"));
  EXPECT_EQ(RequestText(document, "TopicItemList"),
            "Formats\tNumberOfCurves\tNumberOfPoints\tTopicItemList\tCurve1\tCurve2");
  // Named later, it keeps one topic: the new name.
  EXPECT_EQ(client.Execute("[Caption(\"Later\")][ViewRedraw()]"), ACK);
  EXPECT_EQ(Topics(), "ROZava\tSystem\tPlot1\tLater");
  RawDdeClient gone;
  EXPECT_FALSE(gone.Connect("MERVAW", "Plot2"));
  // Closing it takes the topic away.
  EXPECT_EQ(client.Execute("[ClearEditFlag()][FileClose()][ClearEditFlag()][FileClose()]"), ACK);
  EXPECT_EQ(Topics(), "ROZava\tSystem");
  EXPECT_TRUE(Alive());
}

TEST_F(Merva95Dde, RefusedOperationsLeaveTheDataAlone) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[ErrorMessages(0)][Caption(\"Data\")][XY(3,1)][XY(1,2)][XY(2,3)]"
                           "[SelectCurve(2)][XY(1,1)][XY(2,2)][XY(3,3)][SelectCurve(1)]"),
            ACK);
  // Curve 1's X is uneven: the spectral and filter operations refuse it;
  // a baseline shift needs the data-processing mode; the link has no server.
  for (const char* command : {"[EditSmooth(1,3)]", "[FFT()]", "[BaselineShift(2,0,1,3)]",
                              "[EditFilter(\"option1\",0,1)]", "[InsertLink(\"a\",\"b\",\"c\")]"}) {
    EXPECT_EQ(client.Execute(command), 0) << command;
  }
  // Appending a missing file with error messages off: the failure at once,
  // without the reader's message.
  EXPECT_EQ(client.Execute("[FileAppend(\"x.grf\")]", 3000), 0);
  WaitUntil([] { return false; }, 300);
  EXPECT_EQ(DialogOfProcess(merva_.pid), nullptr) << DismissBox(merva_.pid, 100);
  EXPECT_TRUE(IsWindowEnabled(frame_));
  // Nothing changed the data.
  EXPECT_EQ(Item("Data", "Curve1"),
            "  3.000000    \t  1.000000    \r\n  1.000000    \t  2.000000    \r\n"
            "  2.000000    \t  3.000000    \r\n");
  // With error messages on, the failure shows the received text.
  EXPECT_EQ(client.Execute("[ErrorMessages(1)][BaselineShift(2,0,1,3)]", 1500), -1);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        return (box = DialogOfProcess(merva_.pid, "Error processing this command:")) != nullptr;
      },
      5000));
  EXPECT_EQ(BoxText(box), "[ErrorMessages(1)][BaselineShift(2,0,1,3)]");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) != 0; }, 5000));
}

TEST_F(Merva95Dde, BinaryPokesInEachFormat) {
  const UINT format = RegisterClipboardFormatA("MERVAW");
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  BinaryPlotHeader h;
  h.version = 2;
  h.curveCapacity = 4;
  h.pointCapacity = 10;
  h.curveCount = 2;
  h.titles[0] = "Poked";
  // Format 0: X of every curve, then Y of every curve.
  h.dataFormat = 0;
  h.pointCounts[0] = 2;
  h.pointCounts[1] = 3;
  EXPECT_EQ(client.Poke("x", format, Header(h, {1, 2, 10, 20, 30, 5, 6, 50, 60, 70})), ACK);
  EXPECT_EQ(Topics(), "ROZava\tSystem\tPlot2");
  EXPECT_EQ(Item("Plot2", "NumberOfPoints"), "2\t3");
  EXPECT_EQ(Item("Plot2", "Curve2"),
            "  10.00000    \t  50.00000    \r\n  20.00000    \t  60.00000    \r\n"
            "  30.00000    \t  70.00000    \r\n");
  // Format 1: DX, X0, then Y of each curve with curve 1's count.
  h.dataFormat = 1;
  h.pointCounts[1] = 0;
  EXPECT_EQ(client.Poke("x", format, Header(h, {0.5f, 1, 7, 8, 9, 10})), ACK);
  EXPECT_EQ(Item("Plot3", "NumberOfPoints"), "2\t2");
  EXPECT_EQ(Item("Plot3", "Curve2"),
            "  1.000000    \t  9.000000    \r\n  1.500000    \t  10.00000    \r\n");
  // Format 2: one set of X values shared by the curves.
  h.dataFormat = 2;
  EXPECT_EQ(client.Poke("x", format, Header(h, {4, 5, 1, 2, 3, 4})), ACK);
  EXPECT_EQ(Item("Plot4", "Curve1"),
            "  4.000000    \t  1.000000    \r\n  5.000000    \t  2.000000    \r\n");
  EXPECT_EQ(Item("Plot4", "Curve2"),
            "  4.000000    \t  3.000000    \r\n  5.000000    \t  4.000000    \r\n");
  // The poking conversation is bound to the new document.
  EXPECT_EQ(client.Execute("[XY(6,5)]"), ACK);
  EXPECT_EQ(Item("Plot4", "NumberOfPoints"), "3\t2");
  const std::string before = Topics();

  // Bad pokes change nothing and never read past the data.
  EXPECT_EQ(client.Poke("x", format, std::string(1619, '\0')), 0);
  EXPECT_EQ(client.Poke("x", format, ""), 0);
  const std::string good = Header(h, {4, 5, 1, 2, 3, 4});
  // (Wine rounds a block's size up to 8 bytes: cut whole values.)
  EXPECT_EQ(client.Poke("x", format, good.substr(0, good.size() - 16)), 0);
  EXPECT_EQ(client.Poke("x", format, good.substr(0, 1620)), 0);
  BinaryPlotHeader huge = h;
  huge.pointCounts[0] = 1000000000;
  huge.pointCapacity = 1000000000;
  EXPECT_EQ(client.Poke("x", format, Header(huge, {4, 5, 1, 2, 3, 4})), 0);
  BinaryPlotHeader many = h;
  many.curveCount = 21;
  EXPECT_EQ(client.Poke("x", format, Header(many, {4, 5, 1, 2, 3, 4})), 0);
  BinaryPlotHeader negative = h;
  negative.pointCounts[0] = -5;
  EXPECT_EQ(client.Poke("x", format, Header(negative, {4, 5, 1, 2, 3, 4})), 0);
  BinaryPlotHeader odd = h;
  odd.dataFormat = 3;
  EXPECT_EQ(client.Poke("x", format, Header(odd, {4, 5, 1, 2, 3, 4})), 0);
  BinaryPlotHeader old = h;
  old.version = 1;
  EXPECT_EQ(client.Poke("x", format, Header(old, {4, 5, 1, 2, 3, 4})), 0);
  EXPECT_EQ(client.Poke("x", CF_BITMAP, good), 0);
  EXPECT_EQ(Topics(), before);
  EXPECT_TRUE(Alive());
}

// One curve of `points` points in binary format 1.
std::string OneCurvePoke(int points) {
  BinaryPlotHeader h;
  h.version = 2;
  h.dataFormat = 1;
  h.curveCapacity = 1;
  h.pointCapacity = points;
  h.curveCount = 1;
  h.pointCounts[0] = points;
  std::vector<float> values(2 + static_cast<std::size_t>(points));
  values[0] = 0.5f;
  values[1] = 0.0f;
  for (int i = 0; i < points; ++i) values[static_cast<std::size_t>(2 + i)] = float(i % 977);
  return Header(h, values);
}

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine carries a DDE block of a little over 2 MB at most; merva95 refuses a
// reply beyond 2,000,000 bytes there, and survives a poke that never comes.
TEST_F(Merva95Dde, LargeBlocksAnswerCleanly) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  const UINT binary = RegisterClipboardFormatA("MERVAW");
  // 64,516 points: 1,999,996 bytes of text and its NUL.
  ASSERT_EQ(client.Poke("a", binary, OneCurvePoke(64516), 20000), ACK);
  ASSERT_EQ(Topics(), "ROZava\tSystem\tPlot2");
  RawDdeClient document;
  ASSERT_TRUE(document.Connect("MERVAW", "Plot2"));
  std::string text;
  DWORD start = GetTickCount();
  ASSERT_TRUE(document.Request("Curve1", CF_TEXT, text, 20000));
  EXPECT_LT(GetTickCount() - start, 5000u);
  ASSERT_EQ(text.size(), 64516u * 31u);
  EXPECT_EQ(text.substr(0, 62),
            " 0.0000000E+00\t 0.0000000E+00\r\n 0.5000000    \t  1.000000    \r\n");
  EXPECT_EQ(text.substr(text.size() - 31), "  32257.50    \t  33.00000    \r\n");
  // One point more: refused at once under Wine instead of lost on the way.
  ASSERT_EQ(client.Poke("b", binary, OneCurvePoke(64517), 20000), ACK);
  ASSERT_EQ(Topics(), "ROZava\tSystem\tPlot2\tPlot3");
  RawDdeClient larger;
  ASSERT_TRUE(larger.Connect("MERVAW", "Plot3"));
  start = GetTickCount();
  const bool arrived = larger.Request("Curve1", CF_TEXT, text, 20000);
  EXPECT_LT(GetTickCount() - start, 5000u);
  if (UnderWine()) EXPECT_FALSE(arrived);
  EXPECT_EQ(RequestText(larger, "NumberOfPoints"), "64517");
  // A poke of 2,400,000 bytes never reaches the program under Wine: the
  // client hears nothing, the program goes on with its documents.
  const int status = client.Poke("c", binary, OneCurvePoke(600000), 5000);
  if (UnderWine()) EXPECT_EQ(status, -1);
  EXPECT_TRUE(Alive());
  EXPECT_EQ(Topics(),
            UnderWine() ? "ROZava\tSystem\tPlot2\tPlot3" : "ROZava\tSystem\tPlot2\tPlot3\tPlot4");
  EXPECT_EQ(Item("Plot2", "NumberOfPoints"), "64516");
  RawDdeClient after;
  ASSERT_TRUE(after.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(after.Execute("[ErrorMessages(0)][FileNew()][XY(1,2)]"), ACK);
  EXPECT_EQ(Item(UnderWine() ? "Plot4" : "Plot5", "Curve1"), "  1.000000    \t  2.000000    \r\n");
}

TEST_F(Merva95Dde, TextPokesMakePokedData) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Poke("x", CF_TEXT, "1\t10\t100\r\n2\t20\t200\r\n3\t30\t300\r\n"), ACK);
  EXPECT_EQ(Topics(), "ROZava\tSystem\tPokedData");
  EXPECT_EQ(Item("PokedData", "NumberOfPoints"), "3\t3");
  EXPECT_EQ(Item("PokedData", "Curve2"),
            "  1.000000    \t  100.0000    \r\n  2.000000    \t  200.0000    \r\n"
            "  3.000000    \t  300.0000    \r\n");
  // (Each poke its own item: a late answer of a poke that waited for a
  // message box must not pass for the next one's.)
  // Ragged or unreadable columns: the reader's message, then not processed.
  EXPECT_EQ(client.Poke("r1", CF_TEXT, "1 2\r\n3\r\n", 1500), -1);
  std::string seen = DismissBox(merva_.pid);
  EXPECT_FALSE(seen.empty());
  std::printf("ragged: %s\n", seen.c_str());
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) != 0; }, 5000));
  const int status = client.Poke("r2", CF_TEXT, "a b\r\nc d\r\n", 1500);
  if (status == -1) {
    while (!(seen = DismissBox(merva_.pid, 1000)).empty())
      std::printf("unreadable: %s\n", seen.c_str());
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) != 0; }, 5000));
  } else {
    EXPECT_EQ(status, 0);
  }
  EXPECT_EQ(Item("PokedData", "NumberOfCurves"), "2");
  EXPECT_EQ(client.Poke("r3", CF_TEXT, std::string("1 2\r\n\0\0 9 9", 11)), ACK);
  EXPECT_EQ(Item("PokedData", "NumberOfCurves"), "3");
  EXPECT_EQ(Item("PokedData", "Curve3"), "  1.000000    \t  2.000000    \r\n");
}

TEST_F(Merva95Dde, HotLinksOnCurvesAndPicture) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[Caption(\"Live\")][SelectCurve(2)][XY(1,1)]"), ACK);
  RawDdeClient sheet;
  ASSERT_TRUE(sheet.Connect("MERVAW", "Live"));
  ASSERT_TRUE(sheet.Advise("Curve2", CF_TEXT));
  EXPECT_FALSE(sheet.Advise("Curve9", CF_TEXT));
  RawDdeClient viewer;
  ASSERT_TRUE(viewer.Connect("MERVAW", "Live"));
  ASSERT_TRUE(viewer.Advise("Picture", CF_METAFILEPICT));
  EXPECT_FALSE(viewer.Advise("Picture", CF_TEXT));
  EXPECT_EQ(client.Execute("[XY(2,5)]"), ACK);
  EXPECT_TRUE(WaitUntil([&] { return sheet.adviseCount >= 1; }, 5000));
  EXPECT_EQ(sheet.lastAdvise,
            "  1.000000    \t  1.000000    \r\n  2.000000    \t  5.000000    \r\n");
  EXPECT_TRUE(WaitUntil([&] { return viewer.adviseCount >= 1; }, 5000));
  const int before = sheet.adviseCount;
  const int pictures = viewer.adviseCount;
  EXPECT_EQ(client.Execute("[PostponeRedraw()][XY(3,5)]"), ACK);
  EXPECT_EQ(client.Execute("[XY(4,5)]"), ACK);
  WaitUntil([] { return false; }, 400);
  EXPECT_EQ(sheet.adviseCount, before);
  EXPECT_EQ(viewer.adviseCount, pictures);
  EXPECT_EQ(client.Execute("[ViewRedraw()]"), ACK);
  EXPECT_TRUE(WaitUntil([&] { return sheet.adviseCount > before; }, 5000));
  EXPECT_EQ(sheet.lastAdvise.size(), 4u * 31u);
  EXPECT_TRUE(WaitUntil([&] { return viewer.adviseCount > pictures; }, 5000));
  // A change of curve 1 only does not notify curve 2.
  const int now = sheet.adviseCount;
  EXPECT_EQ(client.Execute("[SelectCurve(1)][XY(1,1)]"), ACK);
  WaitUntil([] { return false; }, 400);
  EXPECT_EQ(sheet.adviseCount, now);
}

TEST_F(Merva95Dde, BusyWhileAModalDialogHoldsTheFrame) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  RawDdeClient system;
  ASSERT_TRUE(system.Connect("MERVAW", "System"));
  EXPECT_EQ(client.Execute("[Caption(\"Held\")][XY(1,1)]"), ACK);
  PostMessageA(frame_, WM_COMMAND, IDM_ABOUT_COMMAND, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) == 0; }, 5000));
  HWND box = nullptr;
  // The frame is disabled before the box shows.
  ASSERT_TRUE(WaitUntil([&] { return (box = DialogOfProcess(merva_.pid)) != nullptr; }, 5000));
  EXPECT_EQ(client.Execute("[XY(2,2)]"), BUSY);
  EXPECT_EQ(client.Poke("x", CF_TEXT, "1 2\r\n"), BUSY);
  EXPECT_EQ(client.Poke("x", RegisterClipboardFormatA("MERVAW"), std::string(2000, '\0')), BUSY);
  EXPECT_EQ(RequestText(system, "Status"), "Busy");
  const std::string file = ProgramPath("app/EX01.GRF");
  const ATOM atom = GlobalAddAtomA(file.c_str());
  EXPECT_EQ(SendMessageA(frame_, RegisterWindowMessageA("Plot MERVA File"), atom, 0x10000), 2);
  GlobalDeleteAtom(atom);
  PostMessageA(box, WM_CLOSE, 0, 0);
  SendMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) != 0; }, 5000));
  EXPECT_EQ(RequestText(system, "Status"), "Ready");
  EXPECT_EQ(client.Execute("[XY(2,2)]"), ACK);
  EXPECT_EQ(Item("Held", "NumberOfPoints"), "2");
  // [Enable(0)] keeps the frame disabled; strings still run and the
  // disconnect gives the interface back.
  EXPECT_EQ(client.Execute("[Enable(0)]"), ACK);
  EXPECT_FALSE(IsWindowEnabled(frame_));
  EXPECT_EQ(client.Execute("[XY(3,3)]"), ACK);
  client.Terminate();
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) != 0; }, 5000));
}

TEST_F(Merva95Dde, HandoffMessages) {
  const UINT plot = RegisterWindowMessageA("Plot MERVA File");
  const UINT print = RegisterWindowMessageA("Print MERVA File");
  const UINT bitmap = RegisterWindowMessageA("Get Bitmap");
  const std::string dir = TempDirectory();
  const std::string ex01 = ReadFileBytes(ProgramPath("app/EX01.GRF"));
  ASSERT_FALSE(ex01.empty());
  ASSERT_TRUE(WriteFileBytes(dir + "\\a.grf", ex01));
  ASSERT_TRUE(WriteFileBytes(dir + "\\b.grf", ex01));
  auto send = [&](UINT message, const std::string& text, LPARAM parameter) {
    const ATOM atom = GlobalAddAtomA(text.c_str());
    const LRESULT result = SendMessageA(frame_, message, atom, parameter);
    GlobalDeleteAtom(atom);
    return result;
  };
  const std::string before = Topics();
  EXPECT_EQ(send(plot, dir + "\\missing.grf", 0x10000), 4);
  EXPECT_EQ(SendMessageA(frame_, plot, 0xFFF0, 0x10000), 3);  // no such atom
  EXPECT_EQ(SendMessageA(frame_, plot, 0, 0x10000), 3);
  EXPECT_EQ(SendMessageA(frame_, WM_PREFERENCE_FILE, 0xFFF0, 0), 3);
  EXPECT_EQ(Topics(), before);
  EXPECT_EQ(send(plot, dir + "\\a.grf+b.grf", 0x10000), 1);
  std::string topics;
  ASSERT_TRUE(WaitUntil([&] { return (topics = Topics()) != before; }, 10000));
  EXPECT_EQ(topics, "ROZava\tSystem\ta.grf") << topics;
  // One window with the curves of both files.
  const int both = std::stoi(Item("a.grf", "NumberOfCurves"));
  EXPECT_EQ(both, 4);
  EXPECT_EQ(SendMessageA(frame_, bitmap, 9, 0), 0);
  const LRESULT picture = SendMessageA(frame_, bitmap, 0, 0);
  EXPECT_NE(picture, 0);
  // (The bitmap handle belongs to the receiving process under Wine.)
  if (HWND box = DialogOfProcess(merva_.pid))
    ADD_FAILURE() << WindowText(box) << "|" << BoxText(box);
  if (HWND box = DialogOfProcess(merva_.pid)) {
    std::printf("open dialog: %s\n", DismissBox(merva_.pid).c_str());
  }
  // A preference file is applied to the active document.
  const std::string prefs = dir + "\\look.pre";
  ASSERT_TRUE(WriteFileBytes(prefs, ex01));
  EXPECT_EQ(send(WM_PREFERENCE_FILE, dir + "\\missing.pre", 0), 4);
  const ATOM posted = GlobalAddAtomA(prefs.c_str());
  PostMessageA(frame_, WM_PREFERENCE_FILE, posted, 0);
  EXPECT_TRUE(Alive());
  // The print request opens the file, then the print command follows.
  EXPECT_EQ(send(print, dir + "\\b.grf", 0x10000), 1);
  EXPECT_TRUE(WaitUntil([&] { return Topics().find("b.grf") != std::string::npos; }, 10000));
  EXPECT_TRUE(Alive());
}

// The shell's own DDE client runs the open verb that the program
// registered at start-up.
TEST_F(Merva95Dde, ShellOpenVerbReachesTheRunningProgram) {
  const std::string dir = TempDirectory();
  const std::string file = dir + "\\shell.grf";
  ASSERT_TRUE(WriteFileBytes(file, ReadFileBytes(ProgramPath("app/EX01.GRF"))));
  char command[MAX_PATH] = {};
  LONG size = sizeof command;
  ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, "MERVAW\\shell\\open\\ddeexec", command, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(command, "[FileOpen(\"%1\")]");
  EXPECT_EQ(DocumentWindows(frame_), 1);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  EXPECT_GT(result, 32);
  EXPECT_TRUE(WaitUntil([&] { return Topics().find("shell.grf") != std::string::npos; }, 15000))
      << Topics();
  EXPECT_EQ(Item("shell.grf", "NumberOfCurves"), "2");
  // A window of its own; the empty first one stays.
  EXPECT_EQ(DocumentWindows(frame_), 2);
  // Still the one program.
  EXPECT_TRUE(Alive());
  EXPECT_EQ(FindWindowA("MERVA/W", nullptr), frame_);
  // With every window closed, the verb still opens the file.
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[FileClose()][FileClose()]"), ACK);
  EXPECT_EQ(DocumentWindows(frame_), 0);
  ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  EXPECT_TRUE(WaitUntil([&] { return DocumentWindows(frame_) == 1; }, 15000));
  EXPECT_NE(Topics().find("shell.grf"), std::string::npos);
  EXPECT_EQ(DismissBox(merva_.pid, 500), "");
}

// The print verb opens, prints and closes the file in the running program:
// closing its only document ends the string well, so no error box.
TEST_F(Merva95Dde, ShellPrintVerbOpensPrintsAndCloses) {
  const std::string file = TempDirectory() + "\\printed.grf";
  ASSERT_TRUE(WriteFileBytes(file, ReadFileBytes(ProgramPath("app/EX01.GRF"))));
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "print", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  EXPECT_GT(result, 32);
  EXPECT_EQ(DismissBox(merva_.pid, 5000), "");
  EXPECT_TRUE(Alive());
  EXPECT_EQ(Topics(), "ROZava\tSystem");
  EXPECT_EQ(DocumentWindows(frame_), 1);  // the empty first window
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[FileClose()]"), ACK);
  // No document left: a client has nothing to act on, and gets no box,
  // but it can still open a file.
  EXPECT_EQ(client.Execute("[XY(1,1)]"), 0);
  EXPECT_EQ(client.Execute("[FileOpen(\"" + file + "\")][XY(1,1)]"), ACK);
  EXPECT_NE(Topics().find("printed.grf"), std::string::npos);
  EXPECT_TRUE(Alive());
}

TEST_F(Merva95Dde, BadCommandStrings) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[ErrorMessages(0)][Caption(\"Bad\")][XY(1,1)]"), ACK);
  std::string ok;
  while (ok.size() + 9 <= 1024) ok += "[XY(1,2)]";
  ok.resize(1008);
  ok += "[XY(1,22222222)]";
  ASSERT_EQ(ok.size(), 1024u);
  const std::string points = Item("Bad", "NumberOfPoints");
  EXPECT_EQ(client.Execute(ok + "]"), 0);  // 1025: not interpreted at all
  EXPECT_EQ(Item("Bad", "NumberOfPoints"), points);
  EXPECT_EQ(client.Execute(ok), ACK);
  EXPECT_EQ(Item("Bad", "NumberOfPoints"), std::to_string(std::stoi(points) + 113));
  for (const std::string bad : {"[XY(1,2)",
                                "[XY(1,2",
                                "[Title1(\"abc)]",
                                "[Title1(abc\")]",
                                "[Title1()]",
                                "[[XY(1,2)]",
                                "XY(1,2)",
                                "[SelectCurve(99999999999)]",
                                "[SelectCurve(2147483648)]",
                                "[SelectCurve(-2147483649)]",
                                "[XY(1e39,1)]",
                                "[XY(a,b)]",
                                "[XY()]",
                                "]",
                                "[",
                                "\"",
                                "[Caption(\"unterminated",
                                "[Activate(\"x)",
                                "[Color(1,2,3)]",
                                "[Color(1,2,3,4,5)]x"}) {
    EXPECT_EQ(client.Execute(bad), 0) << bad;
  }
  // NUL bytes end the string where they stand.
  EXPECT_EQ(client.Execute(std::string("[XY(7,7)]\0[Bogus()]", 19)), ACK);
  EXPECT_EQ(client.Execute(std::string("\0[Bogus()]", 10)), 0);
  EXPECT_EQ(client.Execute("[SelectCurve(2147483647)]"), 0);  // too many curves to allocate
  EXPECT_EQ(client.Execute("[Title1(\"" + std::string(200, 'T') + "\")][XY(8,8)]"), ACK);
  EXPECT_EQ(client.Execute("[Caption(\"" + std::string(300, 'C') + "\")]"), ACK);
  EXPECT_TRUE(Alive());
  EXPECT_EQ(Topics(), "ROZava\tSystem\t" + std::string(128, 'C'));
}

TEST_F(Merva95Dde, HundredAndFirstConversationIsRefusedItsExecutes) {
  std::vector<std::unique_ptr<RawDdeClient>> clients;
  for (int i = 0; i < 101; ++i) {
    clients.push_back(std::make_unique<RawDdeClient>());
    ASSERT_TRUE(clients.back()->Connect("MERVAW", "ROZava")) << i;
  }
  EXPECT_EQ(clients[0]->Execute("[ErrorMessages(0)][Caption(\"Many\")][XY(1,1)]"), ACK);
  EXPECT_EQ(clients[99]->Execute("[ErrorMessages(0)][XY(1,1)]"), ACK);
  EXPECT_EQ(clients[100]->Execute("[XY(1,1)]"), 0);
  clients[5]->Terminate();
  RawDdeClient late;
  ASSERT_TRUE(late.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(late.Execute("[XY(1,1)]"), ACK);
  EXPECT_EQ(Item("Many", "NumberOfPoints"), "3");
  clients.clear();
  EXPECT_TRUE(Alive());
}

}  // namespace
}  // namespace merva::test
