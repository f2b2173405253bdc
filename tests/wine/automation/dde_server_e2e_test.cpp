#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "automation/binary_plot.h"
#include "harness/raw_dde_client.h"
#include "harness/wine_harness.h"

namespace merva::test {
namespace {

constexpr UINT WM_TEST_DISABLE = WM_APP + 1;
constexpr UINT WM_TEST_ENABLE = WM_APP + 2;
constexpr int ACK = 0x8000;
constexpr int BUSY = 0x4000;

// One server program per test, ended by its id.
class DdeServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = StartProgram(ProgramPath("tests/wine/dde_test_server.exe"), "");
    ASSERT_NE(server_.pid, 0u);
    ASSERT_TRUE(WaitUntil(
        [&] {
          frame_ = FindWindowOfProcess(server_.pid, "MERVATESTFRAME");
          return frame_ && WindowText(frame_).rfind("messages=", 0) == 0;
        },
        20000));
  }
  void TearDown() override { server_.End(); }

  std::string Title() { return WindowText(frame_); }
  std::string RequestText(RawDdeClient& client, const char* item) {
    std::string data;
    EXPECT_TRUE(client.Request(item, CF_TEXT, data)) << item;
    return data;
  }

  StartedProcess server_;
  HWND frame_ = nullptr;
};

TEST_F(DdeServerTest, SystemTopicRequests) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "System"));
  EXPECT_EQ(RequestText(client, "Topics"), "ROZava\tSystem");
  EXPECT_EQ(RequestText(client, "SysItems"),
            "Topics\tSysItems\tFormats\tStatus\tTopicItemList\tHelp");
  EXPECT_EQ(RequestText(client, "Formats"), "TEXT");
  EXPECT_EQ(RequestText(client, "Status"), "Ready");
  EXPECT_EQ(RequestText(client, "Help"),
            "See MERVA Help... \"Transferring MERVA data to other applications\"");
  std::string data;
  EXPECT_FALSE(client.Request("NoSuchItem", CF_TEXT, data));
  RawDdeClient other;
  EXPECT_FALSE(other.Connect("MERVAW", "NoSuchTopic"));
  EXPECT_FALSE(other.Connect("OTHER", "System"));
}

TEST_F(DdeServerTest, ExecuteThenRequestCurves) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(RequestText(client, "TopicItemList"), "Formats\tHelp\tTopicItemList");
  EXPECT_EQ(client.Execute("[Caption(\"Run1\")][XY(1,2)][XY(2,4)][SelectCurve(2)][XY(5,6)]"), ACK);
  RawDdeClient system;
  ASSERT_TRUE(system.Connect("MERVAW", "System"));
  EXPECT_EQ(RequestText(system, "Topics"), "ROZava\tSystem\tRun1");
  RawDdeClient document;
  ASSERT_TRUE(document.Connect("MERVAW", "run1"));
  EXPECT_EQ(RequestText(document, "NumberOfCurves"), "2");
  EXPECT_EQ(RequestText(document, "NumberOfPoints"), "2\t1");
  EXPECT_EQ(RequestText(document, "TopicItemList"),
            "Formats\tNumberOfCurves\tNumberOfPoints\tTopicItemList\tCurve1\tCurve2");
  EXPECT_EQ(RequestText(document, "Curve1"),
            "  1.000000    \t  2.000000    \r\n  2.000000    \t  4.000000    \r\n");
  std::string data;
  EXPECT_FALSE(document.Request("Curve3", CF_TEXT, data));
  // Wine's DDEML hands a bitmap over in its own form: only check that it
  // answers with data.
  EXPECT_TRUE(document.Request("Picture", CF_BITMAP, data));
  EXPECT_TRUE(document.Request("Picture", CF_METAFILEPICT, data));
  EXPECT_FALSE(document.Request("Curve1", CF_BITMAP, data));
}

TEST_F(DdeServerTest, FailuresLengthsAndBadStrings) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[ErrorMessages(0)]"), ACK);
  std::string exact;
  while (exact.size() + 9 <= 1024) exact += "[XY(1,2)]";
  exact += std::string(1024 - exact.size(), ']');
  exact.replace(exact.size() - (1024 - 113 * 9), 1024 - 113 * 9, "");  // 1017 characters
  exact = exact.substr(0, 1017) + "[Say()]";  // unknown, but 1024 long: interpreted and fails
  EXPECT_EQ(exact.size(), 1024u);
  EXPECT_EQ(client.Execute(exact), 0);
  EXPECT_EQ(client.Execute(exact.substr(0, 1017)), ACK);
  EXPECT_EQ(client.Execute(exact + "x"), 0);  // 1025: ignored
  EXPECT_EQ(client.Execute("[XY(1,2)"), 0);
  EXPECT_EQ(client.Execute("[Title1(\"abc)]"), 0);
  EXPECT_EQ(client.Execute("[SelectCurve(99999999999)]"), 0);
  EXPECT_EQ(client.Execute("[Say(\"nobody listens\")]"), ACK);  // no speech service
  EXPECT_EQ(Title().find("messages=0"), 0u);
  EXPECT_EQ(client.Execute("[ErrorMessages(1)][Bogus()]"), 0);
  EXPECT_TRUE(WaitUntil([&] { return Title().find("messages=1") == 0; }, 5000));
}

