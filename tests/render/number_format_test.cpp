#include "render/number_format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace merva {
namespace {

NumberFormatContext Context(bool grouping = false) {
  NumberFormatContext context;
  context.delineateThousands = grouping;
  return context;
}

std::string Format(double v, double r, int kind, const NumberFormatContext& c = Context()) {
  return FormatAxisNumber(v, r, kind, c);
}

TEST(DefaultFormat, SevenSignificantDigitsAndCleanExponent) {
  EXPECT_EQ(Format(0.00001, 0, FORMAT_DEFAULT), "1E-5");
  EXPECT_EQ(Format(12345678, 0, FORMAT_DEFAULT), "1.234568E+7");
  EXPECT_EQ(Format(1234567, 0, FORMAT_DEFAULT), "1234567");
  EXPECT_EQ(Format(1234567, 0, FORMAT_DEFAULT, Context(true)), "1,234,567");
  EXPECT_EQ(Format(-1234567.5, 0, FORMAT_DEFAULT, Context(true)), "-1,234,568");
  EXPECT_EQ(Format(1e100, 0, FORMAT_DEFAULT), "1E+100");
  EXPECT_EQ(Format(2.5, 0, FORMAT_DEFAULT), "2.5");
  EXPECT_EQ(Format(-0.125, 0, FORMAT_DEFAULT), "-0.125");
}

TEST(DefaultFormat, TinyAgainstTheReferenceIsZero) {
  EXPECT_EQ(Format(1e-17, 1.0, FORMAT_DEFAULT), "0");
  EXPECT_EQ(Format(-0.00009, 1.0, FORMAT_DEFAULT), "0");
  EXPECT_EQ(Format(0.0001, 1.0, FORMAT_DEFAULT), "0.0001");
  EXPECT_EQ(Format(0.0, 0.0, FORMAT_DEFAULT), "0");
}

TEST(DefaultFormat, GroupingOnlyAboveThreeDigitsAndWithoutExponent) {
  const NumberFormatContext c = Context(true);
  EXPECT_EQ(Format(999, 0, FORMAT_DEFAULT, c), "999");
  EXPECT_EQ(Format(-999, 0, FORMAT_DEFAULT, c), "-999");
  EXPECT_EQ(Format(1000, 0, FORMAT_DEFAULT, c), "1,000");
  EXPECT_EQ(Format(-1000.25, 0, FORMAT_DEFAULT, c), "-1,000.25");
  EXPECT_EQ(Format(123456.7, 0, FORMAT_DEFAULT, c), "123,456.7");
  EXPECT_EQ(Format(1.5e12, 0, FORMAT_DEFAULT, c), "1.5E+12");
}

TEST(DefaultFormat, RegionalSeparators) {
  NumberFormatContext c = Context(true);
  c.regional.sDecimal = ",";
  c.regional.sThousand = ".";
  EXPECT_EQ(Format(1234.5, 0, FORMAT_DEFAULT, c), "1.234,5");
  EXPECT_EQ(Format(1.5e-7, 0, FORMAT_DEFAULT, c), "1,5E-7");
}

TEST(ScientificFormat, Examples) {
  EXPECT_EQ(Format(1500, 0, FORMAT_SCIENTIFIC), "1.5E+3");
  EXPECT_EQ(Format(-0.00025, 0, FORMAT_SCIENTIFIC), "-2.5E-4");
  EXPECT_EQ(Format(5, 0, FORMAT_SCIENTIFIC), "5E+0");
  EXPECT_EQ(Format(123456, 0, FORMAT_SCIENTIFIC), "1.2346E+5");
  EXPECT_EQ(Format(1e-300, 0, FORMAT_SCIENTIFIC), "1E-300");
  EXPECT_EQ(Format(0.0, 0, FORMAT_SCIENTIFIC), "0E+0");
}

TEST(ScientificFormat, JustBelowTheReferenceLimitIsZero) {
  EXPECT_EQ(Format(0.099999, 1000.0, FORMAT_SCIENTIFIC), "0E+0");
  EXPECT_EQ(Format(0.1, 1000.0, FORMAT_SCIENTIFIC), "1E-1");
}

TEST(ScientificFormat, DecimalSeparator) {
  NumberFormatContext c = Context();
  c.regional.sDecimal = ",";
  EXPECT_EQ(Format(1500, 0, FORMAT_SCIENTIFIC, c), "1,5E+3");
}

TEST(FractionFormat, Examples) {
  EXPECT_EQ(Format(3.25, 0, FORMAT_FRACTIONS), "3 1/4");
  EXPECT_EQ(Format(-2.5, 0, FORMAT_FRACTIONS), "-2 1/2");
  EXPECT_EQ(Format(0.99, 0, FORMAT_FRACTIONS), "63/64");
  EXPECT_EQ(Format(1.999, 0, FORMAT_FRACTIONS), "2");
  EXPECT_EQ(Format(-1.999, 0, FORMAT_FRACTIONS), "-2");
  EXPECT_EQ(Format(0.0, 0, FORMAT_FRACTIONS), "0");
  EXPECT_EQ(Format(0.001, 0, FORMAT_FRACTIONS), "0");
  EXPECT_EQ(Format(-0.375, 0, FORMAT_FRACTIONS), "-3/8");
  EXPECT_EQ(Format(0.5, 0, FORMAT_FRACTIONS), "1/2");
  EXPECT_EQ(Format(7, 0, FORMAT_FRACTIONS), "7");
}

TEST(FractionFormat, OutOfRangeAndGrouping) {
  EXPECT_EQ(Format(1e10, 0, FORMAT_FRACTIONS), "##########");
  EXPECT_EQ(Format(-1000000000.0, 0, FORMAT_FRACTIONS), "##########");
  EXPECT_EQ(Format(999999999.0, 0, FORMAT_FRACTIONS), "999999999");
  EXPECT_EQ(Format(NAN, 0, FORMAT_FRACTIONS), "##########");
  EXPECT_EQ(Format(1234567.5, 0, FORMAT_FRACTIONS, Context(true)), "1,234,567 1/2");
}

TEST(CurrencyFormat, PositivePlacements) {
  NumberFormatContext c = Context();
  const char* expected[] = {"$1.00", "1.00$", "$ 1.00", "1.00 $", "$1.00"};
  for (int i = 0; i < 5; ++i) {
    c.regional.iCurrency = i;
    EXPECT_EQ(Format(1, 0, FORMAT_CURRENCY1, c), expected[i]) << i;
  }
}

TEST(CurrencyFormat, SixteenNegativePatterns) {
  NumberFormatContext c = Context();
  const char* expected[] = {"($1.00)", "-$1.00",  "$-1.00",   "$1.00-",   "(1.00$)", "-1.00$",
                            "1.00-$",  "1.00$-",  "-1.00 $",  "-$ 1.00",  "1.00 $-", "$ 1.00-",
                            "$ -1.00", "1.00- $", "($ 1.00)", "(1.00 $)", "($1.00)"};
  for (int i = 0; i <= 16; ++i) {
    c.regional.iNegCurr = i;
    EXPECT_EQ(Format(-1, 0, FORMAT_CURRENCY1, c), expected[i]) << i;
  }
}

TEST(CurrencyFormat, Examples) {
  NumberFormatContext c = Context();
  EXPECT_EQ(Format(-12.5, 0, FORMAT_CURRENCY1, c), "($12.50)");
  EXPECT_EQ(Format(12.5, 0, FORMAT_CURRENCY2, c), "$12");
  EXPECT_EQ(Format(13.5, 0, FORMAT_CURRENCY2, c), "$14");
  EXPECT_EQ(Format(2.5e9, 0, FORMAT_CURRENCY1, c), "$2.5E+9");
  EXPECT_EQ(Format(-2.5e9, 0, FORMAT_CURRENCY2, c), "($2.5E+9)");
  c.delineateThousands = true;
  EXPECT_EQ(Format(1234567.891, 0, FORMAT_CURRENCY1, c), "$1,234,567.89");
  EXPECT_EQ(Format(2.5e9, 0, FORMAT_CURRENCY1, c), "$2.5E+9");
}

TEST(CurrencyFormat, MonetarySeparators) {
  NumberFormatContext c = Context(true);
  c.regional.sCurrency = "kr";
  c.regional.iCurrency = 3;
  c.regional.sMonDecimalSep = ",";
  c.regional.sMonThousandSep = ".";
  c.regional.sDecimal = "#";  // not used by the currency kinds
  EXPECT_EQ(Format(1234.5, 0, FORMAT_CURRENCY1, c), "1.234,50 kr");
  EXPECT_EQ(Format(1234.5, 0, FORMAT_CURRENCY2, c), "1.234 kr");
}

NumberFormatContext Clock(int iTime, int iTLZero) {
  NumberFormatContext c = Context();
  c.regional.iTime = iTime;
  c.regional.iTLZero = iTLZero;
  return c;
}

TEST(TimeFormat, Examples) {
  EXPECT_EQ(Format(13.5, 0, FORMAT_TIME, Clock(0, 0)), "1:30:00 PM");
  EXPECT_EQ(Format(9.25, 0, FORMAT_TIME, Clock(0, 0)), "9:15:00 AM");
  EXPECT_EQ(Format(9.25, 0, FORMAT_TIME, Clock(0, 1)), "09:15:00 AM");
  EXPECT_EQ(Format(13.5, 0, FORMAT_TIME, Clock(1, 1)), "13:30:00");
  EXPECT_EQ(Format(12.5, 0, FORMAT_TIME, Clock(0, 0)), "12:30:00 PM");
  EXPECT_EQ(Format(37.5, 0, FORMAT_TIME, Clock(1, 1)), "13:30:00");
}

TEST(TimeFormat, HundredthsAndCarry) {
  EXPECT_EQ(Format(1.0 + 1.25 / 3600.0, 0, FORMAT_TIME, Clock(1, 1)), "01:00:01.25");
  EXPECT_EQ(Format(23.9999999, 0, FORMAT_TIME, Clock(1, 1)), "24:00:00");
  EXPECT_EQ(Format(10.0 + 59.996 / 3600.0, 0, FORMAT_TIME, Clock(1, 1)), "10:01:00");
  NumberFormatContext c = Clock(1, 1);
  c.regional.sTime = ".";
  c.regional.sDecimal = ",";
  EXPECT_EQ(Format(1.5 + 0.5 / 3600.0, 0, FORMAT_TIME, c), "01.30.00,50");
}

TEST(TimeFormat, NegativeValuesCountBackFromMidnight) {
  EXPECT_EQ(Format(-1.0, 0, FORMAT_TIME, Clock(1, 1)), "23:00:00");
  EXPECT_EQ(Format(-24.0, 0, FORMAT_TIME, Clock(1, 1)), "00:00:00");
  EXPECT_EQ(Format(-25.5, 0, FORMAT_TIME, Clock(0, 0)), "10:30:00 PM");
  EXPECT_EQ(Format(INFINITY, 0, FORMAT_TIME, Clock(0, 0)), "");
}

TEST(DayNumbers, EdgesOf1900) {
  int y, m, d;
  DayNumberToDate(1, y, m, d);
  EXPECT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{1900, 1, 1}));
  DayNumberToDate(59, y, m, d);
  EXPECT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{1900, 2, 28}));
  DayNumberToDate(60, y, m, d);
  EXPECT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{1900, 2, 29}));
  DayNumberToDate(61, y, m, d);
  EXPECT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{1900, 3, 1}));
  DayNumberToDate(0, y, m, d);
  EXPECT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{0, 0, 0}));
  DayNumberToDate(65536, y, m, d);
  EXPECT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{0, 0, 0}));
  DayNumberToDate(-5, y, m, d);
  EXPECT_EQ(y, 0);
}

