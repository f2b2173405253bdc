#pragma once

// The quick reading of a plain decimal number that every text importer
// tries before the full conversion. Inline: it runs once per field of
// files of millions of numbers.

#include <cstddef>
#include <cstdint>

namespace merva {

// Clinger's fast path: up to 15 significant digits and a power of ten up
// to 22 are exact in a double, so one multiplication or division rounds
// correctly. Reads a number at the start of [p, end) and returns where it
// stops; null when the text needs the full conversion (or is no number).
// `kTerminated`: the byte at `end` is known to stop a number (a line end
// or NUL), so the characters are read without checking the bound.
template <bool kTerminated>
inline const char* ScanDecimal(const char* p, const char* end, double& value) {
  const auto within = [end](const char* q) { return kTerminated || q < end; };
  static constexpr double POWERS[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (p >= end) return nullptr;
  const bool negative = *p == '-';
  if (negative) ++p;
  // Up to 19 digits cannot overflow 64 bits; more go the general way.
  uint64_t mantissa = 0;
  const char* first = p;
  for (; within(p) && static_cast<unsigned>(*p - '0') < 10; ++p)
    mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
  std::ptrdiff_t digits = p - first;
  int scale = 0;
  if (within(p) && *p == '.') {
    const char* fraction = ++p;
    for (; within(p) && static_cast<unsigned>(*p - '0') < 10; ++p)
      mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    scale = -static_cast<int>(p - fraction);
    digits += p - fraction;
  }
  if (digits == 0 || digits > 19 || mantissa > (uint64_t{1} << 53)) return nullptr;
  if (within(p) && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negativeExponent = false;
    if (within(p) && (*p == '-' || *p == '+')) negativeExponent = *p++ == '-';
    int exponent = 0;
    const char* exponentDigits = p;
    for (; within(p) && *p >= '0' && *p <= '9' && exponent < 1000; ++p)
      exponent = exponent * 10 + (*p - '0');
    if (p == exponentDigits) return nullptr;
    scale += negativeExponent ? -exponent : exponent;
  }
  if (scale < -22 || scale > 22) return nullptr;
  double v = static_cast<double>(mantissa);
  v = scale < 0 ? v / POWERS[-scale] : v * POWERS[scale];
  value = negative ? -v : v;
  return p;
}

inline const char* ScanPlainDecimal(const char* p, const char* end, double& value) {
  return ScanDecimal<false>(p, end, value);
}

}  // namespace merva
