#include "processing/curve_functions.h"

#include "core/messages.h"
#include "processing/polynomial.h"
#include "tests/processing/analysis_test_support.h"

namespace merva {
namespace {

using GeneratedCurves = AnalysisDocument;

TEST_F(GeneratedCurves, OnlyTheOverlapIsCombined) {
  std::vector<float> x1, y1;
  for (int i = 0; i <= 10; ++i) x1.push_back(static_cast<float>(i)), y1.push_back(1.0f);
  const int a = Add(x1, y1);
  const int b = Add({5, 20}, {5, 20});
  ASSERT_TRUE(CombineCurves(Doc(), a, b, 1).Ok());
  EXPECT_EQ(Xs(3), (std::vector<float>{5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(Ys(3), (std::vector<float>{6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(Doc().legendText[3].Str(), "y1 + y2");
  ASSERT_TRUE(CombineCurves(Doc(), b, a, 2).Ok());
  EXPECT_EQ(Xs(4), (std::vector<float>{5}));
  EXPECT_EQ(Doc().legendText[4].Str(), "y2 - y1");
  EXPECT_EQ(CurveFunctionLegend(2, 5, 3), "y2 * y5");
  EXPECT_EQ(CurveFunctionLegend(2, 5, 4), "y2 / y5");
}

TEST_F(GeneratedCurves, DivisionByZeroAndNoOverlapLeaveNoCurve) {
  const int a = Add({0, 1, 2}, {1, 2, 4});
  ASSERT_TRUE(CombineCurves(Doc(), a, a, 4).Ok());
  EXPECT_EQ(Ys(2), (std::vector<float>{1, 1, 1}));
  const int z = Add({0, 1, 2}, {3, 0, 3});
  Status s = CombineCurves(Doc(), z, z, 4);
  EXPECT_EQ(s.Text(), DIVISOR_ZERO_MESSAGE);
  EXPECT_EQ(Doc().curveCount, 3);
  const int far = Add({10, 11}, {1, 1});
  s = CombineCurves(Doc(), a, far, 1);
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].number, MSG_CURVES_DO_NOT_OVERLAP);
  EXPECT_EQ(Doc().curveCount, 4);
  EXPECT_EQ(Doc().pointCount[5], 0);
  for (int bad : {0, 5, -1}) EXPECT_FALSE(CombineCurves(Doc(), a, bad, 1).Ok());
  EXPECT_FALSE(CombineCurves(Doc(), a, a, 5).Ok());
  EXPECT_EQ(Doc().curveCount, 4);
}

TEST_F(GeneratedCurves, ListHoldsMonotonicCurvesByTheirNames) {
  const int up = Add({0, 1}, {0, 0});
  const int down = Add({1, 0}, {0, 0});
  const int zig = Add({0, 1, 0}, {0, 0, 0});
  MonotonicState(Doc(), up);
  MonotonicState(Doc(), down);
  MonotonicState(Doc(), zig);
  EXPECT_TRUE(CurveQualifiesForFunction(Doc(), up));
  EXPECT_TRUE(CurveQualifiesForFunction(Doc(), down));
  EXPECT_FALSE(CurveQualifiesForFunction(Doc(), zig));
  EXPECT_EQ(FunctionListEntry(Doc(), up), "Curve #1... no legend");
  Doc().curveTag[up].Set("TAG1");
  EXPECT_EQ(FunctionListEntry(Doc(), up), "TAG1");
  Doc().legendText[up].Set("Gauge");
  EXPECT_EQ(FunctionListEntry(Doc(), up), "Gauge");
}

TEST_F(GeneratedCurves, PolynomialByHornerInSinglePrecision) {
  const int c = Add({0, 1, 2}, {-1.5f, 0.25f, 3});
  PolynomialCoefficients identity{};
  identity[1] = 1;
  ASSERT_TRUE(PolynomialTransform(Doc(), c, identity).Ok());
  EXPECT_EQ(Ys(2), Ys(c));
  EXPECT_EQ(Xs(2), Xs(c));
  EXPECT_EQ(Doc().legendText[2].Str(), "Poly(y1)");
  PolynomialCoefficients constant{};
  constant[0] = 5;
  ASSERT_TRUE(PolynomialTransform(Doc(), c, constant).Ok());
  EXPECT_EQ(Ys(3), (std::vector<float>{5, 5, 5}));
  PolynomialCoefficients square{};
  square[2] = 1;
  square[8] = 1e-3;
  EXPECT_EQ(EvaluatePolynomial(square, 2.0f), 4.0f + 0.256f);
  EXPECT_FALSE(PolynomialTransform(Doc(), 9, square).Ok());
  const int empty = Add(std::vector<float>{}, std::vector<float>{});
  EXPECT_FALSE(PolynomialTransform(Doc(), empty, square).Ok());
  EXPECT_EQ(Doc().curveCount, empty);
}

}  // namespace
}  // namespace merva
