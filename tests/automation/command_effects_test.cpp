#include <gtest/gtest.h>

#include "automation/changed_curves.h"
#include "automation/command_interpreter.h"
#include "automation/menu_ids.h"
#include "fake_host.h"

namespace merva::test {
namespace {

TEST(XYCommand, EmptyDocumentGetsCurveOneWithOnePoint) {
  Session s;
  EXPECT_EQ(s.Run("[XY(1,2)]"), EXECUTE_ACKNOWLEDGED);
  const PlotDocument& d = s.host.Doc();
  EXPECT_EQ(d.curveCount, 1);
  EXPECT_EQ(d.pointCount[1], 1);
  EXPECT_EQ(d.X(1, 1), 1.0f);
  EXPECT_EQ(d.Y(1, 1), 2.0f);
  EXPECT_EQ(d.spacingState[1], STATE_UNKNOWN);
  ASSERT_EQ(s.host.redraws.size(), 1u);  // redraw once at the end
  EXPECT_EQ(s.host.redraws[0], 1);
}

// A document without curves has no topic; its first curve names it, once.
TEST(XYCommand, FirstCurveOfAnEmptyDocumentNamesIt) {
  Session s;
  EXPECT_EQ(s.Run("[XY(1,2)][XY(2,3)]"), EXECUTE_ACKNOWLEDGED);
  ASSERT_EQ(s.host.named.size(), 1u);
  EXPECT_EQ(s.host.named[0], 1);
  EXPECT_EQ(s.Run("[SelectCurve(3)][XY(1,2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.named.size(), 1u);
  // Curves made by selecting one beyond the count name an empty document too.
  Session other;
  EXPECT_EQ(other.Run("[SelectCurve(2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(other.host.named.size(), 1u);
  // A document that already has curves is not renamed.
  Session named;
  named.host.Doc().curveCount = 1;
  EXPECT_EQ(named.Run("[XY(1,2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_TRUE(named.host.named.empty());
}

TEST(XYCommand, StoredAsSinglePrecision) {
  Session s;
  EXPECT_EQ(s.Run("[XY(0.1,1E30)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().X(1, 1), 0.1f);
  EXPECT_EQ(s.host.Doc().Y(1, 1), 1e30f);
}

TEST(XYCommand, FullCurveFailsWithMessage144) {
  Session s;
  s.host.documents.Close(1);
  ASSERT_EQ(s.host.OpenDocument(2, 2), 1);
  EXPECT_EQ(s.Run("[XY(1,1)][XY(2,2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.Run("[XY(3,3)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.host.Doc().pointCount[1], 2);
  ASSERT_EQ(s.host.messages.size(), 2u);
  EXPECT_EQ(s.host.messages[0].text,
            "Cannot add another data point. The currently selected curve already has the maximum "
            "number of points.");
  EXPECT_EQ(s.host.messages[1].caption, "Error processing this command:");
  // Shown only with error messages on.
  s.host.messages.clear();
  EXPECT_EQ(s.Run("[ErrorMessages(0)][XY(3,3)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_TRUE(s.host.messages.empty());
}

TEST(XYCommand, PostponeRedrawDrawsNothingUntilViewRedraw) {
  Session s;
  EXPECT_EQ(s.Run("[PostponeRedraw()]"), EXECUTE_ACKNOWLEDGED);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(s.Run("[XY(1,2)][XY(2,3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_TRUE(s.host.redraws.empty());
  EXPECT_TRUE(s.host.segments.empty());
  EXPECT_EQ(s.Run("[ViewRedraw()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.redraws.size(), 1u);
  EXPECT_EQ(s.host.Doc().pointCount[1], 40);
}

TEST(XYCommand, FixedAxesDrawOnlyTheNewSegment) {
  Session s;
  PlotDocument& d = s.host.Doc();
  d.manualScale = 1;
  d.manualLimits.xLow = 0;
  d.manualLimits.xHigh = 10;
  d.plotWindow = d.manualLimits;
  d.plotWindow.yLow[0] = 0;
  d.plotWindow.yHigh[0] = 10;
  EXPECT_EQ(s.Run("[XY(1,1)]"), EXECUTE_ACKNOWLEDGED);  // one point: a redraw
  EXPECT_EQ(s.host.redraws.size(), 1u);
  EXPECT_EQ(s.Run("[XY(2,2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.redraws.size(), 1u);
  ASSERT_EQ(s.host.segments.size(), 1u);
  EXPECT_EQ(s.host.segments[0], 1001);
  EXPECT_EQ(s.Run("[XY(3,20)]"), EXECUTE_ACKNOWLEDGED);  // outside Y: a redraw
  EXPECT_EQ(s.host.redraws.size(), 2u);
  EXPECT_EQ(s.host.segments.size(), 1u);
}

TEST(XYCommand, ManualScaleMovesTheWindowRightByHalves) {
  Session s;
  PlotDocument& d = s.host.Doc();
  d.manualScale = 1;
  d.manualLimits.xLow = 0;
  d.manualLimits.xHigh = 10;
  EXPECT_EQ(s.Run("[XY(23,1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(d.manualLimits.xLow, 15);
  EXPECT_EQ(d.manualLimits.xHigh, 25);
  ASSERT_EQ(s.host.menus.size(), 1u);
  EXPECT_EQ(s.host.menus[0], MENU_MANUAL_SCALE);
  EXPECT_EQ(s.host.menuMacroActive[0], 1);
  EXPECT_TRUE(s.host.redraws.empty());  // nothing else is drawn
  EXPECT_EQ(s.cells.macroCommandActive, 0);
}

TEST(XYCommand, HugeXOrEmptyWindowDoesNotLoop) {
  Session s;
  PlotDocument& d = s.host.Doc();
  d.manualScale = 1;
  d.manualLimits.xLow = 0;
  d.manualLimits.xHigh = 1;
  EXPECT_EQ(s.Run("[XY(1E38,1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_GE(d.manualLimits.xHigh, 9.9e37);
  d.manualLimits.xLow = d.manualLimits.xHigh = 5;  // zero width
  EXPECT_EQ(s.Run("[XY(1E38,1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(d.pointCount[1], 2);
}

TEST(XYCommand, ValuesBeyondSinglePrecisionFail) {
  Session s;
  EXPECT_EQ(s.Run("[XY(1E39,1)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[XY(1,-1E39)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[XY(3.4E38,-3.4E38)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().pointCount[1], 1);
}

TEST(XYCommand, MarksTheCurveChangedForAdvise) {
  Session s;
  ClearChangedCurves(1);
  EXPECT_EQ(s.Run("[SelectCurve(2)][XY(1,2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_FALSE(TakeCurveChanged(1, 1));
  EXPECT_TRUE(TakeCurveChanged(1, 2));
  EXPECT_FALSE(TakeCurveChanged(1, 2));
}

TEST(SelectCurveCommand, ZeroFailsNegativeSelectsAll) {
  Session s;
  EXPECT_EQ(s.Run("[SelectCurve(0)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[SelectCurve(3)][XY(1,1)][XY(2,2)][SelectCurve(-1)][EditSort()]"),
            EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().curveCount, 3);
  ASSERT_EQ(s.host.menus.size(), 1u);
  EXPECT_EQ(s.host.menus[0], MENU_SORT);
  EXPECT_EQ(s.cells.firstCurve, 1);
  EXPECT_EQ(s.cells.lastCurve, 3);
}

TEST(SelectCurveCommand, BeyondCapacityGrowsTheArrays) {
  Session s;
  s.host.documents.Close(1);
  ASSERT_EQ(s.host.OpenDocument(2, 50), 1);
  EXPECT_EQ(s.Run("[XY(1,5)][SelectCurve(7)]"), EXECUTE_ACKNOWLEDGED);
  const PlotDocument& d = s.host.Doc();
  EXPECT_EQ(d.maxCurves, 7);
  EXPECT_EQ(d.maxPoints, 50);
  EXPECT_EQ(d.curveCount, 7);
  EXPECT_EQ(s.host.resized, (std::vector<int>{1}));  // the capacity shown follows
  EXPECT_EQ(d.pointCount[7], 0);
  EXPECT_EQ(d.monotonicState[7], STATE_UNKNOWN);
  EXPECT_EQ(d.Y(1, 1), 5.0f);  // kept
  EXPECT_EQ(s.conversation.selectedCurve, 7);
  EXPECT_EQ(s.Run("[SelectCurve(101)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.conversation.selectedCurve, 7);
  EXPECT_EQ(s.Run("[SelectCurve(3)][FileArrays(8,60)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.resized, (std::vector<int>{1, 1}));
}

TEST(FileArraysCommand, ResizesOrFails) {
  Session s;
  EXPECT_EQ(s.Run("[FileArrays(5,200)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().maxCurves, 5);
  EXPECT_EQ(s.host.Doc().maxPoints, 200);
  EXPECT_EQ(s.Run("[FileArrays(0,200)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[FileArrays(500,200)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.host.Doc().maxCurves, 5);
  EXPECT_EQ(s.host.frameClosed, 0);
}

TEST(ColorCommand, AllOrOneEntry) {
  Session s;
  EXPECT_EQ(s.Run("[Color(-1,0,0,0)]"), EXECUTE_ACKNOWLEDGED);
  for (uint32_t c : s.host.settings.screenColors) EXPECT_EQ(c, 0u);
  EXPECT_EQ(s.Run("[Color(3,1,2,3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.settings.screenColors[2], 0x030201u);
  EXPECT_EQ(s.Run("[Color(17,0,0,0)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[Color(0,0,0,0)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.host.paletteRebuilds, 2);
}

TEST(TextCommands, TitlesAndLabels) {
  Session s;
  EXPECT_EQ(s.Run("[Title1(\"First\")][Title2(\"Second\")][Title3(\"Third\")]"),
            EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().title1.Str(), "First");
  EXPECT_EQ(s.Run("[Title1(\"\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_TRUE(s.host.Doc().title1.IsBlank());
  EXPECT_EQ(s.Run("[Title1()]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[XAxisLabel(\"" + std::string(100, 'x') + "\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().xAxisLabel.Str().size(), 80u);
  EXPECT_EQ(s.Run("[YAxisLabel(\"Y (m)\")][Y2AxisLabel(\"Y2\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().yAxisLabel.Str(), "Y (m)");
  EXPECT_EQ(s.host.Doc().y2AxisLabel.Str(), "Y2");
}

TEST(TextCommands, CaptionNamesTheDocument) {
  Session s;
  EXPECT_EQ(s.Run("[Caption(\"Run 12\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().fileTitle.Str(), "Run 12");
  EXPECT_EQ(s.host.Doc().curveCount, 1);
  ASSERT_EQ(s.host.renamed.size(), 1u);
}

TEST(TextCommands, TextNoteWithLineBreaks) {
  Session s;
  EXPECT_EQ(s.Run("[TextNote(\"one\\ntwo\",1.5,2.5,1,0,1,8)]"), EXECUTE_ACKNOWLEDGED);
  const Note& n = s.host.Doc().note;
  EXPECT_EQ(n.text, "one\r\ntwo");
  EXPECT_EQ(n.x, 1.5);
  EXPECT_EQ(n.y, 2.5);
  EXPECT_EQ(n.attribute1, 1 | 2 | 8);
  EXPECT_EQ(n.attribute2, 8);
  ASSERT_FALSE(s.host.noteButton.empty());
  EXPECT_TRUE(s.host.noteButton.back());
  EXPECT_EQ(s.Run("[NoteText(\"\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_TRUE(s.host.Doc().note.text.empty());
  EXPECT_EQ(s.host.Doc().note.attribute1 & 1, 0);
  EXPECT_FALSE(s.host.noteButton.back());
  EXPECT_EQ(s.Run("[NoteText(\"hello\")][NoteOptions(4)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().note.attribute1, 5);
  EXPECT_EQ(s.Run("[NotePosition(3,4)][NoteTabStops(6)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().note.x, 3);
  EXPECT_EQ(s.host.Doc().note.attribute2, 6);
  EXPECT_EQ(s.Run("[TextNote(\"x\",1,2,0,0,0)]"), EXECUTE_NOT_PROCESSED);  // one number short
}

TEST(TextCommands, TextFont) {
  Session s;
  EXPECT_EQ(s.Run("[TextFont(2,-14,-5,7,300,20,-4,\"Times New Roman\")]"), EXECUTE_ACKNOWLEDGED);
  const FontDescription& f = s.host.Doc().Font(2);
  EXPECT_EQ(f.height, 14);
  EXPECT_EQ(f.weight, 0);
  EXPECT_EQ(f.italic, 1);
  EXPECT_EQ(f.FaceName(), "Times New Roman");
  EXPECT_EQ(s.host.Doc().fontColors[1], 255u + 256u * 20u);
  EXPECT_EQ(s.Run("[TextFont(3,10,400,0,0,0,0,\"\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().Font(3).FaceName(), "");
  EXPECT_EQ(s.Run("[TextFont(8,10,400,0,0,0,0,\"Arial\")]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[TextFont(0,10,400,0,0,0,0,\"Arial\")]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[TextFont(1,-2147483648,400,0,0,0,0,\"Arial\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_GT(s.host.Doc().Font(1).height, 0);
  EXPECT_EQ(s.Run("[FontPoints(7,22)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().Font(7).height, 22);
  EXPECT_EQ(s.Run("[FontPoints(8,22)]"), EXECUTE_NOT_PROCESSED);
}

TEST(TextCommands, FillBetweenAndPointLabelsAreLimitedTo20) {
  Session s;
  EXPECT_EQ(s.Run("[FillBetween(1,2,255,0,0,-1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.Run("[FillBetween(1,2,0,0,255,3)]"), EXECUTE_ACKNOWLEDGED);
  const auto& fills = s.host.Doc().fillRegions;
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].color, 255);
  EXPECT_EQ(fills[0].kind, 0);
  EXPECT_EQ(fills[1].kind, 2);
  EXPECT_EQ(fills[1].style, 3);
  EXPECT_EQ(fills[1].color, 255 * 65536);
  for (int i = 2; i < 20; ++i) EXPECT_EQ(s.Run("[FillBetween(1,2,0,0,0,0)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.Run("[FillBetween(1,2,0,0,0,0)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(fills.size(), 20u);

  EXPECT_EQ(s.Run("[SelectCurve(2)][TextPointLabel(5,1.5,2.5,1,0,\"peak\")]"),
            EXECUTE_ACKNOWLEDGED);
  const auto& labels = s.host.Doc().pointLabels;
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels[0].point, 5);
  EXPECT_EQ(labels[0].curve, 2);
  EXPECT_EQ(labels[0].attributes, 4);
  EXPECT_EQ(labels[0].text.Str(), "peak");
  for (int i = 1; i < 20; ++i)
    EXPECT_EQ(s.Run("[TextPointLabel(1,0,0,0,7,\"x\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(labels.back().attributes, 1);
  EXPECT_EQ(s.Run("[TextPointLabel(1,0,0,0,0,\"x\")]"), EXECUTE_NOT_PROCESSED);
}

TEST(TextCommands, LegendAndStyles) {
  Session s;
  EXPECT_EQ(s.Run("[Legend(0,\"Title\")][Legend(3,\"Third\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().legendTitle.Str(), "Title");
  EXPECT_EQ(s.host.Doc().legendText[3].Str(), "Third");
  EXPECT_EQ(s.Run("[Legend(11,\"x\")]"), EXECUTE_NOT_PROCESSED);  // maxCurves is 10
  EXPECT_EQ(s.Run("[Legend(-1,\"x\")]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[LineType(2,3)][LineWidth(2,20)][SymbolType(2,4)][SymbolSize(2,50)]"),
            EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().lineType[2], 3);
  EXPECT_EQ(s.host.Doc().lineWidth[2], 20);
  EXPECT_EQ(s.host.Doc().symbolType[2], 4);
  EXPECT_EQ(s.host.Doc().symbolSize[2], 50);
  EXPECT_EQ(s.Run("[LineType(0,3)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[LineType(11,3)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[LegendParams(0.75,5,0,1,0.2,0.3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().legendLineLength, 0.75);
  EXPECT_EQ(s.host.Doc().maxLegendRows, 5);
  EXPECT_EQ(s.host.Doc().legendFrame, 0);
  EXPECT_EQ(s.host.Doc().legendY, 0.3);
}

TEST(DocumentCommands, SizeMultipleAxesNumberFormats) {
  Session s;
  EXPECT_EQ(s.Run("[Size(1,4.5,3.5,0)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().manualTicks, 1);
  EXPECT_EQ(s.host.Doc().plotWidth, 4.5);
  EXPECT_EQ(s.host.Doc().wysiwyg, 0);
  EXPECT_EQ(s.Run("[Size(0,0,0,1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().manualTicks, 0);
  EXPECT_EQ(s.host.Doc().plotWidth, 4.5);
  EXPECT_EQ(s.Run("[Size(1,0,3,1)]"), EXECUTE_NOT_PROCESSED);

  EXPECT_EQ(s.Run("[MultipleYAxes(1,2.5,0.5)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().yAxisMode, 1);
  EXPECT_EQ(s.host.Doc().y2Offset, 2.5);
  EXPECT_EQ(s.host.Doc().y2Factor, 0.5);
  EXPECT_EQ(s.Run("[MultipleYAxes(2,3,0)]"), EXECUTE_NOT_PROCESSED);  // curve 1 selected
  EXPECT_EQ(s.Run("[SelectCurve(2)][MultipleYAxes(2,2.6,0)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().yAxisMode, 2);
  EXPECT_EQ(s.host.Doc().curveAxis[2], 3);
  EXPECT_EQ(s.Run("[MultipleYAxes(2,9,0)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[MultipleYAxes(3,0,0)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[MultipleYAxes(0,0,0)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().yAxisMode, 0);

  EXPECT_EQ(s.Run("[NumberFormat(0,3)][NumberFormat(1,7)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().xNumberFormat, 3);
  EXPECT_EQ(s.host.Doc().yNumberFormat, 7);
  EXPECT_EQ(s.Run("[NumberFormat(2,3)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[NumberFormat(0,8)]"), EXECUTE_NOT_PROCESSED);
}

TEST(DocumentCommands, PictureDimensionsPageAndFlags) {
  Session s;
  EXPECT_EQ(s.Run("[SetBitmapDims(800,600)][SetMetafileDims(2,1.5)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.bitmapWidth, 800);
  EXPECT_EQ(s.cells.metafileWidth, 5080);
  EXPECT_EQ(s.cells.metafileHeight, 3810);
  EXPECT_EQ(s.Run("[SetBitmapDims(0,600)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[SetMetafileDims(0,1)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[SetMetafileDims(1E30,1)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[SetMetafileDims(1.3,4)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.metafileWidth, 3302);  // nearest, not truncated
  EXPECT_EQ(s.cells.metafileHeight, 10160);
  EXPECT_EQ(s.Run("[FilePageSetup(1,2,0.5,0.25)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().marginsSet, 1);
  EXPECT_EQ(s.host.Doc().margins[3], 0.25);
  EXPECT_EQ(s.Run("[FilePageSetup(1,-2,0.5,0.25)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.host.Doc().margins[1], 2.0);  // a refused margin keeps the old ones
  EXPECT_EQ(s.Run("[ShowDate(5)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().dateStamp, 1);  // the date stamp, not dates on the X axis
  EXPECT_EQ(s.host.Doc().dateAxis, 0);
  EXPECT_EQ(s.Run("[ClearEditFlag()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().changed, 0);
  EXPECT_EQ(s.Run("[FftMethod(1)][FftPhase(9)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.settings.fftOption & 6, 6);
  EXPECT_EQ(s.Run("[FftMethod(-3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.settings.fftOption & 6, 4);
  EXPECT_EQ(s.Run("[FileType(12)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.fileType, 12);
  EXPECT_EQ(s.Run("[StartStop(0.5,9)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.processStop, 9);
}

TEST(MenuCommands, MacroExecutionSetsTheFlagOnlyDuringTheSend) {
  Session s;
  EXPECT_EQ(s.Run("[AutoScale()][AutoSize()][AverageAll()][CopyPicture()][FilePrint()]"),
            EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus, (std::vector<int>{4185, 4187, 4205, 4115, 4105}));
  for (int active : s.host.menuMacroActive) EXPECT_EQ(active, 1);
  EXPECT_EQ(s.cells.macroCommandActive, 0);
  EXPECT_EQ(s.host.activated.back(), 1);
  EXPECT_EQ(s.Run("[About()][HelpContents()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.posted, (std::vector<int>{4243, 4240}));
}

TEST(MenuCommands, EachCurveRepeatsPerCurve) {
  Session s;
  EXPECT_EQ(s.Run("[SelectCurve(3)][SelectCurve(-1)][Integrate()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus, (std::vector<int>{4208, 4208, 4208}));
  EXPECT_EQ(s.host.menuFirstCurves, (std::vector<int>{1, 2, 3}));
  s.host.menus.clear();
  s.host.menuFirstCurves.clear();
  EXPECT_EQ(s.Run("[SelectCurve(2)][Differentiate()][EditRemoveTrend()][EditSmooth(1,5)]"),
            EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus, (std::vector<int>{4209, 4141, 4133}));
  EXPECT_EQ(s.host.menuFirstCurves, (std::vector<int>{2, 2, 2}));
  EXPECT_EQ(s.cells.replaceCurve, 1);
  EXPECT_EQ(s.cells.constantValue, 5);
}

TEST(MenuCommands, UnavailableOperationFails) {
  Session s;
  s.host.unavailable = {MENU_SMOOTH};
  EXPECT_EQ(s.Run("[EditSmooth(0,3)][Title1(\"after\")]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.cells.constantValue, 3);  // the cells are set all the same
  EXPECT_TRUE(s.host.Doc().title1.IsBlank());
  EXPECT_EQ(s.host.messages.size(), 1u);
  EXPECT_EQ(s.cells.macroCommandActive, 0);
}

TEST(MenuCommands, TogglesSendOnlyOnChange) {
  Session s;
  EXPECT_EQ(s.Run("[BarChartStyle(0)][DenseGridLines(0)][SquareLogCycles(-4)]"),
            EXECUTE_ACKNOWLEDGED);
  EXPECT_TRUE(s.host.menus.empty());
  EXPECT_EQ(s.Run("[BarChartStyle(7)][DenseGridLines(1)][SquareLogCycles(1)][ShowCaption(1)]"),
            EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus, (std::vector<int>{4180, 4204, 4189, 4158}));
  // The caption switch is the "PrintFileName" setting.
  s.host.settings.printFileName = true;
  EXPECT_EQ(s.Run("[ShowCaption(1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.size(), 4u);
  EXPECT_EQ(s.Run("[ShowCaption(0)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.back(), 4158);
}

TEST(MenuCommands, CurveOperations) {
  Session s;
  EXPECT_EQ(s.Run("[SelectCurve(3)]"), EXECUTE_ACKNOWLEDGED);
  const char* commands[] = {"[AddCurves(1,2)]", "[Lump(1,2)]",           "[SubtractCurves(2,3)]",
                            "[Compare(2,3)]",   "[MultiplyCurves(1,3)]", "[DivideCurves(3,1)]"};
  const int ops[] = {1, 1, 2, 2, 3, 4};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(s.Run(commands[i]), EXECUTE_ACKNOWLEDGED) << commands[i];
    EXPECT_EQ(s.cells.curveOp, ops[i]);
    EXPECT_EQ(s.host.menus.back(), MENU_CURVE_FUNCTION);
  }
  EXPECT_EQ(s.cells.curveOpY1, 3);
  EXPECT_EQ(s.cells.curveOpY2, 1);
  EXPECT_EQ(s.Run("[AddCurves(1,4)]"), EXECUTE_NOT_PROCESSED);
}

TEST(MenuCommands, EditingParameters) {
  Session s;
  EXPECT_EQ(s.Run("[XY(1,1)][XY(2,2)][XY(3,3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.Run("[EditAddToX(2.5)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.back(), MENU_ADD_TO_X);
  EXPECT_EQ(s.cells.constantValue, 2.5);
  EXPECT_EQ(s.Run("[EditMultiplyY(3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.back(), MENU_MULTIPLY_Y);
  EXPECT_EQ(s.Run("[EditDecimate(0,1,1,2,3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.back(), MENU_AVERAGE_POINTS);
  EXPECT_EQ(s.cells.decimation[2], 3);
  EXPECT_EQ(s.Run("[EditDecimate(1,0,1,2,3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.back(), MENU_SKIP_POINTS);
  EXPECT_EQ(s.Run("[EditDecimate(5,0,1,2,3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.back(), MENU_DEPOPULATE);
  EXPECT_EQ(s.Run("[EditEqualInts(1,0.5,2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.intParameter, 2);
  EXPECT_EQ(s.Run("[EditTruncate(1,2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.rangeHigh, 2);
  EXPECT_EQ(s.Run("[CurveFit(3)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.intParameter, 3);
  EXPECT_EQ(s.Run("[CurveFit(4)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[CurveFit(-1)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[SelectCurve(5)][EditErase()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.eraseCurve, 5);
  EXPECT_EQ(s.Run("[SelectCurve(-1)][EditErase()][Fft()][Histogram(0.5)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.eraseCurve, 1);
  EXPECT_EQ(s.cells.firstCurve, 1);
  EXPECT_EQ(s.cells.constantValue, 0.5);
  EXPECT_EQ(s.Run("[GridLines(9)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.back(), 4183);
  EXPECT_EQ(s.Run("[GridLines(-9)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.back(), 4181);
  EXPECT_EQ(s.Run("[Scale(4)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.menus.back(), 4169);
  EXPECT_EQ(s.Run("[Scale(14)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[ManualScale(0,1,10,11)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.Doc().manualLimits.yHigh[0], 11);
  EXPECT_EQ(s.host.menus.back(), MENU_MANUAL_SCALE);
  EXPECT_EQ(s.Run("[Paste()]"), EXECUTE_NOT_PROCESSED);
  s.host.clipboardText = true;
  EXPECT_EQ(s.Run("[Paste()]"), EXECUTE_ACKNOWLEDGED);
}

TEST(MenuCommands, BaselineShiftNeedsProcessingMode) {
  Session s;
  EXPECT_EQ(s.Run("[BaselineShift(1,2,-1E20,4)]"), EXECUTE_NOT_PROCESSED);
  s.host.Doc().processMode = 1;
  EXPECT_EQ(s.Run("[BaselineShift(1,2,-1E20,4)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.constantShift, 1);
  EXPECT_EQ(s.cells.shiftStop, 4);
  EXPECT_EQ(s.Run("[BaselineShift(1,2,3,4)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.constantShift, 0);
}

TEST(MenuCommands, DataProcessArguments) {
  Session s;
  EXPECT_EQ(s.Run("[DataProcess(1,\"Acceleration\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.processState, 1);
  EXPECT_EQ(s.cells.processRecordType, 3);
  EXPECT_EQ(s.cells.processOption, 1);
  EXPECT_EQ(s.host.menus.back(), MENU_DATA_PROCESS);
  EXPECT_EQ(s.Run("[DataProcess(1,\"STRAIN\",7)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.processRecordType, 5);
  EXPECT_EQ(s.cells.processOption, 2);
  EXPECT_EQ(s.Run("[DataProcess(1,\"stress\",0)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.processRecordType, 2);
  EXPECT_EQ(s.cells.processOption, 0);
  const std::pair<const char*, int> types[] = {{"p", 1}, {"d", 4}, {"temp", 6}, {"x", 0}};
  for (const auto& [type, code] : types) {
    EXPECT_EQ(s.Run(std::string("[DataProcess(1,\"") + type + "\")]"), EXECUTE_ACKNOWLEDGED);
    EXPECT_EQ(s.cells.processRecordType, code) << type;
  }
  EXPECT_EQ(s.Run("[DataProcess(1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.processState, 0);
  EXPECT_EQ(s.Run("[DataProcess(0)][XY(1,1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.processReset, 1);
  EXPECT_EQ(s.host.Doc().pointCount[1], 1);
  EXPECT_EQ(s.Run("[DataProcess(x)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[DataProcess(1,\"p\",x)]"), EXECUTE_NOT_PROCESSED);
}

TEST(MenuCommands, FailedDataProcessLeavesTheModeAsItWas) {
  Session s;
  s.host.unavailable.insert(MENU_DATA_PROCESS);
  EXPECT_EQ(s.Run("[DataProcess(1,\"Acceleration\")]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.host.Doc().processMode, 0);
  EXPECT_EQ(s.host.Doc().processState.dataType, 0);
  s.host.Doc().processMode = 1;
  s.host.Doc().processState.dataType = 1;
  EXPECT_EQ(s.Run("[DataProcess(1)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[DataProcess(1,\"temp\")]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.host.Doc().processMode, 1);
  EXPECT_EQ(s.host.Doc().processState.dataType, 1);
}

TEST(MenuCommands, EditFilterArguments) {
  Session s;
  EXPECT_EQ(s.Run("[EditFilter(\"user\",1,0,0.1,0.2,0.3,0.4,0.5)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.filterType, 0);
  EXPECT_EQ(s.cells.filterTwoPass, 1);
  EXPECT_EQ(s.cells.filterCoefficients[4], 0.5);
  EXPECT_EQ(s.host.menus.back(), MENU_FILTER);
  EXPECT_EQ(s.Run("[EditFilter(\"BandPass\",0,1,5,50,1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.filterType, 3);
  EXPECT_EQ(s.cells.filterCutoffs[0], 5);
  EXPECT_EQ(s.cells.filterCutoffs[1], 50);
  EXPECT_EQ(s.cells.filterTimeScale, 1);
  EXPECT_EQ(s.cells.replaceCurve, 1);
  EXPECT_EQ(s.Run("[EditFilter(\"bandpass\",0,1,5)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.filterType, 1);  // no second cut-off: low pass
  EXPECT_EQ(s.cells.filterCutoffs[1], 0);
  EXPECT_EQ(s.Run("[EditFilter(\"bandpass\",0,1,-5,20)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.filterType, 3);
  EXPECT_EQ(s.cells.filterCutoffs[0], 0);
  EXPECT_EQ(s.Run("[EditFilter(\"bandpass\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.Run("[EditFilter(\"bandpass\",0,1,5,50,2)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[EditFilter(\"option3\",1,1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.filterType, 6);
  EXPECT_EQ(s.Run("[EditFilter(\"option5\",1,1)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[EditFilter(\"highpass\",1,1)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[EditFilter(\"user\",1,0)]"), EXECUTE_NOT_PROCESSED);
}

TEST(MenuCommands, FilesAndLinks) {
  Session s;
  EXPECT_EQ(s.Run("[FileAppend(\"b.grf\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.pendingFileName, "b.grf");
  EXPECT_EQ(s.host.menus.back(), MENU_APPEND);
  EXPECT_EQ(s.Run("[FileSaveAs(3,\"c:\\out.txt\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.pendingFileName, "c:\\out.txt");
  EXPECT_EQ(s.host.menus.back(), MENU_SAVE_AS);
  EXPECT_EQ(s.cells.currentFileType, 1);  // back to the conversation's type
  EXPECT_EQ(s.Run("[FileAppend(\"" + std::string(300, 'a') + "\")]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[InsertLink(\"Excel\",\"Sheet1\",\"R1C1:R10C2\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.cells.linkServer, "Excel");
  EXPECT_EQ(s.cells.linkTopic, "Sheet1");
  EXPECT_EQ(s.cells.linkItem, "R1C1:R10C2");
  EXPECT_EQ(s.host.menuParameters.back(), -1);
  s.host.links = 10;
  EXPECT_EQ(s.Run("[InsertLink(\"Excel\",\"Sheet1\",\"R1C1\")]"), EXECUTE_NOT_PROCESSED);
  s.host.links = 0;
  EXPECT_EQ(s.Run("[InsertLink(\"" + std::string(256, 'e') + "\",\"t\",\"i\")]"),
            EXECUTE_NOT_PROCESSED);
  s.host.menus.clear();
  EXPECT_EQ(s.Run("[FileMacro()][FilePrint()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_TRUE(s.host.menus.empty());  // the rest is not interpreted
  EXPECT_EQ(s.host.posted.back(), 4109);
}

TEST(WindowCommands, FileOpenNewCloseActivate) {
  Session s;
  s.host.Doc().fileTitle.Set("First");
  EXPECT_EQ(s.Run("[XY(1,1)][FileOpen(\"b.grf\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.docSlot, 2);
  ASSERT_EQ(s.host.redraws.size(), 2u);  // the pending redraw first, then the new document
  EXPECT_EQ(s.host.redraws[0], 1);
  EXPECT_EQ(s.host.redraws[1], 2);
  EXPECT_EQ(s.host.openedTypes.back(), 1);
  EXPECT_EQ(s.Run("[FileType(0)][StdOpenDocument(\"c.grf\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.docSlot, 3);
  s.host.detectedType = 7;
  EXPECT_EQ(s.Run("[FileOpen(\"d.dat\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.openedTypes.back(), 7);
  s.host.failOpen = true;
  EXPECT_EQ(s.Run("[FileOpen(\"missing.grf\")]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.conversation.docSlot, 4);
  EXPECT_EQ(s.Run("[Activate(\"FIRST\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.docSlot, 1);
  EXPECT_EQ(s.host.activated.back(), 1);
  EXPECT_EQ(s.Run("[Activate(\"Firs\")]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[FileNew()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.docSlot, 5);
  EXPECT_EQ(s.conversation.selectedCurve, 1);
  EXPECT_EQ(s.Run("[FileClose()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_FALSE(s.host.documents.IsOpen(5));
  EXPECT_EQ(s.conversation.docSlot, 1);
}

TEST(WindowCommands, NewWindowRefusedWhenAllSlotsAreTaken) {
  Session s;
  for (int i = 2; i <= 8; ++i) s.host.OpenDocument();
  EXPECT_EQ(s.Run("[FileNew()]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.conversation.docSlot, 1);
}

TEST(WindowCommands, ClosingTheLastDocumentEndsWithFailure) {
  Session s;
  EXPECT_EQ(s.Run("[FileClose()][XY(1,1)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.conversation.docSlot, 0);
  EXPECT_EQ(s.host.messages.size(), 1u);
  EXPECT_EQ(s.Run("[XY(1,1)]"), EXECUTE_NOT_PROCESSED);
}

TEST(WindowCommands, ClosingTheLastDocumentAtTheEndIsAcknowledged) {
  Session s;
  EXPECT_EQ(s.Run("[XY(1,1)][FileClose()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.docSlot, 0);
  EXPECT_TRUE(s.host.messages.empty());
  EXPECT_EQ(s.Run("[XY(1,1)]"), EXECUTE_NOT_PROCESSED);
}

TEST(WindowCommands, UnboundConversationOpensAndBinds) {
  Session s;
  s.host.Doc().fileTitle.Set("First");
  s.conversation.docSlot = 0;
  EXPECT_EQ(s.Run("[XY(1,1)]"), EXECUTE_NOT_PROCESSED);
  EXPECT_EQ(s.Run("[FileNew()][XY(1,1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.docSlot, 2);
  EXPECT_EQ(s.host.Doc(2).pointCount[1], 1);
  s.conversation.docSlot = 0;
  EXPECT_EQ(s.Run("[FileOpen(\"a.grf\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.docSlot, 3);
  s.conversation.docSlot = 0;
  EXPECT_EQ(s.Run("[Activate(\"first\")][XY(2,2)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.conversation.docSlot, 1);
  EXPECT_EQ(s.host.Doc(1).pointCount[1], 1);
  // With every window closed, the shell's open verb still opens its file.
  for (int slot = 1; slot <= 3; ++slot) s.host.documents.Close(slot);
  EXPECT_EQ(s.Run("[FileOpen(\"b.grf\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_NE(s.conversation.docSlot, 0);
  EXPECT_TRUE(s.host.messages.empty());
}

TEST(WindowCommands, FileExitStopsAcknowledgedWithoutRedraw) {
  Session s;
  EXPECT_EQ(s.Run("[XY(1,1)][FileExit()][Bogus()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.frameClosed, 1);
  EXPECT_TRUE(s.host.redraws.empty());
  EXPECT_TRUE(s.host.messages.empty());
}

TEST(WindowCommands, WindowStatesAndBars) {
  Session s;
  EXPECT_EQ(s.Run("[AppMinimize()][AppRestore(ignored text)][DocMaximize()][DocHide()]"),
            EXECUTE_ACKNOWLEDGED);
  ASSERT_EQ(s.host.windowStates.size(), 4u);
  EXPECT_EQ(s.host.windowStates[0].second, WindowState::Minimize);
  EXPECT_EQ(s.host.windowStates[1].second, WindowState::Restore);
  EXPECT_EQ(s.host.windowStates[2].first, 1);
  EXPECT_EQ(s.host.windowStates[2].second, WindowState::Maximize);
  EXPECT_EQ(s.Run("[ViewStatusBar(1)][ViewStatusBar(0)][ViewStatusBar(0)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.statusBar, (std::vector<bool>{false}));
  s.host.settings.statusBar = true;  // shown again by a preference file
  EXPECT_EQ(s.Run("[ViewStatusBar(0)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.statusBar, (std::vector<bool>{false, false}));
  EXPECT_EQ(s.Run("[ViewToolBar(5,1)]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.toolBars.back(), std::make_pair(true, true));
  EXPECT_EQ(s.Run("[WindowTile()][WindowCascade()]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.arranged, (std::vector<bool>{true, false}));
  EXPECT_EQ(s.Run("[HelpContext(42)][HelpSearch(\"Scaling\")][UpdateMacros()]"),
            EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.helpContexts.back(), 42);
  EXPECT_EQ(s.host.helpKeywords.back(), "Scaling");
  EXPECT_EQ(s.host.macroReloads, 1);
  EXPECT_EQ(s.Run("[Say(\"Hello there\")]"), EXECUTE_ACKNOWLEDGED);
  EXPECT_EQ(s.host.spoken.back(), "Hello there");
}

TEST(CommandTableOrder, EveryOpeningIsLowerCaseAndReachable) {
  // A later opening that begins with an earlier one could never match.
  Session s;
  const char* later[] = {"[FftMethod(1)]",
                         "[LegendParams(0.5,10,1,1,0,0)]",
                         "[TextPointLabel(1,0,0,0,0,\"a\")]",
                         "[Y2AxisLabel(\"a\")]",
                         "[EditMultiplyX(2)]",
                         "[SetMetafileDims(1,1)]"};
  for (const char* text : later) EXPECT_EQ(s.Run(text), EXECUTE_ACKNOWLEDGED) << text;
}

}  // namespace
}  // namespace merva::test
