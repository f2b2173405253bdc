#include <gtest/gtest.h>

#include "files/plot_file_reader.h"
#include "files/plot_file_writer.h"
#include "plot_file_test_support.h"

namespace merva {
namespace {

using namespace plot_file_test;

template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

std::string Trailer() { return "T1\r\nT2\r\nX\r\nY\r\n     1\r\n0,0\r\n"; }

TEST(PlotFileBadInput, AbsurdPointCountsDoNotAllocate) {
  ScratchFolder folder;
  std::string text = "MERVA/W v1.2\r\ndata\r\n1\r\n2000000000\r\n";
  while (text.size() < 1000) text += "1.5,2.5\r\n";
  auto d = NewDocument(4, 10);
  Status s = ReadPlotText(*d, text, "big.grf", 1);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Error reading data point for curve no.  1.\nLine = ");
  EXPECT_EQ(d->curveCount, 0);
  // Grown only to the 244 point lines the 972 bytes left could hold.
  EXPECT_EQ(d->maxPoints, 244);
  EXPECT_EQ(d->maxCurves, 4);

  auto dx = NewDocument(4, 10);
  text = "MERVA/W v1.2\r\ndx\r\n1\r\n2000000000\r\n1,2,3,4,5\r\n";
  s = ReadPlotText(*dx, text, "big.grf", 1);
  EXPECT_EQ(s.Text(), "Error reading data point for curve no.  1.\nLine = ");
  EXPECT_EQ(dx->maxPoints, 10);  // five values fit already

  auto wide = NewDocument(4, 10);
  text = "data\r\n1\r\n99999999999\r\n";
  EXPECT_EQ(ReadPlotText(*wide, text, "big.grf", 1).Text(),
            "Error reading number of points for curve no.  1");
}

TEST(PlotFileBadInput, CurveCountsBeyondTheLimit) {
  auto d = NewDocument(4, 10);
  EXPECT_EQ(ReadPlotText(*d, "data\r\n101\r\n", "c.grf", 1).Text(),
            "Too many curves (101) ... Maximum is 100.");
  EXPECT_EQ(ReadPlotText(*d, "data\r\n-3\r\n", "c.grf", 1).Text(),
            "Error reading number of curves");
  EXPECT_EQ(ReadPlotText(*d, "data\r\n", "c.grf", 1).Text(), "Error reading number of curves");
  EXPECT_EQ(d->maxCurves, 4);
  // 100 curves claimed, none there: the columns grow, the points do not.
  Status s = ReadPlotText(*d, "data\r\n100\r\n", "c.grf", 1);
  EXPECT_EQ(s.Text(), "Error reading number of points for curve no.  1");
  EXPECT_EQ(d->maxCurves, 100);
  EXPECT_LE(d->maxPoints, 10);
}

TEST(PlotFileBadInput, VeryLongLinesAndNulBytes) {
  const std::string longLine(100000, '7');
  auto d = NewDocument(4, 10);
  std::string text = "data\r\n1\r\n2\r\n1,2\r\n" + longLine + ",x\r\n";
  Status s = ReadPlotText(*d, text, "l.grf", 1);
  EXPECT_EQ(s.Text(),
            "Error reading data point for curve no.  1.\nLine = " + longLine.substr(0, 256));

  text = "data\r\n1\r\n1\r\n1,2\r\n 1 0\r\n" + std::string(100000, 'L') + "\r\nTag\r\n" +
         std::string(100000, 'T') + "\r\nT2\r\nX\r\nY\r\n     1\r\n0,0\r\n" + longLine +
         "\r\nStop\r\n";
  s = ReadPlotText(*d, text, "l.grf", 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d->legendText[1].Str(), std::string(40, 'L'));
  EXPECT_EQ(d->title1.Str(), std::string(80, 'T'));

  text = Bytes(
      "data\r\n1\r\n1\r\n1,\0"
      "2\r\n");
  s = ReadPlotText(*d, text, "n.grf", 1);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), std::string("Error reading data point for curve no.  1.\nLine = 1,\0"
                                  "2",
                                  54));

  text = Bytes("data\r\n1\r\n1\r\n1,2\r\n 1 0\r\nA\0B\r\n\r\n") + Trailer();
  ASSERT_TRUE(ReadPlotText(*d, text, "n.grf", 1).Ok());
  EXPECT_EQ(d->legendText[1].Str(), std::string("A\0B", 3));
}

