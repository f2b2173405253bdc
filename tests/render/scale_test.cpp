#include <gtest/gtest.h>

#include <cmath>

#include "core/messages.h"
#include "core/number_text.h"
#include "render/axis_scale.h"
#include "render/number_format.h"
#include "render/plot_layout.h"
#include "render/scale_check.h"
#include "render_test_support.h"

namespace merva {
namespace {

using test::NewDocument;
using test::SetCurve;

TEST(LogAxis, RoundsToOneTwoOrFiveTimesAPowerOfTen) {
  const AxisScale a = RoundLogAxis(0.3, 870.0, false);
  EXPECT_DOUBLE_EQ(a.low, 0.2);
  EXPECT_DOUBLE_EQ(a.high, 1000.0);
  EXPECT_EQ(a.tickCount, 5);  // 4.7 decades, fractions included
  EXPECT_EQ(a.step, 1.0);
  const AxisScale b = RoundLogAxis(1.0, 100.0, false);
  EXPECT_DOUBLE_EQ(b.low, 1.0);
  EXPECT_DOUBLE_EQ(b.high, 100.0);
  EXPECT_EQ(b.tickCount, 3);
  const AxisScale c = RoundLogAxis(0.7, 150.0, false);
  EXPECT_DOUBLE_EQ(c.low, 0.5);
  EXPECT_DOUBLE_EQ(c.high, 200.0);
}

TEST(LogAxis, TripartiteUsesWholeDecadesAndReversedAxesMirror) {
  const AxisScale a = RoundLogAxis(0.3, 870.0, true);
  EXPECT_DOUBLE_EQ(a.low, 0.1);
  EXPECT_DOUBLE_EQ(a.high, 1000.0);
  EXPECT_EQ(a.tickCount, 5);
  const AxisScale r = RoundLogAxis(870.0, 0.3, false);
  EXPECT_DOUBLE_EQ(r.low, 1000.0);
  EXPECT_DOUBLE_EQ(r.high, 0.2);
  EXPECT_EQ(r.step, -1.0);
}

TEST(LinearAxis, StepsFromTheMantissaTable) {
  AxisScale a = RoundLinearAxis(0.0, 9.3, 10, FORMAT_DEFAULT);
  EXPECT_DOUBLE_EQ(a.step, 1.0);
  EXPECT_DOUBLE_EQ(a.low, 0.0);
  EXPECT_DOUBLE_EQ(a.high, 10.0);
  EXPECT_EQ(a.tickCount, 11);
  EXPECT_EQ(a.minorCount, 4);
  a = RoundLinearAxis(-3.7, 12.2, 10, FORMAT_DEFAULT);
  EXPECT_DOUBLE_EQ(a.step, 2.0);
  EXPECT_DOUBLE_EQ(a.low, -4.0);
  EXPECT_DOUBLE_EQ(a.high, 14.0);
  EXPECT_EQ(a.tickCount, 10);
  // 2.5 at r = 2.2, 8.0 above 6.000001, exponents both ways.
  a = RoundLinearAxis(0.0, 22.0, 10, FORMAT_DEFAULT);
  EXPECT_DOUBLE_EQ(a.step, 2.5);
  EXPECT_EQ(a.minorCount, 5);
  a = RoundLinearAxis(0.0, 0.0065, 1, FORMAT_DEFAULT);
  EXPECT_NEAR(a.step, 0.008, 1e-15);
  a = RoundLinearAxis(0.0, 70000.0, 10, FORMAT_DEFAULT);
  EXPECT_DOUBLE_EQ(a.step, 8000.0);
}

TEST(LinearAxis, SinglePrecisionThresholds) {
  int minor = 0;
  double lo = 0.0, hi = 10.0000009;  // r below the float nearest to 1.000001
  EXPECT_DOUBLE_EQ(NiceStep(lo, hi, 10, FORMAT_DEFAULT, false, minor), 1.0);
  hi = 10.00001;  // above it
  EXPECT_DOUBLE_EQ(NiceStep(lo, hi, 10, FORMAT_DEFAULT, false, minor), 1.5);
  EXPECT_EQ(minor, 3);
}

TEST(LinearAxis, FractionsUseBinarySteps) {
  int minor = 0;
  double lo = 0.0, hi = 1.0;
  EXPECT_DOUBLE_EQ(NiceStep(lo, hi, 10, FORMAT_FRACTIONS, false, minor), 0.125);  // q = 6
  EXPECT_EQ(minor, 4);
  hi = 0.15;
  EXPECT_DOUBLE_EQ(NiceStep(lo, hi, 10, FORMAT_FRACTIONS, false, minor), 1.0 / 64);
  hi = 3.0;
  EXPECT_DOUBLE_EQ(NiceStep(lo, hi, 10, FORMAT_FRACTIONS, false, minor), 0.5);  // q = 19
  hi = 1.5;
  EXPECT_DOUBLE_EQ(NiceStep(lo, hi, 10, FORMAT_FRACTIONS, false, minor), 0.25);  // q = 10
  hi = 100.0;  // r = 10: the decimal table
  EXPECT_DOUBLE_EQ(NiceStep(lo, hi, 10, FORMAT_FRACTIONS, false, minor), 10.0);
}

TEST(LinearAxis, ReversedAxisHasNegativeStep) {
  const AxisScale a = RoundLinearAxis(9.3, 0.0, 10, FORMAT_DEFAULT);
  EXPECT_DOUBLE_EQ(a.step, -1.0);
  EXPECT_DOUBLE_EQ(a.low, 10.0);
  EXPECT_DOUBLE_EQ(a.high, 0.0);
  EXPECT_DOUBLE_EQ(a.firstTick, 10.0);
}

TEST(LinearAxis, PhysicalSizeFitsExactlyNIntervals) {
  AxisScale a = FixedLinearAxis(0.0, 9.3, 6, FORMAT_DEFAULT);
  EXPECT_DOUBLE_EQ(a.step, 2.0);  // 1.5 * 6 = 9 < 9.3, so the next mantissa
  EXPECT_DOUBLE_EQ(a.low, 0.0);
  EXPECT_DOUBLE_EQ(a.high, 12.0);
  EXPECT_EQ(a.tickCount, 7);
  // After 6.0 the exponent grows: 8.0 is never a later choice.
  a = FixedLinearAxis(1.0, 37.0, 6, FORMAT_DEFAULT);
  EXPECT_DOUBLE_EQ(a.step, 10.0);
  EXPECT_DOUBLE_EQ(a.low, 0.0);
  EXPECT_DOUBLE_EQ(a.high, 60.0);
  // Reversed input comes back reversed.
  a = FixedLinearAxis(9.3, 0.0, 6, FORMAT_DEFAULT);
  EXPECT_DOUBLE_EQ(a.low, 12.0);
  EXPECT_DOUBLE_EQ(a.high, 0.0);
  EXPECT_DOUBLE_EQ(a.step, -2.0);
}

TEST(ProbabilityAxis, SymmetricDecades) {
  AxisScale a = RoundProbabilityAxis(0.5, 99.9);
  EXPECT_DOUBLE_EQ(a.low, 0.1);
  EXPECT_DOUBLE_EQ(a.high, 99.9);
  EXPECT_EQ(a.tickCount, 3);
  a = RoundProbabilityAxis(15.0, 60.0);
  EXPECT_DOUBLE_EQ(a.low, 10.0);
  EXPECT_DOUBLE_EQ(a.high, 90.0);
  EXPECT_EQ(a.tickCount, 1);
  a = RoundProbabilityAxis(0.00001, 50.0);
  EXPECT_DOUBLE_EQ(a.low, 0.001);
  EXPECT_EQ(a.tickCount, 5);
}

TEST(CheckScale, LogRefusesNonPositiveValuesAndFallsBack) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0.0, 1.0, 2.0}, {1.0, 2.0, 3.0});
  d->scaleType = SCALE_LOG_LINEAR;
  d->zoomed = 1;
  d->zoomDepth = 2;
  const Status s = CheckScale(*d);
  EXPECT_FALSE(s.Ok());
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].number, 48);
  EXPECT_EQ(s.messages[0].text, "You cannot plot zero or negative values on a log scale.");
  EXPECT_EQ(d->scaleType, SCALE_LINEAR_LINEAR);
  EXPECT_EQ(d->zoomed, 0);
  EXPECT_EQ(d->zoomDepth, 0);
}