TEST(DayNumbers, EveryDayFollowsTheCalendar) {
  // Walk a calendar day by day from 1 March 1900 and compare.
  const int monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int year = 1900, month = 3, day = 1;
  for (long n = 61; n <= 65535; ++n) {
    int y, m, d;
    DayNumberToDate(n, y, m, d);
    ASSERT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{year, month, day})) << n;
    ASSERT_EQ(DateToDayNumber(year, month, day), n);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = monthDays[month - 1] + (month == 2 && leap ? 1 : 0);
    if (++day > length) {
      day = 1;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
  EXPECT_EQ(year, 2079);
}

TEST(DatePatterns, Tokens) {
  // 5 March 2004 was a Friday.
  EXPECT_EQ(FormatDate("dddd, MMMM d, yyyy", 2004, 3, 5), "Friday, March 5, 2004");
  EXPECT_EQ(FormatDate("ddd MMM dd yy", 2004, 3, 5), "Fri Mar 05 04");
  EXPECT_EQ(FormatDate("M/d/yy", 2004, 3, 5), "3/5/04");
  EXPECT_EQ(FormatDate("MM-dd-y", 2004, 12, 25), "12-25-2004");
  EXPECT_EQ(FormatDate("dd-MMM", 2004, 3, 5), "05-Mar");
  EXPECT_EQ(FormatDate("ddddd", 2004, 3, 5), "Friday5");
  EXPECT_EQ(FormatDate("yyy|y|yyyy", 987, 1, 1), " 987|987|0987");
  EXPECT_EQ(FormatDate("yy", 2005, 1, 1), "05");
  EXPECT_EQ(FormatDate("x'M' ", 1999, 7, 4), "x'7' ");
}

