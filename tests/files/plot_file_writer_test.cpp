#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "files/plot_file_format.h"
#include "files/plot_file_messages.h"
#include "files/plot_file_writer.h"
#include "plot_file_test_support.h"

namespace merva {
namespace {

using namespace plot_file_test;

// Lines from the keyword after the trailer up to "Stop".
std::vector<std::string> KeywordLines(const std::string& text, const std::string& from) {
  std::vector<std::string> lines = SplitLines(text);
  auto start = std::find(lines.begin(), lines.end(), from);
  EXPECT_NE(start, lines.end()) << from;
  return std::vector<std::string>(start, lines.end());
}

std::unique_ptr<PlotDocument> TwoCurveDocument() {
  auto d = NewDocument(10, 50);
  AddCurve(*d, {{0.0f, 1.0f}, {0.5f, 2.5f}, {1.0f, -3.0f}});
  AddCurve(*d, {{1.0f, 10.0f}, {2.0f, 20.0f}});
  d->legendText[1].Set("First");
  d->curveTag[1].Set("T1");
  d->lineType[2] = 2;
  d->symbolType[2] = 261;
  d->title1.Set("Title one");
  d->xAxisLabel.Set("X");
  d->yAxisLabel.Set("Y");
  d->legendX = 0.1;
  d->legendY = 0.9;
  return d;
}

TEST(PlotFileWriter, DataFormByteForByte) {
  auto d = TwoCurveDocument();
  const std::string expected =
      "MERVA/W v1.2\r\ndata\r\n2\r\n"
      "3\r\n0,1\r\n0.5,2.5\r\n1,-3\r\n 1    0\r\nFirst\r\nT1\r\n"
      "2\r\n1,10\r\n2,20\r\n 2  261\r\n\r\n\r\n"
      "Title one\r\n\r\nX\r\nY\r\n     1\r\n0.1,0.9\r\n"
      "Grid Type\r\n01\r\n"
      "PointSizes\r\n 7\r\n 10 18 12 12 12 10 10\r\n"
      "Stop\r\n";
  EXPECT_EQ(FormatPlotFile(*d), expected);
}

TEST(PlotFileWriter, DxFormWhenEveryCurveIsEvenlySpaced) {
  auto d = NewDocument(4, 20);
  AddCurve(*d, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6.5f}, {6, 1e-5f}});
  AddCurve(*d, {{10, 0}, {20, 1}});
  EXPECT_EQ(SpacingState(*d, 1), STATE_YES);
  EXPECT_EQ(SpacingState(*d, 2), STATE_YES);
  const std::vector<std::string> lines = SplitLines(FormatPlotFile(*d));
  const std::vector<std::string> expected = {
      "MERVA/W v1.2", "dx",      "2", "7", "1,2,3,4,5", "6.5,1E-05",
      "0,6",          " 1    0", "",  "",  "2",         "0,1",
      "10,20",        " 1    0", "",  ""};
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 16), expected);

  // One curve of unknown or uneven spacing keeps the data form.
  d->InvalidateCurveStates(2);
  EXPECT_EQ(SplitLines(FormatPlotFile(*d))[1], "data");
}

TEST(PlotFileWriter, StyleLegendAndTrailerLayouts) {
  auto d = TwoCurveDocument();
  d->lineType[1] = 123;
  d->symbolType[1] = -5;
  d->legendText[1].Set("Padded   ");
  d->scaleType = SCALE_TRIPARTITE;
  d->unitSystem = USER_UNITS;
  d->title2.Set("with\r\nbreak");
  const std::vector<std::string> lines = SplitLines(FormatPlotFile(*d));
  EXPECT_EQ(lines[7], "123   -5");
  EXPECT_EQ(lines[8], "Padded");
  EXPECT_EQ(lines[17], "with  break");  // a line end would split the record
  EXPECT_EQ(lines[20], " 32517");       // 5 + 256 x 127
}