TEST(CheckScale, ManualWindowsAndProbabilities) {
  auto d = NewDocument();
  SetCurve(*d, 1, {1.0, 2.0}, {1.0, 2.0});
  d->scaleType = SCALE_LINEAR_LOG;
  d->manualScale = 1;
  d->plotWindow.yLow[0] = 0.0;
  d->plotWindow.yHigh[0] = 10.0;
  EXPECT_EQ(CheckScale(*d).messages[0].number, 49);
  d->scaleType = SCALE_LINEAR_PROBABILITY;
  d->manualScale = 0;
  SetCurve(*d, 1, {1.0, 2.0}, {50.0, 100.0});
  EXPECT_EQ(CheckScale(*d).messages[0].number, 50);
  SetCurve(*d, 1, {1.0, 2.0}, {50.0, 60.0});
  d->scaleType = SCALE_PROBABILITY_LINEAR;
  d->manualScale = 1;
  d->plotWindow.xLow = 0.5;
  d->plotWindow.xHigh = 100.0;
  EXPECT_EQ(CheckScale(*d).messages[0].number, 54);  // X = 1, 2 pass; the window does not
  SetCurve(*d, 1, {10.0, 20.0}, {50.0, 60.0});
  d->scaleType = SCALE_PROBABILITY_LINEAR;
  EXPECT_EQ(CheckScale(*d).messages[0].number, 54);
}

