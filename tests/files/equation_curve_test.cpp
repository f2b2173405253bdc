#include <gtest/gtest.h>

#include <cmath>

#include "files/equation_curve.h"
#include "files/plot_file_reader.h"
#include "plot_file_test_support.h"

namespace merva {
namespace {

using namespace plot_file_test;

EquationCurve Curve(CurveKind kind, std::initializer_list<double> c,
                    std::initializer_list<double> e = {}) {
  EquationCurve curve;
  curve.kind = kind;
  curve.count = static_cast<int>(c.size());
  int k = 0;
  for (double v : c) curve.coefficients[static_cast<std::size_t>(k++)] = v;
  k = 0;
  for (double v : e) curve.exponents[static_cast<std::size_t>(k++)] = v;
  return curve;
}

TEST(EquationCurve, ValuesOfEveryKind) {
  EXPECT_DOUBLE_EQ(EquationValue(Curve(CurveKind::Poli, {1, 2, 3}), 2.0), 1 + 4 + 12);
  EXPECT_DOUBLE_EQ(EquationValue(Curve(CurveKind::Pl10, {1, 2, 3}), 100.0), 1 + 4 + 12);
  EXPECT_DOUBLE_EQ(EquationValue(Curve(CurveKind::Plog, {1, 1}), 10.0), 100.0);
  EXPECT_DOUBLE_EQ(EquationValue(Curve(CurveKind::Poly, {2, 3}, {0, 2}), 4.0), 2 + 48);
  EXPECT_DOUBLE_EQ(EquationValue(Curve(CurveKind::Slog, {1}, {1}), 2.0), 100.0);
  EXPECT_DOUBLE_EQ(EquationValue(Curve(CurveKind::Poly, {5}, {0}), 0.0), 5.0);  // 0^0 not taken
  EquationCurve expo = Curve(CurveKind::Expo, {1}, {1});
  EXPECT_DOUBLE_EQ(EquationValue(expo, 2.0), std::exp(2.0));
  EquationCurve exp2;
  exp2.kind = CurveKind::Exp2;
  exp2.exp2C1 = 1;
  exp2.exp2C2 = 2;
  exp2.exp2E1 = -1;
  EXPECT_DOUBLE_EQ(EquationValue(exp2, 1.0), 1 + 2 * std::exp(-1.0));
}

TEST(EquationCurve, ModifiersInTheirOrder) {
  EquationCurve c = Curve(CurveKind::Poli, {100});
  c.modifiers = MODIFIER_LOG;
  EXPECT_DOUBLE_EQ(EquationValue(c, 0), 2.0);
  c.modifiers = MODIFIER_LOGN;
  EXPECT_DOUBLE_EQ(EquationValue(c, 0), std::log(100.0));
  // log, then plus, then mult, then invr: 1 / (A (log10 y + P)^B)
  c.modifiers = MODIFIER_LOG | MODIFIER_PLUS | MODIFIER_MULT | MODIFIER_INVR;
  c.constantP = 1;
  c.factorA = 2;
  c.exponentB = 2;
  EXPECT_DOUBLE_EQ(EquationValue(c, 0), 1.0 / 18.0);
  // "expo" takes A from the "mult" line before the flag applies it again.
  EquationCurve expo = Curve(CurveKind::Expo, {1}, {0});
  expo.modifiers = MODIFIER_MULT;
  expo.factorA = 3;
  expo.exponentB = 1;
  EXPECT_DOUBLE_EQ(EquationValue(expo, 5.0), 3 * (3 * std::exp(1.0)));
}

TEST(EquationCurve, PointCountsAndSpacing) {
  EXPECT_EQ(EquationPointCount(Curve(CurveKind::Poli, {4})), 2);
  EXPECT_EQ(EquationPointCount(Curve(CurveKind::Pl10, {4})), 2);
  EXPECT_EQ(EquationPointCount(Curve(CurveKind::Poly, {4}, {0})), 256);
  EXPECT_EQ(EquationPointCount(Curve(CurveKind::Poli, {4, 1})), 256);
  float x[5];
  EvenlySpacedX(0.0, 1.0, 5, false, x);
  EXPECT_EQ(x[1], 0.25f);
  EXPECT_EQ(x[4], 1.0f);
  EvenlySpacedX(1.0, 10000.0, 5, true, x);
  EXPECT_FLOAT_EQ(x[1], 10.0f);
  EXPECT_FLOAT_EQ(x[3], 1000.0f);
  float y[5];
  EquationCurve c = Curve(CurveKind::Poli, {0, 1});
  c.lower = -1;
  c.upper = 1;
  GenerateEquationCurve(c, 5, true, x, y);  // a limit not positive: linear
  EXPECT_EQ(x[1], -0.5f);
  EXPECT_EQ(y[1], -0.5f);
}

TEST(EquationCurve, ReadFromAnOlderFile) {
  auto d = NewDocument(2, 10);
  d->scaleType = SCALE_LOG_LINEAR;
  const std::string text =
      "MERVA/W v1.0\r\n"
      "mult\r\nplus\r\nexpo\r\n2\r\n1 1\r\n2, 0\r\n0.5 1\r\n10\r\n1 100\r\n 3 9\r\nExp\r\nE\r\n"
      "invr\r\nexp2\r\n1 1 0\r\n0 1\r\n 1 0\r\nHalf\r\nH\r\n"
      "slog\r\n1\r\n1 1\r\n1 2\r\n 1 0\r\nS\r\nS\r\n";
  Status s = ReadPlotText(*d, text, "old.grf", 1);
  ASSERT_TRUE(s.Ok()) << s.Text();
  ASSERT_EQ(d->curveCount, 3);
  EXPECT_EQ(d->maxCurves, 3);
  EXPECT_EQ(d->maxPoints, 256);
  EXPECT_EQ(d->pointCount[1], 256);
  // Log X scale: spaced evenly in log10 X from 1 to 100.
  EXPECT_FLOAT_EQ(d->X(1, 1), 1.0f);
  EXPECT_FLOAT_EQ(d->X(1, 256), 100.0f);
  EXPECT_FLOAT_EQ(d->X(1, 128), static_cast<float>(std::pow(10.0, 2.0 * 127 / 255)));
  // y = 0.5 (0.5 e^(x + 2) + 10)^1 at x = 1.
  EXPECT_FLOAT_EQ(d->Y(1, 1), static_cast<float>(0.5 * (0.5 * std::exp(3.0) + 10)));
  EXPECT_EQ(d->symbolType[1], 261);  // old code 9
  EXPECT_EQ(d->lineType[1], 3);
  EXPECT_EQ(d->legendText[1].Str(), "Exp");
  EXPECT_FLOAT_EQ(d->Y(2, 1), 0.5f);  // 1 / (1 + e^0)
  EXPECT_FLOAT_EQ(d->Y(3, 256), 100.0f);
  EXPECT_EQ(d->spacingState[1], STATE_UNKNOWN);
  EXPECT_EQ(d->monotonicState[3], STATE_UNKNOWN);
}

}  // namespace
}  // namespace merva
