#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "core/messages.h"
#include "processing/curve_arithmetic.h"
#include "processing/curve_fixture.h"
#include "processing/decimation.h"
#include "processing/equal_intervals.h"

namespace merva {
namespace {

class CurveEditing : public CurveFixture {};

Points Line(int n, float x0 = 0.0f) {
  Points points;
  for (int i = 0; i < n; ++i) points.emplace_back(x0 + float(i), 2.0f * float(i) + 1.0f);
  return points;
}

TEST_F(CurveEditing, AddAndMultiplyMoveTheLabelsOfTheirCurves) {
  const int c = Add({{1, 10}, {2, 20}, {3, 30}});
  Add({{1, 1}});
  PointLabel label;
  label.curve = c;
  label.x = 2;
  label.y = 20;
  Doc().pointLabels.push_back(label);
  label.curve = 2;
  Doc().pointLabels.push_back(label);
  ASSERT_TRUE(AddToX(Doc(), {c, c}, 0.5).Ok());
  ASSERT_TRUE(MultiplyY(Doc(), {c, c}, -2.0, {3.5, 2.0}).Ok());  // limits put in order
  EXPECT_EQ(Of(c), (Points{{1.5f, 10}, {2.5f, -40}, {3.5f, -60}}));
  EXPECT_EQ(Doc().pointLabels[0].x, 2.5);
  EXPECT_EQ(Doc().pointLabels[0].y, -40.0);
  EXPECT_EQ(Doc().pointLabels[1].x, 2.0);  // another curve's label stays
  EXPECT_EQ(Of(2), (Points{{1, 1}}));
  EXPECT_EQ(Doc().changed, 1);
  EXPECT_EQ(Doc().monotonicState[c], STATE_UNKNOWN);
}

TEST_F(CurveEditing, YLimitsFollowTheRangeOrTheExtents) {
  Add({{2, 0}, {5, 0}});
  Add({{1, 0}, {4, 0}, {3, 0}});
  XLimits limits = DefaultYEditLimits(Doc(), {1, 1});
  EXPECT_EQ(limits.from, 2.0);
  EXPECT_EQ(limits.to, 5.0);
  limits = DefaultYEditLimits(Doc(), {2, 2});  // not increasing: the extents
  EXPECT_EQ(limits.from, 1.0);
  EXPECT_EQ(limits.to, 5.0);
  limits = CommandYEditLimits(Doc());
  EXPECT_EQ(limits.from, 0.0);
  EXPECT_EQ(limits.to, 6.0);
}

TEST_F(CurveEditing, BaselineShiftsAreCountedInDataProcessingMode) {
  Add({{0, 0}, {1, 0}});
  Add({{0, 0}, {1, 0}});
  Doc().processMode = 1;
  for (int i = 0; i < MAX_BASELINE_SHIFTS; ++i)
    ASSERT_TRUE(AddToY(Doc(), {1, 2}, 1.0, {0.0, 1.0}).Ok());
  const Status refused = AddToY(Doc(), {1, 2}, 1.0, {0.0, 1.0});
  ASSERT_FALSE(refused.Ok());
  EXPECT_EQ(refused.messages[0].number, MSG_MAXIMUM_SHIFTS);
  EXPECT_EQ(Of(1), (Points{{0, 4}, {1, 4}}));
  EXPECT_EQ(Of(2), (Points{{0, 0}, {1, 0}}));  // curve 1 only
  EXPECT_EQ(Doc().processState.shiftCount, 4);
}

TEST_F(CurveEditing, SwapOfAFallingCurveGivesIncreasingX) {
  const int c = Add({{1, 30}, {2, 20}, {3, 10}});
  ASSERT_TRUE(SwapXY(Doc(), {c, c}).Ok());
  EXPECT_EQ(Of(c), (Points{{10, 3}, {20, 2}, {30, 1}}));
}

TEST_F(CurveEditing, SortOrdersLargeCurvesWithNaNLast) {
  points_ = 50000;
  SetUp();
  std::mt19937 random(7);
  std::uniform_int_distribution<int> value(-3000, 3000);  // many equal X
  Points points;
  for (int i = 0; i < 40000; ++i) points.emplace_back(float(value(random)) / 8.0f, float(i));
  points[5].first = std::numeric_limits<float>::quiet_NaN();
  points[6].first = -std::numeric_limits<float>::infinity();
  const int c = Add(points);
  ASSERT_TRUE(SortCurves(Doc(), {c, c}).Ok());
  const Points sorted = Of(c);
  EXPECT_TRUE(std::isnan(sorted.back().first));
  EXPECT_EQ(sorted.front().first, -std::numeric_limits<float>::infinity());
  for (std::size_t i = 1; i + 1 < sorted.size(); ++i)
    ASSERT_LE(sorted[i - 1].first, sorted[i].first) << i;
  // Every point is still there with its own Y.
  auto byY = [](Points p) {
    std::sort(p.begin(), p.end(), [](auto& a, auto& b) { return a.second < b.second; });
    return p;
  };
  const Points before = byY(points), after = byY(sorted);
  for (std::size_t i = 0; i < before.size(); ++i)
    if (!std::isnan(before[i].first)) ASSERT_EQ(before[i], after[i]);
  EXPECT_EQ(Doc().monotonicState[c], STATE_YES);
}

TEST_F(CurveEditing, TruncationDeletesCurvesLeftWithOnePoint) {
  Add(Line(5));
  Add({{0, 0}, {10, 0}});
  const int third = Add(Line(3, 1.0f));
  Doc().lineType[third] = 5;
  int deleted = 0;
  ASSERT_TRUE(TruncateX(Doc(), {1, 3}, {3.0, 1.0}, deleted).Ok());
  EXPECT_EQ(deleted, 1);
  ASSERT_EQ(Doc().curveCount, 2);
  EXPECT_EQ(Of(1), (Points{{1, 3}, {2, 5}, {3, 7}}));
  EXPECT_EQ(Of(2), (Points{{1, 1}, {2, 3}, {3, 5}}));
  EXPECT_EQ(Doc().lineType[2], 5);
  EXPECT_EQ(Doc().legendText[2].Str(), "c3");
}

TEST_F(CurveEditing, RemoveTrendNeedsIncreasingXInEveryCurve) {
  Add({{0, 1}, {1, 5}, {2, 3}});
  Add({{2, 0}, {1, 0}});
  const Status refused = RemoveTrend(Doc(), {1, 2});
  ASSERT_FALSE(refused.Ok());
  EXPECT_EQ(refused.messages[0].number, MSG_NOT_MONOTONIC);
  EXPECT_EQ(Of(1), (Points{{0, 1}, {1, 5}, {2, 3}}));
  ASSERT_TRUE(RemoveTrend(Doc(), {1, 1}).Ok());
  EXPECT_EQ(Of(1), (Points{{0, 0}, {1, 3}, {2, 0}}));
}

TEST_F(CurveEditing, EqualIntervalsDefaultGrid) {
  Points points;
  for (int i = 0; i < 10; ++i) points.emplace_back(0.5f + float(i) * 9.2f / 9.0f, 0.0f);
  points.back().first = 9.7f;
  const int c = Add(points);
  EXPECT_EQ(DefaultInterval(Doc(), c), 1.0);
  const ResampleGrid grid = GridOf(Doc(), c, 1.0);
  EXPECT_EQ(grid.start, 1.0f);
  EXPECT_EQ(grid.count, 9);
}

TEST_F(CurveEditing, EqualIntervalsMethodsReproduceTheirPolynomials) {
  Points cubic;
  for (float x : {0.0f, 0.7f, 1.5f, 2.0f, 3.1f, 4.0f, 5.2f, 6.0f})
    cubic.emplace_back(x, x * x * x - 2 * x + 1);
  const int c = Add(cubic);
  int result = 0;
  ASSERT_TRUE(EqualIntervals(Doc(), c, 0.5, METHOD_CUBIC, false, result).Ok());
  EXPECT_EQ(result, 2);
  ASSERT_EQ(Doc().pointCount[result], 13);
  for (const auto& [x, y] : Of(result)) EXPECT_NEAR(y, x * x * x - 2 * x + 1, 1e-3) << x;
  EXPECT_EQ(Doc().spacingState[result], STATE_YES);
  // The spline of a straight line is the line, also for falling X.
  const int line = Add({{4, 9}, {3, 7}, {1.5f, 4}, {0, 1}});
  ASSERT_TRUE(EqualIntervals(Doc(), line, 1.0, METHOD_SPLINE, true, result).Ok());
  EXPECT_EQ(result, line);
  EXPECT_EQ(Of(line), (Points{{0, 1}, {1, 3}, {2, 5}, {3, 7}, {4, 9}}));
}

TEST_F(CurveEditing, LinearResamplingOfAZigzagTakesTheFirstBracket) {
  std::mt19937 random(3);
  std::uniform_real_distribution<float> value(0.0f, 10.0f);
  Points points{{0.0f, 0.0f}};
  for (int i = 0; i < 90; ++i) points.emplace_back(value(random), value(random));
  points.emplace_back(10.0f, 1.0f);
  const int c = Add(points);
  int result = 0;
  ASSERT_TRUE(EqualIntervals(Doc(), c, 0.25, METHOD_LINEAR, false, result).Ok());
  ASSERT_EQ(Doc().pointCount[result], 41);
  for (const auto& [x, y] : Of(result)) {
    std::size_t k = 0;  // the first segment holding x, scanned from the start
    while (!((x >= points[k].first && x <= points[k + 1].first) ||
             (x <= points[k].first && x >= points[k + 1].first)))
      ++k;
    const auto [x0, y0] = points[k];
    const auto [x1, y1] = points[k + 1];
    const double expected = x0 == x1 ? y0 : y0 + (double(x) - x0) * (double(y1) - y0) / (x1 - x0);
    EXPECT_NEAR(y, expected, 1e-4) << x;
  }
}

TEST_F(CurveEditing, EqualIntervalsRefusals) {
  const int repeated = Add({{0, 0}, {1, 1}, {1, 2}, {2, 3}});
  int result = 0;
  for (int method : {METHOD_QUADRATIC, METHOD_CUBIC, METHOD_SPLINE}) {
    const Status s = EqualIntervals(Doc(), repeated, 0.5, method, true, result);
    ASSERT_FALSE(s.Ok());
    EXPECT_EQ(s.messages[0].number, MSG_IDENTICAL_X);
  }
  EXPECT_EQ(Of(repeated), (Points{{0, 0}, {1, 1}, {1, 2}, {2, 3}}));
  EXPECT_TRUE(EqualIntervals(Doc(), repeated, 0.5, METHOD_LINEAR, false, result).Ok());
  const int flat = Add({{3, 0}, {3, 1}});
  EXPECT_EQ(DefaultInterval(Doc(), flat), 0.0);
  EXPECT_EQ(EqualIntervals(Doc(), flat, 0.0, METHOD_LINEAR, false, result).Text(),
            SPACING_NOT_POSITIVE_TEXT);
  const int single = Add({{1, 1}});
  EXPECT_FALSE(EqualIntervals(Doc(), single, 1.0, METHOD_SPLINE, false, result).Ok());
  const int withNaN = Add({{0, 0}, {std::nanf(""), 1}, {2, 2}});
  EXPECT_FALSE(EqualIntervals(Doc(), withNaN, 1.0, METHOD_SPLINE, false, result).Ok());
  const int count = Doc().curveCount;
  EXPECT_FALSE(EqualIntervals(Doc(), 1, 1e-12, METHOD_LINEAR, false, result).Ok());
  EXPECT_EQ(Doc().curveCount, count);
}

TEST_F(CurveEditing, SkipKeepsEveryNthAndTheLast) {
  const int c = Add(Line(7));
  int result = 0;
  ASSERT_TRUE(SkipPoints(Doc(), c, 2, {}, false, result).Ok());
  EXPECT_EQ(result, 2);
  EXPECT_EQ(Of(2), (Points{{0, 1}, {2, 5}, {4, 9}, {6, 13}}));
  EXPECT_EQ(Doc().legendText[2].Str(), SkipLegend(2));
  // All points in range kept: no new curve.
  const int count = Doc().curveCount;
  EXPECT_FALSE(SkipPoints(Doc(), c, 2, {false, 100.0, 200.0}, false, result).Ok());
  EXPECT_EQ(Doc().curveCount, count);
  EXPECT_EQ(MaxKeepEvery(3), 1);
  EXPECT_FALSE(SkipPoints(Doc(), c, 6, {}, false, result).Ok());  // above N - 2
  const int shortCurve = Add(Line(3));
  for (const Status& s : {SkipPoints(Doc(), shortCurve, 2, {}, true, result),
                          AveragePoints(Doc(), shortCurve, 2, {}, true, result),
                          Depopulate(Doc(), Add(Line(2)), 10.0, {}, true, result)})
    EXPECT_EQ(s.Text(), "The curve has too few points to decimate.");
  EXPECT_EQ(Of(shortCurve), Line(3));
}

TEST_F(CurveEditing, AverageBlocksNeverTakeTheLastPoint) {
  const int c = Add(Line(10));
  int result = 0;
  ASSERT_TRUE(AveragePoints(Doc(), c, 3, {}, true, result).Ok());
  EXPECT_EQ(result, c);
  EXPECT_EQ(Of(c), (Points{{0, 1}, {2, 5}, {5, 11}, {7.5f, 16}, {9, 19}}));
  EXPECT_EQ(Doc().curveCount, 1);
}

TEST_F(CurveEditing, AverageInRangeStopsAtItsEnd) {
  const int c = Add(Line(10));
  int result = 0;
  ASSERT_TRUE(AveragePoints(Doc(), c, 4, {false, 4.5, 1.0}, false, result).Ok());
  EXPECT_EQ(Of(result), (Points{{0, 1}, {2.5f, 6}, {5, 11}, {6, 13}, {7, 15}, {8, 17}, {9, 19}}));
  EXPECT_EQ(Doc().legendText[result].Str(), "Average of 4 points");
}

TEST_F(CurveEditing, DepopulationKeepsCornersOnly) {
  const int line = Add(Line(50));
  int result = 0;
  for (double fidelity : {0.001, 50.0, 99.9}) {
    ASSERT_TRUE(Depopulate(Doc(), line, fidelity, {}, false, result).Ok());
    EXPECT_EQ(Of(result), (Points{{0, 1}, {49, 99}}));
  }
  EXPECT_EQ(Doc().legendText[result].Str(), "% Fidelity=99.9");
  const int corner = Add({{0, 0}, {1, 1}, {2, 2}, {3, 1}, {4, 0}, {5, 0}});
  ASSERT_TRUE(Depopulate(Doc(), corner, 10.0, {}, false, result).Ok());
  EXPECT_EQ(Of(result), (Points{{0, 0}, {2, 2}, {4, 0}, {5, 0}}));
  for (double bad : {0.0, 100.0, -5.0, std::nan("")}) {
    const Status s = Depopulate(Doc(), corner, bad, {}, false, result);
    ASSERT_FALSE(s.Ok());
    EXPECT_EQ(s.messages[0].number, MSG_FIDELITY_RANGE);
  }
}

}  // namespace
}  // namespace merva