TEST(CheckScale, GrainSizeTripartitePolarBars) {
  auto d = NewDocument();
  SetCurve(*d, 1, {1.0, 2.0}, {50.0, 101.0});
  d->scaleType = SCALE_GRAIN_SIZE;
  d->yAxisMode = 1;
  d->manualScale = 1;
  d->plotWindow.xLow = 1.0;
  d->plotWindow.xHigh = 2.0;
  EXPECT_EQ(CheckScale(*d).messages[0].number, 53);
  EXPECT_EQ(d->yAxisMode, 0);
  EXPECT_EQ(d->manualScale, 0);
  SetCurve(*d, 1, {1.0, 2.0}, {0.0, 100.0});  // inclusive range passes
  d->scaleType = SCALE_GRAIN_SIZE;
  EXPECT_TRUE(CheckScale(*d).Ok());
  d->unitSystem = USER_UNITS;
  d->unitFactor1 = 0.0;
  EXPECT_EQ(CheckScale(*d).messages[0].number, 56);

  d->unitSystem = USER_UNITS;
  d->unitFactor1 = -1.0;
  d->scaleType = SCALE_TRIPARTITE;
  SetCurve(*d, 1, {1.0, 2.0}, {1.0, 2.0});
  const Status t = CheckScale(*d);
  EXPECT_EQ(t.messages[0].number, 55);
  EXPECT_EQ(d->scaleType, SCALE_LOG_LOG);
  d->unitSystem = USER_UNITS;
  d->unitFactor1 = 1.0;
  d->unitFactor2 = 1e-30;
  d->scaleType = SCALE_TRIPARTITE;
  SetCurve(*d, 1, {1e-5, 1.0}, {1e-5, 1.0});
  EXPECT_EQ(CheckScale(*d).messages[0].number, 51);
  d->unitFactor2 = 1.0;
  d->unitFactor1 = 1e30;
  d->scaleType = SCALE_TRIPARTITE;
  SetCurve(*d, 1, {1e-10, 1.0}, {1.0, 1e5});
  EXPECT_EQ(CheckScale(*d).messages[0].number, 52);

  d->scaleType = SCALE_POLAR;
  SetCurve(*d, 1, {0.0, 1.0}, {0.0, 2.0});
  EXPECT_TRUE(CheckScale(*d).Ok());  // zero passes
  SetCurve(*d, 1, {0.0, -1.0}, {0.0, 2.0});
  EXPECT_EQ(CheckScale(*d).messages[0].number, 57);

  d->scaleType = SCALE_BAR_CHART;
  SetCurve(*d, 1, {1.0, 2.0, 3.0, 4.05}, {1.0, 2.0, 3.0, 4.0});
  const Status b = CheckScale(*d);
  EXPECT_EQ(b.messages[0].number, 58);
  EXPECT_EQ(b.messages[0].text, "Ordinates on a bar chart must be evenly spaced.");
  EXPECT_EQ(d->scaleType, SCALE_LINEAR_LINEAR);
  SetCurve(*d, 1, {1.0, 2.0, 3.0, 4.005}, {1.0, 2.0, 3.0, 4.0});
  d->scaleType = SCALE_BAR_CHART;
  EXPECT_TRUE(CheckScale(*d).Ok());
}