// Cut after every line, a file reads the curves that are complete and
// fails with a message until the legend position is there.
TEST(PlotFileBadInput, TruncatedAtEveryLine) {
  auto original = NewDocument(5, 10);
  AddCurve(*original, {{1, 2}, {3, 4}});
  AddCurve(*original, {{5, 6}});
  AddCurve(*original, {{7, 8}, {9, 10}, {11, 12}});
  original->drawItems = {"item"};
  const std::vector<std::string> lines = SplitLines(FormatPlotFile(*original));
  // Index of the tag line of each curve; the legend position line.
  const std::vector<std::size_t> tagLines = {8, 13, 20};
  const std::size_t positionLine = 26;
  ASSERT_EQ(lines[positionLine], "0,0");
  for (std::size_t k = 0; k <= lines.size(); ++k) {
    SCOPED_TRACE("lines " + std::to_string(k));
    std::vector<std::string> head(lines.begin(), lines.begin() + static_cast<long>(k));
    auto d = NewDocument(5, 10);
    Status s = ReadPlotText(*d, JoinLines(head), "t.grf", 1);
    int complete = 0;
    for (std::size_t tag : tagLines)
      if (k > tag) ++complete;
    EXPECT_EQ(d->curveCount, complete);
    // Cut after a keyword line whose arguments are missing: 28, 30, 31, 33.
    const bool recordCut = k == 28 || k == 30 || k == 31 || k == 33;
    EXPECT_EQ(s.Ok(), k > positionLine && !recordCut) << s.Text();
    if (!s.Ok()) {
      EXPECT_FALSE(s.messages.empty());
    }
  }
}

TEST(PlotFileBadInput, TruncatedAtEveryByte) {
  ScratchFolder folder;
  auto original = NewDocument(5, 10);
  AddCurve(*original, {{1.5f, 2}, {3, 4.25f}});
  AddCurve(*original, {{0, 6}, {1, 7}, {2, 8}});
  original->note.attribute1 = 1;
  original->note.text = "a\r\nb";
  original->pointLabels.push_back(PointLabel{});
  original->pointLabels.back().curve = 2;
  original->pointLabels.back().point = 3;
  const std::string text = FormatPlotFile(*original);
  for (std::size_t k = 0; k <= text.size(); ++k) {
    auto d = NewDocument(1, 2);
    Status s = ReadPlotText(*d, text.substr(0, k), "t.grf", 1);
    ASSERT_LE(d->curveCount, 2);
    ASSERT_LE(d->maxPoints, 3);
    if (!s.Ok()) {
      ASSERT_FALSE(s.messages.empty()) << k;
    }
  }
}

TEST(PlotFileBadInput, EquationWithTooManyCoefficients) {
  auto d = NewDocument(4, 10);
  AddCurve(*d, {{0, 0}, {1, 1}});
  const std::string text =
      "MERVA/W v1.2\r\npoli\r\n1\r\n3\r\n0,1\r\n 1 0\r\nA\r\nB\r\npoly\r\n21\r\n";
  Status s = ReadPlotText(*d, text, "e.grf", 2);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Equation has too many coefficients\nin subroutine D_GEN");
  EXPECT_EQ(d->curveCount, 1);  // back to what it was before the file
  EXPECT_EQ(d->pointCount[1], 2);

  s = ReadPlotText(*d, "MERVA/W v1.2\r\npoli\r\n2\r\n1\r\n", "e.grf", 2);
  EXPECT_EQ(s.Text(), "At 9900, ios=0xFFFFFFFF");
  s = ReadPlotText(*d, "MERVA/W v1.2\r\npoli\r\ntwo\r\n", "e.grf", 2);
  EXPECT_EQ(s.Text(), "At 9900, ios=0x00000040");
}

TEST(PlotFileBadInput, EquationCurvesBeyondTheLastSlot) {
  std::string curve = "poli\r\n1\r\n3\r\n0,1\r\n 1 0\r\nA\r\nB\r\n";
  std::string text;
  for (int c = 1; c <= 101; ++c) text += curve;
  auto d = NewDocument(100, 256);
  Status s = ReadPlotText(*d, text, "e.grf", 1);
  EXPECT_EQ(s.Text(), "Too many curves (101) ... Maximum is 100.");
  EXPECT_EQ(d->curveCount, 100);
  s = ReadPlotText(*d, curve, "e.grf", 101);
  EXPECT_EQ(s.Text(), "Too many curves (101) ... Maximum is 100.");
  EXPECT_EQ(d->curveCount, 100);
  EXPECT_EQ(d->pointCount[100], 2);
}

}  // namespace
}  // namespace merva
