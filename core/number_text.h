#pragma once

// Number texts of the program's files: the C conversion "%.7G", the fixed
// field layouts (Iw, Iw.m, Gw.d, Zw) and the free-form reading of numbers
// separated by commas and/or blanks. The same on every platform: nothing
// here goes through the C runtime's printf.

#include <cstdint>
#include <string>
#include <string_view>

namespace merva {

// "%.*G" as the C standard defines it (upper-case E, at least two exponent
// digits, trailing zeros removed). Appends to `out`.
void AppendG(std::string& out, double value, int precision = 7);
std::string FormatG(double value, int precision = 7);
// Writes "%.7G" into `buffer` (at least 32 characters); returns the length.
int WriteG7(char* buffer, double value);

// Iw: right-justified in w columns. A value too wide for the field is
// written in full rather than as asterisks, so that nothing is lost.
std::string FormatI(long long value, int width);
// Iw.m: the same with at least m digits (leading zeros).
std::string FormatIm(long long value, int width, int minDigits);
// Gw.d: fixed notation and four blanks when 0.1 <= |v| < 10^d after
// rounding to d digits, else "0." + d digits + "E" + sign + two digits.
std::string FormatGwd(double value, int width, int digits);
// Zw: w upper-case hexadecimal digits with leading zeros.
std::string FormatZ(uint32_t value, int width);

// Free-form reading of one line. Values are separated by commas and/or
// blanks (and tabs); a second comma without a value between counts as an
// empty value that is skipped. Values beyond those asked for are ignored.
class FreeFormReader {
 public:
  explicit FreeFormReader(std::string_view line) : rest_(line) {}

  // Each returns false when no further value is on the line or the next
  // token is not a number of that kind (the value is then unchanged).
  bool Next(double& value);
  bool Next(float& value);
  bool Next(int& value);          // a whole number within 32 bits
  bool Next(long long& value);    // a whole number within 64 bits
  bool NextLogical(bool& value);  // T, F, .TRUE., .FALSE. (any case)

  // True when only separators are left.
  bool AtEnd();

 private:
  std::string_view NextToken();
  std::string_view rest_;
};

// Parses a whole token as a number in fixed or exponent notation (E or D).
bool ParseReal(std::string_view token, double& value);
bool ParseInteger(std::string_view token, long long& value);

// Lower-case copy (ASCII) and comparison without regard to case.
std::string ToLower(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// The text without trailing blanks (and tabs, CR, LF).
std::string_view TrimRight(std::string_view text);
std::string_view TrimLeft(std::string_view text);

}  // namespace merva
