#include "core/dialog_values.h"

#include <gtest/gtest.h>

namespace merva {
namespace {

TEST(DialogValues, ReadsWholeFieldsOnly) {
  double v = -1;
  EXPECT_TRUE(ParseDialogReal(" 1.5E3 ", v));
  EXPECT_EQ(v, 1500.0);
  EXPECT_FALSE(ParseDialogReal("", v));
  EXPECT_FALSE(ParseDialogReal("12abc", v));
  EXPECT_FALSE(ParseDialogReal("1e999", v));
  EXPECT_EQ(v, 1500.0);
  int i = 7;
  EXPECT_TRUE(ParseDialogInteger("-42", i));
  EXPECT_EQ(i, -42);
  EXPECT_FALSE(ParseDialogInteger("3.5", i));
  EXPECT_FALSE(ParseDialogInteger("99999999999", i));
  EXPECT_EQ(i, -42);
}

TEST(DialogValues, RangeRefusalNamesBothBounds) {
  EXPECT_TRUE(CheckIntegerRange(1, 1, 100).Ok());
  EXPECT_TRUE(CheckIntegerRange(100, 1, 100).Ok());
  const Status s = CheckIntegerRange(0, 1, 100);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Value must be in the range 1 to 100.");
  EXPECT_EQ(CheckRealRange(0.0, 0.001, 1000.5).Text(),
            "Value must be in the range 0.001 to 1000.5.");
  EXPECT_EQ(RangeMessage(1e-10, 123456789), "Value must be in the range 1E-10 to 1.234568E+08.");
}

TEST(DialogValues, LegendLayout) {
  EXPECT_TRUE(CheckLegendLayout(1, 0.01).Ok());
  EXPECT_EQ(CheckLegendLayout(0, 0.5).Text(), "Number of columns must be > 0.");
  EXPECT_EQ(CheckLegendLayout(-3, 0.5).Text(), "Number of columns must be > 0.");
  EXPECT_EQ(CheckLegendLayout(5, 0.0).Text(), "Line length for the legend must be > 0.");
  EXPECT_EQ(CheckLegendLayout(5, -1).Text(), "Line length for the legend must be > 0.");
}

TEST(DialogValues, InchesAndThousandths) {
  EXPECT_EQ(InchesToThousandths(0.015), 15);
  EXPECT_EQ(InchesToThousandths(0.0104), 10);
  EXPECT_EQ(InchesToThousandths(0.0105), 11);
  EXPECT_EQ(InchesToThousandths(1e12), 2147483647);
  EXPECT_DOUBLE_EQ(ThousandthsToInches(25), 0.025);
  EXPECT_DOUBLE_EQ(InchesToMillimetres(2.0), 50.8);
  EXPECT_DOUBLE_EQ(MillimetresToInches(152.4), 6.0);
}

}  // namespace
}  // namespace merva
