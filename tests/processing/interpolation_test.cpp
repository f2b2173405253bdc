#include "processing/interpolation.h"

#include <cmath>

#include "tests/processing/analysis_test_support.h"

namespace merva {
namespace {

using Interpolation = AnalysisDocument;

double At(PlotDocument& d, int c, double x, int& k, int expected = INTERPOLATION_FOUND) {
  MonotonicState(d, c);
  double v = -999.0;
  EXPECT_EQ(InterpolateCurve(d, c, x, k, v), expected) << "x=" << x;
  return v;
}

double At(PlotDocument& d, int c, double x) {
  int k = 1;
  return At(d, c, x, k);
}

TEST_F(Interpolation, PlottedCoordinatesDecideTheFraction) {
  const int c = Add({1, 100}, {1, 100});
  EXPECT_DOUBLE_EQ(At(Doc(), c, 10), 10.0);
  Doc().scaleType = SCALE_LOG_LOG;
  EXPECT_NEAR(At(Doc(), c, 10), 10.0, 1e-9);
  Doc().scaleType = SCALE_LOG_LINEAR;  // log X only: t = 0.5
  EXPECT_NEAR(At(Doc(), c, 10), 50.5, 1e-9);
  Doc().scaleType = SCALE_LINEAR_LOG;  // log Y only: 10^(2 * 9/99)
  EXPECT_NEAR(At(Doc(), c, 10), std::pow(10.0, 2.0 * 9.0 / 99.0), 1e-9);
}

TEST_F(Interpolation, ProbabilityYInterpolatesTheDeviates) {
  const int c = Add({0, 2}, {10, 90});
  Doc().scaleType = SCALE_LINEAR_PROBABILITY;
  EXPECT_NEAR(At(Doc(), c, 1), 50.0, 1e-4);  // symmetric deviates meet at 0
  const double quarter = At(Doc(), c, 0.5);
  EXPECT_NEAR(ProbabilityToDeviate(quarter), 0.5 * ProbabilityToDeviate(10), 1e-5);
  EXPECT_NEAR(DeviateToProbability(ProbabilityToDeviate(2.5)), 2.5, 1e-5);
}

TEST_F(Interpolation, ExactPointsOutsideAndOrientation) {
  const int up = Add({0, 1, 1, 2}, {0, 0, 5, 5});
  EXPECT_EQ(At(Doc(), up, 1), 0.0);  // the first segment that holds x
  EXPECT_EQ(At(Doc(), up, 2), 5.0);
  int k = 1;
  At(Doc(), up, 2.5, k, INTERPOLATION_OUTSIDE);
  At(Doc(), up, -0.5, k, INTERPOLATION_OUTSIDE);
  At(Doc(), up, std::nan(""), k, INTERPOLATION_OUTSIDE);
  const int down = Add({3, 2, 0}, {30, 20, 0});
  EXPECT_DOUBLE_EQ(At(Doc(), down, 1), 10.0);
  EXPECT_EQ(Doc().monotonicState[down], STATE_NO);
  const int zigzag = Add({0, 10, 0}, {0, 10, 20});
  EXPECT_DOUBLE_EQ(At(Doc(), zigzag, 5), 5.0);
  const int flat = Add({5, 5, 5}, {1, 2, 3});
  EXPECT_EQ(At(Doc(), flat, 5), 1.0);
  At(Doc(), flat, 5.5, k, INTERPOLATION_OUTSIDE);
}

TEST_F(Interpolation, OnePointAndNoPoints) {
  const int one = Add({4}, {7});
  EXPECT_EQ(At(Doc(), one, 4), 7.0);
  int k = 1;
  At(Doc(), one, 4.5, k, INTERPOLATION_OUTSIDE);
  const int none = Add(std::vector<float>{}, std::vector<float>{});
  At(Doc(), none, 0, k, INTERPOLATION_OUTSIDE);
}

TEST_F(Interpolation, SearchResumesFromTheLastSegment) {
  std::vector<float> x, y;
  for (int i = 0; i < 50; ++i) {
    x.push_back(static_cast<float>(i));
    y.push_back(static_cast<float>(2 * i));
  }
  const int c = Add(x, y);
  for (bool increasing : {true, false}) {
    Doc().monotonicState[c] = increasing ? STATE_YES : STATE_NO;
    CurvePoints p = PointsOf(Doc(), c);
    int k = 1;
    double v = 0;
    for (double at : {0.5, 7.25, 7.5, 31.5, 48.9}) {
      ASSERT_EQ(InterpolatePoints(p, SCALE_LINEAR_LINEAR, at, k, v), INTERPOLATION_FOUND);
      EXPECT_DOUBLE_EQ(v, 2 * at);
      EXPECT_EQ(k, static_cast<int>(at) + 1);
    }
    // Behind the resumed index nothing is found; at the last point neither.
    EXPECT_EQ(InterpolatePoints(p, SCALE_LINEAR_LINEAR, 3.0, k, v), INTERPOLATION_OUTSIDE);
    k = 50;
    EXPECT_EQ(InterpolatePoints(p, SCALE_LINEAR_LINEAR, 49.0, k, v), INTERPOLATION_OUTSIDE);
  }
}

TEST_F(Interpolation, WalkingGivesWhatTheSearchGives) {
  std::vector<float> x, y;
  for (int i = 0; i < 40; ++i) {
    x.push_back(static_cast<float>(i / 3));  // runs of equal X
    y.push_back(static_cast<float>((i * 7) % 5));
  }
  const int c = Add(x, y);
  MonotonicState(Doc(), c);
  const CurvePoints p = PointsOf(Doc(), c);
  int walked = 1, searched = 1;
  for (double at = -0.5; at < 14.0; at += 0.25) {
    double a = 0, b = 0;
    const int ra = InterpolateWalking(p, SCALE_LINEAR_LINEAR, at, walked, a);
    const int rb = InterpolatePoints(p, SCALE_LINEAR_LINEAR, at, searched, b);
    ASSERT_EQ(ra, rb) << at;
    EXPECT_EQ(a, b) << at;
    EXPECT_EQ(walked, searched) << at;
  }
}

TEST_F(Interpolation, BarChartLastBarReachesOneWidth) {
  const int c = Add({0, 2, 4}, {1, 3, 9});
  Doc().scaleType = SCALE_BAR_CHART;
  EXPECT_EQ(At(Doc(), c, 5.9), 9.0);
  EXPECT_EQ(At(Doc(), c, 6.0), 9.0);
  int k = 1;
  At(Doc(), c, 6.1, k, INTERPOLATION_OUTSIDE);
  At(Doc(), c, -0.1, k, INTERPOLATION_OUTSIDE);
  Doc().scaleType = SCALE_LINEAR_LINEAR;
  At(Doc(), c, 5.0, k, INTERPOLATION_OUTSIDE);
}

TEST_F(Interpolation, ValuesALogAxisCannotShowFallBackToLinear) {
  const int c = Add({-1, 1}, {-4, 4});
  Doc().scaleType = SCALE_LOG_LOG;
  EXPECT_DOUBLE_EQ(At(Doc(), c, 0.5), 2.0);
}

}  // namespace
}  // namespace merva
