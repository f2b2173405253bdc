#include <gtest/gtest.h>

#include "files/plot_file_reader.h"
#include "files/plot_file_writer.h"
#include "plot_file_test_support.h"

namespace merva {
namespace {

using namespace plot_file_test;

// Every field a plot file holds, compared one by one.
void ExpectSameSavedFields(const PlotDocument& a, const PlotDocument& b) {
  ASSERT_EQ(a.curveCount, b.curveCount);
  for (int c = 1; c <= a.curveCount; ++c) {
    SCOPED_TRACE("curve " + std::to_string(c));
    ASSERT_EQ(a.pointCount[c], b.pointCount[c]);
    for (int j = 1; j <= a.pointCount[c]; ++j) {
      ASSERT_EQ(a.X(c, j), b.X(c, j)) << j;
      ASSERT_EQ(a.Y(c, j), b.Y(c, j)) << j;
    }
    EXPECT_EQ(a.lineType[c], b.lineType[c]);
    EXPECT_EQ(a.symbolType[c], b.symbolType[c]);
    EXPECT_EQ(a.legendText[c], b.legendText[c]);
    EXPECT_EQ(a.curveTag[c], b.curveTag[c]);
    EXPECT_EQ(a.lineWidth[c], b.lineWidth[c]);
    EXPECT_EQ(a.symbolSize[c], b.symbolSize[c]);
    EXPECT_EQ(a.curveAxis[c], b.curveAxis[c]);
  }
  EXPECT_EQ(a.title1, b.title1);
  EXPECT_EQ(a.title2, b.title2);
  EXPECT_EQ(a.title3, b.title3);
  EXPECT_EQ(a.xAxisLabel, b.xAxisLabel);
  EXPECT_EQ(a.yAxisLabel, b.yAxisLabel);
  EXPECT_EQ(a.y2AxisLabel, b.y2AxisLabel);
  EXPECT_EQ(a.scaleType, b.scaleType);
  EXPECT_EQ(a.unitSystem, b.unitSystem);
  EXPECT_EQ(a.legendX, b.legendX);
  EXPECT_EQ(a.legendY, b.legendY);
  EXPECT_EQ(a.processMode, b.processMode);
  EXPECT_EQ(a.processState, b.processState);
  EXPECT_EQ(a.dateAxis, b.dateAxis);
  EXPECT_EQ(a.dateFormat, b.dateFormat);
  EXPECT_EQ(a.denseGrid, b.denseGrid);
  EXPECT_EQ(a.filledBars, b.filledBars);
  EXPECT_EQ(a.fillRegions, b.fillRegions);
  for (int k = 1; k <= TEXT_ELEMENT_COUNT; ++k) {
    EXPECT_EQ(a.Font(k).height, b.Font(k).height) << k;
    EXPECT_EQ(a.Font(k).FaceName(), b.Font(k).FaceName()) << k;
  }
  EXPECT_EQ(a.gridType, b.gridType);
  EXPECT_EQ(a.legendTitle, b.legendTitle);
  EXPECT_EQ(a.maxLegendRows, b.maxLegendRows);
  EXPECT_EQ(a.legendFrame, b.legendFrame);
  EXPECT_EQ(a.legendOpaque, b.legendOpaque);
  EXPECT_EQ(a.legendLineLength, b.legendLineLength);
  EXPECT_EQ(a.manualScale, b.manualScale);
  EXPECT_EQ(a.manualLimits.xLow, b.manualLimits.xLow);
  EXPECT_EQ(a.manualLimits.xHigh, b.manualLimits.xHigh);
  EXPECT_EQ(a.manualLimits.yLow[0], b.manualLimits.yLow[0]);
  EXPECT_EQ(a.manualLimits.yHigh[0], b.manualLimits.yHigh[0]);
  if (a.yAxisMode == 2) {
    EXPECT_EQ(a.manualLimits.yLow[1], b.manualLimits.yLow[1]);
    EXPECT_EQ(a.manualLimits.yHigh[1], b.manualLimits.yHigh[1]);
  }
  EXPECT_EQ(a.manualTicks, b.manualTicks);
  EXPECT_EQ(a.plotWidth, b.plotWidth);
  EXPECT_EQ(a.plotHeight, b.plotHeight);
  EXPECT_EQ(a.xTickCount, b.xTickCount);
  EXPECT_EQ(a.yTickCount, b.yTickCount);
  EXPECT_EQ(a.wysiwyg, b.wysiwyg);
  EXPECT_EQ(a.marginsSet, b.marginsSet);
  EXPECT_EQ(a.margins, b.margins);
  EXPECT_EQ(a.yAxisMode, b.yAxisMode);
  EXPECT_EQ(a.y2Offset, b.y2Offset);
  EXPECT_EQ(a.y2Factor, b.y2Factor);
  EXPECT_EQ(a.note, b.note);
  EXPECT_EQ(a.noteButton, b.noteButton);
  EXPECT_EQ(a.xNumberFormat, b.xNumberFormat);
  EXPECT_EQ(a.yNumberFormat, b.yNumberFormat);
  EXPECT_EQ(a.pointLabels, b.pointLabels);
  EXPECT_EQ(a.squareLogs, b.squareLogs);
  EXPECT_EQ(a.unitFactor1, b.unitFactor1);
  EXPECT_EQ(a.unitFactor2, b.unitFactor2);
  EXPECT_EQ(a.unitLabel1, b.unitLabel1);
  EXPECT_EQ(a.unitLabel2, b.unitLabel2);
  EXPECT_EQ(a.drawItems, b.drawItems);
}

// Values chosen to survive their layouts ("%.7G", G10.4, G14.8) exactly.
std::unique_ptr<PlotDocument> RichDocument() {
  auto d = NewDocument(5, 40);
  AddCurve(*d, {{0.0f, 1.25f}, {0.5f, -2.5f}, {1.75f, 1e-20f}, {3.0f, 123456.7f}});
  AddCurve(*d, {{-1.0f, 0.0f}, {1e10f, 3.0e38f}, {2.0f, -0.001f}});
  AddCurve(*d, {{5.0f, 6.0f}});
  AddCurve(*d, {});
  d->lineType[1] = 3;
  d->symbolType[1] = 262;
  d->lineType[3] = 0;
  d->symbolType[3] = 7;
  d->legendText[1].Set("Pressure at gauge 1, very long legend text");  // cut to 40
  d->legendText[2].Set("  leading blanks");
  d->curveTag[1].Set("ABCDE");
  d->curveTag[2].Set("x");
  d->lineWidth[2] = 12;
  d->lineWidth[3] = 1;
  d->symbolSize[1] = 8;
  d->yAxisMode = 2;
  d->curveAxis[1] = 1;
  d->curveAxis[2] = 2;
  d->curveAxis[3] = 4;
  d->curveAxis[4] = 3;
  d->title1.Set("First title");
  d->title2.Set("Second title");
  d->title3.Set("Third title");
  d->xAxisLabel.Set("Time (s)");
  d->yAxisLabel.Set("Pressure (kPa)");
  d->y2AxisLabel.Set("Right axis");
  d->scaleType = SCALE_LOG_LOG;
  d->unitSystem = USER_UNITS;
  d->unitFactor1 = 2.5;
  d->unitFactor2 = 0.125;
  d->unitLabel1.Set("mm");
  d->unitLabel2.Set("kN");
  d->legendX = 0.75;
  d->legendY = -0.125;
  d->dateAxis = 2;
  d->xNumberFormat = 6;
  d->yNumberFormat = 3;
  d->dateFormat.Set("dd.MM.yyyy");
  d->denseGrid = 1;
  FillRegion region;
  region.first = 1;
  region.second = 2;
  region.kind = FILL_KIND_PATTERN;
  region.color = 0x00FF8040;
  region.style = 4;
  region.pattern = {0xAA, 0x55, 0xAA, 0x55, 0x0F, 0xF0, 0x00, 0xFF};
  FillRegion solid = region;
  solid.kind = 1;
  solid.style = -1;
  solid.pattern = {};
  d->fillRegions = {region, solid};
  d->Font(FONT_LEGEND).SetFaceName("Symbol");
  d->Font(FONT_LEGEND).charSet = SYMBOL_CHARSET_CODE;
  d->Font(FONT_TITLE1).height = 24;
  d->Font(FONT_NOTE).height = 8;
  d->gridType = 4;
  d->legendTitle.Set("Gauges");
  d->maxLegendRows = 12;
  d->legendFrame = 0;
  d->legendOpaque = 0;
  d->legendLineLength = 0.75;
  d->manualScale = 1;
  d->manualLimits.xLow = -1.5;
  d->manualLimits.xHigh = 2500.0;
  d->manualLimits.yLow = {-2.0, 0.5, 0.0, 0.0};
  d->manualLimits.yHigh = {3.25, 7.0, 0.0, 0.0};
  d->manualTicks = 1;
  d->plotWidth = 7.5;
  d->plotHeight = 5.25;
  d->xTickCount = 8;
  d->yTickCount = 4;
  d->wysiwyg = 0;
  d->marginsSet = 1;
  d->margins = {0.5, 1.0, 1.5, 0.0};
  d->note.attribute1 = 5;
  d->note.attribute2 = 8;
  d->note.x = 0.25;
  d->note.y = 0.625;
  d->note.text = "Line one\r\n\tLine two\r\n";
  d->noteButton.Set("Press me");
  PointLabel peak;
  peak.curve = 1;
  peak.point = 4;
  peak.x = 3.5;
  peak.y = 1.25e5;
  peak.attributes = 6;
  peak.text.Set("Peak");
  PointLabel low = peak;
  low.curve = 2;
  low.point = 1;
  low.attributes = 0;
  low.text.Set("");
  d->pointLabels = {peak, low};
  d->squareLogs = 1;
  d->drawItems = {"LINE 1 2 3 4", "TEXT 0.5 0.5 hello"};
  return d;
}

TEST(PlotFileRoundTrip, EveryFieldOfTheDataForm) {
  auto original = RichDocument();
  const std::string text = FormatPlotFile(*original);
  auto copy = NewDocument(2, 2);
  Status s = ReadPlotText(*copy, text, "rich.grf", 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  ExpectSameSavedFields(*original, *copy);
  EXPECT_EQ(copy->changed, 0);
  EXPECT_EQ(FormatPlotFile(*copy), text);
}

// Independent axes keep their axis numbers and the second axis's manual
// limits; the "Multiple Axes" record of that mode has no place for C and D
// (only the "Y2 = C + D*Y1" mode writes them), so they read back as the
// defaults.
TEST(PlotFileRoundTrip, SecondAxisValuesOfBothModes) {
  auto original = NewDocument(3, 20);
  AddCurve(*original, {{1, 2}, {2, 3}});
  AddCurve(*original, {{1, 20}, {2, 30}});
  original->yAxisMode = 2;
  original->curveAxis[1] = 1;
  original->curveAxis[2] = 2;
  original->y2Offset = -3.5;
  original->y2Factor = 0.25;
  original->manualScale = 1;
  original->manualLimits.xLow = 0.5;
  original->manualLimits.xHigh = 2.5;
  original->manualLimits.yLow = {1.5, 15, 0, 0};
  original->manualLimits.yHigh = {3.5, 35, 0, 0};
  std::string text = FormatPlotFile(*original);
  auto copy = NewDocument(3, 20);
  ASSERT_TRUE(ReadPlotText(*copy, text, "axes.grf", 1).Ok());
  EXPECT_EQ(copy->yAxisMode, 2);
  EXPECT_EQ(copy->curveAxis[2], 2);
  EXPECT_EQ(copy->manualLimits.yLow[1], 15.0);
  EXPECT_EQ(copy->manualLimits.yHigh[1], 35.0);
  EXPECT_EQ(copy->y2Offset, 0.0);
  EXPECT_EQ(copy->y2Factor, 1.0);

  original->yAxisMode = 1;
  text = FormatPlotFile(*original);
  copy = NewDocument(3, 20);
  ASSERT_TRUE(ReadPlotText(*copy, text, "axes.grf", 1).Ok());
  EXPECT_EQ(copy->yAxisMode, 1);
  EXPECT_EQ(copy->y2Offset, -3.5);
  EXPECT_EQ(copy->y2Factor, 0.25);
}

TEST(PlotFileRoundTrip, DxFormRebuildsEvenlySpacedX) {
  auto original = NewDocument(3, 20);
  AddCurve(*original, {{0, 3}, {0.5f, 1}, {1, 4}, {1.5f, 1}, {2, 5}, {2.5f, 9}, {3, 2}});
  AddCurve(*original, {{-10, 1}, {10, 2}});
  for (int c = 1; c <= 2; ++c) ASSERT_EQ(SpacingState(*original, c), STATE_YES);
  const std::string text = FormatPlotFile(*original);
  ASSERT_EQ(SplitLines(text)[1], "dx");
  auto copy = NewDocument(3, 20);
  ASSERT_TRUE(ReadPlotText(*copy, text, "dx.grf", 1).Ok());
  ExpectSameSavedFields(*original, *copy);
  EXPECT_EQ(copy->spacingState[1], STATE_YES);
  EXPECT_EQ(FormatPlotFile(*copy), text);  // saved again as "dx"
}

TEST(PlotFileRoundTrip, ProcessingModeRecords) {
  auto original = NewDocument(3, 20);
  AddCurve(*original, {{0, 1}, {1, 2}, {2, 4}});
  original->processMode = 1;
  original->processState.format = 2;
  original->processState.dataType = 3;
  original->processState.generatedLabels = true;
  original->processState.calibration = 0.1;
  original->processState.shiftCount = 2;
  original->processState.shifts[0] = {1.5, -1e20, 2.0};
  original->processState.shifts[1] = {0.125, 0.0, 0.25};
  original->processState.shifts[2] = {1.0 / 3.0, 0.0, 0.0};  // exact through DataProcess
  const std::string text = FormatPlotFile(*original);
  auto copy = NewDocument(3, 20);
  ASSERT_TRUE(ReadPlotText(*copy, text, "p.grf", 1).Ok());
  ExpectSameSavedFields(*original, *copy);
}

TEST(PlotFileRoundTrip, ThroughAFileOnDisk) {
  ScratchFolder folder;
  auto original = RichDocument();
  const std::string path = folder.File("rich.grf");
  ASSERT_TRUE(WritePlotFile(*original, path).Ok());
  auto copy = NewDocument(100, 1000);
  Status s = ReadPlotFile(*copy, path, 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  ExpectSameSavedFields(*original, *copy);
  EXPECT_EQ(copy->filePath.Str(), path);
  EXPECT_EQ(copy->fileTitle.Str(), "rich.grf");
  EXPECT_EQ(copy->changed, 0);
}

TEST(PlotFileRoundTrip, AppendingStoresFromTheFirstFreeSlot) {
  auto original = RichDocument();
  const std::string text = FormatPlotFile(*original);
  auto target = NewDocument(5, 3);
  AddCurve(*target, {{7, 8}, {9, 10}});
  AddCurve(*target, {{1, 1}, {2, 2}, {3, 3}});
  // 2 + 4 curves: more than 5 columns; the storage of 15 points is kept
  // but never below the 3 points already held (15 / 6 would be 2).
  Status s = ReadPlotText(*target, text, "rich.grf", 3);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(target->maxCurves, 6);
  EXPECT_GE(target->maxPoints, 4);
  ASSERT_EQ(target->curveCount, 6);
  EXPECT_EQ(target->pointCount[1], 2);
  EXPECT_EQ(target->Y(1, 2), 10.0f);
  ASSERT_EQ(target->pointCount[2], 3);
  EXPECT_EQ(target->Y(2, 3), 3.0f);
  for (int c = 1; c <= 4; ++c) {
    ASSERT_EQ(target->pointCount[c + 2], original->pointCount[c]);
    for (int j = 1; j <= original->pointCount[c]; ++j)
      EXPECT_EQ(target->Y(c + 2, j), original->Y(c, j));
    EXPECT_EQ(target->lineWidth[c + 2], original->lineWidth[c]);
    EXPECT_EQ(target->curveAxis[c + 2], original->curveAxis[c]);
  }
  ASSERT_EQ(target->pointLabels.size(), 2u);
  EXPECT_EQ(target->pointLabels[0].curve, 3);
  EXPECT_EQ(target->changed, 1);
}

}  // namespace
}  // namespace merva
