#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/messages.h"
#include "processing/fft_spectrum.h"
#include "processing/mixed_radix_fft.h"
#include "processing/prime_factors.h"
#include "processing/real_fft.h"
#include "processing/smoothing.h"
#include "tests/processing/curve_fixture.h"

namespace merva {
namespace {

constexpr double kTwoPi = 6.283185307179586;

Points Even(int n, float dt, double (*f)(int)) {
  Points p;
  for (int i = 0; i < n; ++i) p.emplace_back(static_cast<float>(i * dt), static_cast<float>(f(i)));
  return p;
}
double Wave(int i) {
  return 1.5 + std::cos(kTwoPi * 3 * i / 16.0) + 0.5 * std::sin(kTwoPi * 5 * i / 16.0);
}
double Constant(int) { return 2.5; }

TEST(RealFft, PackedLayoutMatchesDirectSums) {
  for (std::size_t n : {2u, 4u, 16u, 64u}) {
    std::vector<float> data(n);
    for (std::size_t j = 0; j < n; ++j) data[j] = static_cast<float>(std::sin(0.7 * j) + 0.1 * j);
    const std::vector<float> y = data;
    PackedRealFft(data.data(), n, 1);
    for (std::size_t k = 0; k <= n / 2; ++k) {
      double c = 0, s = 0;
      for (std::size_t j = 0; j < n; ++j) {
        c += y[j] * std::cos(kTwoPi * k * j / n);
        s += y[j] * std::sin(kTwoPi * k * j / n);
      }
      const float gotC = k == 0 ? data[0] : k == n / 2 ? data[1] : data[2 * k];
      EXPECT_NEAR(gotC, c, 1e-4) << "n=" << n << " k=" << k;
      if (k != 0 && k != n / 2) {
        EXPECT_NEAR(data[2 * k + 1], s, 1e-4) << "n=" << n << " k=" << k;
      }
    }
    PackedRealFft(data.data(), n, -1);
    for (std::size_t j = 0; j < n; ++j) EXPECT_NEAR(data[j] / (n / 2.0), y[j], 1e-5);
  }
}

TEST(MixedRadix, CoefficientsAndFactors) {
  for (std::size_t n : {1u, 2u, 3u, 7u, 12u, 15u, 74u, 97u, 2u * 3 * 5 * 7 * 31}) {
    std::vector<float> y(n);
    for (std::size_t j = 0; j < n; ++j) y[j] = static_cast<float>(1.0 + std::cos(1.3 * j));
    std::vector<double> a, b;
    ASSERT_TRUE(EzfftfCoefficients(y.data(), n, a, b));
    ASSERT_EQ(a.size(), n / 2 + 1);
    for (std::size_t k = 0; k <= n / 2; ++k) {
      double c = 0, s = 0;
      for (std::size_t j = 0; j < n; ++j) {
        c += y[j] * std::cos(kTwoPi * k * j / n);
        s += y[j] * std::sin(kTwoPi * k * j / n);
      }
      const double weight = (k == 0 || 2 * k == n) ? 1.0 / n : 2.0 / n;
      EXPECT_NEAR(a[k], weight * c, 1e-9) << n << " " << k;
      EXPECT_NEAR(b[k], (k == 0 || 2 * k == n) ? 0.0 : weight * s, 1e-9) << n << " " << k;
    }
  }
  EXPECT_EQ(TransformFactors(1000), (std::vector<long long>{2, 4, 5, 5, 5}));
  EXPECT_EQ(TransformFactors(10), (std::vector<long long>{2, 5}));
  EXPECT_EQ(TransformFactors(997), (std::vector<long long>{997}));
  EXPECT_EQ(MixedRadixWorkSize(1000), 3015u);
}

TEST(PrimeFactors, DialogText) {
  std::string text;
  EXPECT_EQ(PrimeFactorText(1000, text), FactorResult::OK);
  EXPECT_EQ(text, "2^3 * 5^3");
  PrimeFactorText(1000003, text);
  EXPECT_EQ(text, "1000003");
  PrimeFactorText(2147483647LL, text);
  EXPECT_EQ(text, "2147483647");
  PrimeFactorText(2 * 3 * 3 * 65521LL, text);
  EXPECT_EQ(text, "2 * 3^2 * 65521");
  EXPECT_EQ(PrimeFactorText(4294967311LL, text), FactorResult::TABLE_EXHAUSTED);
}

TEST(FftPlanning, PathsLengthsAndFrequencies) {
  EXPECT_EQ(PlanFft(1000, 0).outputPoints, 513);
  EXPECT_EQ(PlanFft(1000, FFT_OPTION_UNPADDED).outputPoints, 501);
  EXPECT_TRUE(PlanFft(1000, FFT_OPTION_UNPADDED).mixedRadix);
  EXPECT_FALSE(PlanFft(1024, FFT_OPTION_UNPADDED).mixedRadix);
  EXPECT_EQ(PlanFft(1024, FFT_OPTION_UNPADDED).length, 1024);
  EXPECT_EQ(PlanFft(3, 0).length, 4);
  EXPECT_DOUBLE_EQ(FrequencyStep(0.5f, 5, false), 0.5);
  EXPECT_NEAR(FrequencyStep(0.5f, 5, true), 500.0, 1e-4);
}

class FftCurveTest : public CurveFixture {
 protected:
  void SetUp() override {
    CurveFixture::SetUp();
    Status status;
    target_ = table_.Open(5, 10, status);
    ASSERT_TRUE(status.Ok());
  }
  PlotDocument& Target() { return table_.Document(target_); }
  int target_ = 0;
};

TEST_F(FftCurveTest, ConstantCurveOnBothPaths) {
  const int c = Add(Even(12, 0.25f, Constant));
  int options = FFT_OPTION_UNPADDED;
  ASSERT_TRUE(FftCurve(Doc(), c, options, Target()).Ok());
  EXPECT_EQ(Target().pointCount[1], 7);
  EXPECT_NEAR(Target().Y(1, 1), 5.0f, 1e-5);
  for (int i = 2; i <= 7; ++i) EXPECT_NEAR(Target().Y(1, i), 0.0f, 1e-5);
  EXPECT_EQ(Target().curveCount, 1);

  options = FFT_OPTION_PHASE;
  ASSERT_TRUE(FftCurve(Doc(), c, options, Target()).Ok());
  EXPECT_EQ(Target().pointCount[1], 9);  // P = 16
  EXPECT_NEAR(Target().Y(1, 1), 2.5f * 12 / 9, 1e-5);
  EXPECT_EQ(Target().curveCount, 2);
  EXPECT_EQ(Target().curveAxis[2], 2);
  EXPECT_EQ(Target().yAxisMode, 2);
  EXPECT_EQ(Target().xAxisLabel.Str(), "Frequency, Hertz");
  EXPECT_EQ(Target().y2AxisLabel.Str(), "Phase Angle, radians");
  EXPECT_EQ(Target().spacingState[2], STATE_YES);
  EXPECT_FLOAT_EQ(Target().X(1, 2), static_cast<float>(1.0 / (15 * 0.25)));
}

TEST_F(FftCurveTest, WaveAmplitudesPhasesAndMilliseconds) {
  const int c = Add(Even(16, 0.001f, Wave));
  int options = FFT_OPTION_PHASE;
  ASSERT_TRUE(FftCurve(Doc(), c, options, Target()).Ok());
  EXPECT_NEAR(Target().Y(1, 4), 8.0 / 9, 1e-5);     // cos of amplitude 1: C = 8
  EXPECT_NEAR(Target().Y(1, 6), 4.0 / 9, 1e-5);     // sine of 0.5: S = 4
  EXPECT_NEAR(Target().Y(2, 6), kTwoPi / 4, 1e-5);  // atan2(4, 0)
  const float plain = Target().X(1, 2);
  Doc().xAxisLabel.Set("TIME, MSEC");
  ASSERT_TRUE(FftCurve(Doc(), c, options, Target()).Ok());
  EXPECT_NEAR(Target().X(1, 2), plain * 1000, plain * 1e-2);
}

TEST_F(FftCurveTest, RefusalsLeaveTheTargetAlone) {
  const int uneven = Add({{0, 1}, {1, 2}, {3, 3}, {4, 4}});
  const int single = Add({{0, 1}});
  int options = 0;
  EXPECT_EQ(FftCurve(Doc(), uneven, options, Target()).messages.at(0).number, MSG_CONSTANT_SPACING);
  EXPECT_EQ(FftCurve(Doc(), single, options, Target()).messages.at(0).number, MSG_CONSTANT_SPACING);
  EXPECT_EQ(Target().curveCount, 0);
  const int two = Add({{0, 1}, {1, 3}});
  options = FFT_OPTION_UNPADDED;
  ASSERT_TRUE(FftCurve(Doc(), two, options, Target()).Ok());
  EXPECT_NEAR(Target().Y(1, 1), 2.0f, 1e-6);
  EXPECT_NEAR(Target().Y(1, 2), -1.0f, 1e-6);  // C_1 / M keeps its sign
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const int bad = Add({{0, nan}, {1, 1}, {2, std::numeric_limits<float>::infinity()}});
  options = FFT_OPTION_UNPADDED;
  EXPECT_TRUE(FftCurve(Doc(), bad, options, Target()).Ok());  // no crash; NaN out
}

TEST_F(FftCurveTest, InterruptedTransformIsNoFailureMessage) {
  const int c = Add(Even(37, 0.25f, Constant));  // a prime beyond the direct radices
  int options = FFT_OPTION_UNPADDED;
  const Status s = FftCurve(Doc(), c, options, Target(), [] { return true; });
  EXPECT_FALSE(s.Ok());
  EXPECT_TRUE(s.messages.empty());
  EXPECT_EQ(options, FFT_OPTION_UNPADDED);  // the box stays off
  EXPECT_EQ(Target().curveCount, 0);
}

TEST(Smoothing, WindowDefaultsAndLengths) {
  EXPECT_EQ(DefaultSmoothingWindow(3), 2.0);
  EXPECT_EQ(DefaultSmoothingWindow(11), 5.5);
  EXPECT_EQ(DefaultSmoothingWindow(1000), 20.0);
  EXPECT_EQ(SmoothingLength(10, 3.0), 16);
  EXPECT_EQ(SmoothingLength(10, 3.4), 16);  // AINT(16.8)
  EXPECT_EQ(SmoothingLength(10, 3.5), 32);
  EXPECT_EQ(SmoothingLength(10, -100.0), 16);  // never shorter than the record
  EXPECT_EQ(SmoothingLength(10, 1e12), 0);
  EXPECT_EQ(SmoothingLength(10, std::nan("")), 0);
}

using SmoothingTest = CurveFixture;

double Noisy(int i) { return 0.2 * i + std::sin(0.3 * i) + ((i * 7919) % 13) * 0.05; }

TEST_F(SmoothingTest, NewCurveReplaceAndLimits) {
  const int c = Add(Even(40, 0.5f, Noisy));
  int result = 0;
  ASSERT_TRUE(SmoothCurve(Doc(), c, 0.0, false, result).Ok());
  EXPECT_EQ(result, 2);
  EXPECT_EQ(Doc().legendText[2].Str(), "Smoothing window=0");
  for (int i = 1; i <= 40; ++i) {
    EXPECT_NEAR(Doc().Y(2, i), Doc().Y(1, i), 1e-5);
    EXPECT_EQ(Doc().X(2, i), Doc().X(1, i));
  }
  ASSERT_TRUE(SmoothCurve(Doc(), c, 5000.0, false, result).Ok());  // grows to 16384 points
  EXPECT_EQ(result, 3);
  EXPECT_EQ(Doc().pointCount[3], 40);
  for (int i = 2; i < 40; ++i)
    EXPECT_NEAR(Doc().Y(3, i + 1) - 2 * Doc().Y(3, i) + Doc().Y(3, i - 1), 0.0, 1e-3);
  EXPECT_NEAR(Doc().Y(3, 1) - Doc().Y(1, 1), Doc().Y(3, 40) - Doc().Y(1, 40), 1e-6);

  const Points before = Of(c);
  ASSERT_TRUE(SmoothCurve(Doc(), c, 4.0, true, result).Ok());
  EXPECT_EQ(result, c);
  EXPECT_EQ(Doc().curveCount, 3);
  EXPECT_NE(Of(c), before);
  EXPECT_EQ(Doc().X(c, 40), before[39].first);
}

TEST_F(SmoothingTest, RefusalsAndShortRecords) {
  const int uneven = Add({{0, 1}, {1, 2}, {3, 3}, {4, 4}});
  const int single = Add({{0, 1}});
  const int two = Add({{0, 1}, {1, 3}});
  int result = 0;
  EXPECT_EQ(SmoothCurve(Doc(), uneven, 2, false, result).messages.at(0).number,
            MSG_CONSTANT_SPACING);
  EXPECT_EQ(SmoothCurve(Doc(), single, 2, false, result).messages.at(0).number,
            MSG_CONSTANT_SPACING);
  EXPECT_FALSE(SmoothCurve(Doc(), two, std::nan(""), false, result).Ok());
  EXPECT_EQ(Doc().curveCount, 3);
  ASSERT_TRUE(SmoothCurve(Doc(), two, 2, true, result).Ok());
  EXPECT_EQ(Of(two), (Points{{0, 1}, {1, 3}}));
  Doc().processMode = 1;  // always curve 1 (here the uneven one)
  EXPECT_EQ(SmoothCurve(Doc(), two, 2, false, result).messages.at(0).number, MSG_CONSTANT_SPACING);
}

}  // namespace
}  // namespace merva
