#include <gtest/gtest.h>

#include <cmath>

#include "files/plot_file_format.h"
#include "files/plot_file_reader.h"
#include "plot_file_test_support.h"

namespace merva {
namespace {

using namespace plot_file_test;

// A file of one curve (two points) up to the legend position.
std::vector<std::string> OneCurveLines(const std::string& header = "MERVA/W v1.2") {
  std::vector<std::string> lines;
  if (!header.empty()) lines.push_back(header);
  for (const char* line : {"data", "1", "2", "1,2", "3 , 4", " 1   10", "Legend", "Tag", "Title 1",
                           "Title 2", "X label", "Y label", "   770", "0.5,0.25"})
    lines.push_back(line);
  return lines;
}

Status Read(PlotDocument& d, const std::vector<std::string>& lines, int first = 1) {
  return ReadPlotText(d, JoinLines(lines), "test.grf", first);
}

TEST(PlotFileReader, FixedBlockWithoutKeywordsOrStop) {
  auto d = NewDocument(4, 10);
  Status s = Read(*d, OneCurveLines());
  ASSERT_TRUE(s.Ok()) << s.Text();
  ASSERT_EQ(d->curveCount, 1);
  ASSERT_EQ(d->pointCount[1], 2);
  EXPECT_EQ(d->X(1, 2), 3.0f);
  EXPECT_EQ(d->Y(1, 2), 4.0f);
  EXPECT_EQ(d->lineType[1], 1);
  EXPECT_EQ(d->symbolType[1], 10);  // new header: codes stay
  EXPECT_EQ(d->legendText[1].Str(), "Legend");
  EXPECT_EQ(d->curveTag[1].Str(), "Tag");
  EXPECT_EQ(d->title1.Str(), "Title 1");
  EXPECT_EQ(d->yAxisLabel.Str(), "Y label");
  EXPECT_EQ(d->scaleType, 2);  // 770 = 2 + 3 x 256
  EXPECT_EQ(d->unitSystem, 3);
  EXPECT_EQ(d->legendX, 0.5);
  EXPECT_EQ(d->legendY, 0.25);
  EXPECT_EQ(d->spacingState[1], STATE_UNKNOWN);
}

TEST(PlotFileReader, KeywordsIgnoreCaseAndUnknownLinesAreSkipped) {
  for (const char* stop : {"STOP", "stop", "Stop", "sToP   "}) {
    auto d = NewDocument(4, 10);
    std::vector<std::string> lines = OneCurveLines();
    for (const char* line : {"densegrid", "Something new", "1 2 3", " Title3", "TITLE3  ", "Third",
                             "TransparentLegend"})
      lines.push_back(line);
    lines.push_back(stop);
    lines.push_back("NoLegendFrame");  // after Stop: not read
    Status s = Read(*d, lines);
    ASSERT_TRUE(s.Ok()) << s.Text();
    EXPECT_EQ(d->denseGrid, 1);
    EXPECT_EQ(d->title3.Str(), "Third");
    EXPECT_EQ(d->legendOpaque, 0);
    EXPECT_EQ(d->legendFrame, 1);
  }
  EXPECT_EQ(MatchPlotKeyword("Point String"), PlotKeyword::PointString);
  EXPECT_EQ(MatchPlotKeyword("GRID TYPE "), PlotKeyword::GridType);
  EXPECT_EQ(MatchPlotKeyword(" grid type"), PlotKeyword::None);
  EXPECT_EQ(MatchPlotKeyword("grid type\t"), PlotKeyword::None);
}

TEST(PlotFileReader, OldSymbolCodesOfVersionOneAndHeaderlessFiles) {
  for (const std::string header : {"MERVA/W v1.0", "", "merva/w V1.0"}) {
    auto d = NewDocument(4, 10);
    std::vector<std::string> lines = OneCurveLines(header);
    ASSERT_TRUE(Read(*d, lines).Ok()) << header;
    EXPECT_EQ(d->symbolType[1], 262) << header;  // 10 - 4 + 256
  }
  for (int code : {8, 9, 12, 13}) {
    auto d = NewDocument(4, 10);
    std::vector<std::string> lines = OneCurveLines("MERVA/W v1.0");
    lines[6] = " 2 " + std::to_string(code);
    ASSERT_TRUE(Read(*d, lines).Ok());
    EXPECT_EQ(d->symbolType[1], code >= 9 && code <= 12 ? code - 4 + 256 : code);
  }
  auto d = NewDocument(4, 10);
  ASSERT_TRUE(Read(*d, OneCurveLines("MERVA 95 v3.0")).Ok());
  EXPECT_EQ(d->symbolType[1], 10);
  EXPECT_EQ(HeaderVersion("MERVA/W v1.2  "), 2);
  EXPECT_EQ(HeaderVersion("merva/w v1.25"), 0);
}

TEST(PlotFileReader, TextFieldsAreCutOrPadded) {
  auto d = NewDocument(4, 10);
  std::vector<std::string> lines = OneCurveLines();
  lines[7] = std::string(60, 'L');
  lines[8] = "ABCDEFGH";
  lines[9] = std::string(100, 'T');
  ASSERT_TRUE(Read(*d, lines).Ok());
  EXPECT_EQ(d->legendText[1].Str(), std::string(40, 'L'));
  EXPECT_EQ(d->curveTag[1].Str(), "ABCDE");
  EXPECT_EQ(d->title1.Str(), std::string(80, 'T'));
}

TEST(PlotFileReader, OlderRecordsInTheirDocumentedLayouts) {
  auto d = NewDocument(4, 10);
  std::vector<std::string> lines = OneCurveLines();
  for (const char* line :
       {"note", "0.5, 0.75", "first line", "more", "second line", "point label", "1 2 3.5 4.5",
        "point string", "the label", "point label", "7 1 0 0", "point string", "dropped"})
    lines.push_back(line);
  Status s = Read(*d, lines);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d->note.text, "first line\r\nsecond line");
  EXPECT_EQ(d->note.x, 0.5);
  EXPECT_EQ(d->note.y, 0.75);
  EXPECT_EQ(d->note.attribute1 & 1, 1);
  ASSERT_EQ(d->pointLabels.size(), 1u);  // curve 7 does not exist
  EXPECT_EQ(d->pointLabels[0].curve, 1);
  EXPECT_EQ(d->pointLabels[0].point, 2);
  EXPECT_EQ(d->pointLabels[0].x, 3.5);
  EXPECT_EQ(d->pointLabels[0].text.Str(), "the label");
}

TEST(PlotFileReader, RecordsOfTouchingFields) {
  auto d = NewDocument(4, 10);
  std::vector<std::string> lines = OneCurveLines();
  for (const char* line : {"NoteV2", "-0.1235E+05-0.2500E+03     1     0", "text", "PointSizes",
                           " 7", "100-12 12 12 12 10 10", "NumberFormats", "   6   1",
                           "Multiple Axes", " 2", " 3", "FontFace", "06", "Wingdings"})
    lines.push_back(line);
  Status s = Read(*d, lines);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d->note.x, -12350.0);
  EXPECT_EQ(d->note.y, -250.0);
  EXPECT_EQ(d->note.text, "text");
  EXPECT_EQ(d->Font(1).height, 100);
  EXPECT_EQ(d->Font(2).height, -12);
  EXPECT_EQ(d->xNumberFormat, 6);
  EXPECT_EQ(d->yAxisMode, 2);
  EXPECT_EQ(d->curveAxis[1], 3);
  EXPECT_EQ(d->Font(6).FaceName(), "Wingdings");
  EXPECT_EQ(d->Font(6).charSet, SYMBOL_CHARSET_CODE);
}

