#include "processing/record_integration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "processing/differentiation.h"

namespace merva {
namespace {

std::vector<float> Steps(float from, float step, int n) {
  std::vector<float> x;
  for (int i = 0; i < n; ++i) x.push_back(from + step * static_cast<float>(i));
  return x;
}

TEST(RecordIntegration, IntegralCountsAndCapacities) {
  const int k[] = {0, 1, 1, 2, 0, 0, 0};
  for (int type = 0; type <= 6; ++type) {
    EXPECT_EQ(IntegrationCount(type), k[type]);
    EXPECT_EQ(ProcessingCurveCapacity(type), type == DATA_ACCELERATION ? 3 : 2);
  }
  EXPECT_EQ(IntegrationCount(-1), 0);
  EXPECT_EQ(IntegrationCount(7), 0);
}

TEST(RecordIntegration, ConstantPressureGivesItsImpulse) {
  // 10 psi over 100 msec: 1.0 psi-sec, in one step and in ten.
  std::vector<float> out(11, -1.0f);
  float* integrals[2] = {out.data(), nullptr};
  const float x2[] = {0, 100}, y2[] = {10, 10};
  EXPECT_EQ(IntegrateRecord(DATA_PRESSURE, x2, y2, 2, integrals), 1);
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_EQ(out[1], 1.0f);
  const std::vector<float> x = Steps(0, 10, 11), y(11, 10.0f);
  IntegrateRecord(DATA_STRESS, x.data(), y.data(), 11, integrals);
  EXPECT_EQ(out[10], 1.0f);
  EXPECT_EQ(out[5], 0x1.fffffep-2f);  // five float steps of 0.1 fall one ulp short
}

TEST(RecordIntegration, OneGOverOneSecondInFeetAndInches) {
  std::vector<float> v(11), s(11);
  float* integrals[2] = {v.data(), s.data()};
  const float x2[] = {0, 1000}, y2[] = {1, 1};
  EXPECT_EQ(IntegrateRecord(DATA_ACCELERATION, x2, y2, 2, integrals), 2);
  EXPECT_EQ(v[1], 32.174f);
  EXPECT_EQ(s[1], 193.044f);
  // Ten 0.1 s steps carry float rounding: 1 + 2^-23 g-s before the units.
  const std::vector<float> x = Steps(0, 100, 11), y(11, 1.0f);
  IntegrateRecord(DATA_ACCELERATION, x.data(), y.data(), 11, integrals);
  EXPECT_EQ(v[10], 0x1.01645cp+5f);
  EXPECT_EQ(s[10], 0x1.82168cp+7f);
  EXPECT_NEAR(v[10], 32.174, 1e-5);
  EXPECT_NEAR(s[10], 193.044, 1e-4);
}

TEST(RecordIntegration, OnePassMatchesTwoPassesAndCopiesTheTimes) {
  // The displacement integrates the velocity before its conversion.
  std::vector<float> x, y;
  for (int i = 0; i < 300; ++i) {
    x.push_back(static_cast<float>(i * i % 37) * 0.37f + static_cast<float>(i) * 3.1f);
    y.push_back(static_cast<float>((i * 7919) % 201 - 100) * 0.013f);
  }
  std::vector<float> first(300), second(300);
  TrapezoidIntegral(x.data(), y.data(), 300, MSEC_PER_SEC, first.data());
  TrapezoidIntegral(x.data(), first.data(), 300, MSEC_PER_SEC, second.data());
  for (float& v : first) v = v * FEET_PER_G;
  for (float& v : second) v = v * INCHES_PER_G;
  std::vector<float> v(300), s(300), x1(300), x2(301, -1.0f);
  float* integrals[2] = {v.data(), s.data()};
  float* times[2] = {x1.data(), x2.data()};
  EXPECT_EQ(IntegrateRecordCurves(DATA_ACCELERATION, x.data(), y.data(), 300, integrals, times), 2);
  EXPECT_EQ(v, first);
  EXPECT_EQ(s, second);
  EXPECT_EQ(x1, x);
  EXPECT_EQ(std::vector<float>(x2.begin(), x2.end() - 1), x);
  EXPECT_EQ(x2[300], -1.0f);
  // An impulse has one curve: the second X stays untouched.
  std::fill(x2.begin(), x2.end(), -1.0f);
  EXPECT_EQ(IntegrateRecordCurves(DATA_PRESSURE, x.data(), y.data(), 300, integrals, times), 1);
  EXPECT_EQ(x2[0], -1.0f);
}

TEST(RecordIntegration, OtherTypesAndEmptyRecordsWriteNothing) {
  float out[2] = {7, 7};
  float* integrals[2] = {out, out};
  const float x[] = {0, 1}, y[] = {1, 1};
  for (int type : {0, 4, 5, 6, 9}) EXPECT_EQ(IntegrateRecord(type, x, y, 2, integrals), 0);
  EXPECT_EQ(out[0], 7.0f);
  IntegrateRecord(DATA_PRESSURE, x, y, 0, integrals);
  EXPECT_EQ(out[0], 7.0f);
  IntegrateRecord(DATA_PRESSURE, x, y, 1, integrals);
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_EQ(out[1], 7.0f);
}

TEST(RecordIntegration, PlainIntegralKeepsUnitsAndRepeatedTimes) {
  // No msec conversion; a repeated X adds nothing; decreasing X subtracts.
  const float x[] = {0, 2, 2, 1}, y[] = {1, 3, 5, 1};
  float out[4];
  TrapezoidIntegral(x, y, 4, 1.0f, out);
  EXPECT_EQ(out[1], 4.0f);
  EXPECT_EQ(out[2], 4.0f);
  EXPECT_EQ(out[3], 1.0f);
}

TEST(Differentiation, TrapezoidUndoesTheIntegral) {
  const float x[] = {0, 0.5f, 1.25f, 2, 2, 3.5f};
  const float y[] = {1, -2, 4, 0.25f, 0.25f, 3};
  float area[6], slope[6];
  TrapezoidIntegral(x, y, 6, 1.0f, area);
  DifferentiateTrapezoid(x, area, 6, y[0], slope);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(slope[i], y[i], 1e-5f) << i;
  // A repeated X keeps the previous slope.
  EXPECT_EQ(slope[4], slope[3]);
  const float line[] = {0, 1, 3};
  const float lx[] = {0, 1, 2};
  DifferentiateTrapezoid(lx, line, 3, 0.5f, slope);
  EXPECT_EQ(slope[1], 1.5f);
  EXPECT_EQ(slope[2], 2.5f);
}

TEST(Differentiation, QuadraticIsExactOnAParabola) {
  const std::vector<float> x = Steps(-1, 0.5f, 6);
  std::vector<float> y, d(6);
  for (float v : x) y.push_back(v * v);
  ASSERT_TRUE(DifferentiateQuadratic(x.data(), y.data(), 6, d.data()));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(d[i], 2.0f * x[i]) << i;
}

TEST(Differentiation, QuadraticShortAndDegenerateCurves) {
  float d[2] = {9, 9};
  const float x[] = {1, 3}, y[] = {2, 6};
  ASSERT_TRUE(DifferentiateQuadratic(x, y, 2, d));
  EXPECT_EQ(d[0], 2.0f);
  EXPECT_EQ(d[1], 2.0f);
  ASSERT_TRUE(DifferentiateQuadratic(x, y, 1, d));
  EXPECT_EQ(d[0], 0.0f);
  const float same[] = {1, 1, 1}, y3[] = {1, 2, 3};
  float d3[3] = {9, 9, 9};
  EXPECT_FALSE(DifferentiateQuadratic(same, y3, 3, d3));
  EXPECT_EQ(d3[0], 9.0f);
}

}  // namespace
}  // namespace merva
