#include "render/plot_interaction.h"

#include <gtest/gtest.h>

#include "core/array_sizing.h"
#include "render/number_format.h"

namespace merva {
namespace {

PlotDocument Framed() {
  PlotDocument d;
  d.scaleType = SCALE_LINEAR_LINEAR;
  d.plotFrame = PlotFrame{100, 500, 400, 100};  // left, right, bottom, top
  d.plotWindow.xLow = 0;
  d.plotWindow.xHigh = 10;
  d.plotWindow.yLow[0] = 0;
  d.plotWindow.yHigh[0] = 30;
  return d;
}

DrawResult Drawn() {
  DrawResult r;
  r.plotArea = SurfaceRect{100, 100, 500, 400};
  r.legendRect = SurfaceRect{400, 120, 480, 160};
  r.textRects[RECT_TITLE1] = SurfaceRect{200, 10, 400, 30};
  r.textRects[RECT_TITLE3] = SurfaceRect{200, 50, 400, 70};
  r.textRects[RECT_X_LABEL] = SurfaceRect{200, 440, 400, 460};
  r.textRects[RECT_Y_LABEL] = SurfaceRect{10, 200, 30, 300};
  r.textRects[RECT_Y2_LABEL] = SurfaceRect{560, 200, 580, 300};
  r.textRects[RECT_NOTE] = SurfaceRect{150, 300, 250, 350};
  return r;
}

TEST(PlotInteraction, HintsComeInTheirOrder) {
  PlotDocument d = Framed();
  d.note.attribute1 = NOTE_SHOWN;
  PointLabel label;
  label.lastDrawn = DeviceRect{300, 200, 350, 215};
  d.pointLabels.push_back(label);
  const DrawResult r = Drawn();
  EXPECT_EQ(HitTestPlot(d, r, 410, 130).kind, HOVER_LEGEND);  // legend over the plot area
  EXPECT_EQ(HitTestPlot(d, r, 250, 60).kind, HOVER_TITLE);
  EXPECT_EQ(HitTestPlot(d, r, 250, 450).kind, HOVER_X_LABEL);
  EXPECT_EQ(HitTestPlot(d, r, 570, 250).kind, HOVER_Y_LABEL);
  EXPECT_EQ(HitTestPlot(d, r, 200, 320).kind, HOVER_NOTE);
  // A point label inside the plot area gets its hint before the read-out.
  EXPECT_EQ(HitTestPlot(d, r, 310, 205).kind, HOVER_POINT_LABEL);
  EXPECT_EQ(HitTestPlot(d, r, 300, 220).kind, HOVER_PLOT);
  EXPECT_EQ(HitTestEditable(d, r, 310, 205).kind, HOVER_POINT_LABEL);
  EXPECT_EQ(HitTestEditable(d, r, 310, 205).pointLabel, 0);
  EXPECT_EQ(HitTestPlot(d, r, 5, 5).kind, HOVER_NONE);
  EXPECT_EQ(HoverHintNumber(HOVER_LEGEND), 12291);
  EXPECT_EQ(HoverHintNumber(HOVER_TITLE), 12288);
  EXPECT_EQ(HoverHintNumber(HOVER_X_LABEL), 12289);
  EXPECT_EQ(HoverHintNumber(HOVER_Y_LABEL), 12290);
  EXPECT_EQ(HoverHintNumber(HOVER_NOTE), 12294);
  EXPECT_EQ(HoverHintNumber(HOVER_POINT_LABEL), 12293);
  EXPECT_EQ(HoverHintNumber(HOVER_PLOT), 0);
  EXPECT_EQ(HoverHintNumber(HOVER_NONE), 0);
}

TEST(PlotInteraction, ButtonNoteGivesNoHint) {
  PlotDocument d = Framed();
  d.note.attribute1 = NOTE_SHOWN | NOTE_BUTTON;
  const DrawResult r = Drawn();
  EXPECT_EQ(HitTestPlot(d, r, 200, 320).kind, HOVER_PLOT);
  EXPECT_EQ(HitTestEditable(d, r, 200, 320).kind, HOVER_NONE);
}

TEST(PlotInteraction, ReadoutInDataUnits) {
  PlotDocument d = Framed();
  double x = 0, y = 0;
  ASSERT_TRUE(DeviceToData(d, 300, 250, x, y));
  EXPECT_DOUBLE_EQ(x, 5.0);
  EXPECT_DOUBLE_EQ(y, 15.0);
  EXPECT_EQ(ReadoutText(x, y), "X=5, Y=15");
  EXPECT_EQ(ReadoutText(1.0 / 3, -2.5e-12), "X=0.3333333, Y=-2.5E-12");
  d.scaleType = SCALE_LOG_LOG;
  d.plotWindow.xLow = 1;
  d.plotWindow.xHigh = 10000;
  d.plotWindow.yLow[0] = 0.1;
  d.plotWindow.yHigh[0] = 1000;
  ASSERT_TRUE(DeviceToData(d, 300, 250, x, y));
  EXPECT_NEAR(x, 100.0, 1e-9);
  EXPECT_NEAR(y, 10.0, 1e-9);
  d.plotFrame = PlotFrame{};
  EXPECT_FALSE(DeviceToData(d, 300, 250, x, y));
}

TEST(PlotInteraction, ZoomKeepsReversedAxesAndFourViews) {
  PlotDocument d = Framed();
  EXPECT_FALSE(ZoomToRectangle(d, 200, 150, 200, 300));  // no width
  EXPECT_FALSE(ZoomToRectangle(d, 200, 150, 300, 150));  // no height
  EXPECT_EQ(d.zoomDepth, 0);
  EXPECT_EQ(d.zoomed, 0);
  ASSERT_TRUE(ZoomToRectangle(d, 300, 100, 140, 400));
  EXPECT_DOUBLE_EQ(d.plotWindow.xLow, 1.0);
  EXPECT_DOUBLE_EQ(d.plotWindow.xHigh, 5.0);
  EXPECT_DOUBLE_EQ(d.plotWindow.yLow[0], 0.0);
  EXPECT_DOUBLE_EQ(d.plotWindow.yHigh[0], 30.0);
  EXPECT_EQ(d.zoomed, 1);
  EXPECT_EQ(d.zoomDepth, 1);

  PlotDocument r = Framed();
  r.plotWindow.xLow = 10;
  r.plotWindow.xHigh = 0;
  ASSERT_TRUE(ZoomToRectangle(r, 140, 300, 300, 100));
  EXPECT_DOUBLE_EQ(r.plotWindow.xLow, 9.0);
  EXPECT_DOUBLE_EQ(r.plotWindow.xHigh, 5.0);
  EXPECT_DOUBLE_EQ(r.plotWindow.yLow[0], 10.0);
  EXPECT_DOUBLE_EQ(r.plotWindow.yHigh[0], 30.0);

  PlotDocument s = Framed();
  for (int i = 1; i <= 5; ++i) {
    AxisLimits v;
    v.xLow = i;
    v.xHigh = i + 1;
    PushZoomView(s, v);
  }
  EXPECT_EQ(s.zoomDepth, 4);
  EXPECT_DOUBLE_EQ(s.zoomStack[0].xLow, 2.0);  // the oldest went
  EXPECT_DOUBLE_EQ(s.plotWindow.xLow, 5.0);
  ASSERT_TRUE(ZoomOutView(s));
  EXPECT_DOUBLE_EQ(s.plotWindow.xLow, 4.0);
  ASSERT_TRUE(ZoomOutView(s));
  ASSERT_TRUE(ZoomOutView(s));
  EXPECT_EQ(s.zoomed, 1);
  ASSERT_TRUE(ZoomOutView(s));
  EXPECT_EQ(s.zoomDepth, 0);
  EXPECT_EQ(s.zoomed, 0);
  EXPECT_FALSE(ZoomOutView(s));
}

TEST(PlotInteraction, DateAxisReadout) {
  PlotDocument d = Framed();
  EXPECT_EQ(ReadoutText(d, 2.5, 3.0, "M/d/yy"), "X=2.5, Y=3");
  d.xNumberFormat = FORMAT_CALENDAR_DATE;
  EXPECT_EQ(ReadoutText(d, 1.7, 3.0, "M/d/yy"), "X=1/1/00, Y=3");
  d.dateFormat = FixedText<DATE_FORMAT_WIDTH>("dd-MMM-yyyy");
  EXPECT_EQ(ReadoutText(d, 32, 3.0, "M/d/yy"), "X=01-Feb-1900, Y=3");
  // Outside the calendar the number stays.
  EXPECT_EQ(ReadoutText(d, 70000, 3.0, "M/d/yy"), "X=70000, Y=3");
}

TEST(PlotInteraction, TripartiteReadoutShowsTheDiagonals) {
  PlotDocument d = Framed();
  d.scaleType = SCALE_TRIPARTITE;
  d.unitSystem = 0;  // inches/sec, inches, g
  d.plotWindow.xLow = 0.1;
  d.plotWindow.xHigh = 10;
  d.plotWindow.yLow[0] = 1;
  d.plotWindow.yHigh[0] = 100;
  // 10 inches/sec at 1 Hz: 10/(2 pi) inches and 2 pi 10/386.09 g.
  EXPECT_EQ(ReadoutText(d, 1.0, 10.0, "M/d/yy"), "X=1, Y=10, Z1=1.591549 in., Z2=0.1627397 g");
  double z1 = 0, z2 = 0;
  ASSERT_TRUE(TripartiteDiagonals(d, 1.0, 10.0, z1, z2));
  EXPECT_NEAR(z1, 10.0 / 6.283185307179586, 1e-12);
  EXPECT_NEAR(z2, 0.16273972014617357, 1e-12);
  // The middle of the frame is the middle of both decade ranges.
  double x = 0, y = 0;
  ASSERT_TRUE(DeviceToData(d, 300, 250, x, y));
  EXPECT_NEAR(x, 1.0, 1e-9);
  EXPECT_NEAR(y, 10.0, 1e-9);

  d.unitSystem = 4;  // meters/sec
  EXPECT_EQ(ReadoutText(d, 2.0, 0.5, "M/d/yy"), "X=2, Y=0.5, Z1=0.03978874 m, Z2=0.6407066 g");
  d.unitSystem = USER_UNITS;
  d.unitFactor1 = 2.0;
  d.unitFactor2 = 0.5;
  d.unitLabel1 = FixedText<UNIT_LABEL_WIDTH>("ft");
  d.unitLabel2 = FixedText<UNIT_LABEL_WIDTH>("");
  EXPECT_EQ(ReadoutText(d, 4.0, 3.0, "M/d/yy"), "X=4, Y=3, Z1=1.5 ft, Z2=6");
  // Off the grid (not positive) no diagonal values.
  EXPECT_FALSE(TripartiteDiagonals(d, 0.0, 3.0, z1, z2));
  EXPECT_EQ(ReadoutText(d, -1.0, 3.0, "M/d/yy"), "X=-1, Y=3");
  d.scaleType = SCALE_LOG_LOG;
  EXPECT_FALSE(TripartiteDiagonals(d, 1.0, 10.0, z1, z2));
  EXPECT_EQ(ReadoutText(d, 1.0, 10.0, "M/d/yy"), "X=1, Y=10");
}

TEST(PlotInteraction, IndependentAxesFitInsideTheNewRange) {
  PlotDocument d = Framed();
  ASSERT_TRUE(Allocate(d, 4, 10).Ok());
  d.yAxisMode = 2;
  d.curveCount = 2;
  d.curveAxis[1] = 1;
  d.curveAxis[2] = 2;
  d.pointCount[1] = d.pointCount[2] = 10;
  for (int p = 1; p <= 10; ++p) {
    d.X(1, p) = d.X(2, p) = static_cast<float>(p);
    d.Y(1, p) = static_cast<float>(p);
    d.Y(2, p) = static_cast<float>(100 * p);
  }
  d.plotWindow.yLow[1] = 0;
  d.plotWindow.yHigh[1] = 1000;
  // X 2.5..5 (device 200..300).
  ASSERT_TRUE(ZoomToRectangle(d, 200, 100, 300, 400));
  EXPECT_DOUBLE_EQ(d.plotWindow.xLow, 2.5);
  EXPECT_DOUBLE_EQ(d.plotWindow.xHigh, 5.0);
  EXPECT_DOUBLE_EQ(d.plotWindow.yLow[1], 300.0);
  EXPECT_DOUBLE_EQ(d.plotWindow.yHigh[1], 500.0);
}

TEST(PlotInteraction, FrameFractions) {
  double fx, fy;
  DeviceToFrameFraction(PlotFrame{100, 500, 400, 100}, 200, 175, fx, fy);
  EXPECT_DOUBLE_EQ(fx, 0.25);
  EXPECT_DOUBLE_EQ(fy, 0.25);
}

}  // namespace
}  // namespace merva