TEST(PlotFileReader, ManualTicksWithoutWysiwygTurnItOff) {
  auto d = NewDocument(4, 10);
  std::vector<std::string> lines = OneCurveLines();
  for (const char* line : {"Manual Ticks", " 7.500     0.1235E+05 008 004"}) lines.push_back(line);
  ASSERT_TRUE(Read(*d, lines).Ok());
  EXPECT_EQ(d->manualTicks, 1);
  EXPECT_EQ(d->plotHeight, 12350.0);
  EXPECT_EQ(d->yTickCount, 4);
  EXPECT_EQ(d->wysiwyg, 0);
  lines.push_back("wysiwyg");
  ASSERT_TRUE(Read(*d, lines).Ok());
  EXPECT_EQ(d->wysiwyg, 1);
}

TEST(PlotFileReader, RecordArgumentErrorsGiveTheFileErrorReport) {
  auto d = NewDocument(4, 10);
  std::vector<std::string> lines = OneCurveLines();
  lines.push_back("Margins");
  lines.push_back("1 2 x 4");
  Status s = Read(*d, lines);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Error reading test.grf.  ios=0x00000040");
  EXPECT_EQ(d->curveCount, 1);  // the curves stay

  lines.resize(lines.size() - 2);
  lines.push_back("Units");
  lines.push_back("2.5 1");
  s = Read(*d, lines);
  EXPECT_EQ(s.Text(), "Error reading test.grf.  ios=0xFFFFFFFF");

  lines = OneCurveLines();
  lines.push_back("FillRegion");
  lines.push_back("0001 0002 00003 00000255 00001");
  lines.push_back("AA55ZZ00FF00FF00");
  EXPECT_EQ(Read(*d, lines).Text(), "Error reading test.grf.  ios=0x00000040");
}

