#include "render/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/number_text.h"

namespace merva {

namespace {

const char* const WEEKDAY_NAMES[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
const char* const MONTH_NAMES[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};

constexpr float DAYS_PER_YEAR = 365.25f;
constexpr float DAYS_PER_MONTH = 30.6001f;
constexpr double FRACTION_LIMIT = 999999999.0;
constexpr char FRACTION_OVERFLOW[] = "##########";

// Half away from zero.
double Nearest(double v) { return v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5); }

std::string Digits(long long v, int minDigits, char pad = '0') {
  std::string text = std::to_string(v < 0 ? -v : v);
  if (static_cast<int>(text.size()) < minDigits)
    text.insert(0, static_cast<std::size_t>(minDigits) - text.size(), pad);
  if (v < 0) text.insert(0, 1, '-');
  return text;
}

// E-004 -> E-4, E+003 -> E+3, E+000 -> E+0: at most two zeros, one digit stays.
void CleanExponent(std::string& text) {
  const std::size_t e = text.find('E');
  if (e == std::string::npos || e + 1 >= text.size()) return;
  if (text[e + 1] != '-' && text[e + 1] != '+') return;
  const std::size_t first = e + 2;
  for (int pass = 0; pass < 2; ++pass)
    if (first + 1 < text.size() && text[first] == '0') text.erase(first, 1);
}

void ReplaceDecimal(std::string& text, const std::string& separator) {
  if (separator == ".") return;
  const std::size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, separator);
}

// Thousands separators in the integer part (the digits after an optional
// minus sign up to the first non-digit).
void Group(std::string& text, const std::string& separator, const NumberFormatContext& context) {
  if (!context.delineateThousands || text.find('E') != std::string::npos) return;
  const std::size_t begin = (!text.empty() && text[0] == '-') ? 1 : 0;
  std::size_t end = begin;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  if (end - begin <= 3) return;
  for (long at = static_cast<long>(end) - 3; at > static_cast<long>(begin); at -= 3)
    text.insert(static_cast<std::size_t>(at), separator);
}

std::string Fixed(double v, int decimals) {
  char buffer[400];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

std::string Scientific4(double v) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 4);
  std::string text(buffer, result.ptr);
  for (char& c : text)
    if (c == 'e') c = 'E';
  return text;
}

std::string FormatDefault(double v, double r, const NumberFormatContext& context) {
  const double a = std::fabs(v);
  if (a < r / 10000.0) return (a - std::floor(a)) >= r / 10000.0 ? "0." : "0";
  std::string text = FormatG(v, 7);
  CleanExponent(text);
  ReplaceDecimal(text, context.regional.sDecimal);
  Group(text, context.regional.sThousand, context);
  return text;
}

std::string FormatScientific(double v, double r, const NumberFormatContext& context) {
  if (std::fabs(v) < r / 10000.0) return "0E+0";
  std::string text = Scientific4(v);
  CleanExponent(text);
  const std::size_t e = text.find('E');
  if (e != std::string::npos && text.find('.') < e) {
    std::size_t end = e;
    while (text[end - 1] == '0') --end;
    if (text[end - 1] == '.') --end;
    text.erase(end, e - end);
  }
  ReplaceDecimal(text, context.regional.sDecimal);
  return text;
}

std::string FormatFraction(double v, const NumberFormatContext& context) {
  if (!(std::fabs(v) <= FRACTION_LIMIT)) return FRACTION_OVERFLOW;
  long long whole = static_cast<long long>(std::trunc(v));
  long long numerator =
      static_cast<long long>(Nearest(64.0 * std::fabs(v - static_cast<double>(whole))));
  long long denominator = 64;
  if (numerator == 64) {
    whole += v < 0 ? -1 : 1;
    numerator = 0;
  }
  while (numerator > 0 && numerator % 2 == 0) {
    numerator /= 2;
    denominator /= 2;
  }
  if (whole == 0 && numerator == 0) return "0";
  const std::string fraction = std::to_string(numerator) + "/" + std::to_string(denominator);
  if (whole == 0) return (v < 0 ? "-" : "") + fraction;
  std::string text = std::to_string(whole);
  Group(text, context.regional.sThousand, context);
  if (numerator == 0) return text;
  return text + " " + fraction;
}

