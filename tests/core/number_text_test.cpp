#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/number_text.h"

namespace merva {
namespace {

TEST(FormatG, AsTheCStandardSays) {
  EXPECT_EQ(FormatG(0.1), "0.1");
  EXPECT_EQ(FormatG(1e10), "1E+10");
  EXPECT_EQ(FormatG(123456789.0), "1.234568E+08");
  EXPECT_EQ(FormatG(1.5e-5), "1.5E-05");
  EXPECT_EQ(FormatG(0.0001), "0.0001");
  EXPECT_EQ(FormatG(1234567.0), "1234567");
  EXPECT_EQ(FormatG(12345678.0), "1.234568E+07");
  EXPECT_EQ(FormatG(-2.5), "-2.5");
  EXPECT_EQ(FormatG(0.0), "0");
  EXPECT_EQ(FormatG(1e-300), "1E-300");
  EXPECT_EQ(FormatG(static_cast<double>(3.4028235e38f)), "3.402823E+38");
  EXPECT_EQ(FormatG(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(FormatG(0.5, 3), "0.5");
  char buffer[32];
  EXPECT_EQ(WriteG7(buffer, 1.0f / 3.0f), 9);
  EXPECT_STREQ(buffer, "0.3333333");
}

TEST(FieldLayouts, IntegerFields) {
  EXPECT_EQ(FormatI(5, 2), " 5");
  EXPECT_EQ(FormatI(-1, 4), "  -1");
  EXPECT_EQ(FormatI(123456, 2), "123456");  // never asterisks
  EXPECT_EQ(FormatIm(12, 3, 3), "012");
  EXPECT_EQ(FormatIm(1, 2, 2), "01");
  EXPECT_EQ(FormatIm(7, 8, 8), "00000007");
  EXPECT_EQ(FormatZ(0x1F, 8), "0000001F");
  EXPECT_EQ(FormatZ(0xFFFFFFFFu, 8), "FFFFFFFF");
}

TEST(FieldLayouts, RealFieldsInFixedAndExponentForm) {
  EXPECT_EQ(FormatGwd(6.0, 10, 4), " 6.000    ");
  EXPECT_EQ(FormatGwd(0.5, 10, 4), "0.5000    ");
  EXPECT_EQ(FormatGwd(-6.0, 10, 4), "-6.000    ");
  EXPECT_EQ(FormatGwd(1234.0, 10, 4), " 1234.    ");
  EXPECT_EQ(FormatGwd(12346.0, 10, 4), "0.1235E+05");
  EXPECT_EQ(FormatGwd(9999.6, 10, 4), "0.1000E+05");  // rounds out of the fixed range
  EXPECT_EQ(FormatGwd(0.05, 10, 4), "0.5000E-01");
  EXPECT_EQ(FormatGwd(0.0, 13, 6), " 0.000000E+00");
  EXPECT_EQ(FormatGwd(1.0, 14, 8), " 1.0000000    ");
  EXPECT_EQ(FormatGwd(-123456.0e-9, 14, 8), "-.12345600E-03");  // leading zero dropped
  EXPECT_EQ(FormatGwd(1e200, 10, 4), "0.1000+201");
}

TEST(FreeForm, CommasBlanksAndNotations) {
  FreeFormReader r("  1.5, -2E3 ,4d2\t7 , 1e-400");
  double a = 0, b = 0, c = 0, e = 0;
  int d = 0;
  EXPECT_TRUE(r.Next(a));
  EXPECT_TRUE(r.Next(b));
  EXPECT_TRUE(r.Next(c));
  EXPECT_TRUE(r.Next(d));
  EXPECT_TRUE(r.Next(e));
  EXPECT_EQ(a, 1.5);
  EXPECT_EQ(b, -2000.0);
  EXPECT_EQ(c, 400.0);
  EXPECT_EQ(d, 7);
  EXPECT_EQ(e, 0.0);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_FALSE(r.Next(a));
}

TEST(FreeForm, RefusesWhatIsNotANumber) {
  double v = 9;
  int i = 9;
  FreeFormReader words("abc 1");
  EXPECT_FALSE(words.Next(v));
  EXPECT_EQ(v, 9);
  FreeFormReader real("1.5");
  EXPECT_FALSE(real.Next(i));
  FreeFormReader huge("3000000000");
  EXPECT_FALSE(huge.Next(i));
  long long big = 0;
  FreeFormReader huge64("3000000000");
  EXPECT_TRUE(huge64.Next(big));
  EXPECT_EQ(big, 3000000000LL);
  FreeFormReader plus("+5 ++5");
  EXPECT_TRUE(plus.Next(i));
  EXPECT_EQ(i, 5);
  EXPECT_FALSE(plus.Next(i));
  FreeFormReader overflow("1e999");
  EXPECT_TRUE(overflow.Next(v));
  EXPECT_TRUE(std::isinf(v));
  FreeFormReader logical(".TRUE. f x");
  bool t = false, f = true;
  EXPECT_TRUE(logical.NextLogical(t));
  EXPECT_TRUE(logical.NextLogical(f));
  EXPECT_TRUE(t);
  EXPECT_FALSE(f);
  EXPECT_FALSE(logical.NextLogical(t));
}

TEST(FreeForm, EmptyValuesBetweenCommasAreSkipped) {
  FreeFormReader r("1,,2");
  int a = 0, b = 0;
  EXPECT_TRUE(r.Next(a));
  EXPECT_TRUE(r.Next(b));
  EXPECT_EQ(b, 2);
}

TEST(TextHelpers, CaseAndTrim) {
  EXPECT_TRUE(EqualsIgnoreCase("Stop", "STOP"));
  EXPECT_FALSE(EqualsIgnoreCase("Stop", "Sto"));
  EXPECT_EQ(ToLower("MERVA/W v1.2"), "merva/w v1.2");
  EXPECT_EQ(TrimRight("Stop  \r\n"), "Stop");
}

}  // namespace
}  // namespace merva
