#include "files/plot_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

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

}  // namespace

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

bool FitsFloat(double value) {
  return !std::isfinite(value) || std::fabs(value) <= std::numeric_limits<float>::max();
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
