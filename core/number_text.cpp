#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace merva {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Digits of |value| rounded to `digits` significant digits, and the decimal
// exponent of the first digit (value = 0.d1d2... x 10^(exponent + 1)).
void RoundedDigits(double value, int digits, std::string& mantissa, int& exponent) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                              std::chars_format::scientific, digits - 1);
  std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  mantissa.clear();
  for (char c : text.substr(0, e))
    if (c != '.') mantissa += c;
  int exp = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exp);
  exponent = exp;
}

}  // namespace

int WriteG7(char* buffer, double value) {
  auto result = std::to_chars(buffer, buffer + 31, value, std::chars_format::general, 7);
  const int n = static_cast<int>(result.ptr - buffer);
  for (int i = 0; i < n; ++i) buffer[i] = Upper(buffer[i]);
  buffer[n] = '\0';
  return n;
}

void AppendG(std::string& out, double value, int precision) {
  char buffer[400];
  if (precision < 1) precision = 1;
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
  for (char* p = buffer; p < result.ptr; ++p) out += Upper(*p);
}

std::string FormatG(double value, int precision) {
  std::string out;
  AppendG(out, value, precision);
  return out;
}

std::string FormatI(long long value, int width) { return FormatIm(value, width, 1); }

std::string FormatIm(long long value, int width, int minDigits) {
  const bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
  std::string digits = std::to_string(magnitude);
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  if (negative) digits.insert(0, 1, '-');
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), ' ');
  return digits;
}

std::string FormatGwd(double value, int width, int digits) {
  if (!std::isfinite(value)) {  // as "%G" writes it, so that it reads back
    std::string text = FormatG(value);
    if (static_cast<int>(text.size()) < width)
      text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
  }
  std::string mantissa;
  int exponent = 0;
  if (value != 0.0) RoundedDigits(value, digits, mantissa, exponent);
  const int k = exponent + 1;  // 10^(k-1) <= |v| < 10^k after rounding
  std::string text;
  if (value != 0.0 && k >= 0 && k <= digits) {
    char buffer[400];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits - k);
    text.assign(buffer, result.ptr);
    if (digits == k) text += '.';  // no decimals: the point stays
    if (static_cast<int>(text.size()) < width - 4)
      text.insert(0, static_cast<std::size_t>(width - 4) - text.size(), ' ');
    text.append(4, ' ');
    return text;
  }
  if (value == 0.0) {
    mantissa.assign(static_cast<std::size_t>(digits), '0');
    exponent = -1;
  }
  const int shown = exponent + 1;
  text = value < 0 ? "-0." : "0.";
  text += mantissa;
  const int magnitude = shown < 0 ? -shown : shown;
  if (magnitude <= 99) {
    text += 'E';
    text += shown < 0 ? '-' : '+';
    text += static_cast<char>('0' + magnitude / 10);
    text += static_cast<char>('0' + magnitude % 10);
  } else {  // three exponent digits take the place of the E
    text += shown < 0 ? '-' : '+';
    text += std::to_string(magnitude);
  }
  if (static_cast<int>(text.size()) > width && text[value < 0 ? 1 : 0] == '0')
    text.erase(value < 0 ? 1 : 0, 1);  // the optional leading zero
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

std::string FormatZ(uint32_t value, int width) {
  static const char hex[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), hex[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  return text;
}

bool ParseReal(std::string_view token, double& value) {
  if (token.empty()) return false;
  if (token.front() == '+') token.remove_prefix(1);
  if (token.empty() || token.front() == '+') return false;
  const char* first = token.data();
  const char* last = token.data() + token.size();
  // Fortran's D exponent; copy only when one is present.
  char buffer[128];
  if (std::memchr(first, 'd', token.size()) || std::memchr(first, 'D', token.size())) {
    if (token.size() >= sizeof buffer) return false;
    for (std::size_t i = 0; i < token.size(); ++i)
      buffer[i] = (token[i] == 'd' || token[i] == 'D') ? 'E' : token[i];
    first = buffer;
    last = buffer + token.size();
  }
  double parsed = 0.0;
  auto result = std::from_chars(first, last, parsed, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range && result.ptr == last) {
    // Beyond the double range: the nearest representable value, as strtod.
    const std::string copy(first, last);
    parsed = std::strtod(copy.c_str(), nullptr);
  } else if (result.ec != std::errc() || result.ptr != last) {
    return false;
  }
  value = parsed;
  return true;
}

bool ParseInteger(std::string_view token, long long& value) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  if (token.empty() || token.front() == '+') return false;
  long long parsed = 0;
  auto result = std::from_chars(token.data(), token.data() + token.size(), parsed);
  if (result.ec != std::errc() || result.ptr != token.data() + token.size()) return false;
  value = parsed;
  return true;
}

std::string_view FreeFormReader::NextToken() {
  // Skip blanks and at most one comma: "1,,2" holds an empty value.
  std::size_t i = 0;
  while (i < rest_.size() && IsSeparator(rest_[i])) ++i;
  if (i < rest_.size() && rest_[i] == ',') {
    ++i;
    while (i < rest_.size() && IsSeparator(rest_[i])) ++i;
  }
  while (i < rest_.size() && rest_[i] == ',') {  // empty values
    ++i;
    while (i < rest_.size() && IsSeparator(rest_[i])) ++i;
  }
  std::size_t j = i;
  while (j < rest_.size() && !IsSeparator(rest_[j]) && rest_[j] != ',') ++j;
  std::string_view token = rest_.substr(i, j - i);
  rest_.remove_prefix(j);
  return token;
}

bool FreeFormReader::Next(double& value) {
  std::string_view saved = rest_;
  if (ParseReal(NextToken(), value)) return true;
  rest_ = saved;
  return false;
}

bool FreeFormReader::Next(float& value) {
  double v = 0.0;
  if (!Next(v)) return false;
  value = static_cast<float>(v);
  return true;
}

bool FreeFormReader::Next(long long& value) {
  std::string_view saved = rest_;
  if (ParseInteger(NextToken(), value)) return true;
  rest_ = saved;
  return false;
}

bool FreeFormReader::Next(int& value) {
  std::string_view saved = rest_;
  long long v = 0;
  if (Next(v) && v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max()) {
    value = static_cast<int>(v);
    return true;
  }
  rest_ = saved;
  return false;
}

bool FreeFormReader::NextLogical(bool& value) {
  std::string_view saved = rest_;
  std::string token = ToLower(NextToken());
  if (!token.empty() && token[0] == '.') token.erase(0, 1);
  if (!token.empty() && (token[0] == 't' || token[0] == 'f')) {
    value = token[0] == 't';
    return true;
  }
  rest_ = saved;
  return false;
}

bool FreeFormReader::AtEnd() {
  std::size_t i = 0;
  while (i < rest_.size() && (IsSeparator(rest_[i]) || rest_[i] == ',')) ++i;
  return i == rest_.size();
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsSeparator(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsSeparator(text.front())) text.remove_prefix(1);
  return text;
}

}  // namespace merva