TEST(PlotFileReader, FixedBlockMessages) {
  auto d = NewDocument(4, 10);
  std::vector<std::string> lines = OneCurveLines();
  lines[2] = "two";
  EXPECT_EQ(Read(*d, lines).Text(), "Error reading number of curves");
  lines[2] = "-1";
  EXPECT_EQ(Read(*d, lines).Text(), "Error reading number of curves");

  lines = OneCurveLines();
  lines[3] = "n";
  EXPECT_EQ(Read(*d, lines).Text(), "Error reading number of points for curve no.  1");
  lines[3] = "-5";
  EXPECT_EQ(Read(*d, lines).Text(), "Error reading number of points for curve no.  1");

  lines = OneCurveLines();
  lines[5] = "3;4";
  EXPECT_EQ(Read(*d, lines).Text(), "Error reading data point for curve no.  1.\nLine = 3;4");
  lines[5] = "3";
  EXPECT_EQ(Read(*d, lines).Text(), "Error reading data point for curve no.  1.\nLine = 3");
  lines[5] = "1e39, 0";  // beyond single precision
  EXPECT_EQ(Read(*d, lines).Text(), "Error reading data point for curve no.  1.\nLine = 1e39, 0");

  lines = OneCurveLines();
  lines[6] = "solid";
  EXPECT_EQ(Read(*d, lines).Text(), "Error reading line, marker styles for curve no.  1");

  lines = OneCurveLines();
  lines[13] = "linear";
  EXPECT_EQ(Read(*d, lines).Text(), "At 9900, ios=0x00000040");
  lines.resize(12);  // ends inside the trailer
  EXPECT_EQ(Read(*d, lines).Text(), "At 9900, ios=0xFFFFFFFF");
  EXPECT_EQ(d->curveCount, 1);
}

TEST(PlotFileReader, CurveNumbersInMessagesAreSlotNumbers) {
  auto d = NewDocument(20, 10);
  for (int c = 1; c <= 11; ++c) AddCurve(*d, {{0, 0}, {1, 1}});
  std::vector<std::string> lines = OneCurveLines();
  lines[4] = "1;2";
  EXPECT_EQ(Read(*d, lines, 12).Text(), "Error reading data point for curve no. 12.\nLine = 1;2");
  EXPECT_EQ(d->curveCount, 11);
  EXPECT_EQ(d->changed, 0);
}

TEST(PlotFileReader, TooManyCurves) {
  auto d = NewDocument(100, 4);
  for (int c = 1; c <= 98; ++c) AddCurve(*d, {{0, 0}, {1, 1}});
  std::vector<std::string> lines = OneCurveLines();
  lines[2] = "3";
  Status s = Read(*d, lines, 99);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Too many curves (101) ... Maximum is 100.");
  EXPECT_EQ(d->curveCount, 98);
  EXPECT_EQ(d->maxCurves, 100);

  auto fresh = NewDocument(4, 10);
  lines[2] = "2000000000";
  EXPECT_EQ(Read(*fresh, lines).Text(), "Too many curves (2000000000) ... Maximum is 100.");
  EXPECT_EQ(fresh->maxCurves, 4);
}