TEST(PlotFileWriter, KeywordRecordsInOrderWithTheirLayouts) {
  auto d = TwoCurveDocument();
  d->dateAxis = 1;
  d->xNumberFormat = 6;
  d->yNumberFormat = 2;
  d->dateFormat.Set("dd.mm.yyyy");
  d->denseGrid = 1;
  d->scaleType = SCALE_LOG_LOG;
  d->squareLogs = 1;
  d->filledBars = 1;  // not a bar chart: not written
  FillRegion plain;
  plain.first = 1;
  plain.second = 2;
  plain.kind = 1;
  plain.color = 0xFF;
  plain.style = -1;
  FillRegion pattern = plain;
  pattern.kind = FILL_KIND_PATTERN;
  pattern.pattern = {0xAA, 0x55, 0x00, 0xFF, 0x01, 0x10, 0x7F, 0x80};
  d->fillRegions = {plain, pattern};
  d->Font(FONT_LEGEND).SetFaceName("Symbol");
  d->Font(FONT_LEGEND).charSet = SYMBOL_CHARSET_CODE;
  d->Font(FONT_NOTE).pitchAndFamily = 0x52;  // decorative family
  d->gridType = 3;
  d->lineWidth[2] = 12;
  d->legendTitle.Set("Legend");
  d->maxLegendRows = 12;
  d->legendFrame = 0;
  d->legendLineLength = 0.75;
  d->manualScale = 1;
  d->manualLimits.xLow = -1.5;
  d->manualLimits.xHigh = 20.0;
  d->manualLimits.yLow = {-2.0, 0.5, 0, 0};
  d->manualLimits.yHigh = {3.25, 7.0, 0, 0};
  d->manualTicks = 1;
  d->plotWidth = 7.5;
  d->plotHeight = 12346.0;
  d->xTickCount = 8;
  d->yTickCount = 4;
  d->wysiwyg = 1;
  d->marginsSet = 1;
  d->margins = {0.5, 1.0, 0.0, 2.0};
  d->yAxisMode = 2;
  d->curveAxis[1] = 1;
  d->curveAxis[2] = 4;
  d->note.attribute1 = 1;
  d->note.attribute2 = 3;
  d->note.x = 0.25;
  d->note.y = -12346.0;
  d->note.text = "Line one\r\nLine two\r\n";
  d->noteButton.Set("Press");
  PointLabel label;
  label.curve = 2;
  label.point = 1;
  label.x = 1.5;
  label.y = 1e-10;
  label.attributes = 5;
  label.text.Set("Peak");
  d->pointLabels = {label};
  d->symbolSize[1] = 5;
  d->legendOpaque = 0;
  d->title3.Set("Third");
  d->unitSystem = USER_UNITS;
  d->unitFactor1 = 2.5;
  d->unitFactor2 = 0.125;
  d->unitLabel1.Set("mm");
  d->unitLabel2.Set("kN");
  d->y2AxisLabel.Set("Right");
  d->drawItems = {"L 1 2 3 4", ""};

  const std::vector<std::string> expected = {"Date",
                                             "1",
                                             "Date Format",
                                             "dd.mm.yyyy",
                                             "DenseGrid",
                                             "FillRegion",
                                             "0001 0002 00001 00000255 -00001",
                                             "FillRegion",
                                             "0001 0002 00003 00000255 -00001",
                                             "AA5500FF01107F80",
                                             "FontFace",
                                             "06",
                                             "Symbol",
                                             "FontFace",
                                             "07",
                                             "Arial",
                                             "Grid Type",
                                             "03",
                                             "LineWidths",
                                             "  0 12",
                                             "Lname",
                                             "Legend",
                                             "MaxLegendRows",
                                             "012",
                                             "NoLegendFrame",
                                             "LegendLineLength",
                                             "0.7500    ",
                                             "Manual Scale",
                                             "-1.500     -2.000    ",
                                             " 20.00      3.250    ",
                                             "Manual Scale",
                                             "-1.500     0.5000    ",
                                             " 20.00      7.000    ",
                                             "Manual Ticks",
                                             " 7.500     0.1235E+05 008 004",
                                             "wysiwyg",
                                             "Margins",
                                             "0.5000      1.000     0.0000E+00  2.000     ",
                                             "Multiple Axes",
                                             " 2",
                                             " 1 4",
                                             "NoteV2",
                                             " 0.2500    -0.1235E+05     1     3",
                                             "Line one\\n",
                                             "Line two\\n",
                                             "",
                                             "NoteButton",
                                             "Press",
                                             "NumberFormats",
                                             "   6   2",
                                             "PointSizes",
                                             " 7",
                                             " 10 18 12 12 12 10 10",
                                             "PtLabel",
                                             "2 1 1.5 1E-10 5",
                                             "Peak",
                                             "SquareLogs",
                                             "1",
                                             "SymbolSizes",
                                             " 5 0",
                                             "TransparentLegend",
                                             "Title3",
                                             "Third",
                                             "Units",
                                             " 2.5000000     0.12500000    ",
                                             "mm",
                                             "kN",
                                             "Y2Axis",
                                             "Right",
                                             "Draw",
                                             "L 1 2 3 4",
                                             "Draw",
                                             "",
                                             "Stop"};
  EXPECT_EQ(KeywordLines(FormatPlotFile(*d), "Date"), expected);
}

