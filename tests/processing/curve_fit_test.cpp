#include <gtest/gtest.h>

#include <cmath>

#include "core/messages.h"
#include "curve_fixture.h"
#include "processing/curve_fit.h"
#include "processing/curve_fit_report.h"
#include "processing/least_squares.h"

namespace merva {
namespace {

class CurveFitTest : public CurveFixture {
 protected:
  CurveFit Fit(int curve, int order) {
    CurveFit fit;
    Status s = FitCurve(Doc(), curve, order, fit);
    EXPECT_TRUE(s.Ok()) << s.Text();
    return fit;
  }
  int Refused(int curve, int order) {
    CurveFit fit;
    Status s = FitCurve(Doc(), curve, order, fit);
    EXPECT_FALSE(s.Ok());
    return s.messages.empty() ? 0 : s.messages[0].number;
  }
};

TEST_F(CurveFitTest, OrderZeroIsTheMeanAndEqualValuesCorrelateFully) {
  const int c = Add({{1, 2}, {2, 4}, {3, 9}});
  const CurveFit mean = Fit(c, 0);
  EXPECT_DOUBLE_EQ(mean.coefficients[0], 5.0);
  const int flat = Add({{1, 0.1f}, {2, 0.1f}, {5, 0.1f}});
  Doc().scaleType = SCALE_LINEAR_LOG;  // log10 of 0.1f is not a float: rounding must not matter
  EXPECT_EQ(Fit(flat, 0).correlation, 1.0);
}

TEST_F(CurveFitTest, HighestOrderReproducesThePoints) {
  const int c = Add({{-1, 3}, {0, 1}, {2, 7}, {3, -2}});
  const CurveFit fit = Fit(c, 3);
  for (const auto& p : Of(c)) EXPECT_NEAR(FittedValue(fit, p.first), p.second, 1e-9);
  EXPECT_NEAR(fit.correlation, 1.0, 1e-7);
  EXPECT_EQ(MaxDialogFitOrder(4), 3);
  EXPECT_EQ(MaxDialogFitOrder(1), 0);
  EXPECT_EQ(MaxDialogFitOrder(5000), 10);
}

TEST_F(CurveFitTest, PowerLawOnLogLogIsAStraightLineGeneratedEvenInLogX) {
  Points points;
  for (int i = 1; i <= 20; ++i) points.emplace_back(i, 3.0f * std::pow(i, 1.5f));
  const int c = Add(points);
  Doc().scaleType = SCALE_LOG_LOG;
  const CurveFit fit = Fit(c, 1);
  EXPECT_NEAR(fit.coefficients[0], std::log10(3.0), 1e-6);
  EXPECT_NEAR(fit.coefficients[1], 1.5, 1e-6);
  EXPECT_NEAR(fit.correlation, 1.0, 1e-6);
  int made = 0;
  ASSERT_TRUE(GenerateFittedCurve(Doc(), fit, 3, 1.0, 100.0, made).Ok());
  EXPECT_EQ(made, c + 1);
  EXPECT_EQ(Doc().curveCount, made);
  EXPECT_NEAR(Doc().X(made, 2), 10.0f, 1e-5);
  EXPECT_NEAR(Doc().Y(made, 3), 3000.0f, 0.05);
  EXPECT_EQ(Doc().spacingState[made], STATE_NO);
  EXPECT_EQ(Doc().monotonicState[made], STATE_YES);
  EXPECT_EQ(Doc().legendText[made].Trimmed(), "1st Order Curve Fit");
}

TEST_F(CurveFitTest, RefusalsLeaveTheDocumentAlone) {
  const int same = Add({{2, 1}, {2, 3}, {2, 5}});
  EXPECT_EQ(Refused(same, 1), MSG_FIT_SINGULAR);
  const int c = Add({{1, -1}, {2, 3}, {3, 5}});
  EXPECT_EQ(Refused(c, MAX_STORED_FIT_ORDER + 1), MSG_FIT_ALLOCATION);
  EXPECT_EQ(Refused(c, 1000), MSG_FIT_SINGULAR);  // power sums beyond a double
  Doc().scaleType = SCALE_LINEAR_LOG;
  EXPECT_EQ(Refused(c, 1), MSG_LOG_NONPOSITIVE);
  Doc().scaleType = SCALE_LINEAR_PROBABILITY;
  EXPECT_EQ(Refused(c, 1), MSG_PROBABILITY_RANGE);
  Doc().scaleType = SCALE_LINEAR_LINEAR;
  Doc().Y(c, 2) = std::nanf("");
  EXPECT_EQ(Refused(c, 1), 0);
  EXPECT_EQ(Doc().curveCount, 2);
  EXPECT_EQ(Doc().pointCount[3], 0);
}

TEST_F(CurveFitTest, GeneratedValuesBeyondSinglePrecisionKeepNoCurve) {
  const int c = Add({{0, 0}, {1, 10}, {2, 20}});
  Doc().scaleType = SCALE_LINEAR_LOG;
  Doc().Y(c, 1) = 1;  // log10 y = 1 + x roughly
  const CurveFit fit = Fit(c, 1);
  int made = 0;
  Status s = GenerateFittedCurve(Doc(), fit, 10, 0.0, 100.0, made);
  ASSERT_FALSE(s.Ok());
  EXPECT_NE(s.Text().find("For example, at X="), std::string::npos);
  EXPECT_EQ(s.Text().find("__"), std::string::npos);
  Doc().scaleType = SCALE_LINEAR_LINEAR;
  const CurveFit linear = Fit(c, 1);
  s = GenerateFittedCurve(Doc(), linear, 10, 0.0, 1e38, made);
  ASSERT_FALSE(s.Ok());
  EXPECT_EQ(s.messages[0].number, MSG_REAL4_LIMIT);
  EXPECT_EQ(GenerateFittedCurve(Doc(), linear, 1, 0.0, 1.0, made).Text(),
            "The number of points must be > 1.");
  EXPECT_EQ(Doc().curveCount, 1);
}

TEST_F(CurveFitTest, ReportTexts) {
  const int c = Add({{0, 1}, {1, 3}, {2, 5}});
  EXPECT_EQ(CurveFitReport(Fit(c, 1)),
            "y = C(0) + C(1)*x + C(2)*x**2 + ...\r\nC(0) = 1\r\nC(1) = 2\r\n"
            "Correlation coefficient is 1");
  Doc().scaleType = SCALE_LINEAR_LOG;
  const std::string logY = CurveFitReport(Fit(c, 0));
  EXPECT_EQ(logY.substr(0, logY.find("\r\nC(0)") + 2),
            "log(y) = C(0) + C(1)*x + C(2)*x**2 + ...\r\n(log() = common logarithm)\r\n");
  EXPECT_NE(logY.find("\r\nor\r\nln(y) = D(0) + D(1)*x + D(2)*x**2 + ...\r\n"
                      "(ln() = natural logarithm)\r\nD(0) = "),
            std::string::npos);
  Doc().scaleType = SCALE_LOG_LINEAR;
  CurveFit fit;
  fit.coordinates = FitCoordinatesOf(SCALE_LOG_LINEAR);
  fit.coefficients.assign(11, 1.0);
  const std::string logX = CurveFitReport(fit);
  EXPECT_NE(logX.find("\r\nC(10) = 1\r\nor\r\ny = D(0) + D(1)*ln(x)"), std::string::npos);
  EXPECT_NE(logX.find("D(1) = 0.4342945\r\n"), std::string::npos);
  EXPECT_EQ(FitCoordinatesOf(SCALE_PROBABILITY_LOG).header, FitHeader::Linear);
  EXPECT_EQ(FitCoordinatesOf(SCALE_LOG_PROBABILITY).u, FitAxis::Log10);
}

TEST(CurveFitLegend, OrdinalSuffixes) {
  const char* expected[] = {"0th", "1st", "2nd", "3rd",  "4th",  "5th", "6th",
                            "7th", "8th", "9th", "10th", "11th", "12th"};
  for (int m = 0; m <= 12; ++m)
    EXPECT_EQ(CurveFitLegend(m), std::string(expected[m]) + " Order Curve Fit");
  EXPECT_EQ(CurveFitLegend(22), "22nd Order Curve Fit");
}

TEST(GaussJordan, PivotsAcrossRowsAndColumnsAndFindsSingularity) {
  std::vector<double> a = {0, 2, 0, 3, 0, 0, 0, 0, 4}, b = {4, 9, 8};
  ASSERT_TRUE(SolveGaussJordan(a, 3, b));
  EXPECT_DOUBLE_EQ(b[0], 3.0);
  EXPECT_DOUBLE_EQ(b[1], 2.0);
  EXPECT_DOUBLE_EQ(b[2], 2.0);
  std::vector<double> singular = {1, 2, 2, 4}, r = {1, 2};
  EXPECT_FALSE(SolveGaussJordan(singular, 2, r));
}

}  // namespace
}  // namespace merva
