// The library's parts without dialogs: titles, versions, placement, the
// option list, count scaling, the percentage text and the message lines.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "korvlib/merva_command.h"
#include "korvlib/options_list.h"
#include "korvlib/progress_state.h"
#include "korvlib/window_texts.h"

namespace korv {
namespace {

TEST(WindowTexts, TitleIsCutAtTheFirstSpacedDash) {
  EXPECT_EQ(CutTitle("MERVA95 - [plot1.grf] - x"), "MERVA95");
  EXPECT_EQ(CutTitle("MERVA95-[plot]"), "MERVA95-[plot]");
  EXPECT_EQ(CutTitle(" - plot"), "");
  EXPECT_EQ(CutTitle(""), "");
}

TEST(WindowTexts, VersionStringHasFourParts) {
  EXPECT_EQ(VersionString(0x00020001, 0x00030004), "2.1.3.4");
  EXPECT_EQ(VersionString(0xFFFF0000, 0x0000FFFF), "65535.0.0.65535");
}

TEST(WindowTexts, ModuleWithoutVersionResourceGivesQuestionMark) {
  // The test program itself has no version resource.
  EXPECT_EQ(ModuleVersionString(GetModuleHandleA(nullptr)), "?");
  EXPECT_EQ(FileVersionString("Z:\\no\\such\\file.dll"), "?");
}

TEST(WindowTexts, CentringOverTheOwnerIsKeptOnTheScreen) {
  const SIZE screen{1024, 768};
  const SIZE dialog{200, 100};
  POINT at = CentreOnScreenClamped({100, 100, 500, 400}, dialog, screen);
  EXPECT_EQ(at.x, (100 + 500 - 200) / 2);
  EXPECT_EQ(at.y, (100 + 400 - 100) / 2);
  at = CentreOnScreenClamped({-600, -500, -100, -50}, dialog, screen);
  EXPECT_EQ(at.x, 0);
  EXPECT_EQ(at.y, 0);
  at = CentreOnScreenClamped({900, 700, 1300, 900}, dialog, screen);
  EXPECT_EQ(at.x, 1024 - 200);
  EXPECT_EQ(at.y, 768 - 100);
  // Progress dialogs: no clamping.
  at = CentreOnRectangle({-600, -500, -100, -50}, dialog);
  EXPECT_EQ(at.x, -450);
  EXPECT_EQ(at.y, -325);
}

TEST(OptionList, OptionsAreListedInBitOrderWithTheNoun) {
  const OptionList list = ListOptions(0x1F, "plot");
  ASSERT_EQ(list.count, 5);
  const char* labels[] = {"&Create a new plot", "&Open an existing plot", "&View existing output",
                          "&Save plot", "&Run with an existing plot"};
  const char* icons[] = {"NEW", "OPEN", "VIEW", "SAVE", "RUN"};
  const int values[] = {1, 2, 4, 8, 16};
  for (int i = 0; i < 5; ++i) {
    EXPECT_STREQ(list.options[i].label, labels[i]);
    EXPECT_STREQ(list.options[i].iconName, icons[i]);
    EXPECT_EQ(list.options[i].value, values[i]);
  }
  EXPECT_EQ(list.selected, 0);
}

TEST(OptionList, OnlyTheSetBitsAreListed) {
  OptionList list = ListOptions(0x0004, "plot");
  ASSERT_EQ(list.count, 1);
  EXPECT_STREQ(list.options[0].label, "&View existing output");
  EXPECT_EQ(list.options[0].value, 4);
  list = ListOptions(0x0012, "x");
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list.options[0].value, 2);
  EXPECT_EQ(list.options[1].value, 16);
  EXPECT_EQ(ListOptions(0x2F00, "x").count, 0);
}

TEST(OptionList, LongLabelsAreCutTo31Characters) {
  const OptionList list = ListOptions(0x11, "measurement record file of the test rig");
  EXPECT_EQ(std::string(list.options[0].label), std::string("&Create a new measurement recor"));
  EXPECT_EQ(std::string(list.options[1].label).size(), 31u);
  EXPECT_EQ(std::string(list.options[1].label), "&Run with an existing measureme");
}

TEST(OptionList, RequestCopyEndsTheNoun) {
  KUOPTIONSREQUEST request;
  std::memset(&request, 'x', sizeof request);
  KUOPTIONSREQUEST copy;
  ASSERT_TRUE(CopyOptionsRequest(&request, copy));
  EXPECT_EQ(std::string(copy.noun).size(), 63u);
  EXPECT_FALSE(CopyOptionsRequest(nullptr, copy));
}

TEST(OptionList, DefaultSelection) {
  EXPECT_EQ(DefaultOptionIndex(0x0000, 5), 0);
  EXPECT_EQ(DefaultOptionIndex(0x0100, 5), 1);
  EXPECT_EQ(DefaultOptionIndex(0x0200, 5), 2);
  EXPECT_EQ(DefaultOptionIndex(0x0400, 5), 3);
  EXPECT_EQ(DefaultOptionIndex(0x0800, 5), 4);
  EXPECT_EQ(DefaultOptionIndex(0x1000, 6), 5);
  // Several bits select the first; so does a default past the list.
  EXPECT_EQ(DefaultOptionIndex(0x0300, 5), 0);
  EXPECT_EQ(DefaultOptionIndex(0x1800, 5), 0);
  EXPECT_EQ(DefaultOptionIndex(0x0400, 3), 0);
  EXPECT_EQ(DefaultOptionIndex(0x1000, 5), 0);
  EXPECT_EQ(ListOptions(0x0307, "x").selected, 0);
  EXPECT_EQ(ListOptions(0x0207, "x").selected, 2);
}

TEST(ProgressCounts, TotalsBelowOneCountAsOne) {
  for (long long total : {0LL, -1LL, -2147483647LL}) {
    const CountScale scale = ScaleTotal(total);
    EXPECT_EQ(scale.total, 1) << total;
    EXPECT_EQ(scale.shift, 0) << total;
    EXPECT_EQ(PercentOf(0, scale), 0);
    EXPECT_EQ(PercentOf(1, scale), 100);
    EXPECT_EQ(PercentOf(-5, scale), 0);
    EXPECT_EQ(PercentOf(5, scale), 100);
  }
}

TEST(ProgressCounts, LargeTotalsAreShifted) {
  CountScale scale = ScaleTotal(21474836);
  EXPECT_EQ(scale.shift, 0);
  scale = ScaleTotal(21474837);
  EXPECT_EQ(scale.shift, 1);
  EXPECT_EQ(scale.total, 10737418);
  scale = ScaleTotal(3000000000LL);
  EXPECT_EQ(scale.shift, 8);  // 3e9 / 256 = 11718750
  EXPECT_EQ(scale.total, 11718750);
  EXPECT_EQ(PercentOf(1500000000LL, scale), 50);
  EXPECT_EQ(PercentOf(3000000000LL, scale), 100);
  EXPECT_EQ(PercentOf(2999999999LL, scale), 99);
  EXPECT_EQ(PercentOf(6000000000LL, scale), 100);  // clamped
}

// A 32-bit lParam above 2^31: a count, not a negative number.
TEST(ProgressCounts, ThirtyTwoBitMessagesCarryCountsUpTo4G) {
  const int32_t total = static_cast<int32_t>(3000000000u);
  const CountScale scale = ScaleTotal(MessageCount(total));
  EXPECT_EQ(scale.total, 11718750);
  EXPECT_EQ(PercentOf(MessageCount(static_cast<int32_t>(1500000000)), scale), 50);
  EXPECT_EQ(PercentOf(MessageCount(static_cast<int32_t>(2999999999u)), scale), 99);
  EXPECT_EQ(MessageCount(static_cast<int64_t>(-5)), -5);  // a 64-bit lParam as it is
}

TEST(ProgressCounts, PercentageIsTruncated) {
  const CountScale scale = ScaleTotal(3);
  EXPECT_EQ(PercentOf(1, scale), 33);
  EXPECT_EQ(PercentOf(2, scale), 66);
}

TEST(ProgressCounts, PercentTextIsFourCharacters) {
  EXPECT_EQ(PercentText(0), "  0%");
  EXPECT_EQ(PercentText(9), "  9%");
  EXPECT_EQ(PercentText(10), " 10%");
  EXPECT_EQ(PercentText(55), " 55%");
  EXPECT_EQ(PercentText(99), " 99%");
  EXPECT_EQ(PercentText(100), "100%");
}

TEST(ProgressCounts, FilledPartOfTheBar) {
  const RECT bar{1, 1, 201, 11};
  EXPECT_EQ(FilledRight(bar, 0), 1);
  EXPECT_EQ(FilledRight(bar, 50), 101);
  EXPECT_EQ(FilledRight(bar, 100), 201);
}

TEST(MessageLines, FiveLinesScrollUp) {
  MessageLines lines(5);
  for (int i = 1; i <= 7; ++i) lines.Add("text " + std::to_string(i));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(lines.Line(i), "text " + std::to_string(i + 3));
}

TEST(MessageLines, FillInTurnBeforeScrolling) {
  MessageLines lines(5);
  EXPECT_EQ(lines.Add("a"), 1);
  EXPECT_EQ(lines.Add("b"), 2);
  EXPECT_EQ(lines.Line(0), "a");
  EXPECT_EQ(lines.Line(1), "b");
  EXPECT_EQ(lines.Line(2), "");
}

TEST(MessageLines, OneLineIsReplaced) {
  MessageLines lines(1);
  lines.Add("a");
  EXPECT_EQ(lines.Add("b"), 1);
  EXPECT_EQ(lines.Line(0), "b");
}

TEST(RegisteredCommand, ProgramPartOfTheCommand) {
  EXPECT_EQ(ProgramOfCommand("C:\\APP\\APP.EXE"), "C:\\APP\\APP.EXE");
  EXPECT_EQ(ProgramOfCommand("\"C:\\Program Files\\App\\app.exe\" \"%1\""),
            "C:\\Program Files\\App\\app.exe");
  EXPECT_EQ(ProgramOfCommand("\"C:\\unclosed"), "C:\\unclosed");
  EXPECT_EQ(ProgramOfCommand(""), "");
  EXPECT_EQ(DirectoryOf("C:\\Program Files\\App\\app.exe"), "C:\\Program Files\\App\\");
  EXPECT_EQ(DirectoryOf("app.exe"), "");
  EXPECT_EQ(DirectoryOf("D:app.exe"), "D:");
}

TEST(RegisteredCommand, UnregisteredClientHasNoDirectory) {
  EXPECT_EQ(ClientProgramDirectory(nullptr), "");
  EXPECT_EQ(ClientProgramDirectory(""), "");
  EXPECT_EQ(ClientProgramDirectory("KorvNoSuchApplication.Key"), "");
}

}  // namespace
}  // namespace korv
