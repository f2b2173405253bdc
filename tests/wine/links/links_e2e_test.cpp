// Hot links of the real program as a DDE client: against a spreadsheet
// stand-in that speaks raw DDE, and against the program's own DDEML server
// (Copy of a curve, Paste Link into another window).

#include <gtest/gtest.h>

#include <string>

#include "harness/merva_dde_fixture.h"

namespace merva::test {
namespace {

constexpr UINT STAND_IN_UPDATE = WM_APP + 1;
constexpr UINT STAND_IN_DIE = WM_APP + 2;
constexpr UINT STAND_IN_UPDATE_AND_DIE = WM_APP + 3;
constexpr int IDM_PASTE_LINK = 4119;
constexpr int IDM_INSERT_LINK = 4120;

// The reply of an item of a topic; empty when there is none.
std::string Served(const char* topic, const char* item) {
  RawDdeClient client;
  std::string data;
  if (!client.Connect("MERVAW", topic) || !client.Request(item, CF_TEXT, data)) return "";
  return data.substr(0, data.find('\0'));
}

std::string Row(const char* x, const char* y) { return std::string(x) + "\t" + y + "\r\n"; }

class Links : public MervaDdeTest {
 protected:
  void SetUp() override {
    const std::string standIn = ProgramPath("tests/wine/link_stand_in.exe");
    if (!Exists(standIn)) GTEST_SKIP() << "link_stand_in.exe is not built";
    sheet_ = StartProgram(standIn, "SHEET Book1");
    ASSERT_NE(sheet_.pid, 0u);
    ASSERT_TRUE(WaitUntil([&] { return (sheetWindow_ = FindWindowA("MERVALINKSTANDIN", "SHEET")); },
                          10000));
    StartMerva();
  }
  void TearDown() override {
    MervaDdeTest::TearDown();
    sheet_.End();
  }
  int Link(const std::string& item) {
    return client_.Execute("[InsertLink(\"SHEET\",\"Book1\",\"" + item + "\")]", 20000);
  }