TEST(Extents, SinglePointIsWidened) {
  auto d = NewDocument();
  SetCurve(*d, 1, {3.0}, {5.0});
  FindExtents(*d);
  WidenDegenerateExtents(*d);
  EXPECT_EQ(d->extents.valid, EXTENTS_WIDENED);
  EXPECT_DOUBLE_EQ(d->extents.limits.xLow, 2.0);
  EXPECT_DOUBLE_EQ(d->extents.limits.xHigh, 4.0);
  EXPECT_DOUBLE_EQ(d->extents.limits.yLow[0], 4.0);
  EXPECT_DOUBLE_EQ(d->extents.limits.yHigh[0], 5.0);
  d->scaleType = SCALE_LOG_LOG;
  FindExtents(*d);
  WidenDegenerateExtents(*d);
  EXPECT_DOUBLE_EQ(d->extents.limits.xLow, 0.3);
  EXPECT_DOUBLE_EQ(d->extents.limits.xHigh, 30.0);
  d->scaleType = SCALE_PROBABILITY_PROBABILITY;
  FindExtents(*d);
  WidenDegenerateExtents(*d);
  EXPECT_DOUBLE_EQ(d->extents.limits.xLow, 0.01);
  EXPECT_DOUBLE_EQ(d->extents.limits.yHigh[0], 99.99);
}

TEST(Extents, BarChartRoomIndependentAxesProcessingMode) {
  auto d = NewDocument();
  SetCurve(*d, 1, {1.0, 2.0, 3.0}, {4.0, 5.0, 6.0});
  SetCurve(*d, 2, {0.0, 10.0}, {100.0, 200.0});
  d->curveAxis[2] = 2;
  d->scaleType = SCALE_BAR_CHART;
  FindExtents(*d);
  EXPECT_DOUBLE_EQ(d->extents.limits.xHigh, 20.0);  // 10 + one gap
  EXPECT_DOUBLE_EQ(d->extents.limits.yLow[0], 0.0);
  d->scaleType = SCALE_LINEAR_LINEAR;
  d->yAxisMode = 2;
  FindExtents(*d);
  EXPECT_DOUBLE_EQ(d->extents.limits.yHigh[0], 6.0);
  EXPECT_DOUBLE_EQ(d->extents.limits.yLow[1], 100.0);
  EXPECT_EQ(d->monotonicState[1], STATE_YES);
  EXPECT_EQ(d->spacingState[1], STATE_YES);
  d->processMode = 1;
  d->processState.dataType = 3;
  d->yAxisMode = 0;
  FindExtents(*d);
  EXPECT_DOUBLE_EQ(d->extents.limits.xHigh, 3.0);  // the acceleration record alone
}