std::string FormatCurrency(double v, bool cents, const NumberFormatContext& context) {
  const RegionalSettings& r = context.regional;
  const double a = std::fabs(v);
  std::string n;
  if (a >= 1e9) {
    n = FormatG(a, 4);
    CleanExponent(n);
  } else if (cents) {
    n = Fixed(a, 2);
    ReplaceDecimal(n, r.sMonDecimalSep);
  } else {
    n = Fixed(a, 0);
  }
  Group(n, r.sMonThousandSep, context);
  const std::string& s = r.sCurrency;
  if (!(v < 0)) {
    switch (r.iCurrency) {
      case 1:
        return n + s;
      case 2:
        return s + " " + n;
      case 3:
        return n + " " + s;
      default:
        return s + n;
    }
  }
  switch (r.iNegCurr) {
    case 1:
      return "-" + s + n;
    case 2:
      return s + "-" + n;
    case 3:
      return s + n + "-";
    case 4:
      return "(" + n + s + ")";
    case 5:
      return "-" + n + s;
    case 6:
      return n + "-" + s;
    case 7:
      return n + s + "-";
    case 8:
      return "-" + n + " " + s;
    case 9:
      return "-" + s + " " + n;
    case 10:
      return n + " " + s + "-";
    case 11:
      return s + " " + n + "-";
    case 12:
      return s + " -" + n;
    case 13:
      return n + "- " + s;
    case 14:
      return "(" + s + " " + n + ")";
    case 15:
      return "(" + n + " " + s + ")";
    default:
      return "(" + s + n + ")";
  }
}

std::string FormatTime(double v, const NumberFormatContext& context) {
  const RegionalSettings& r = context.regional;
  if (!std::isfinite(v)) return std::string();
  double t = std::fmod(v, 24.0);
  // A negative value counts back from midnight.
  if (t < 0) t += 24.0;
  if (t >= 24.0) t = 0.0;
  long long h = static_cast<long long>(std::trunc(t));
  long long m = static_cast<long long>(std::trunc(60.0 * t)) - 60 * h;
  long long s = static_cast<long long>(std::trunc(3600.0 * t)) - 3600 * h - 60 * m;
  double c = 360000.0 * t - 360000.0 * h - 6000.0 * m - 100.0 * s;
  long long hundredths = 0;
  if (c >= 99.5) {
    if (++s == 60) {
      s = 0;
      if (++m == 60) {
        m = 0;
        ++h;
      }
    }
  } else {
    hundredths = static_cast<long long>(std::trunc(c));
  }
  if (r.iTime == 0 && h > 12) h -= 12;
  std::string text =
      Digits(h, r.iTLZero == 0 ? 1 : 2) + r.sTime + Digits(m, 2) + r.sTime + Digits(s, 2);
  if (hundredths > 0) text += r.sDecimal + Digits(hundredths, 2);
  if (r.iTime == 0) text += " " + (t > 12.0 ? r.s2359 : r.s1159);
  return text;
}

std::string FormatCalendarDate(double v, const NumberFormatContext& context) {
  if (!(v >= 1.0 && v < 65536.0)) return std::string();
  int year = 0, month = 0, day = 0;
  DayNumberToDate(static_cast<long>(std::trunc(v)), year, month, day);
  if (year == 0) return std::string();
  const std::string_view pattern = TrimRight(TrimLeft(context.dateFormat));
  return FormatDate(pattern.empty() ? std::string_view(context.regional.sShortDate)
                                    : std::string_view(context.dateFormat),
                    year, month, day);
}

// Days since 1 March of year 0 of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