TEST(PlotFileReader, MoreCurvesKeepTheStorageButNotBelowTheLongestCurve) {
  ScratchFolder folder;
  auto d = NewDocument(2, 100);  // 200 points of storage
  std::vector<std::pair<float, float>> long_curve;
  for (int j = 1; j <= 90; ++j) long_curve.push_back({static_cast<float>(j), 0.5f * j});
  AddCurve(*d, long_curve);
  std::vector<std::string> lines = {"MERVA/W v1.2", "data", "3"};
  for (int c = 1; c <= 3; ++c)
    for (const char* line : {"2", "1,2", "3,4", " 1    0", "", ""}) lines.push_back(line);
  for (const char* line : {"", "", "", "", "     1", "0,0"}) lines.push_back(line);
  // 4 curves: 200 / 4 = 50 points would cut the curve of 90 points.
  Status s = Read(*d, lines, 2);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d->maxCurves, 4);
  EXPECT_EQ(d->maxPoints, 90);
  ASSERT_EQ(d->pointCount[1], 90);
  for (int j = 1; j <= 90; ++j) ASSERT_EQ(d->Y(1, j), 0.5f * j);
  EXPECT_EQ(d->curveCount, 4);
  EXPECT_TRUE(folder.IsEmpty());  // the temporary file is gone
}

TEST(PlotFileReader, LongCurvesGrowThePointsOnceToTheLongest) {
  ScratchFolder folder;
  auto d = NewDocument(3, 5);
  std::vector<std::string> lines = {"MERVA/W v1.2", "data", "3"};
  for (int n : {7, 12, 9}) {
    lines.push_back(std::to_string(n));
    for (int j = 1; j <= n; ++j) lines.push_back(std::to_string(j) + "," + std::to_string(n));
    for (const char* line : {" 1    0", "", ""}) lines.push_back(line);
  }
  for (const char* line : {"", "", "", "", "     1", "0,0"}) lines.push_back(line);
  ASSERT_TRUE(Read(*d, lines).Ok());
  EXPECT_EQ(d->maxPoints, 12);
  EXPECT_EQ(d->pointCount[2], 12);
  EXPECT_EQ(d->X(2, 12), 12.0f);
  EXPECT_EQ(d->Y(3, 9), 9.0f);
}

TEST(PlotFileReader, AllocationFailureKeepsWhatWasRead) {
  ScratchFolder folder;
  auto d = NewDocument(2, 4);
  std::vector<std::string> lines = {"data", "2", "2", "1,1", "2,2", " 1 0", "", "", "6"};
  for (int j = 1; j <= 6; ++j) lines.push_back("1,1");
  for (const char* line : {" 1 0", "", "", "", "", "", "", "1", "0,0"}) lines.push_back(line);
  SetPointMemoryLimit(2 * 5 * sizeof(float));
  Status s = Read(*d, lines);
  SetPointMemoryLimit(static_cast<std::size_t>(-1));
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Insufficient memory for          12 data points.");
  EXPECT_EQ(d->curveCount, 1);
  EXPECT_EQ(d->maxPoints, 4);
  EXPECT_EQ(d->Y(1, 2), 2.0f);
}

TEST(PlotFileReader, ExtendedReaderMessages) {
  auto d = NewDocument(4, 10);
  EXPECT_EQ(ReadPlotText(*d, "Hello\r\n1 2\r\n", "a.grf", 1).Text(), "a.grf is not a MERVA file.");
  EXPECT_EQ(ReadPlotText(*d, "", "a.grf", 1).Text(), "a.grf is not a MERVA file.");
  EXPECT_EQ(ReadPlotText(*d, "MERVA/W v1.2\r\nspline\r\n", "b.grf", 1).Text(),
            "b.grf contains features not supported by MERVA95.  Newer versions of MERVA are "
            "available from your MERVA distributor.");
  EXPECT_EQ(ReadPlotText(*d, "MERVA/W v1.2\r\n", "b.grf", 1).Text(), "At 9900, ios=0xFFFFFFFF");
}

