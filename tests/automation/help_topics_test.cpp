#include "automation/help_topics.h"

#include <gtest/gtest.h>

namespace merva {
namespace {

TEST(HelpTopics, TitleWithoutTheCommonEnding) {
  EXPECT_EQ(HelpPageTitle("<html><head><title>Print - MERVA95 Help</title></head>"), "Print");
  EXPECT_EQ(HelpPageTitle("<TITLE>MERVA95 Help - Contents</TITLE>"), "MERVA95 Help - Contents");
  EXPECT_EQ(HelpPageTitle("<title>never closed"), "");
  EXPECT_EQ(HelpPageTitle("no title at all"), "");
  EXPECT_EQ(HelpPageTitle(""), "");
}

TEST(HelpTopics, KeywordFindsExactTitleFirstThenBeginning) {
  const std::vector<HelpPage> pages = {
      {"4105.html", "Print Caption"},
      {"4106.html", "Print"},
      {"dde.html", "Transferring MERVA data to other applications"},
  };
  EXPECT_EQ(HelpPageForKeyword(pages, "print"), "4106.html");
  EXPECT_EQ(HelpPageForKeyword(pages, "PRINT CAP"), "4105.html");
  // The DDE "Help" item names its topic in quotation marks.
  EXPECT_EQ(HelpPageForKeyword(pages, "\"Transferring MERVA data to other applications\""),
            "dde.html");
  EXPECT_EQ(HelpPageForKeyword(pages, "Transferring"), "dde.html");
  EXPECT_EQ(HelpPageForKeyword(pages, "Printer colours"), "");
  EXPECT_EQ(HelpPageForKeyword(pages, "  "), "");
  EXPECT_EQ(HelpPageForKeyword({}, "print"), "");
}

}  // namespace
}  // namespace merva