std::size_t Weekday(int year, int month, int day) {
  const long long n = DateToDayNumber(year, month, day);
  return static_cast<std::size_t>(((n + 6) % 7 + 7) % 7);
}

// "y" with as many digits as the year has; "yyy" in four positions.
std::string YearText(int year, int count) {
  switch (count) {
    case 4:
      return Digits(year, 4);
    case 3:
      return Digits(year, 4, ' ');
    case 2:
      return Digits(((year % 100) + 100) % 100, 2);
    default:
      return Digits(year, 1);
  }
}

}  // namespace

long DateToDayNumber(int year, int month, int day) {
  if (month < 1 || month > 12) return 0;
  // 29 February 1900 exists in this count: every later day is one higher.
  if (year == 1900 && month == 2 && day == 29) return 60;
  long long n = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 31);
  if (n >= 60) ++n;
  return static_cast<long>(n);
}

std::string FormatAxisNumber(double value, double reference, int kind,
                             const NumberFormatContext& context) {
  switch (kind) {
    case FORMAT_SCIENTIFIC:
      return FormatScientific(value, reference, context);
    case FORMAT_FRACTIONS:
      return FormatFraction(value, context);
    case FORMAT_CURRENCY1:
      return FormatCurrency(value, true, context);
    case FORMAT_CURRENCY2:
      return FormatCurrency(value, false, context);
    case FORMAT_TIME:
      return FormatTime(value, context);
    case FORMAT_CALENDAR_DATE:
      return FormatCalendarDate(value, context);
    default:
      return FormatDefault(value, reference, context);
  }
}

std::string FormatDate(std::string_view pattern, int year, int month, int day) {
  std::string out;
  const bool monthKnown = month >= 1 && month <= 12;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c != 'd' && c != 'M' && c != 'y') {
      out += c;
      ++i;
      continue;
    }
    int count = 0;
    while (i < pattern.size() && pattern[i] == c && count < 4) {
      ++count;
      ++i;
    }
    if (c == 'd') {
      if (count == 4)
        out += monthKnown ? WEEKDAY_NAMES[Weekday(year, month, day)] : "";
      else if (count == 3)
        out += monthKnown ? std::string(WEEKDAY_NAMES[Weekday(year, month, day)], 3) : "";
      else
        out += Digits(day, count);
    } else if (c == 'M') {
      if (count >= 3 && monthKnown)
        out += std::string(MONTH_NAMES[month - 1]).substr(0, count == 4 ? std::string::npos : 3);
      else if (count < 3)
        out += Digits(month, count);
    } else {
      out += YearText(year, count);
    }
  }
  return out;
}

void DayNumberToDate(long dayNumber, int& year, int& month, int& day) {
  year = month = day = 0;
  if (dayNumber < 1 || dayNumber > 65535) return;
  const double d = static_cast<double>(dayNumber);
  const double daysPerYear = DAYS_PER_YEAR;
  const double daysPerMonth = DAYS_PER_MONTH;
  const long y = static_cast<long>(std::trunc((d - 1.0) / daysPerYear)) + 1900;
  long m = static_cast<long>(Nearest((d + 693974.0 - daysPerYear * y) / daysPerMonth)) + 1;
  auto dayOf = [&](long mm) {
    if (mm > 2)
      return dayNumber + 694037 - static_cast<long>(std::trunc(daysPerYear * y)) -
             static_cast<long>(std::trunc(daysPerMonth * (mm + 1)));
    return dayNumber + 694037 - static_cast<long>(std::trunc(daysPerYear * (y - 1))) -
           static_cast<long>(std::trunc(daysPerMonth * (mm + 13)));
  };
  long dd = dayOf(m);
  if (dd <= 0) {
    --m;
    dd = dayOf(m);
  }
  year = static_cast<int>(y);
  month = static_cast<int>(m);
  day = static_cast<int>(dd);
}

}  // namespace merva
