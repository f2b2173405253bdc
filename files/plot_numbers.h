#pragma once

// Number texts of plot-file records beyond core/number_text.h: the exact
// free-form text of a real, the fast X,Y line of the curve block, and the
// fixed-column fallback of records whose fields may touch.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace merva {

// Shortest text that reads back to exactly `value` (upper-case E).
void AppendExact(std::string& out, double value);

// Reads the first two values of a line into x, y (free-form, as
// FreeFormReader); false when the line does not start with two numbers.
bool ParseTwoReals(std::string_view line, double& x, double& y);

// True when the value fits a single-precision number (or is not finite).
inline bool FitsFloat(double value) {
  const double magnitude = value < 0 ? -value : value;
  // NaN compares false and passes, as the infinities do.
  return !(magnitude > std::numeric_limits<float>::max()) ||
         magnitude == std::numeric_limits<double>::infinity();
}

// The common case of an X,Y line: two plain decimal numbers at the start
// of `text`, separated by blanks and/or one comma, followed by blanks and
// then a line end or the end of the text. On success `length` is the
// length of the line without its line end. False sends the line to the
// general reader (other notations, more values, bad input).
bool ParsePointLineFast(std::string_view text, double& x, double& y, std::size_t& length);

// Reads `count` integers from a line: free-form when that yields `count`
// values, else as fields of `width` columns (values written without room
// for a separator run together). False when neither works.
bool ReadIntegerFields(std::string_view line, int count, int width, int* values);

// The same for reals in fields of `width` columns.
bool ReadRealFields(std::string_view line, int count, int width, double* values);

}  // namespace merva