TEST(PlotFileWriter, ProcessingModeSavesCurveOneAndItsRecords) {
  auto d = TwoCurveDocument();
  d->processMode = 1;
  d->processState.calibration = 0.1;
  d->processState.format = 2;
  d->processState.dataType = 3;
  d->processState.generatedLabels = true;
  d->processState.shiftCount = 2;
  d->processState.shifts[0] = {1.5, -1e20, 2.0};
  d->processState.shifts[1] = {0.1, 0.0, 1.0 / 3.0};
  d->yAxisMode = 1;
  d->y2AxisLabel.Set("Right");
  d->manualScale = 1;
  d->lineWidth[2] = 3;  // curve 2 is not saved
  const std::string text = FormatPlotFile(*d);
  const std::vector<std::string> lines = SplitLines(text);
  EXPECT_EQ(lines[2], "1");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Manual Scale"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Multiple Axes"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Y2Axis"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "LineWidths"), 0);
  const std::vector<std::string> expected = {"Cal",   "0.1",          "DataProcess",
                                             "2 3 T", "1.5 -1E+20 2", "0.1 0 0.3333333333333333",
                                             "0 0 0", "0 0 0"};
  const std::vector<std::string> records = KeywordLines(text, "Cal");
  EXPECT_EQ(std::vector<std::string>(records.begin(), records.begin() + 8), expected);
  const std::vector<std::string> shifts = KeywordLines(text, "Shift");
  ASSERT_GE(shifts.size(), 5u);
  EXPECT_EQ(shifts[1], " 1.5000000     -.10000000E+21  2.0000000     ");
  EXPECT_EQ(shifts[2], "Shift");
  EXPECT_EQ(shifts[3], "0.10000000     0.00000000E+00 0.33333333     ");
  EXPECT_EQ(shifts[4], "Stop");
}

TEST(PlotFileWriter, SmallRecordLayouts) {
  auto d = TwoCurveDocument();
  d->scaleType = BAR_CHART_SCALE;
  d->filledBars = 1;
  d->yAxisMode = 1;
  d->y2Offset = -1.0;
  d->y2Factor = 2.0;
  d->maxLegendRows = 10;
  d->legendLineLength = 0.505;  // within the default band
  d->Font(FONT_NUMBERS).height = 100;
  d->Font(FONT_TITLE1).height = 100;
  d->lineWidth[1] = 1000;
  d->lineWidth[2] = -7;
  const std::string text = FormatPlotFile(*d);
  const std::vector<std::string> lines = SplitLines(text);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "FilledBars"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "MaxLegendRows"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "LegendLineLength"), lines.end());
  EXPECT_EQ(KeywordLines(text, "LineWidths")[1], " 1000   -7");
  const std::vector<std::string> axes = KeywordLines(text, "Multiple Axes");
  EXPECT_EQ(axes[1], " 1");
  EXPECT_EQ(axes[2], "-1.0000000      2.0000000    ");
  // Heights that fill their three columns keep a blank before them.
  EXPECT_EQ(KeywordLines(text, "PointSizes")[2], " 100 100 12 12 12 10 10");
}

TEST(PlotFileWriter, CurveListsBreakAfterTwentyValues) {
  auto d = NewDocument(30, 4);
  for (int c = 1; c <= 23; ++c) {
    AddCurve(*d, {{0, 0}, {1, 1}});
    d->symbolSize[c] = c;
  }
  const std::vector<std::string> lines = KeywordLines(FormatPlotFile(*d), "SymbolSizes");
  EXPECT_EQ(lines[1], "  1  2  3  4  5  6  7  8  9 10 11 12 13 14 15 16 17 18 19 20");
  EXPECT_EQ(lines[2], " 21 22 23");
}

