// The least-squares curve fit of merva95: [CurveFit( over DDE and the
// menu command with its order dialog, report and generated-points dialog.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "harness/merva_dde_fixture.h"

namespace merva::test {
namespace {

constexpr int IDM_CURVE_FIT = 4207;
constexpr int IDC_READONLY_TEXT = 128;
constexpr int IDC_FIT_ORDER = 7101;
constexpr int IDC_FIT_POINTS = 7102;
constexpr int IDC_FIT_LOWER = 7103;
constexpr int IDC_FIT_UPPER = 7104;

class CurveFitting : public MervaDdeTest {
 protected:
  void SetUp() override {
    StartMerva();
    if (!Started()) return;
    // Curve 1: Y = 1 + 2X at X = 0..10; curve 2: two points.
    ASSERT_EQ(client_.Execute("[Caption(\"Fit1\")]"), ACK);
    AddPoints(11, [](int x) { return 1 + 2 * x; });
    ASSERT_EQ(client_.Execute("[SelectCurve(2)][XY(1,5)][XY(1,7)][SelectCurve(1)]"), ACK);
  }
};

TEST_F(CurveFitting, CommandFitsOverThePointCapacity) {
  ASSERT_EQ(client_.Execute("[CurveFit(1)]"), ACK);
  EXPECT_EQ(Item("fit1", "NumberOfCurves"), "3");
  const std::vector<double> fitted = Numbers("fit1", "Curve3");
  ASSERT_GE(fitted.size(), 4u);
  EXPECT_NEAR(fitted[0], 0.0, 1e-6);
  EXPECT_NEAR(fitted[1], 1.0, 1e-5);
  EXPECT_NEAR(fitted[fitted.size() - 2], 10.0, 1e-5);
  EXPECT_NEAR(fitted.back(), 21.0, 1e-5);
  // Orders above the point count, and a singular fit, change nothing.
  EXPECT_NE(client_.Execute("[CurveFit(12)]"), ACK);
  EXPECT_NE(client_.Execute("[CurveFit(-1)]"), ACK);
  EXPECT_NE(client_.Execute("[SelectCurve(2)][CurveFit(1)]"), ACK);  // both X are 1
  EXPECT_EQ(Item("fit1", "NumberOfCurves"), "3");
}

TEST_F(CurveFitting, MenuShowsTheReportAndGeneratesTheChosenPoints) {
  Command(IDM_CURVE_FIT);
  ASSERT_TRUE(ChooseCurveInPicker(Pid(), 1));
  HWND order = WaitForDialogTitled(Pid(), "Least Squares Curve Fit");
  ASSERT_NE(order, nullptr);
  EXPECT_EQ(FieldText(order, IDC_FIT_ORDER), "1");
  SetField(order, IDC_FIT_ORDER, "11");  // 11 points: at most 10
  Press(order, IDOK);
  HWND range = WaitForDialogTitled(Pid(), "Out of range");
  ASSERT_NE(range, nullptr);
  EXPECT_NE(BoxText(range).find("Value must be in the range"), std::string::npos);
  ASSERT_TRUE(Answer(range, IDOK));
  SetField(order, IDC_FIT_ORDER, "1");
  ASSERT_TRUE(Answer(order, IDOK));
  HWND report = WaitForDialogTitled(Pid(), "Curve Fit Coefficients");
  ASSERT_NE(report, nullptr);
  const std::string text = FieldText(report, IDC_READONLY_TEXT);
  EXPECT_EQ(text.rfind("y = C(0) + C(1)*x + C(2)*x**2 + ...\r\nC(0) = ", 0), 0u) << text;
  EXPECT_NE(text.find("\r\nC(1) = 2\r\nCorrelation coefficient is 1"), std::string::npos) << text;
  ASSERT_TRUE(Answer(report, IDOK));
  HWND generate = WaitForDialogTitled(Pid(), "Curve Fit");
  ASSERT_NE(generate, nullptr);
  EXPECT_EQ(FieldText(generate, IDC_FIT_POINTS) + " " + FieldText(generate, IDC_FIT_LOWER) + " " +
                FieldText(generate, IDC_FIT_UPPER),
            "11 0 10");
  SetField(generate, IDC_FIT_POINTS, "1");
  Press(generate, IDOK);
  HWND refusal = WaitForDialog(Pid(), generate);
  ASSERT_NE(refusal, nullptr);
  EXPECT_EQ(BoxText(refusal), "The number of points must be > 1.");
  ASSERT_TRUE(Answer(refusal, IDOK));
  SetField(generate, IDC_FIT_POINTS, "3");
  SetField(generate, IDC_FIT_UPPER, "20");
  ASSERT_TRUE(Answer(generate, IDOK));
  const std::vector<double> fitted = Numbers("fit1", "Curve3");
  ASSERT_EQ(fitted.size(), 6u);
  EXPECT_NEAR(fitted[2], 10.0, 1e-5);
  EXPECT_NEAR(fitted[5], 41.0, 1e-4);
}

}  // namespace
}  // namespace merva::test