// Layout through a recording surface.
struct Laid {
  std::unique_ptr<PlotDocument> doc;
  PlotLayout layout;
};

void Lay(PlotDocument& d, PlotLayout& layout, SurfaceRect target = test::Target()) {
  RecordingSurface surface(target.Width(), target.Height(), test::ScreenCaps());
  PlotFonts fonts;
  fonts.Create(surface, d.fonts, surface.Capabilities());
  DrawOptions options;
  ScaleAxes(d, surface, target, fonts, d.fonts, options, layout);
}

TEST(ScaleAxes, SinglePointAndLinearYTarget) {
  auto d = NewDocument();
  SetCurve(*d, 1, {3.0}, {5.0});
  PlotLayout L;
  Lay(*d, L);
  EXPECT_DOUBLE_EQ(d->plotWindow.xLow, 2.0);
  EXPECT_DOUBLE_EQ(d->plotWindow.xHigh, 4.0);
  EXPECT_DOUBLE_EQ(d->extents.limits.yLow[0], 4.0);
  EXPECT_DOUBLE_EQ(d->extents.limits.yHigh[0], 5.0);
  // 800 x 600 target, 11 X marks: (600 * 10) div 800 + 1 = 8 Y intervals;
  // r = 0.125 takes the mantissa 1.5.
  EXPECT_NEAR(L.y[0].step, 0.15, 1e-12);
  EXPECT_NEAR(d->plotWindow.yLow[0], 3.9, 1e-9);
  EXPECT_NEAR(d->plotWindow.yHigh[0], 5.1, 1e-9);
}

TEST(ScaleAxes, BarChartOfTwelveBars) {
  auto d = NewDocument();
  std::vector<double> x, y;
  for (int i = 0; i < 12; ++i) {
    x.push_back(i);
    y.push_back(i + 1);
  }
  SetCurve(*d, 1, x, y);
  d->scaleType = SCALE_BAR_CHART;
  PlotLayout L;
  Lay(*d, L);
  // 12 bars -> 16: two bar widths more on each side, step doubled to 2.
  EXPECT_DOUBLE_EQ(L.x.low, -2.0);
  EXPECT_DOUBLE_EQ(L.x.high, 14.0);
  EXPECT_DOUBLE_EQ(L.x.step, 2.0);
}

TEST(ScaleAxes, ReversedManualWindow) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0.0, 9.3}, {0.0, 1.0});
  d->manualScale = 1;
  d->manualLimits.xLow = 9.3;
  d->manualLimits.xHigh = 0.0;
  d->manualLimits.yLow[0] = 0.0;
  d->manualLimits.yHigh[0] = 1.0;
  PlotLayout L;
  Lay(*d, L);
  EXPECT_LT(L.x.step, 0.0);
  EXPECT_DOUBLE_EQ(L.x.low, 10.0);
  EXPECT_DOUBLE_EQ(L.x.high, 0.0);
  EXPECT_EQ(DataToDeviceX(L, 10.0), static_cast<int>(L.frame.left));
  EXPECT_EQ(DataToDeviceX(L, 0.0), static_cast<int>(L.frame.right));
}

TEST(ScaleAxes, ManualPairWithEqualLimitsTakesTheExtents) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0.0, 9.3}, {0.0, 1.0});
  d->manualScale = 1;
  d->manualLimits.xLow = d->manualLimits.xHigh = 5.0;
  d->manualLimits.yLow[0] = 0.0;
  d->manualLimits.yHigh[0] = 2.0;
  PlotLayout L;
  Lay(*d, L);
  EXPECT_DOUBLE_EQ(d->manualLimits.xHigh, static_cast<double>(9.3f));
  EXPECT_DOUBLE_EQ(L.x.high, 10.0);
}