TEST(PlotFileReader, DxFormFromAnOlderFile) {
  auto d = NewDocument(4, 4);
  std::vector<std::string> lines = {
      "MERVA/W v1.0", "dx", "1",  "7", "1,2,3,4,5", "6,7",    "0,3",     " 1   9", "Legend",
      "Tag",          "T1", "T2", "X", "Y",         "     1", "0.5,0.5", "Stop"};
  Status s = Read(*d, lines);
  ASSERT_TRUE(s.Ok()) << s.Text();
  ASSERT_EQ(d->pointCount[1], 7);
  EXPECT_EQ(d->maxPoints, 7);
  for (int j = 1; j <= 7; ++j) {
    EXPECT_EQ(d->X(1, j), 0.5f * (j - 1));
    EXPECT_EQ(d->Y(1, j), static_cast<float>(j));
  }
  EXPECT_EQ(d->symbolType[1], 261);
  EXPECT_EQ(d->legendText[1].Str(), "Legend");

  // Any number of values a line; a headerless file on a log X scale is
  // spaced evenly in log X.
  auto logDoc = NewDocument(4, 10);
  logDoc->scaleType = SCALE_LOG_LOG;
  lines = {"dx", "1", "3", "1", "2 3", "1,100", " 1 0", "", ""};
  for (const char* line : {"", "", "", "", "     4", "0,0"}) lines.push_back(line);
  ASSERT_TRUE(Read(*logDoc, lines).Ok());
  EXPECT_FLOAT_EQ(logDoc->X(1, 2), 10.0f);
  EXPECT_EQ(logDoc->Y(1, 3), 3.0f);
  EXPECT_EQ(logDoc->spacingState[1], STATE_UNKNOWN);
}

TEST(PlotFileReader, CrLfLfAndCrLineEndsReadAlike) {
  std::string crlf = JoinLines(OneCurveLines());
  std::string lf, cr;
  for (char c : crlf) {
    if (c == '\r') continue;
    lf += c;
    cr += c == '\n' ? '\r' : c;
  }
  for (const std::string* text : {&crlf, &lf, &cr}) {
    auto d = NewDocument(4, 10);
    Status s = ReadPlotText(*d, *text, "e.grf", 1);
    ASSERT_TRUE(s.Ok()) << s.Text();
    EXPECT_EQ(d->pointCount[1], 2);
    EXPECT_EQ(d->title2.Str(), "Title 2");
    EXPECT_EQ(d->legendY, 0.25);
  }
}

TEST(PlotFileReader, HandCheckedFilesFromDisk) {
  auto d = NewDocument(100, 1000);
  Status s = ReadPlotFile(*d, DataFile("two_curves.grf"), 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  ASSERT_EQ(d->curveCount, 2);
  EXPECT_EQ(d->pointCount[1], 4);
  EXPECT_EQ(d->Y(1, 4), -0.75f);
  EXPECT_EQ(d->pointCount[2], 3);
  EXPECT_EQ(d->X(2, 3), 2.5f);
  EXPECT_EQ(d->legendText[2].Str(), "Strain");
  EXPECT_EQ(d->title1.Str(), "Blast test 12");
  EXPECT_EQ(d->scaleType, SCALE_LINEAR_LINEAR);
  EXPECT_EQ(d->lineWidth[2], 2);
  EXPECT_EQ(d->maxLegendRows, 5);
  EXPECT_EQ(d->gridType, 2);
  EXPECT_EQ(d->note.text, "Gauge 1\r\nGauge 2");
  EXPECT_EQ(d->fileTitle.Str(), "two_curves.grf");

  auto e = NewDocument(100, 100);
  s = ReadPlotFile(*e, DataFile("equations.grf"), 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  ASSERT_EQ(e->curveCount, 2);
  EXPECT_EQ(e->pointCount[1], 256);
  EXPECT_EQ(e->maxPoints, 256);
  EXPECT_FLOAT_EQ(e->Y(1, 256), 1.0f + 2.0f * 10.0f);  // poli 1 + 2x at x = 10
  EXPECT_EQ(e->pointCount[2], 2);                      // a constant
  EXPECT_EQ(e->Y(2, 1), 4.0f);
  EXPECT_EQ(e->legendText[1].Str(), "Line");

  auto f = NewDocument(2, 2);
  s = ReadPlotFile(*f, DataFile("no-such-file.grf"), 1);
  EXPECT_EQ(s.Text(), "Error reading " + DataFile("no-such-file.grf") + ".  ios=0x0000001D");
}

}  // namespace
}  // namespace merva