TEST_F(DdeServerTest, BusyWhileTheFrameIsDisabled) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  RawDdeClient system;
  ASSERT_TRUE(system.Connect("MERVAW", "System"));
  SendMessageA(frame_, WM_TEST_DISABLE, 0, 0);
  EXPECT_EQ(client.Execute("[XY(1,2)]"), BUSY);
  EXPECT_EQ(client.Poke("x", CF_TEXT, "1 2\r\n"), BUSY);
  EXPECT_EQ(RequestText(system, "Status"), "Busy");
  SendMessageA(frame_, WM_TEST_ENABLE, 0, 0);
  EXPECT_EQ(client.Execute("[XY(1,2)]"), ACK);
  EXPECT_EQ(RequestText(system, "Status"), "Ready");
  // [Enable(0)] leaves the frame disabled; strings are still accepted, and
  // the disconnect gives the interface back.
  EXPECT_EQ(client.Execute("[Enable(0)]"), ACK);
  EXPECT_FALSE(IsWindowEnabled(frame_));
  EXPECT_EQ(client.Execute("[XY(3,4)]"), ACK);
  client.Terminate();
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(frame_) != 0; }, 5000));
}

TEST_F(DdeServerTest, BinaryPokeOpensADocument) {
  BinaryPlotHeader h;
  h.version = 2;
  h.dataFormat = 1;
  h.curveCapacity = 5;
  h.pointCapacity = 50;
  h.curveCount = 2;
  h.pointCounts[0] = 3;
  h.titles[0] = "Poked plot";
  const float values[] = {0.5f, 1.0f, 10, 20, 30, 40, 50, 60};
  const std::string bytes = WriteBinaryPlot(h, values, 8);
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  const UINT format = RegisterClipboardFormatA("MERVAW");
  EXPECT_EQ(client.Poke("x", format, bytes), ACK);
  RawDdeClient system;
  ASSERT_TRUE(system.Connect("MERVAW", "System"));
  EXPECT_EQ(RequestText(system, "Topics"), "ROZava\tSystem\tPlot2");
  RawDdeClient document;
  ASSERT_TRUE(document.Connect("MERVAW", "Plot2"));
  EXPECT_EQ(RequestText(document, "NumberOfPoints"), "3\t3");
  EXPECT_EQ(RequestText(document, "Curve2").substr(0, 31), "  1.000000    \t  40.00000    \r\n");

  // Short, ragged and absurd pokes change nothing.
  EXPECT_EQ(client.Poke("x", format, bytes.substr(0, 1000)), 0);
  EXPECT_EQ(client.Poke("x", format, bytes.substr(0, bytes.size() - 4)), 0);
  BinaryPlotHeader huge = h;
  huge.pointCounts[0] = 1000000000;
  huge.pointCapacity = 1000000000;
  EXPECT_EQ(client.Poke("x", format, WriteBinaryPlot(huge, values, 8)), 0);
  BinaryPlotHeader old = h;
  old.version = 1;
  EXPECT_EQ(client.Poke("x", format, WriteBinaryPlot(old, values, 8)), 0);
  EXPECT_EQ(client.Poke("x", CF_BITMAP, bytes), 0);
  EXPECT_EQ(RequestText(system, "Topics"), "ROZava\tSystem\tPlot2");
  EXPECT_EQ(RequestText(document, "NumberOfPoints"), "3\t3");
}

TEST_F(DdeServerTest, TextPokeMakesPokedData) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Poke("x", CF_TEXT, "1\t10\t100\r\n2\t20\t200\r\n3\t30\t300\r\n"), ACK);
  RawDdeClient system;
  ASSERT_TRUE(system.Connect("MERVAW", "System"));
  EXPECT_EQ(RequestText(system, "Topics"), "ROZava\tSystem\tPokedData");
  RawDdeClient document;
  ASSERT_TRUE(document.Connect("MERVAW", "PokedData"));
  EXPECT_EQ(RequestText(document, "NumberOfPoints"), "3\t3");
  EXPECT_EQ(client.Poke("x", CF_TEXT, "1 2\r\n3\r\n"), 0);  // ragged
  EXPECT_EQ(client.Poke("x", CF_TEXT, std::string("1 2\r\n\0\0", 7)), ACK);
  EXPECT_EQ(RequestText(document, "NumberOfCurves"), "3");
}

