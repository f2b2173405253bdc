#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/messages.h"
#include "processing/digital_filter.h"
#include "processing/lowpass_cascades.h"
#include "processing/spike_removal.h"
#include "tests/processing/curve_fixture.h"

namespace merva {
namespace {

constexpr double PI = 3.14159265358979323846;  // M_PI is not standard C++

class DigitalFilterTest : public CurveFixture {
 protected:
  DigitalFilterTest() { points_ = 2000; }
  // n points at X = 0, 0.001, ... (1 kHz sampling) with Y from `f`.
  template <typename F>
  int AddSampled(int n, F f) {
    Points p;
    for (int i = 0; i < n; ++i) p.emplace_back(static_cast<float>(i) * 0.001f, f(i));
    return Add(p);
  }
  static FilterSettings Type(int type) {
    FilterSettings s;
    s.type = type;
    return s;
  }
};

TEST_F(DigitalFilterTest, LowPassCascadesHaveUnityGainOnAConstant) {
  for (int option = 1; option <= LOWPASS_OPTION_COUNT; ++option) {
    std::vector<float> y(300, 3.5f);
    ASSERT_TRUE(RunLowPassCascade(y.data(), y.size(), option, false));
    EXPECT_NEAR(y.back(), 3.5f, 1e-5f) << "option " << option;
    EXPECT_LT(y.front(), 3.5f) << "the start-up samples see zeros before the curve";
  }
  std::vector<float> y(10, 1.0f);
  EXPECT_FALSE(RunLowPassCascade(y.data(), y.size(), 5, false));
  EXPECT_EQ(y[0], 1.0f);
  EXPECT_EQ(LowPassGain(1), 12);
  EXPECT_EQ(LowPassGain(4), 96);
}

TEST_F(DigitalFilterTest, ZeroFrequencyRejectionDecaysAConstantTowardZero) {
  const int c = AddSampled(400, [](int) { return 2.0f; });
  int result = 0;
  ASSERT_TRUE(ApplyFilter(Doc(), c, Type(FILTER_TYPE_ZERO_FREQUENCY), true, result).Ok());
  EXPECT_EQ(result, c);
  EXPECT_NEAR(Doc().Y(c, 1), 2.0 / 1.01, 1e-6);
  for (int i = 2; i <= 400; ++i) ASSERT_LT(Doc().Y(c, i), Doc().Y(c, i - 1));
  EXPECT_LT(Doc().Y(c, 400), 0.1f);
}

TEST_F(DigitalFilterTest, TwoPassGivesASymmetricResultForASymmetricPulse) {
  for (int type : {FILTER_TYPE_OPTION1, FILTER_TYPE_OPTION4, FILTER_TYPE_CARLETON}) {
    // Long enough for the notch's slow decay to die out before the ends.
    const int c = AddSampled(1601, [](int i) { return std::abs(i - 800) <= 5 ? 1.0f : 0.0f; });
    FilterSettings s = Type(type);
    s.twoPass = true;
    s.rejectFrequency = 50.0;
    int result = 0;
    ASSERT_TRUE(ApplyFilter(Doc(), c, s, false, result).Ok());
    EXPECT_EQ(result, c + 1);
    for (int k = 1; k <= 100; ++k)
      ASSERT_NEAR(Doc().Y(result, 801 - k), Doc().Y(result, 801 + k), 1e-5) << type << " " << k;
  }
}

TEST_F(DigitalFilterTest, CarletonNotchRemovesItsFrequency) {
  const int c =
      AddSampled(2000, [](int i) { return static_cast<float>(std::sin(0.1 * PI * i)); });
  FilterSettings s = Type(FILTER_TYPE_CARLETON);
  s.rejectFrequency = 50.0;  // 0.05 of the 1 kHz sampling
  int result = 0;
  ASSERT_TRUE(ApplyFilter(Doc(), c, s, true, result).Ok());
  for (int i = 1800; i <= 2000; ++i) ASSERT_LT(std::fabs(Doc().Y(c, i)), 1e-3f);
}

TEST_F(DigitalFilterTest, RejectionFrequencyMustLieBelowNyquist) {
  const int c = AddSampled(50, [](int i) { return static_cast<float>(i % 3); });
  const Points before = Of(c);
  for (int type : {FILTER_TYPE_CARLETON, FILTER_TYPE_PRESS}) {
    for (double f0 : {0.0, -1.0, 500.0, 600.0, std::numeric_limits<double>::quiet_NaN()}) {
      FilterSettings s = Type(type);
      s.rejectFrequency = f0;
      s.bandwidth = 5.0;
      int result = -1;
      const Status st = ApplyFilter(Doc(), c, s, false, result);
      ASSERT_FALSE(st.Ok());
      EXPECT_EQ(st.Text(),
                "The rejection frequency must be greater than zero and less than one-half the "
                "sampling frequency (500 Hertz).");
      EXPECT_EQ(result, 0);
    }
  }
  FilterSettings press = Type(FILTER_TYPE_PRESS);
  press.rejectFrequency = 50.0;
  int refused = 0;
  EXPECT_EQ(ApplyFilter(Doc(), c, press, false, refused).Text(),
            "The bandwidth must be greater than zero.");
  // Milliseconds: X counts milliseconds, so the spacing 0.001 is 1 microsecond.
  FilterSettings s = Type(FILTER_TYPE_CARLETON);
  s.milliseconds = true;
  s.rejectFrequency = 600.0;
  int result = 0;
  EXPECT_TRUE(ApplyFilter(Doc(), c, s, false, result).Ok());
  EXPECT_EQ(Doc().curveCount, 2);
  EXPECT_EQ(Of(c), before);
}

TEST_F(DigitalFilterTest, UnevenSpacingAndTooFewPointsAreRefused) {
  const int uneven = Add({{0, 1}, {1, 2}, {3, 3}, {4, 4}});
  const int single = Add({{0, 1}});
  int result = 0;
  for (int c : {uneven, single}) {
    const Status st = ApplyFilter(Doc(), c, Type(FILTER_TYPE_OPTION2), false, result);
    ASSERT_EQ(st.messages.size(), 1u);
    EXPECT_EQ(st.messages[0].number, MSG_CONSTANT_SPACING);
  }
  EXPECT_FALSE(ApplyFilter(Doc(), uneven, Type(9), false, result).Ok());
  EXPECT_FALSE(ApplyFilter(Doc(), 7, Type(0), false, result).Ok());
  EXPECT_EQ(Doc().curveCount, 2);
}

TEST_F(DigitalFilterTest, ShortAndNonFiniteCurvesDoNotBreakTheFilters) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const int two = Add({{0, 1}, {1, 2}});
  const int three = Add({{0, 1}, {1, nan}, {2, inf}});
  for (int type = 0; type < FILTER_TYPE_SPIKES; ++type) {
    FilterSettings s = Type(type);
    s.rejectFrequency = 0.2;
    s.bandwidth = 0.1;
    s.twoPass = true;
    int result = 0;
    EXPECT_TRUE(ApplyFilter(Doc(), two, s, true, result).Ok()) << type;
    EXPECT_TRUE(ApplyFilter(Doc(), three, s, true, result).Ok()) << type;
  }
  int result = 0;
  EXPECT_FALSE(ApplyFilter(Doc(), two, Type(FILTER_TYPE_SPIKES), false, result).Ok());
  EXPECT_FALSE(ApplyFilter(Doc(), three, Type(FILTER_TYPE_SPIKES), false, result).Ok());
}

TEST_F(DigitalFilterTest, AnIsolatedSpikeGoesAndAStepStays) {
  const int spike = AddSampled(20, [](int i) { return i == 10 ? 5.0f : 0.0f; });
  const int step = AddSampled(20, [](int i) { return i >= 10 ? 5.0f : 0.0f; });
  int result = 0;
  ASSERT_TRUE(ApplyFilter(Doc(), spike, Type(FILTER_TYPE_SPIKES), false, result).Ok());
  EXPECT_EQ(result, 3);
  EXPECT_EQ(Doc().Y(result, 11), 0.0f);
  EXPECT_EQ(Doc().Y(spike, 11), 5.0f);

  const Points before = Of(step);
  const Status st = ApplyFilter(Doc(), step, Type(FILTER_TYPE_SPIKES), false, result);
  EXPECT_EQ(st.Text(), "No random spikes were found.");
  EXPECT_EQ(Doc().curveCount, 3) << "the new curve is not kept";
  EXPECT_EQ(Doc().pointCount[4], 0);
  EXPECT_EQ(Of(step), before);
}

TEST_F(DigitalFilterTest, SpikeTestsUseTheValueAlreadyReplaced) {
  // Two equal neighbouring spikes: neither is a spike on its own (d1/d2 far
  // from 1), and a small ripple below a tenth of the range stays.
  std::vector<float> y = {0, 0, 5, 5, 0, 0, 0.4f, 0, 0};
  EXPECT_EQ(RemoveRandomSpikes(y.data(), y.size()), 0u);
  std::vector<float> z = {0, 4, 0, 4, 0};
  // 4 is replaced by 0, then 0 between 0 and 4 has d1 = 0: kept; the last 4 goes.
  EXPECT_EQ(RemoveRandomSpikes(z.data(), z.size()), 2u);
  EXPECT_EQ(z, (std::vector<float>{0, 0, 0, 0, 0}));
}

TEST_F(DigitalFilterTest, DataProcessingModeReplacesCurveOne) {
  const int first = AddSampled(30, [](int i) { return static_cast<float>(i); });
  AddSampled(30, [](int) { return 1.0f; });
  Doc().processMode = 1;
  int result = 0;
  ASSERT_TRUE(ApplyFilter(Doc(), 2, Type(FILTER_TYPE_OPTION1), false, result).Ok());
  EXPECT_EQ(result, first);
  EXPECT_EQ(Doc().curveCount, 2);
  EXPECT_EQ(Doc().Y(2, 30), 1.0f);
}

TEST_F(DigitalFilterTest, DesignedCoefficients) {
  const RecursiveCoefficients c = CarletonCoefficients(250.0, 0.001);  // w = pi/2
  EXPECT_DOUBLE_EQ(c.c0, 1.0 / 1.0201);
  EXPECT_NEAR(c.c1, 0.0, 1e-15);
  EXPECT_DOUBLE_EQ(c.d2, -1.0 / 1.0201);
  const RecursiveCoefficients p = PressCoefficients(250.0, 250.0, 0.001);  // a = 1, b = 1
  EXPECT_DOUBLE_EQ(p.c0, 2.0 / 5.0);
  EXPECT_NEAR(p.c1, 0.0, 1e-15);
  EXPECT_NEAR(p.d1, -2.0 / 5.0, 1e-15);
  EXPECT_NEAR(p.d2, -1.0 / 5.0, 1e-15);
}

}  // namespace
}  // namespace merva
