// [EditFilter( on the real program over DDE: each argument form, the
// designed coefficients, and the refusals that leave every curve as it was.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/merva_dde_fixture.h"

namespace merva::test {
namespace {

class FilterDde : public MervaDdeTest {
 protected:
  void SetUp() override {
    StartMerva();
    if (!Started()) return;
    ASSERT_EQ(client_.Execute("[Caption(\"Fi\")]"), ACK);
  }
  std::string Item(const std::string& item) { return MervaDdeTest::Item("Fi", item); }
  // The Y values of a curve, from its CurveN item.
  std::vector<double> Y(int curve) {
    const std::vector<double> xy = Numbers("Fi", "Curve" + std::to_string(curve));
    std::vector<double> y;
    for (std::size_t i = 1; i < xy.size(); i += 2) y.push_back(xy[i]);
    return y;
  }
  // Curve `curve` with X = 0, 0.001, ... and the given Y.
  void Points(int curve, const std::vector<double>& y) {
    ASSERT_EQ(client_.Execute("[SelectCurve(" + std::to_string(curve) + ")]"), ACK);
    AddPoints(
        static_cast<int>(y.size()), [&](int i) { return y[i]; }, 0.001);
  }
};

TEST_F(FilterDde, UserCoefficientsAndLowPassOptions) {
  Points(1, {0, 0, 0, 8, 0, 0, 0, 0});
  // A two-point moving average as a new curve.
  ASSERT_EQ(client_.Execute("[SelectCurve(1)][EditFilter(\"user\",0,0,0.5,0.5,0,0,0)]"), ACK);
  EXPECT_EQ(Item("NumberOfCurves"), "2");
  EXPECT_EQ(Y(2), (std::vector<double>{0, 0, 0, 4, 4, 0, 0, 0}));
  // Forward then backward: 2, 4, 2 around the pulse.
  ASSERT_EQ(client_.Execute("[SelectCurve(1)][EditFilter(\"USER\",1,1,0.5,0.5,0,0,0)]"), ACK);
  EXPECT_EQ(Item("NumberOfCurves"), "2");
  EXPECT_EQ(Y(1), (std::vector<double>{0, 0, 2, 4, 2, 0, 0, 0}));
  // Option 1 of a constant reaches the constant after its start-up.
  std::vector<double> flat(60, 3.0);
  Points(3, flat);
  ASSERT_EQ(client_.Execute("[SelectCurve(3)][EditFilter(\"option1\",0,1)]"), ACK);
  const std::vector<double> y = Y(3);
  ASSERT_EQ(y.size(), 60u);
  EXPECT_NEAR(y[0], 3.0 / 12.0 * 1.43, 1e-5);
  EXPECT_NEAR(y[59], 3.0, 1e-4);
  for (const char* option : {"option2", "option3", "option4"})
    EXPECT_EQ(client_.Execute(std::string("[EditFilter(\"") + option + "\",1,0)]"), ACK) << option;
  EXPECT_EQ(Item("NumberOfCurves"), "6");
}

TEST_F(FilterDde, BandpassFormsDesignTheirCoefficients) {
  Points(1, std::vector<double>(20, 1.0));
  // No cut-offs: zero-frequency rejection, y(1) = 1/1.01, decaying.
  ASSERT_EQ(client_.Execute("[SelectCurve(1)][EditFilter(\"bandpass\")]"), ACK);
  std::vector<double> y = Y(2);
  ASSERT_EQ(y.size(), 20u);
  EXPECT_NEAR(y[0], 1 / 1.01, 1e-6);
  EXPECT_LT(y[19], y[1]);
  // One cut-off: the Carleton notch at f0 = 250 Hz of the 1 kHz sampling.
  Points(3, {1, 0, -1, 0, 1, 0, -1, 0, 1, 0});
  ASSERT_EQ(client_.Execute("[SelectCurve(3)][EditFilter(\"bandpass\",0,1,250)]"), ACK);
  y = Y(3);
  ASSERT_EQ(y.size(), 10u);
  EXPECT_NEAR(y[0], 1 / 1.0201, 1e-6);
  // X in milliseconds: 600 kHz lies beyond the Nyquist frequency (500 kHz); 0.2 Hz fits.
  EXPECT_EQ(client_.Execute("[EditFilter(\"bandpass\",0,1,600000,0,1)]"), 0);
  EXPECT_EQ(client_.Execute("[EditFilter(\"bandpass\",0,0,0.2,0,1)]"), ACK);
  EXPECT_EQ(Item("NumberOfCurves"), "4");
}

TEST_F(FilterDde, RefusalsLeaveTheCurvesAlone) {
  ASSERT_EQ(client_.Execute("[XY(0,1)][XY(1,5)][XY(3,1)][XY(4,2)]"), ACK);
  const std::string before = Item("Curve1");
  EXPECT_EQ(client_.Execute("[EditFilter(\"option1\",0,1)]"), 0);  // uneven spacing
  EXPECT_EQ(client_.Execute("[EditFilter(\"highpass\",0,1)]"), 0);
  EXPECT_EQ(client_.Execute("[EditFilter(\"bandpass\",0,1,1,1,2)]"), 0);  // time scale
  EXPECT_EQ(client_.Execute("[EditFilter(\"user\",0,1,1)]"), 0);          // too few values
  EXPECT_EQ(Item("Curve1"), before);
  Points(2, {0, 0, 0, 0});
  EXPECT_EQ(client_.Execute("[SelectCurve(2)][EditFilter(\"bandpass\",0,0,600)]"), 0);
  EXPECT_EQ(Item("NumberOfCurves"), "2");
}

}  // namespace
}  // namespace merva::test