TEST_F(DdeServerTest, HotLinkFollowsRedrawsButNotPostponedOnes) {
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[Caption(\"Live\")][SelectCurve(2)][XY(1,1)]"), ACK);
  RawDdeClient spreadsheet;
  ASSERT_TRUE(spreadsheet.Connect("MERVAW", "Live"));
  ASSERT_TRUE(spreadsheet.Advise("Curve2", CF_TEXT));
  EXPECT_FALSE(spreadsheet.Advise("Curve9", CF_TEXT));
  EXPECT_EQ(client.Execute("[XY(2,5)]"), ACK);
  EXPECT_TRUE(WaitUntil([&] { return spreadsheet.adviseCount >= 1; }, 5000));
  EXPECT_EQ(spreadsheet.lastAdvise.size(), 62u);
  const int before = spreadsheet.adviseCount;
  EXPECT_EQ(client.Execute("[PostponeRedraw()][XY(3,5)]"), ACK);
  EXPECT_EQ(client.Execute("[XY(4,5)]"), ACK);
  Sleep(300);
  std::string data;
  spreadsheet.Request("Curve2", CF_TEXT, data);
  EXPECT_EQ(spreadsheet.adviseCount, before);
  EXPECT_EQ(client.Execute("[ViewRedraw()]"), ACK);
  EXPECT_TRUE(WaitUntil([&] { return spreadsheet.adviseCount > before; }, 5000));
  EXPECT_EQ(spreadsheet.lastAdvise.size(), 4u * 31u);
}

TEST_F(DdeServerTest, HundredAndFirstConversationIsNotRecorded) {
  std::vector<std::unique_ptr<RawDdeClient>> clients;
  for (int i = 0; i < 101; ++i) {
    clients.push_back(std::make_unique<RawDdeClient>());
    ASSERT_TRUE(clients.back()->Connect("MERVAW", "ROZava")) << i;
  }
  EXPECT_EQ(clients[99]->Execute("[XY(1,1)]"), ACK);
  EXPECT_EQ(clients[100]->Execute("[XY(1,1)]"), 0);
  clients[5]->Terminate();
  RawDdeClient late;
  ASSERT_TRUE(late.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(late.Execute("[XY(1,1)]"), ACK);  // a freed record is taken again
}

TEST_F(DdeServerTest, HandoffMessages) {
  const UINT plot = RegisterWindowMessageA("Plot MERVA File");
  const UINT print = RegisterWindowMessageA("Print MERVA File");
  const UINT bitmap = RegisterWindowMessageA("Get Bitmap");
  const std::string dir = TempDirectory();
  ASSERT_TRUE(WriteFileBytes(dir + "\\a.grf", "x"));
  ASSERT_TRUE(WriteFileBytes(dir + "\\b.grf", "x"));
  auto send = [&](UINT message, const std::string& text, LPARAM parameter) {
    const ATOM atom = GlobalAddAtomA(text.c_str());
    const LRESULT result = SendMessageA(frame_, message, atom, parameter);
    GlobalDeleteAtom(atom);
    return result;
  };
  EXPECT_EQ(send(plot, dir + "\\missing.grf", 0x10000), 4);
  EXPECT_EQ(Title().find("opened= "), Title().find("opened="));
  EXPECT_EQ(send(plot, dir + "\\a.grf+b.grf", 0x10000), 1);
  // The answer comes before the files are read.
  EXPECT_TRUE(
      WaitUntil([&] { return Title().find("opened=a.grf+b.grf ") != std::string::npos; }, 5000));
  EXPECT_EQ(SendMessageA(frame_, plot, 0xFFF0, 0x10000), 3);  // no such atom
  SendMessageA(frame_, WM_TEST_DISABLE, 0, 0);
  EXPECT_EQ(send(plot, dir + "\\a.grf", 0x10000), 2);
  SendMessageA(frame_, WM_TEST_ENABLE, 0, 0);
  EXPECT_EQ(send(print, dir + "\\b.grf", 0x10000), 1);
  // File Print with its dialog, after the file was read.
  EXPECT_TRUE(WaitUntil([&] { return Title().find("print=1/0 ") != std::string::npos; }, 5000))
      << Title();
  // A file that exists but cannot be read prints nothing.
  ASSERT_TRUE(WriteFileBytes(dir + "\\unreadable.grf", "x"));
  EXPECT_EQ(send(print, dir + "\\unreadable.grf", 0x10000), 1);
  EXPECT_TRUE(
      WaitUntil([&] { return Title().find("opened=unreadable.grf ") != std::string::npos; }, 5000));
  MSG pending;
  for (int i = 0; i < 20; ++i) {
    Sleep(25);
    PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
  }
  EXPECT_NE(Title().find("print=1/0 "), std::string::npos) << Title();
  EXPECT_EQ(SendMessageA(frame_, bitmap, 9, 0), 0);
  EXPECT_NE(SendMessageA(frame_, bitmap, 0, 0), 0);
  // A posted request: the receiver deletes the atom once it has read it.
  const ATOM posted = GlobalAddAtomA((dir + "\\a.grf").c_str());
  PostMessageA(frame_, WM_APP + 0x3A1, posted, 0);
  EXPECT_TRUE(WaitUntil([&] { return Title().find("prefs=a.grf") != std::string::npos; }, 5000));
  char name[300];
  EXPECT_EQ(GlobalGetAtomNameA(posted, name, sizeof name), 0u);
}

}  // namespace
}  // namespace merva::test