namespace merva {
namespace {

// Odd values everywhere: every operation either works or refuses, and the
// point counts stay within the arrays.
TEST_F(CurveEditing, OddCurvesNeverBreakTheStore) {
  std::mt19937 random(11);
  const float odd[] = {0.0f,
                       -0.0f,
                       1.0f,
                       1.0f,
                       std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity(),
                       std::nanf(""),
                       1e30f,
                       -1e-30f};
  std::uniform_int_distribution<int> pick(0, 8), length(0, 12), method(1, 4);
  for (int round = 0; round < 150; ++round) {
    PlotDocument& d = Doc();
    d.curveCount = 0;
    d.pointLabels.clear();
    Points points;
    const int n = length(random);
    for (int i = 0; i < n; ++i) points.emplace_back(odd[pick(random)], odd[pick(random)]);
    const int c = Add(points);
    int result = 0, deleted = 0;
    EqualIntervals(d, c, 0.5, method(random), round % 2 == 0, result);
    AveragePoints(d, c, 2, {round % 3 == 0, -1.0, 1.0}, round % 2 == 1, result);
    SkipPoints(d, c, 2, {}, false, result);
    Depopulate(d, c, 10.0, {round % 3 == 1, 0.0, 1.0}, false, result);
    SortCurves(d, {1, d.curveCount});
    SwapXY(d, {1, d.curveCount});
    RemoveTrend(d, {1, d.curveCount});
    TruncateX(d, {1, d.curveCount}, {-1.0, 1.0}, deleted);
    ASSERT_LE(d.curveCount, d.maxCurves);
    for (int k = 1; k <= d.curveCount; ++k) ASSERT_LE(d.pointCount[k], d.maxPoints);
  }
}

}  // namespace
}  // namespace merva
