#include "files/plot_numbers.h"

#include <charconv>
#include <cstdint>

#include "core/number_text.h"

namespace merva {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One number at p (after blanks) ending at a separator; the common case of
// the X,Y lines, without the copies of the general reader.
bool FastReal(const char*& p, const char* end, double& value) {
  while (p < end && IsBlank(*p)) ++p;
  if (p == end || *p == '+') return false;
  const auto result = std::from_chars(p, end, value, std::chars_format::general);
  if (result.ec != std::errc()) return false;
  if (result.ptr != end && !IsBlank(*result.ptr) && *result.ptr != ',') return false;
  p = result.ptr;
  return true;
}

bool FastSeparator(const char*& p, const char* end) {
  while (p < end && IsBlank(*p)) ++p;
  if (p < end && *p == ',') {
    ++p;
    while (p < end && IsBlank(*p)) ++p;
  }
  return p < end && *p != ',';
}

constexpr double EXACT_POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int MAX_EXACT_POWER = 22;
constexpr uint64_t MAX_EXACT_MANTISSA = 1ull << 53;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number whose digits and power of ten are exact in a
// double: one correctly rounded multiplication or division gives the
// value from_chars would (Clinger's fast path). Anything else is left to
// from_chars.
bool ExactDecimal(const char*& p, const char* end, double& value) {
  const char* q = p;
  const bool negative = q < end && *q == '-';
  if (negative) ++q;
  // At most 19 digits, leading zeros included, fit the 64-bit mantissa.
  uint64_t mantissa = 0;
  const char* const digitsStart = q;
  for (; q < end && IsDigit(*q); ++q) mantissa = mantissa * 10 + static_cast<uint64_t>(*q - '0');
  long digits = q - digitsStart;
  int exponent = 0;  // power of ten of the last digit
  if (q < end && *q == '.') {
    const char* const fractionStart = ++q;
    for (; q < end && IsDigit(*q); ++q) mantissa = mantissa * 10 + static_cast<uint64_t>(*q - '0');
    exponent = -static_cast<int>(q - fractionStart);
    digits += q - fractionStart;
  }
  if (digits == 0 || digits > 19) return false;
  if (q < end && (*q == 'E' || *q == 'e')) {
    ++q;
    bool negativeExponent = false;
    if (q < end && (*q == '+' || *q == '-')) negativeExponent = *q++ == '-';
    int written = 0, count = 0;
    for (; q < end && IsDigit(*q) && count < 5; ++q, ++count) written = written * 10 + (*q - '0');
    if (count == 0 || count == 5) return false;
    exponent += negativeExponent ? -written : written;
  }
  if (mantissa > MAX_EXACT_MANTISSA) return false;
  if (mantissa == 0) exponent = 0;
  if (exponent < -MAX_EXACT_POWER || exponent > MAX_EXACT_POWER) return false;
  double v = static_cast<double>(mantissa);
  v = exponent < 0 ? v / EXACT_POWERS_OF_TEN[-exponent] : v * EXACT_POWERS_OF_TEN[exponent];
  value = negative ? -v : v;
  p = q;
  return true;
}

bool EndsValue(const char* p, const char* end) {
  return p == end || IsBlank(*p) || *p == ',' || *p == '\r' || *p == '\n';
}

}  // namespace

bool ParsePointLineFast(std::string_view text, double& x, double& y, std::size_t& length) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  while (p < end && IsBlank(*p)) ++p;
  if (!ExactDecimal(p, end, x) || !EndsValue(p, end)) return false;
  while (p < end && IsBlank(*p)) ++p;
  if (p < end && *p == ',') ++p;
  while (p < end && IsBlank(*p)) ++p;
  if (!ExactDecimal(p, end, y)) return false;
  while (p < end && IsBlank(*p)) ++p;
  if (p != end && *p != '\r' && *p != '\n') return false;
  length = static_cast<std::size_t>(p - begin);
  return true;
}

void AppendExact(std::string& out, double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  for (char* p = buffer; p < result.ptr; ++p)
    out += (*p >= 'a' && *p <= 'z') ? static_cast<char>(*p - 'a' + 'A') : *p;
}

bool ParseTwoReals(std::string_view line, double& x, double& y) {
  const char* p = line.data();
  const char* end = p + line.size();
  double a = 0.0, b = 0.0;
  if (FastReal(p, end, a) && FastSeparator(p, end) && FastReal(p, end, b)) {
    x = a;
    y = b;
    return true;
  }
  // Plus signs, D exponents, empty values, out-of-range values.
  FreeFormReader reader(line);
  if (!reader.Next(a) || !reader.Next(b)) return false;
  x = a;
  y = b;
  return true;
}

bool ReadIntegerFields(std::string_view line, int count, int width, int* values) {
  {
    FreeFormReader reader(line);
    int i = 0;
    while (i < count && reader.Next(values[i])) ++i;
    if (i == count) return true;
  }
  for (int i = 0; i < count; ++i) {
    const std::size_t start = static_cast<std::size_t>(i) * static_cast<std::size_t>(width);
    if (start >= line.size()) return false;
    FreeFormReader field(line.substr(start, static_cast<std::size_t>(width)));
    if (!field.Next(values[i]) || !field.AtEnd()) return false;
  }
  return true;
}

bool ReadRealFields(std::string_view line, int count, int width, double* values) {
  {
    FreeFormReader reader(line);
    int i = 0;
    while (i < count && reader.Next(values[i])) ++i;
    if (i == count) return true;
  }
  for (int i = 0; i < count; ++i) {
    const std::size_t start = static_cast<std::size_t>(i) * static_cast<std::size_t>(width);
    if (start >= line.size()) return false;
    FreeFormReader field(line.substr(start, static_cast<std::size_t>(width)));
    if (!field.Next(values[i]) || !field.AtEnd()) return false;
  }
  return true;
}

}  // namespace merva