TEST(PlotFileWriter, NoteLinesAndTheirMarkers) {
  auto d = TwoCurveDocument();
  d->note.attribute1 = 3;
  d->note.text = "";
  std::vector<std::string> lines = KeywordLines(FormatPlotFile(*d), "NoteV2");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "PointSizes");
  d->note.text = "one\r\ntwo";
  lines = KeywordLines(FormatPlotFile(*d), "NoteV2");
  EXPECT_EQ(lines[2], "one\\n");
  EXPECT_EQ(lines[3], "two");
  EXPECT_EQ(lines[4], "PointSizes");
  d->note.attribute1 = 2;  // hidden: not saved
  lines = SplitLines(FormatPlotFile(*d));
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "NoteV2"), lines.end());
}

TEST(PlotFileSave, NoDataReadOnlyAndState) {
  ScratchFolder folder;
  auto d = NewDocument(4, 10);
  const std::string path = folder.File("saved.grf");
  Status s = WritePlotFile(*d, path);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "There is no data to save!");
  EXPECT_FALSE(std::filesystem::exists(path));

  AddCurve(*d, {{1, 2}, {3, 4}});
  d->changed = 1;
  s = WritePlotFile(*d, path);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(d->changed, 0);
  EXPECT_EQ(d->filePath.Str(), path);
  EXPECT_EQ(d->fileTitle.Str(), "saved.grf");
  std::ifstream in(path, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, FormatPlotFile(*d));
  in.close();  // Windows refuses to delete an open file

  // An existing file is replaced.
  d->title1.Set("again");
  d->changed = 1;
  s = WritePlotFile(*d, path);
  ASSERT_TRUE(s.Ok()) << s.Text();
  in = std::ifstream(path, std::ios::binary);
  const std::string again((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(again, FormatPlotFile(*d));
  in.close();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("")),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left

  std::filesystem::permissions(
      path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  d->changed = 1;
  s = WritePlotFile(*d, path);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), path + " is read-only.  Select a different filename.");
  EXPECT_EQ(d->changed, 1);
}

TEST(PlotFileSave, WriteAndDeleteErrorReports) {
  ScratchFolder folder;
  auto d = TwoCurveDocument();
  const std::string missing = folder.File("no-such-folder/x.grf");
  Status s = WritePlotFile(*d, missing);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Error writing " + missing + ".  ios=0x0000001D");
  EXPECT_EQ(d->changed, 0);
  EXPECT_EQ(d->filePath.Str(), "");

  EXPECT_EQ(DeleteErrorText("C:\\A.GRF", 5), "Error deleting C:\\A.GRF.  OFSTRUCT.nErrCode=0x5");
  EXPECT_EQ(FileTitleOf("C:\\data\\run1.grf"), "run1.grf");
  EXPECT_EQ(FileTitleOf("D:run2.grf"), "run2.grf");
  EXPECT_EQ(FileTitleOf("/tmp/run3.grf"), "run3.grf");
  EXPECT_TRUE(CheckDataToSave(*d).Ok());
}

#ifndef _WIN32
// A file-size limit stands in for a full disk: the write stops half-way.
TEST(PlotFileSave, FailedWriteLeavesTheOldFile) {
  ScratchFolder folder;
  const std::string path = folder.File("kept.grf");
  const std::string old = "old plot file\r\n";
  std::ofstream(path, std::ios::binary) << old;
  auto d = NewDocument(2, 400);
  std::vector<std::pair<float, float>> points;
  for (int i = 0; i < 400; ++i) points.push_back({i * 0.5f, i * 1.25f});
  AddCurve(*d, points);
  d->changed = 1;
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const Status s = WritePlotFile(*d, path);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Error writing " + path + ".  ios=0x00000027");
  std::ifstream in(path, std::ios::binary);
  const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, old);
  EXPECT_EQ(d->changed, 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("")),
                          std::filesystem::directory_iterator()),
            1);
}
#endif

}  // namespace
}  // namespace merva
