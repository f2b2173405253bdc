// FFT and smoothing of merva95 over DDE: the spectrum window with its
// amplitude and phase curves, the option commands, smoothing into a new
// curve or in place, and the refusals.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness/merva_dde_fixture.h"

namespace merva::test {
namespace {

void ExpectNear(const std::vector<double>& got, const std::vector<double>& wanted) {
  ASSERT_EQ(got.size(), wanted.size());
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], wanted[i], 1e-5) << i;
}

class FftDde : public MervaDdeTest {
 protected:
  void SetUp() override {
    StartMerva();
    if (!Started()) return;
    // Curve 1: one period of a sine in 4 points; curve 2: 3 points of 2.
    ASSERT_EQ(client_.Execute("[Caption(\"Src\")][XY(0,0)][XY(1,1)][XY(2,0)][XY(3,-1)]"
                              "[SelectCurve(2)][XY(0,2)][XY(0.5,2)][XY(1,2)][SelectCurve(1)]"),
              ACK);
  }
};

TEST_F(FftDde, SpectrumWindowWithPhase) {
  ASSERT_EQ(client_.Execute("[FFTMethod(0)][FFTPhase(1)][FFT()]"), ACK);
  EXPECT_EQ(Item("fft", "NumberOfCurves"), "2");
  // P = 4, M = 3, df = 1/3: C1 = 0, S1 = 2.
  ExpectNear(Numbers("fft", "Curve1"), {0, 0, 1.0 / 3, 2.0 / 3, 2.0 / 3, 0});
  ExpectNear(Numbers("fft", "Curve2"), {0, 0, 1.0 / 3, std::acos(0.0), 2.0 / 3, 0});
  EXPECT_EQ(DocumentCount(frame_), 2);
}

TEST_F(FftDde, UnpaddedConstantAndRefusal) {
  ASSERT_EQ(client_.Execute("[SelectCurve(2)][FFTMethod(1)][FFTPhase(0)][FFT()]"), ACK);
  EXPECT_EQ(Item("fft", "NumberOfCurves"), "1");
  ExpectNear(Numbers("fft", "Curve1"), {0, 4, 1, 0});  // 2c, then 0; df = 1/(2*0.5)
  ASSERT_EQ(client_.Execute("[SelectCurve(3)][XY(0,1)][XY(1,1)][XY(5,1)]"), ACK);
  EXPECT_NE(client_.Execute("[FFT()]"), ACK);  // uneven X: no window
  EXPECT_EQ(DocumentCount(frame_), 2);
}

TEST_F(FftDde, SmoothingAddsOrReplaces) {
  ASSERT_EQ(client_.Execute("[EditSmooth(0,0)]"), ACK);
  EXPECT_EQ(Item("src", "NumberOfCurves"), "3");
  ExpectNear(Numbers("src", "Curve3"), Numbers("src", "Curve1"));
  ASSERT_EQ(client_.Execute("[SelectCurve(2)][EditSmooth(1,50)]"), ACK);
  EXPECT_EQ(Item("src", "NumberOfCurves"), "3");
  ExpectNear(Numbers("src", "Curve2"), {0, 2, 0.5, 2, 1, 2});  // a line stays a line
  ASSERT_EQ(client_.Execute("[SelectCurve(4)][XY(0,1)][XY(1,1)][XY(5,1)]"), ACK);
  EXPECT_NE(client_.Execute("[EditSmooth(0,2)]"), ACK);
  EXPECT_EQ(Item("src", "NumberOfCurves"), "4");
}

TEST_F(FftDde, OptionsAndSmoothBoxes) {
  constexpr int IDM_SMOOTH = 4133, IDM_FFT = 4212;
  ASSERT_EQ(client_.Execute("[SelectCurve(1)][EditErase()][SelectCurve(1)][EditErase()]"
                            "[SelectCurve(1)]"),
            ACK);
  AddPoints(12, [](int i) { return i % 3; });
  ASSERT_EQ(Item("src", "NumberOfPoints"), "12");
  const DWORD pid = Pid();

  Command(IDM_SMOOTH);
  HWND smooth = WaitForDialogTitled(pid, "Smooth");
  ASSERT_NE(smooth, nullptr);
  EXPECT_EQ(FieldText(smooth, 128), "6");  // N/2 within 2..20
  const std::string before = Item("src", "Curve1");
  CheckButton(smooth, 32, true);  // replaced: still one curve, so no picker follows
  Press(smooth, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return Item("src", "Curve1") != before; }, 5000));
  EXPECT_EQ(Item("src", "NumberOfCurves"), "1");

  Command(IDM_FFT);
  HWND options = WaitForDialogTitled(pid, "FFT Options");
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(
      FieldText(options, 80),
      "The number of data points (N) in the input record is 12. The prime factor(s) of N are:");
  EXPECT_EQ(FieldText(options, 81), "2^2 * 3");
  EXPECT_EQ(FieldText(options, 83),
            "Pad input record with zero values out to the next highest power of 2 (16) prior to "
            "running the FFT.");
  CheckButton(options, 86, false);
  CheckButton(options, 87, true);
  CheckButton(options, 32, false);  // one curve, so the next FFT asks for no curve
  Press(options, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return DocumentCount(frame_) == 2; }, 5000));
  EXPECT_EQ(Item("fft", "NumberOfPoints"), "7");  // unpadded

  Command(IDM_FFT);  // of the spectrum: the box comes back; Cancel opens nothing
  options = WaitForDialogTitled(pid, "FFT Options");
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(SendDlgItemMessageA(options, 87, BM_GETCHECK, 0, 0), BST_CHECKED);
  Press(options, IDCANCEL);
  Sleep(300);
  EXPECT_EQ(DocumentCount(frame_), 2);
}

}  // namespace
}  // namespace merva::test
