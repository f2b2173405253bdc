#pragma once

// Tick-label texts of the seven number format kinds.

#include <string>
#include <string_view>

namespace merva {

enum NumberFormatKind : int {
  FORMAT_DEFAULT = 0,
  FORMAT_SCIENTIFIC = 1,
  FORMAT_FRACTIONS = 2,
  FORMAT_CURRENCY1 = 3,
  FORMAT_CURRENCY2 = 4,
  FORMAT_TIME = 5,
  FORMAT_CALENDAR_DATE = 6,
};

// The regional settings ("intl" profile section and the two monetary
// separators of the registry), with their defaults when absent.
struct RegionalSettings {
  std::string sShortDate = "M/d/yy";
  int iTime = 0;
  int iTLZero = 1;
  std::string s1159 = "AM";
  std::string s2359 = "PM";
  std::string sTime = ":";
  std::string sCurrency = "$";
  std::string sDecimal = ".";
  std::string sThousand = ",";
  int iCurrency = 0;
  int iLzero = 0;
  int iNegCurr = 0;
  std::string sMonDecimalSep = ".";
  std::string sMonThousandSep = ",";
};

// Everything a label text depends on besides the value.
struct NumberFormatContext {
  RegionalSettings regional;
  bool delineateThousands = false;  // INI "DelineateThousands"
  std::string dateFormat;           // the document's pattern; blank: sShortDate
};

// The label text of `value`; `reference` is the tick step of a linear axis
// and 0 where every value counts.
std::string FormatAxisNumber(double value, double reference, int kind,
                             const NumberFormatContext& context);

// Expands a date pattern.
std::string FormatDate(std::string_view pattern, int year, int month, int day);

// Year, month and day of a day number; all 0 outside 1..65535.
void DayNumberToDate(long dayNumber, int& year, int& month, int& day);

// The day number of a date, counted like DayNumberToDate (1 January 1900
// is day 1, and 29 February 1900 is day 60); 0 for a month outside 1..12.
long DateToDayNumber(int year, int month, int day);

}  // namespace merva
