#include "processing/curve_analysis.h"

#include <cmath>
#include <limits>

#include "processing/average_curves.h"
#include "processing/histogram.h"
#include "processing/scan_points.h"
#include "tests/processing/analysis_test_support.h"

namespace merva {
namespace {

using CurveAnalysis = AnalysisDocument;

TEST_F(CurveAnalysis, InterpolationTextListsTheCurvesThatReachX) {
  Add({0, 10}, {0, 100});
  const int b = Add({5, 6}, {1, 2});
  Add({0, 4}, {3, 3});
  Doc().legendText[b].Set("Gauge B");
  const std::string text = InterpolationText(Doc(), 5.5, NumberFormatContext{});
  EXPECT_EQ(text, "At X = 5.5\r\nCurve 1: 55\r\nGauge B: 1.5\r\n");
}

TEST_F(CurveAnalysis, RecordValuesShareCurveOnesX) {
  Add({0, 2, 4}, {1, 3, 5});
  Add({0, 2, 4}, {0, 10, 20});
  Add({0, 2, 4}, {7, 7, 7});
  Doc().processMode = 1;
  Doc().processState.dataType = 3;  // acceleration, velocity, displacement
  EXPECT_EQ(InterpolationText(Doc(), 3.0, NumberFormatContext{}),
            "At X = 3\r\nAcceleration: 4\r\nVelocity: 15\r\nDisplacement: 7\r\n");
  EXPECT_EQ(InterpolationText(Doc(), 5.0, NumberFormatContext{}), "At X = 5\r\n");
}

TEST_F(CurveAnalysis, BaselineAveragesThePointsInRange) {
  const int c = Add({0, 1, 2, 3, 4}, {10, 20, 30, 40, 50});
  double mean = 0;
  Status s = FindBaseline(Doc(), c, 3.0, 1.0, mean);
  ASSERT_TRUE(s.Ok());
  EXPECT_DOUBLE_EQ(mean, 30.0);
  EXPECT_EQ(s.Text(), "Baseline = 30");
  s = FindBaseline(Doc(), c, 4.5, 9.0, mean);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "No points in specified range!");
}

TEST_F(CurveAnalysis, PeaksReportTheFirstOfEqualExtremes) {
  Add({0, 1, 2, 3}, {std::numeric_limits<float>::quiet_NaN(), 5, 5, -1});
  const int b = Add({7}, {2});
  Doc().legendText[b].Set("Gauge B");
  EXPECT_EQ(PeakValuesText(Doc(), NumberFormatContext{}),
            "Curve 1: Unknown Data\r\n  Maximum = 5 at X = 1\r\n  Minimum = -1 at X = 3\r\n"
            "Curve 2: Gauge B\r\n  Maximum = 2 at X = 7\r\n  Minimum = 2 at X = 7\r\n");
  Doc().processMode = 1;
  EXPECT_NE(PeakValuesText(Doc(), NumberFormatContext{}).find(" at T = 1"), std::string::npos);
  EXPECT_EQ(PointCountText(Doc()), "Curve 1: 4\r\nGauge B: 1\r\n");
}

TEST_F(CurveAnalysis, AverageTakesCurveOneWhereOthersDoNotReach) {
  const int a = Add({0, 1, 2, 3, 4}, {0, 10, 20, 30, 40});
  Add({2, 4}, {0, 0});
  Add({4, 0}, {8, 0});  // decreasing X
  ASSERT_TRUE(AverageAllCurves(Doc()).Ok());
  ASSERT_EQ(Doc().curveCount, 4);
  EXPECT_EQ(Xs(4), Xs(a));
  EXPECT_EQ(Ys(4), (std::vector<float>{0, 6, 8, 12, 16}));
  EXPECT_EQ(Doc().legendText[4].Str(), "Average of all curves");
  EXPECT_EQ(Doc().monotonicState[4], Doc().monotonicState[1]);
}

TEST_F(CurveAnalysis, AverageNeedsAFreeSlot) {
  EXPECT_FALSE(AverageAllCurves(Doc()).Ok());
  Status status;
  const int slot = table_.Open(100, 8, status);
  PlotDocument& full = table_.Document(slot);
  full.curveCount = 100;
  for (int c = 1; c <= 100; ++c) {
    full.pointCount[c] = 1;
    full.X(c, 1) = full.Y(c, 1) = static_cast<float>(c);
  }
  EXPECT_FALSE(AverageAllCurves(full).Ok());
  EXPECT_EQ(full.curveCount, 100);
  EXPECT_EQ(full.changed, 0);
  // A document at its capacity grows by one curve.
  Add({0, 1}, {2, 4});
  Add({0, 1}, {4, 8});
  Add({0, 1}, {0, 0});
  Add({0, 1}, {2, 0});
  ASSERT_TRUE(AverageAllCurves(Doc()).Ok());
  EXPECT_EQ(Doc().maxCurves, 5);
  EXPECT_EQ(Ys(5), (std::vector<float>{2, 3}));
}

TEST_F(CurveAnalysis, HistogramStatisticsAndDefaultInterval) {
  const int c = Add({1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 2, 3, 3, 3, 4, 10});
  HistogramStatistics s;
  ASSERT_TRUE(ComputeHistogramStatistics(Doc(), c, s));
  EXPECT_EQ(s.classes, 4);  // NINT(1 + 3.3 * 0.903)
  EXPECT_DOUBLE_EQ(s.mean, 3.5);
  EXPECT_DOUBLE_EQ(s.deviation, std::sqrt(6.75));
  EXPECT_DOUBLE_EQ(s.skewness, 252.0 / (8 * std::pow(6.75, 1.5)));
  EXPECT_DOUBLE_EQ(s.defaultInterval, 2.5);  // 9 / 4 rounded up the step table
}

TEST_F(CurveAnalysis, HistogramDocumentCountsEachClass) {
  const int c = Add({1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 2, 3, 3, 3, 4, 10});
  Doc().title1.Set("Drop test");
  Doc().yAxisLabel.Set("Pressure, psi");
  Status status;
  PlotDocument& h = table_.Document(table_.Open(100, 4, status));
  ASSERT_TRUE(BuildHistogram(Doc(), c, 2.0, h).Ok());
  // lower 0, upper 12 (10 reaches CEIL), 6 classes: more than the 4 points.
  ASSERT_EQ(h.curveCount, 1);
  ASSERT_EQ(h.pointCount[1], 6);
  EXPECT_GE(h.maxPoints, 6);
  std::vector<float> x, y;
  for (int j = 1; j <= 6; ++j) x.push_back(h.X(1, j)), y.push_back(h.Y(1, j));
  EXPECT_EQ(x, (std::vector<float>{0, 2, 4, 6, 8, 10}));
  EXPECT_EQ(y, (std::vector<float>{1, 5, 1, 0, 0, 1}));
  EXPECT_EQ(h.scaleType, SCALE_BAR_CHART);
  EXPECT_EQ(h.title1.Str(), "Drop test");
  EXPECT_EQ(h.title2.Str(), "Mean=3.5, Standard Deviation=2.598076, Skewness=1.796201");
  EXPECT_EQ(h.xAxisLabel.Str(), "Pressure, psi");
  EXPECT_EQ(h.yAxisLabel.Str(), "Count");
  EXPECT_EQ(h.fileTitle.Str(), "Histogram");
  EXPECT_EQ(h.spacingState[1], STATE_YES);
}

TEST_F(CurveAnalysis, HistogramRefusesBadIntervalsAndValues) {
  const float inf = std::numeric_limits<float>::infinity();
  const int c = Add({1, 2, 3, 4}, {5, 5, inf, std::nanf("")});
  Status status;
  PlotDocument& h = table_.Document(table_.Open(100, 4, status));
  EXPECT_FALSE(BuildHistogram(Doc(), c, 0.0, h).Ok());
  EXPECT_FALSE(BuildHistogram(Doc(), c, -1.0, h).Ok());
  EXPECT_FALSE(BuildHistogram(Doc(), c, std::nan(""), h).Ok());
  EXPECT_FALSE(BuildHistogram(Doc(), c, 1e-300, h).Ok());
  EXPECT_EQ(ClassesFor(0, 1, 1e-7).bins, -1);  // 10,000,001 classes
  EXPECT_EQ(ClassesFor(0, 1, 1.01e-7).bins, 9900991);
  EXPECT_EQ(h.curveCount, 0);
  // Equal values: one class [5, 6) holding the two finite points.
  ASSERT_TRUE(BuildHistogram(Doc(), c, 1.0, h).Ok());
  ASSERT_EQ(h.pointCount[1], 1);
  EXPECT_EQ(h.Y(1, 1), 2.0f);
  const int none = Add({1}, {inf});
  EXPECT_FALSE(BuildHistogram(Doc(), none, 1.0, h).Ok());
}

TEST_F(CurveAnalysis, ScanFindsThePointDrawnNearest) {
  const int c = Add({0, 1, 2, 3}, {0, 10, 0, 10});
  Doc().plotWindow.xLow = 0;
  Doc().plotWindow.xHigh = 3;
  Doc().plotWindow.yLow[0] = 0;
  Doc().plotWindow.yHigh[0] = 10;
  Doc().plotFrame = {100, 400, 300, 0};  // left, right, bottom, top
  EXPECT_EQ(NearestPoint(Doc(), c, 190, 10), 2);
  EXPECT_EQ(NearestPoint(Doc(), c, 390, 280), 3);  // (300, 300) is nearer than (400, 0)
  Doc().pointCount[c] = 0;
  EXPECT_EQ(NearestPoint(Doc(), c, 190, 10), 0);
  Doc().pointCount[c] = 4;
  const ScanTexts t = ScanPointTexts(Doc(), c, 2, NumberFormatContext{});
  EXPECT_EQ(t.curve, "Curve 1: Curve 1");
  EXPECT_EQ(t.point, "2 of 4");
  EXPECT_EQ(t.x + " " + t.y, "1 10");
}

}  // namespace
}  // namespace merva
