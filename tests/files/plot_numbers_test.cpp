#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>

#include "core/number_text.h"
#include "files/plot_numbers.h"
#include "files/text_lines.h"

namespace merva {
namespace {

double Strict(const std::string& text) {
  double value = 0.0;
  EXPECT_TRUE(ParseReal(text, value)) << text;
  return value;
}

TEST(PlotNumbers, FastPointLinesAgreeWithTheGeneralReader) {
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-40, 40);
  char a[32], b[32];
  int fastLines = 0;
  for (int i = 0; i < 200000; ++i) {
    const float x = static_cast<float>(mantissa(random) * std::pow(10.0, exponent(random)));
    const float y = static_cast<float>(mantissa(random) * std::pow(10.0, exponent(random) / 4));
    const std::string line = std::string(a, WriteG7(a, x)) + "," + std::string(b, WriteG7(b, y));
    double fx = 0.0, fy = 0.0;
    std::size_t length = 0;
    const bool fast = ParsePointLineFast(line + "\r\nnext", fx, fy, length);
    double gx = 0.0, gy = 0.0;
    ASSERT_TRUE(ParseTwoReals(line, gx, gy)) << line;
    if (!fast) continue;  // left to the general reader
    ++fastLines;
    ASSERT_EQ(length, line.size()) << line;
    ASSERT_EQ(fx, gx) << line;
    ASSERT_EQ(fy, gy) << line;
    ASSERT_EQ(fx, Strict(std::string(a, std::strlen(a)))) << line;
  }
  EXPECT_GT(fastLines, 100000);
}

TEST(PlotNumbers, FastPathShapes) {
  double x = 0, y = 0;
  std::size_t n = 0;
  EXPECT_TRUE(ParsePointLineFast("  1.5 ,  -2E3  \r\n", x, y, n));
  EXPECT_EQ(x, 1.5);
  EXPECT_EQ(y, -2000.0);
  EXPECT_EQ(n, 15u);
  EXPECT_TRUE(ParsePointLineFast("0.1 0.2", x, y, n));
  EXPECT_EQ(x, 0.1);
  EXPECT_EQ(y, 0.2);
  EXPECT_TRUE(ParsePointLineFast(".5,-0", x, y, n));
  EXPECT_EQ(x, 0.5);
  EXPECT_TRUE(std::signbit(y));
  // Left to the general reader: it decides what these mean.
  for (const char* line : {"1,2,3", "1,,2", "+1,2", "1d3,2", "1,2x", "1", "", "1e400,2",
                           "12345678901234567890,1", "1E,2", "inf,1", "1.5 ;2"})
    EXPECT_FALSE(ParsePointLineFast(line, x, y, n)) << line;
  EXPECT_TRUE(ParseTwoReals("1,2,3", x, y));
  EXPECT_EQ(y, 2.0);
  EXPECT_TRUE(ParseTwoReals("+1,2d1", x, y));
  EXPECT_EQ(y, 20.0);
  EXPECT_FALSE(ParseTwoReals("1", x, y));
}

TEST(PlotNumbers, SinglePrecisionRange) {
  EXPECT_TRUE(FitsFloat(3.4028234663852886e38));
  EXPECT_FALSE(FitsFloat(3.5e38));
  EXPECT_FALSE(FitsFloat(-1e39));
  EXPECT_TRUE(FitsFloat(1e-50));
  EXPECT_TRUE(FitsFloat(std::numeric_limits<double>::infinity()));
  EXPECT_TRUE(FitsFloat(std::numeric_limits<double>::quiet_NaN()));
}

TEST(PlotNumbers, ExactTextsReadBack) {
  for (double v : {0.1, 1.0 / 3.0, -1e20, 5e-324, 1.7976931348623157e308, 0.0}) {
    std::string text;
    AppendExact(text, v);
    EXPECT_EQ(Strict(text), v) << text;
  }
}

TEST(PlotNumbers, FieldsThatTouch) {
  int values[3] = {};
  EXPECT_TRUE(ReadIntegerFields(" 10 20 30", 3, 3, values));
  EXPECT_EQ(values[2], 30);
  EXPECT_TRUE(ReadIntegerFields("100-10 30", 3, 3, values));
  EXPECT_EQ(values[0], 100);
  EXPECT_EQ(values[1], -10);
  EXPECT_FALSE(ReadIntegerFields(" 10 2", 3, 3, values));
  double reals[2] = {};
  EXPECT_TRUE(ReadRealFields("-0.1000E+01-0.2000E+01", 2, 11, reals));
  EXPECT_EQ(reals[1], -2.0);
}

TEST(LineCursor, EveryKindOfLineEnd) {
  LineCursor lines(std::string_view("a\r\nb\nc\rd\r\r\ne\n\nlast-long-line-of-text"));
  std::vector<std::string> seen;
  std::string_view line;
  while (lines.Next(line)) seen.emplace_back(line);
  const std::vector<std::string> expected = {"a", "b", "c", "d",
                                             "",  "e", "",  "last-long-line-of-text"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(lines.LineNumber(), 8);
  EXPECT_TRUE(lines.AtEnd());

  LineCursor skip(std::string_view("1\r\n2\r\n3\r\n"));
  EXPECT_EQ(skip.Skip(5), 3);
  LineCursor take(std::string_view("1 2\r\n3 4"));
  take.TakeLine(3);
  EXPECT_EQ(take.Rest(), "3 4");
  take.TakeLine(3);
  EXPECT_TRUE(take.AtEnd());
  // Line ends found at every offset within the eight-byte steps.
  for (std::size_t k = 0; k < 20; ++k) {
    std::string text(k, 'x');
    text += "\rtail";
    LineCursor cursor(text);
    ASSERT_TRUE(cursor.Next(line));
    EXPECT_EQ(line.size(), k);
    ASSERT_TRUE(cursor.Next(line));
    EXPECT_EQ(line, "tail");
  }
}

}  // namespace
}  // namespace merva