TEST(Mapping, LinearLogAndClamp) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0.3, 870.0}, {1.0, 100.0});
  d->scaleType = SCALE_LOG_LOG;
  PlotLayout L;
  Lay(*d, L);
  EXPECT_DOUBLE_EQ(L.x.low, 0.2);
  EXPECT_EQ(DataToDeviceX(L, 0.2), static_cast<int>(L.frame.left));
  EXPECT_EQ(DataToDeviceX(L, 1000.0), static_cast<int>(L.frame.right));
  EXPECT_EQ(DataToDeviceX(L, 0.0), -1);
  EXPECT_EQ(DataToDeviceX(L, -5.0), -1);
  EXPECT_EQ(DataToDeviceY(L, 1.0), static_cast<int>(L.frame.bottom));
  EXPECT_EQ(DataToDeviceX(L, 1e300), 32767);
  EXPECT_EQ(DataToDeviceX(L, 1e-300), -32768);
}

TEST(ScaleAxes, PhysicalSizeFrameAndSquareLogs) {
  auto d = NewDocument();
  SetCurve(*d, 1, {1.0, 100.0}, {1.0, 10.0});
  d->scaleType = SCALE_LOG_LOG;
  d->squareLogs = 1;
  PlotLayout L;
  Lay(*d, L);
  const double w = L.frame.right - L.frame.left, h = L.frame.bottom - L.frame.top;
  EXPECT_NEAR(w / 2.0, h / 1.0, 1.5);  // 2 decades across, 1 up
  d->squareLogs = 0;
  d->scaleType = SCALE_LINEAR_LINEAR;
  d->manualTicks = 1;
  d->wysiwyg = 0;
  d->plotWidth = 4.0;
  d->plotHeight = 3.0;
  Lay(*d, L, SurfaceRect{0, 0, 1000, 1000});
  EXPECT_NEAR(L.frame.right - L.frame.left, 384.0, 1.0);
  EXPECT_NEAR(L.frame.bottom - L.frame.top, 288.0, 1.0);
  EXPECT_EQ(L.x.tickCount, 7);  // 6 intervals
}

TEST(ScaleAxes, WysiwygShrinksTheFontsUntilThePageFits) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0.0, 10.0}, {0.0, 10.0});
  d->title1.Set("A title");
  d->manualTicks = 1;
  d->wysiwyg = 1;
  d->plotWidth = 8.0;
  d->plotHeight = 6.0;
  const SurfaceRect target{0, 0, 800, 600};  // the physical size is as large as the window
  RecordingSurface surface(800, 600, test::ScreenCaps());
  PlotFonts fonts;
  fonts.Create(surface, d->fonts, surface.Capabilities());
  PlotLayout L;
  ScaleAxes(*d, surface, target, fonts, d->fonts, DrawOptions{}, L);
  EXPECT_LT(fonts.Scale(), 1.0);
  EXPECT_LE(L.frame.right - L.frame.left, 800.0);
  EXPECT_GE(L.frame.left, 0.0);
}

TEST(ScaleAxes, SecondaryAxisTransformsTheLabels) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0.0, 10.0}, {0.0, 10.0});
  d->yAxisMode = 1;
  d->y2Offset = 100.0;
  d->y2Factor = 2.0;
  PlotLayout L;
  Lay(*d, L);
  ASSERT_TRUE(L.y2Transform);
  ASSERT_EQ(L.rightTicks.size(), L.leftTicks.size());
  EXPECT_EQ(L.rightTicks.front().label, "100");
  EXPECT_EQ(L.rightTicks.back().label, FormatG(100.0 + 2.0 * L.y[0].high));
  d->gridType = 2;  // box: ticks of its own, rounded inward
  d->y2Factor = 3.0;
  Lay(*d, L);
  EXPECT_TRUE(L.y2OwnTicks);
  EXPECT_GE(L.rightTicks.front().value, 100.0);
  EXPECT_LE(L.rightTicks.back().value, 130.0);
}

}  // namespace
}  // namespace merva