TEST(DatePatterns, WeekdaysFollowTheDayNumber) {
  EXPECT_EQ(FormatDate("dddd", 2000, 1, 1), "Saturday");
  EXPECT_EQ(FormatDate("dddd", 1900, 3, 1), "Thursday");
  EXPECT_EQ(FormatDate("ddd", 1900, 2, 29), "Wed");
  EXPECT_EQ(FormatDate("ddd", 1900, 1, 1), "Sun");
}

TEST(CalendarDateFormat, DocumentPatternOrShortDate) {
  NumberFormatContext c = Context();
  EXPECT_EQ(Format(60, 0, FORMAT_CALENDAR_DATE, c), "2/29/00");
  EXPECT_EQ(Format(36526.75, 0, FORMAT_CALENDAR_DATE, c), "1/1/00");
  c.dateFormat = "dd-MMM-yyyy";
  EXPECT_EQ(Format(61, 0, FORMAT_CALENDAR_DATE, c), "01-Mar-1900");
  c.dateFormat = "   ";
  EXPECT_EQ(Format(61, 0, FORMAT_CALENDAR_DATE, c), "3/1/00");
  EXPECT_EQ(Format(0.5, 0, FORMAT_CALENDAR_DATE, c), "");
  EXPECT_EQ(Format(65536, 0, FORMAT_CALENDAR_DATE, c), "");
  EXPECT_EQ(Format(-3, 0, FORMAT_CALENDAR_DATE, c), "");
  EXPECT_EQ(Format(NAN, 0, FORMAT_CALENDAR_DATE, c), "");
}

TEST(NumberFormatKinds, ExtremeValuesGiveShortTexts) {
  const double values[] = {0.0,       -0.0, 1e-320,   -1e-320, 1e308, -1.7e308, INFINITY,
                           -INFINITY, NAN,  4.9e-324, 65535.9, 1e15,  -1e18,    0.5};
  NumberFormatContext c = Context(true);
  c.dateFormat = "dddd MMMM yyyy";
  for (int kind = -1; kind <= 7; ++kind)
    for (double v : values)
      for (double r : {0.0, 1.0, 1e300, static_cast<double>(INFINITY)})
        EXPECT_LT(FormatAxisNumber(v, r, kind, c).size(), 40u) << kind << " " << v;
}

TEST(NumberFormatKinds, OutsideTheRangeIsDefault) {
  EXPECT_EQ(Format(1500, 0, 7), "1500");
  EXPECT_EQ(Format(1500, 0, -1), "1500");
}

}  // namespace
}  // namespace merva
