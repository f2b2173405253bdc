#include <gtest/gtest.h>

#include "automation/command_interpreter.h"
#include "fake_host.h"

namespace merva::test {
namespace {

// [XY(1,2)] repeated and padded with [ViewRedraw()] to an exact length.
std::string StringOfLength(std::size_t length) {
  std::string text;
  while (text.size() + 9 <= length) text += "[XY(1,2)]";
  const std::string pad = "[Title1(\"";
  if (text.size() < length) {
    text.resize(text.size() - 9);  // make room for a title of the rest
    const std::size_t room = length - text.size() - pad.size() - 3;
    text += pad + std::string(room, 'a') + "\")]";
  }
  return text;
}

TEST(CommandReception, StringOfExactly1024CharactersIsInterpreted) {
  Session s;
  const std::string text = StringOfLength(1024);
  ASSERT_EQ(text.size(), 1024u);
  EXPECT_EQ(s.Run(text), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().pointCount[1], 112);
  EXPECT_EQ(s.host.Doc().title1.Str(), "aaaa");  // the last command, up to character 1024
  EXPECT_TRUE(s.host.messages.empty());
}

TEST(CommandReception, StringOf1025CharactersIsIgnoredSilently) {
  Session s;
  const std::string text = StringOfLength(1025);
  ASSERT_EQ(text.size(), 1025u);
  EXPECT_EQ(s.Run(text), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.host.Doc().curveCount, 0);
  EXPECT_TRUE(s.host.messages.empty());
  EXPECT_TRUE(s.host.frameEnabled);  // re-enabled all the same
}

TEST(CommandReception, LengthCountsUpToTheFirstNul) {
  Session s;
  std::string text = "[XY(1,2)]";
  text += '\0';
  text += std::string(2000, 'x');  // never read
  EXPECT_EQ(s.Run(text), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().pointCount[1], 1);
}

TEST(CommandReception, NulInsideTheDataEndsTheString) {
  Session s;
  const char data[] = "[XY(1,2)]\0[XY(3,4)]";
  EXPECT_EQ(ExecuteCommandString(s.host, s.cells, &s.conversation, data, sizeof data - 1),
            EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().pointCount[1], 1);
}

TEST(CommandReception, DataWithoutNulEndsAtItsSize) {
  Session s;
  const char data[] = "[XY(1,2)][XY(3,4)]garbage";
  EXPECT_EQ(ExecuteCommandString(s.host, s.cells, &s.conversation, data, 18), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().pointCount[1], 2);
}

TEST(CommandReception, EmptyStringIsNotProcessedWithoutMessage) {
  Session s;
  EXPECT_EQ(s.Run(""), EXECUTE_NOT_PROCESSED);
  EXPECT_TRUE(s.host.messages.empty());
}

TEST(CommandReception, CommandNamesAreLowerCasedArgumentsKeepTheirCase) {
  EXPECT_EQ(LowerCommandNames("[FILEOPEN(\"A.GRF\")]", 19), "[fileopen(\"A.GRF\")]");
  EXPECT_EQ(LowerCommandNames("[AppShow][XY(1,2)]", 18), "[AppShow][xy(1,2)]");
  // The last "[" before a "(" counts; a "(" without a "[" changes nothing.
  EXPECT_EQ(LowerCommandNames("[A[B(C(D)]", 10), "[A[b(C(D)]");
}

TEST(CommandReception, UpperCaseNamesWorkAndFileNameStaysAsWritten) {
  Session s;
  EXPECT_EQ(s.Run("[FILEOPEN(\"A.GRF\")]"), EXECUTE_ACKNOWLEDGED);
  ASSERT_EQ(s.host.opened.size(), 1u);
  EXPECT_EQ(s.host.opened[0], "A.GRF");
}

TEST(CommandReception, AppShowWithoutParenthesisIsUnknown) {
  Session s;
  EXPECT_EQ(s.Run("[AppShow]"), EXECUTE_NOT_PROCESSED);
  ASSERT_EQ(s.host.messages.size(), 1u);
  EXPECT_EQ(s.host.messages[0].caption, "Error processing this command:");
  EXPECT_EQ(s.host.messages[0].text, "[AppShow]");
  EXPECT_EQ(s.Run("[AppShow()]"), EXECUTE_ACKNOWLEDGED);
  ASSERT_EQ(s.host.windowStates.size(), 1u);
  EXPECT_EQ(s.host.windowStates[0].first, 0);
  EXPECT_EQ(s.host.windowStates[0].second, WindowState::Show);
}

TEST(CommandReception, NoCharactersAllowedBetweenCommands) {
  Session s;
  EXPECT_EQ(s.Run("[FileNew()][FileOpen(\"c:\\data\\a.grf\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.newWindows.size(), 1u);
  EXPECT_EQ(s.host.opened.size(), 1u);
  EXPECT_EQ(s.host.opened[0], "c:\\data\\a.grf");

  Session t;
  EXPECT_EQ(t.Run("[FileNew()] [FilePrint()]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(t.host.newWindows.size(), 1u);  // the first command kept its effect
  EXPECT_TRUE(t.host.menus.empty());
}

TEST(CommandReception, FailureSpeaksAndShowsTheWholeReceivedText) {
  Session s;
  EXPECT_EQ(s.Run("[XY(1,2)][Bogus()][XY(3,4)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.host.Doc().pointCount[1], 1);
  ASSERT_EQ(s.host.spoken.size(), 1u);
  EXPECT_EQ(s.host.spoken[0], "[XY(1,2)][Bogus()][XY(3,4)]");
  ASSERT_EQ(s.host.messages.size(), 1u);
  EXPECT_EQ(s.host.messages[0].text, "[XY(1,2)][Bogus()][XY(3,4)]");
  EXPECT_EQ(LastCommandEcho(), "[XY(1,2)][Bogus()][XY(3,4)]");
}

TEST(CommandReception, ErrorMessagesOffSuppressesTheBox) {
  Session s;
  EXPECT_EQ(s.Run("[ErrorMessages(0)][Bogus()]"), EXECUTE_NOT_PROCESSED);
  EXPECT_TRUE(s.host.messages.empty());
  EXPECT_TRUE(s.host.spoken.empty());
  EXPECT_EQ(s.conversation.errorMessages, 0);
  EXPECT_EQ(s.Run("[ErrorMessages(5)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.errorMessages, 1);
}

// The program's own boxes (a file reader's, an operation's) follow the
// conversation's switch while its strings run, and come back after.
TEST(CommandReception, ErrorMessagesOffSilencesTheProgramsOwnBoxes) {
  Session s;
  s.host.failOpen = true;
  EXPECT_EQ(s.Run("[ErrorMessages(0)][FileOpen(\"c:\\missing.grf\")]"), EXECUTE_NOT_PROCESSED);
  ASSERT_EQ(s.host.openMessagesShown.size(), 1u);
  EXPECT_FALSE(s.host.openMessagesShown[0]);
  EXPECT_TRUE(s.host.messages.empty());
  EXPECT_TRUE(s.host.messagesShown);
  // Off from an earlier string: off from the start of the next one.
  EXPECT_EQ(s.Run("[XY(1,1)][EditSort()]"), EXECUTE_ACKNOWLEDGED);
  ASSERT_EQ(s.host.menuMessagesShown.size(), 1u);
  EXPECT_FALSE(s.host.menuMessagesShown[0]);
  EXPECT_TRUE(s.host.messagesShown);
  // Switched on within a string: on for the commands after it.
  EXPECT_EQ(s.Run("[EditSort()][ErrorMessages(1)][EditSort()]"), EXECUTE_ACKNOWLEDGED);
  ASSERT_EQ(s.host.menuMessagesShown.size(), 3u);
  EXPECT_FALSE(s.host.menuMessagesShown[1]);
  EXPECT_TRUE(s.host.menuMessagesShown[2]);
  EXPECT_TRUE(s.host.messagesShown);
}

TEST(CommandReception, BoxesSwitchedOffAroundTheStringStayOff) {
  Session s;
  s.host.messagesShown = false;
  EXPECT_EQ(s.Run("[ErrorMessages(1)][XY(1,1)][EditSort()]"), EXECUTE_ACKNOWLEDGED);
  ASSERT_EQ(s.host.menuMessagesShown.size(), 1u);
  EXPECT_FALSE(s.host.menuMessagesShown[0]);
  EXPECT_FALSE(s.host.messagesShown);
}

TEST(CommandReception, NoConversationOrNoDocumentIsNotProcessed) {
  Session s;
  EXPECT_EQ(ExecuteCommandString(s.host, s.cells, nullptr, std::string("[XY(1,2)]")),
            EXECUTE_NOT_PROCESSED);
  s.conversation.docSlot = 0;
  EXPECT_EQ(s.Run("[XY(1,2)]"), EXECUTE_NOT_PROCESSED);
  s.conversation.docSlot = 5;  // a slot without a document
  EXPECT_EQ(s.Run("[XY(1,2)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_TRUE(s.host.messages.empty());
}

TEST(CommandReception, BusyWhileTheFrameIsDisabled) {
  Session s;
  s.host.frameEnabled = false;
  EXPECT_EQ(s.Run("[XY(1,2)]"), EXECUTE_BUSY);
  EXPECT_EQ(s.host.Doc().curveCount, 0);
  EXPECT_FALSE(s.host.frameEnabled);
  // With the interface switched off by [Enable(0)] the string is accepted.
  s.conversation.enableUi = 0;
  EXPECT_EQ(s.Run("[XY(1,2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_FALSE(s.host.frameEnabled);
}

TEST(CommandReception, FrameIsDisabledDuringTheStringAndEnabledAfter) {
  Session s;
  EXPECT_EQ(s.Run("[XY(1,2)]"), EXECUTE_ACKNOWLEDGED);
  ASSERT_EQ(s.host.enableCalls.size(), 2u);
  EXPECT_FALSE(s.host.enableCalls[0]);
  EXPECT_TRUE(s.host.enableCalls[1]);
  EXPECT_EQ(s.host.menuRefreshes, 1);
  EXPECT_EQ(s.Run("[Enable(0)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_FALSE(s.host.frameEnabled);
  EXPECT_EQ(s.conversation.enableUi, 0);
  EXPECT_EQ(s.Run("[Enable(1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_TRUE(s.host.frameEnabled);
}

TEST(CommandReception, UnbalancedQuotesAndBrackets) {
  const char* bad[] = {
      "[XY(1,2)",              // no closing bracket
      "[XY(1,2",               // no closing text
      "[Title1(\"abc)]",       // unbalanced quotation mark
      "[Title1(abc\")]",       // opening without the quotation mark
      "[XY(1,2)[XY(3,4)]",     // bracket missing between commands
      "[XY(1,2))]",            // closing parenthesis twice
      "]",                     // stray bracket
      "[[XY(1,2)]",            // doubled opening bracket
      "[FileOpen(\"a.grf\"]",  // no parenthesis
      "[XY()]",                // required arguments missing
      "[Legend(1,\"abc)]",
      "[TextNote(\"abc\",1,2,0,0,0,8",
      "[DataProcess(1,\"p)]",
      "[InsertLink(\"a\",\"b)]",
  };
  for (const char* text : bad) {
    Session s;
    EXPECT_EQ(s.Run(text), EXECUTE_NOT_PROCESSED) << text;
    EXPECT_EQ(s.host.messages.size(), 1u) << text;
    EXPECT_TRUE(s.host.frameEnabled) << text;
  }
}

TEST(CommandReception, NumbersThatOverflow32BitsFail) {
  Session s;
  EXPECT_EQ(s.Run("[SelectCurve(4294967298)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.conversation.selectedCurve, 0);
  EXPECT_EQ(s.Run("[LineType(1,2147483648)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[LineType(1,2147483647)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().lineType[1], 2147483647);
  EXPECT_EQ(s.Run("[LineType(1,-2147483648)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.Run("[LineType(1,1.5)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[LineType(1,abc)]"), EXECUTE_NOT_PROCESSED);
}

TEST(CommandReception, ListDirectedReadingAcceptsBlanksAndCommas) {
  Session s;
  EXPECT_EQ(s.Run("[XY( 1.5  2.5 )][XY(3,4)][XY(5 , 6)][XY(1E1,2D1)]"), EXECUTE_ACKNOWLEDGED);
  const PlotDocument& d = s.host.Doc();
  ASSERT_EQ(d.pointCount[1], 4);
  EXPECT_FLOAT_EQ(d.X(1, 1), 1.5f);
  EXPECT_FLOAT_EQ(d.Y(1, 1), 2.5f);
  EXPECT_FLOAT_EQ(d.Y(1, 3), 6.0f);
  EXPECT_FLOAT_EQ(d.X(1, 4), 10.0f);
  EXPECT_FLOAT_EQ(d.Y(1, 4), 20.0f);
}

TEST(CommandReception, NameWithoutParenthesisOrUnknownCharactersFail) {
  Session s;
  EXPECT_EQ(s.Run("xy(1,2)"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[XY (1,2)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("\r\n"), EXECUTE_NOT_PROCESSED);
}

}  // namespace
}  // namespace merva::test
