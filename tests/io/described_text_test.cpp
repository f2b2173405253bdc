#include <gtest/gtest.h>

#include "io/described_text.h"
#include "io/import_file.h"
#include "tests/io/import_test_support.h"

namespace merva {
namespace {

using import_test::AddCurve;
using import_test::NewDocument;
using import_test::WriteTestFile;

const char* const DATA =
    "Test 17, gauge P3\n"                 // 1
    "Time (ms)   Pressure (psi)  Temp\n"  // 2
    "Shot fired at 10:42\n"               // 3
    "Points: 3\n"                         // 4
    "--- data ---\n"                      // 5
    "0.0  1.5  20\n"                      // 6
    "0.5  2.5  21\n"                      // 7
    "1.0  3.5  22\n"                      // 8
    "\n";

TEST(DescribedText, EveryKeyword) {
  const std::string data = WriteTestFile("d.txt", DATA);
  const std::string description = WriteTestFile("d.fmt",
                                                "TITLE     1\n"
                                                "TITLE     3\n"
                                                "DATATEXT\n"
                                                "--- data ---\n"
                                                "NUMPOINTS -4\n"
                                                "XCOLUMN   1\n"
                                                "YCOLUMN   2\n"
                                                "YCOLUMN   3\n"
                                                "XAXISLABEL 2, 1, 9\n"
                                                "YAXISLABEL 2 13 26 2 29 32\n"
                                                "LEGEND    2 1 4\n"
                                                "LEGEND    2 29 32\n"
                                                "YDATAAXIS 2 2\n"
                                                "NOTE      3 1 0.5 0.25 1 0\n"
                                                "STOP\n"
                                                "garbage after the end\n");
  PlotDocument d = NewDocument();
  AddCurve(d, 2);
  const Status s = ImportDescribedText(d, data, description, 2);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d.curveCount, 3);
  EXPECT_EQ(d.pointCount[2], 3);
  EXPECT_EQ(d.X(3, 3), 1.0f);
  EXPECT_EQ(d.Y(3, 3), 22.0f);
  EXPECT_EQ(d.Y(2, 1), 1.5f);
  EXPECT_EQ(d.title1.Str(), "Test 17, gauge P3");
  EXPECT_EQ(d.title2.Str(), "Shot fired at 10:42");
  EXPECT_EQ(d.xAxisLabel.Str(), "Time (ms)");
  EXPECT_EQ(d.yAxisLabel.Str(), "Pressure (psi)");
  EXPECT_EQ(d.y2AxisLabel.Str(), "Temp");
  EXPECT_EQ(d.legendText[2].Str(), "Time");
  EXPECT_EQ(d.legendText[3].Str(), "Temp");
  EXPECT_EQ(d.curveAxis[3], 2);
  EXPECT_EQ(d.note.text, "Shot fired at 10:42");
  EXPECT_EQ(d.note.x, 0.5);
  EXPECT_EQ(d.note.attribute1, 1);
}

TEST(DescribedText, MessagesAndTheHandOffPath) {
  const std::string data = WriteTestFile("d.txt", DATA);
  PlotDocument d = NewDocument();
  std::string description = WriteTestFile("m.fmt", "DATATEXT\n*** start ***\n");
  EXPECT_EQ(ImportDescribedText(d, data, description, 1).Text(),
            "Cannot find the start of the data by searching for the string *** start ***.");
  description = WriteTestFile("s.fmt", "DATASTART 4\n");
  EXPECT_EQ(ImportDescribedText(d, data, description, 1).Text(),
            "Error interpreting data values in " + data);
  description = WriteTestFile("u.fmt", "DATASTART 6\nFROBNICATE 1\n");
  EXPECT_EQ(ImportDescribedText(d, data, description, 1).Text(),
            "Error in the format description " + description + ", line 2.");
  description = WriteTestFile("n.fmt", "DATASTART 6\nNUMPOINTS 2000000000\n");
  EXPECT_FALSE(ImportDescribedText(d, data, description, 1).Ok());
  EXPECT_EQ(d.curveCount, 0);
  EXPECT_EQ(d.maxPoints, 100);
  // "data@description" with the description beside the data file.
  description = WriteTestFile("ok.fmt", "DATASTART 6\nNUMPOINTS 2\nXCOLUMN 0\nYCOLUMN 3\n");
  const Status s = ImportFile(d, data + "@merva_io_ok.fmt", FILE_TYPE_DESCRIBED, 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d.pointCount[1], 2);
  EXPECT_EQ(d.X(1, 2), 2.0f);
  EXPECT_EQ(d.Y(1, 2), 21.0f);
  std::string a, b;
  SplitDescribedPath("c:\\x\\data.txt@d:\\f.fmt", a, b);
  EXPECT_EQ(b, "d:\\f.fmt");
  SplitDescribedPath("c:\\x\\data.txt@f.fmt", a, b);
  EXPECT_EQ(a, "c:\\x\\data.txt");
  EXPECT_EQ(b, "c:\\x\\f.fmt");
}

}  // namespace
}  // namespace merva
