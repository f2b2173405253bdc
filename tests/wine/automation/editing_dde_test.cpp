// The curve-editing commands of the real program, driven over DDE and read
// back through the document's CurveN and NumberOfCurves items.

#include <gtest/gtest.h>

#include <string>

#include "harness/merva_dde_fixture.h"

namespace merva::test {
namespace {

class EditingDde : public MervaDdeTest {
 protected:
  void SetUp() override {
    StartMerva();
    if (!Started()) return;
    ASSERT_EQ(client_.Execute("[Caption(\"Ed\")]"), ACK);
  }
  std::string Item(const char* item) { return MervaDdeTest::Item("Ed", item); }
  // A point as the CurveN item writes it: two 14-column fields.
  static std::string Row(const char* x, const char* y) {
    return std::string(x) + "\t" + y + "\r\n";
  }
};

TEST_F(EditingDde, ArithmeticSortAndSwap) {
  ASSERT_EQ(client_.Execute("[XY(3,1)][XY(1,2)][XY(2,3)][EditSort()]"), ACK);
  EXPECT_EQ(Item("Curve1"), Row("  1.000000    ", "  2.000000    ") +
                                Row("  2.000000    ", "  3.000000    ") +
                                Row("  3.000000    ", "  1.000000    "));
  ASSERT_EQ(client_.Execute("[EditAddToX(10)][EditMultiplyY(-2)]"), ACK);
  EXPECT_EQ(Item("Curve1"), Row("  11.00000    ", " -4.000000    ") +
                                Row("  12.00000    ", " -6.000000    ") +
                                Row("  13.00000    ", " -2.000000    "));
  ASSERT_EQ(client_.Execute("[EditMultiplyX(0.5)][EditAddToY(6)][EditSwapXY()]"), ACK);
  EXPECT_EQ(Item("Curve1"), Row("  2.000000    ", "  5.500000    ") +
                                Row(" 0.0000000E+00", "  6.000000    ") +
                                Row("  4.000000    ", "  6.500000    "));
}

TEST_F(EditingDde, TruncateDeletesShortCurvesAndEraseRenumbers) {
  ASSERT_EQ(client_.Execute("[XY(1,1)][XY(2,2)][XY(3,3)][SelectCurve(2)][XY(5,0)][XY(6,0)]"
                            "[SelectCurve(3)][XY(2,7)][XY(3,8)]"),
            ACK);
  ASSERT_EQ(client_.Execute("[SelectCurve(-1)][EditTruncate(3,1)]"), ACK);
  EXPECT_EQ(Item("NumberOfCurves"), "2");
  EXPECT_EQ(Item("Curve2"),
            Row("  2.000000    ", "  7.000000    ") + Row("  3.000000    ", "  8.000000    "));
  // Once for each curve: the trend of both goes.
  ASSERT_EQ(client_.Execute("[EditRemoveTrend()]"), ACK);
  const char* zero = " 0.0000000E+00";
  EXPECT_EQ(Item("Curve1"), Row("  1.000000    ", zero) + Row("  2.000000    ", zero) +
                                Row("  3.000000    ", zero));
  EXPECT_EQ(Item("Curve2"), Row("  2.000000    ", zero) + Row("  3.000000    ", zero));
  ASSERT_EQ(client_.Execute("[SelectCurve(1)][EditErase()]"), ACK);
  EXPECT_EQ(Item("NumberOfCurves"), "1");
  EXPECT_EQ(Item("Curve1"), Row("  2.000000    ", zero) + Row("  3.000000    ", zero));
}

TEST_F(EditingDde, ResamplingDecimationAndRefusals) {
  AddPoints(9, [](int i) { return i * i; });
  // A new curve at spacing 2 by the natural spline, then by skipping.
  ASSERT_EQ(client_.Execute("[EditEqualInts(0,2,4)]"), ACK);
  EXPECT_EQ(Item("NumberOfCurves"), "2");
  EXPECT_EQ(Item("NumberOfPoints"), "9\t5");
  ASSERT_EQ(client_.Execute("[EditDecimate(1,0,4,0,0)]"), ACK);
  EXPECT_EQ(Item("Curve3"), Row(" 0.0000000E+00", " 0.0000000E+00") +
                                Row("  4.000000    ", "  16.00000    ") +
                                Row("  8.000000    ", "  64.00000    "));
  ASSERT_EQ(client_.Execute("[EditDecimate(2,1,50,0,0)]"), ACK);  // replaces curve 1
  EXPECT_EQ(Item("NumberOfPoints"), "3\t5\t3");
  // Refused: a bad method, a fidelity out of range, a falling curve's trend.
  EXPECT_EQ(client_.Execute("[EditEqualInts(1,0.5,0)]"), 0);
  EXPECT_EQ(client_.Execute("[EditDecimate(2,0,100,0,0)]"), 0);
  ASSERT_EQ(client_.Execute("[SelectCurve(4)][XY(2,1)][XY(1,0)]"), ACK);
  EXPECT_EQ(client_.Execute("[EditRemoveTrend()]"), 0);
  EXPECT_EQ(Item("Curve4"),
            Row("  2.000000    ", "  1.000000    ") + Row("  1.000000    ", " 0.0000000E+00"));
  ASSERT_EQ(client_.Execute("[SelectCurve(3)][EditRemoveTrend()]"), ACK);
  EXPECT_EQ(Item("Curve3"), Row(" 0.0000000E+00", " 0.0000000E+00") +
                                Row("  4.000000    ", " -16.00000    ") +
                                Row("  8.000000    ", " 0.0000000E+00"));
  // A full document has no slot for a result: refused, nothing lost.
  ASSERT_EQ(client_.Execute("[SelectCurve(100)][SelectCurve(1)]"), ACK);
  EXPECT_EQ(client_.Execute("[EditEqualInts(1,1,1)]"), 0);
  EXPECT_EQ(Item("NumberOfCurves"), "100");
  EXPECT_EQ(Item("NumberOfPoints").substr(0, 6), "3\t5\t3\t") << Item("NumberOfPoints");
}

}  // namespace
}  // namespace merva::test