  StartedProcess sheet_;
  HWND sheetWindow_ = nullptr;
};

TEST_F(Links, ThreeColumnsMakeTwoCurvesThatFollowTheSheet) {
  ASSERT_EQ(Link("R1C1:R3C3"), ACK);
  // The caption (and topic) is the sheet's topic with "(Link)".
  EXPECT_EQ(Served("Book1(Link)", "NumberOfCurves"), "2");
  EXPECT_EQ(Served("Book1(Link)", "Curve2"), Row("  1.000000    ", "  100.0000    ") +
                                                 Row("  2.000000    ", "  200.0000    ") +
                                                 Row("  3.000000    ", "  300.0000    "));
  // An update with more rows than the arrays hold: they grow.
  PostMessageA(sheetWindow_, STAND_IN_UPDATE, 1500, 0);
  EXPECT_TRUE(
      WaitUntil([] { return Served("Book1(Link)", "NumberOfPoints") == "1500\t1500"; }, 15000));
  const std::string curve1 = Served("Book1(Link)", "Curve1");
  EXPECT_EQ(curve1.substr(0, 31), Row("  1.000000    ", "  11.00000    "));
  EXPECT_EQ(curve1.substr(curve1.size() - 31), Row("  1500.000    ", "  15001.00    "));
  // The server goes away in the middle of its updates: the program stays
  // and keeps its curves.
  PostMessageA(sheetWindow_, STAND_IN_UPDATE_AND_DIE, 4, 0);
  EXPECT_TRUE(sheet_.WaitExit(5000));
  EXPECT_EQ(client_.Execute("[SelectCurve(1)]"), ACK);
  const std::string points = Served("Book1(Link)", "NumberOfPoints");
  EXPECT_TRUE(points == "4\t4" || points == "1500\t1500") << points;
}

TEST_F(Links, WiderUpdatesKeepTheCurvesAfterTheLinks) {
  ASSERT_EQ(Link("R1C1:R3C3"), ACK);
  ASSERT_EQ(client_.Execute("[SelectCurve(3)][XY(7,7)]"), ACK);
  // Five columns: the link keeps its two curves and curve 3 stays.
  PostMessageA(sheetWindow_, STAND_IN_UPDATE, 2, 5);
  EXPECT_TRUE(
      WaitUntil([] { return Served("Book1(Link)", "NumberOfPoints") == "2\t2\t1"; }, 15000));
  EXPECT_EQ(Served("Book1(Link)", "Curve2"),
            Row("  1.000000    ", "  101.0000    ") + Row("  2.000000    ", "  201.0000    "));
  EXPECT_EQ(Served("Book1(Link)", "Curve3"), Row("  7.000000    ", "  7.000000    "));
}

TEST_F(Links, RefusedAdviseKeepsTheDataWithoutLink) {
  ASSERT_EQ(Link("Refuse"), ACK);
  EXPECT_EQ(Served("Book1", "NumberOfCurves"), "1");
  EXPECT_EQ(Served("Book1", "Curve1"),
            Row("  5.000000    ", "  6.000000    ") + Row("  7.000000    ", "  8.000000    "));
  EXPECT_EQ(Served("Book1(Link)", "NumberOfCurves"), "");
}

TEST_F(Links, BadServersAndItemsAddNothing) {
  EXPECT_NE(client_.Execute("[InsertLink(\"NOSUCHSERVER\",\"Book1\",\"R1C1\")]", 20000), ACK);
  EXPECT_NE(Link("Words"), ACK);
  EXPECT_NE(Link("NoSuchItem"), ACK);
  // Over 2 MB never arrives under Wine: the request times out.
  const DWORD start = GetTickCount();
  EXPECT_NE(Link("Huge"), ACK);
  EXPECT_LT(GetTickCount() - start, 10000u);
  // The document is still empty: the next link starts at curve 1.
  ASSERT_EQ(Link("R1C1:R3C3"), ACK);
  EXPECT_EQ(Served("Book1(Link)", "NumberOfCurves"), "2");
  PostMessageA(sheetWindow_, STAND_IN_DIE, 0, 0);
  EXPECT_TRUE(sheet_.WaitExit(5000));
  EXPECT_EQ(client_.Execute("[SelectCurve(1)]"), ACK);
}

TEST_F(Links, PasteLinkOfTheProgramsOwnCurveFollowsIt) {
  ASSERT_EQ(client_.Execute("[XY(1,1)][XY(2,2)][SelectCurve(2)][XY(1,5)][XY(2,6)][Caption(\"Src\")]"
                            "[CopyText()][FileNew()]"),
            ACK);
  HWND frame = FindWindowA("MERVA/W", nullptr);
  ASSERT_TRUE(frame);
  PostMessageA(frame, WM_COMMAND, IDM_PASTE_LINK, 0);
  ASSERT_TRUE(WaitUntil([] { return Served("Src(Link)", "NumberOfCurves") == "1"; }, 15000));
  EXPECT_EQ(Served("Src(Link)", "Curve1"),
            Row("  1.000000    ", "  5.000000    ") + Row("  2.000000    ", "  6.000000    "));
  // A change of the source curve reaches the linked one.
  ASSERT_EQ(client_.Execute("[Activate(\"Src\")][SelectCurve(2)][XY(3,7)]"), ACK);
  EXPECT_TRUE(WaitUntil([] { return Served("Src(Link)", "NumberOfPoints") == "3"; }, 15000));
  const std::string linked = Served("Src(Link)", "Curve1");
  ASSERT_EQ(linked.size(), 93u);
  EXPECT_EQ(linked.substr(62), Row("  3.000000    ", "  7.000000    "));
}

TEST_F(Links, TenLinksAtMostAndAServerThatWentAwayFreesItsPlaces) {
  for (int n = 1; n <= 10; ++n) ASSERT_EQ(Link("R1C1:R3C3"), ACK) << n;
  EXPECT_EQ(Served("Book1(Link)", "NumberOfCurves"), "20");
  EXPECT_NE(Link("R1C1:R3C3"), ACK);
  // The ten links share one conversation; an update reaches every one.
  PostMessageA(sheetWindow_, STAND_IN_UPDATE, 4, 0);
  std::string fours = "4";
  for (int n = 2; n <= 20; ++n) fours += "\t4";
  EXPECT_TRUE(WaitUntil([&] { return Served("Book1(Link)", "NumberOfPoints") == fours; }, 15000));
  PostMessageA(sheetWindow_, STAND_IN_DIE, 0, 0);
  ASSERT_TRUE(sheet_.WaitExit(5000));
  StartedProcess second = StartProgram(ProgramPath("tests/wine/link_stand_in.exe"), "SHEET2 Book2");
  ASSERT_TRUE(
      WaitUntil([] { return FindWindowA("MERVALINKSTANDIN", "SHEET2") != nullptr; }, 10000));
  EXPECT_EQ(client_.Execute("[InsertLink(\"SHEET2\",\"Book2\",\"R1C1:R3C3\")]", 20000), ACK);
  // The plot had no link left, so it takes the new topic's name.
  EXPECT_EQ(Served("Book2(Link)", "NumberOfCurves"), "22");
  second.End();
}

TEST_F(Links, InsertLinkDialogLinksAndWarns) {
  HWND frame = FindWindowA("MERVA/W", nullptr);
  ASSERT_TRUE(frame);
  // An absent server: the warning box, nothing added.
  PostMessageA(frame, WM_COMMAND, IDM_INSERT_LINK, 0);
  HWND dialog = WaitForDialogTitled(merva_.pid, "Insert Link");
  ASSERT_TRUE(dialog);
  SetField(dialog, 2001, "NOSUCH");
  SetField(dialog, 2002, "Book1");
  SetField(dialog, 2003, "R1C1:R3C3");
  Press(dialog, IDOK);
  HWND box = WaitForDialog(merva_.pid, dialog);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box), "Cannot connect with NOSUCH");
  ASSERT_TRUE(Answer(box, IDOK));
  // The stand-in's range.
  PostMessageA(frame, WM_COMMAND, IDM_INSERT_LINK, 0);
  dialog = WaitForDialogTitled(merva_.pid, "Insert Link");
  ASSERT_TRUE(dialog);
  SetField(dialog, 2001, "SHEET");
  SetField(dialog, 2002, "Book1");
  SetField(dialog, 2003, "R1C1:R3C3");
  Press(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([] { return Served("Book1(Link)", "NumberOfCurves") == "2"; }, 15000));
  EXPECT_TRUE(DialogsOf(merva_.pid).empty());
}

// The program's own (DDEML) server answers the request and refuses the
// advise; under Wine its stray acknowledgement of the request must not be
// taken for the advise's answer.
TEST_F(Links, AdviseRefusedByADdemlServerGivesNoLink) {
  ASSERT_EQ(client_.Execute("[XY(1,1)][XY(2,2)][SelectCurve(2)][XY(1,5)][Caption(\"Src\")]"
                            "[FileNew()][InsertLink(\"MERVAW\",\"Src\",\"NumberOfCurves\")]",
                            20000),
            ACK);
  // The text "2" became one curve of one point; the name has no "(Link)".
  EXPECT_EQ(Served("Src1", "Curve1"), Row("  1.000000    ", "  2.000000    "));
  EXPECT_EQ(Served("System", "Topics"), "ROZava\tSystem\tSrc\tSrc1");
}

}  // namespace
}  // namespace merva::test
