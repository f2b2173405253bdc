#include <gtest/gtest.h>

#include "core/document_table.h"
#include "core/messages.h"
#include "core/save_prompt.h"

namespace merva {
namespace {

TEST(DocumentTable, EighthOpensNinthIsRefusedWithMessage133) {
  DocumentTable table;
  Status status;
  for (int i = 1; i <= MAX_DOCUMENTS; ++i) {
    EXPECT_EQ(table.Open(100, 1000, status), i);
    EXPECT_TRUE(status.Ok());
  }
  EXPECT_EQ(table.Open(100, 1000, status), 0);
  ASSERT_EQ(status.messages.size(), 1u);
  EXPECT_EQ(status.messages[0].number, 133);
  EXPECT_EQ(status.messages[0].text,
            "Too many document windows are already open.  Close one or more windows and try "
            "again.");
  EXPECT_EQ(table.OpenCount(), MAX_DOCUMENTS);
  table.Close(3);
  EXPECT_EQ(table.Open(100, 1000, status), 3);
}

TEST(DocumentTable, CapacityClampsOfTheSettings) {
  DocumentTable table;
  Status status;
  int slot = table.Open(0, 1, status);
  EXPECT_EQ(table.Document(slot).maxCurves, 100);
  EXPECT_EQ(table.Document(slot).maxPoints, 1000);
  slot = table.Open(150, 2, status);
  EXPECT_EQ(table.Document(slot).maxCurves, 100);
  EXPECT_EQ(table.Document(slot).maxPoints, 2);
  slot = table.Open(1, 5000, status);
  EXPECT_EQ(table.Document(slot).maxCurves, 1);
  EXPECT_EQ(table.Document(slot).maxPoints, 5000);
}

TEST(DocumentTable, WindowsMapToSlots) {
  DocumentTable table;
  Status status;
  int a = table.Open(10, 10, status);
  int b = table.Open(10, 10, status);
  int windowA = 0, windowB = 0;
  table.SetWindow(a, &windowA);
  table.SetWindow(b, &windowB);
  EXPECT_EQ(table.SlotOfWindow(&windowB), b);
  EXPECT_EQ(table.SlotOfWindow(nullptr), 0);
  table.currentDocument = b;
  table.Close(b);
  EXPECT_EQ(table.currentDocument, 0);
  EXPECT_EQ(table.SlotOfWindow(&windowB), 0);
}

TEST(PlotDocument, CompiledDefaults) {
  PlotDocument d;
  SetCompiledDefaults(d);
  EXPECT_EQ(d.changed, 0);
  EXPECT_EQ(d.legendFrame, 1);
  EXPECT_EQ(d.legendOpaque, 1);
  EXPECT_EQ(d.wysiwyg, 1);
  EXPECT_EQ(d.lineType[1], 1);
  EXPECT_EQ(d.lineType[100], 1);
  EXPECT_EQ(d.symbolType[100], 0);
  EXPECT_EQ(d.plotWidth, 6.0);
  EXPECT_EQ(d.xTickCount, 6);
  EXPECT_EQ(d.scaleType, SCALE_LINEAR_LINEAR);
  EXPECT_EQ(d.y2Factor, 1.0);
  EXPECT_EQ(d.legendLineLength, 0.5);
  EXPECT_EQ(d.maxLegendRows, 10);
  EXPECT_EQ(d.gridType, 1);
  EXPECT_EQ(d.noteButton.Str(), "Note");
  const int heights[] = {10, 18, 12, 12, 12, 10, 10};
  const int weights[] = {400, 700, 700, 700, 700, 400, 400};
  for (int k = 1; k <= TEXT_ELEMENT_COUNT; ++k) {
    EXPECT_EQ(d.Font(k).height, heights[k - 1]);
    EXPECT_EQ(d.Font(k).weight, weights[k - 1]);
    EXPECT_EQ(d.Font(k).FaceName(), "Arial");
    EXPECT_EQ(d.Font(k).outPrecision, 4);
    EXPECT_EQ(d.Font(k).clipPrecision, 0x30);
    EXPECT_EQ(d.Font(k).pitchAndFamily, 0x22);
    EXPECT_EQ(d.Font(k).faceName[31], '\0');
    EXPECT_EQ(d.fontColors[static_cast<std::size_t>(k - 1)], 0u);
  }
  SetCompiledDefaults(d, true);
  EXPECT_EQ(d.fontColors[0], 0xFFFFFFu);
  const auto processing = DefaultProcessingFonts();
  EXPECT_EQ(processing[2].height, 14);
  EXPECT_EQ(processing[0].weight, 400);
  EXPECT_EQ(processing[6].weight, 700);
  EXPECT_EQ(processing[0].outPrecision, 3);
  EXPECT_EQ(processing[0].clipPrecision, 0x12);
}

TEST(FixedText, TruncatesPadsAndTrims) {
  FixedText<5> tag("ABCDEFG");
  EXPECT_EQ(tag.Str(), "ABCDE");
  tag.Set("ab  ");
  EXPECT_EQ(tag.Padded(), "ab   ");
  EXPECT_EQ(tag.Trimmed(), "ab");
  tag.Set("   ");
  EXPECT_TRUE(tag.IsBlank());
}

TEST(CurveStates, ComputedOnDemandAndResetByXChanges) {
  DocumentTable table;
  Status status;
  PlotDocument& d = table.Document(table.Open(2, 10, status));
  d.curveCount = 1;
  d.pointCount[1] = 4;
  const float xs[] = {0.0f, 1.0f, 2.0f, 3.005f};
  for (int j = 1; j <= 4; ++j) d.X(1, j) = xs[j - 1];
  EXPECT_EQ(SpacingState(d, 1), STATE_YES);
  EXPECT_EQ(MonotonicState(d, 1), STATE_YES);
  d.X(1, 4) = 3.5f;
  EXPECT_EQ(SpacingState(d, 1), STATE_YES);  // cached until invalidated
  d.InvalidateCurveStates(1);
  EXPECT_EQ(d.spacingState[1], STATE_UNKNOWN);
  EXPECT_EQ(SpacingState(d, 1), STATE_NO);
  d.X(1, 2) = -1.0f;
  d.InvalidateCurveStates(1);
  EXPECT_EQ(MonotonicState(d, 1), STATE_NO);
  EXPECT_EQ(SpacingState(d, 1), STATE_NO);
}

TEST(SavePrompt, AsksOnlyForChangedDocumentsWithCurves) {
  DocumentTable table;
  Status status;
  PlotDocument& d = table.Document(table.Open(2, 10, status));
  d.changed = 1;
  EXPECT_FALSE(NeedsSavePrompt(d, true));  // no curves
  d.curveCount = 1;
  EXPECT_TRUE(NeedsSavePrompt(d, true));
  EXPECT_FALSE(NeedsSavePrompt(d, false));
  d.changed = 0;
  EXPECT_FALSE(NeedsSavePrompt(d, true));
  EXPECT_EQ(SavePromptText("Plot1"),
            "Plot1 has changed.  Do you want to save the changes in a MERVA file?");
  EXPECT_TRUE(MayCloseAfterPrompt(SavePromptAnswer::No, false));
  EXPECT_FALSE(MayCloseAfterPrompt(SavePromptAnswer::Cancel, true));
  EXPECT_FALSE(MayCloseAfterPrompt(SavePromptAnswer::Yes, false));
  EXPECT_TRUE(MayCloseAfterPrompt(SavePromptAnswer::Yes, true));
}

TEST(Messages, NumberedTexts) {
  EXPECT_EQ(MessageText(143), "Unable to restore arrays. Closing MERVA. Call (555) 555-0100.");
  EXPECT_EQ(MessageText(58), "Ordinates on a bar chart must be evenly spaced.");
  EXPECT_EQ(MessageText(7), "");
}

}  // namespace
}  // namespace merva
