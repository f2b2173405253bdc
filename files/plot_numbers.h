#pragma once

// Number texts of plot-file records beyond core/number_text.h: the exact
// free-form text of a real, the fast X,Y line of the curve block, and the
// fixed-column fallback of records whose fields may touch.

#include <string>
#include <string_view>

namespace merva {

// Shortest text that reads back to exactly `value` (upper-case E).
void AppendExact(std::string& out, double value);

// Reads the first two values of a line into x, y (free-form, as
// FreeFormReader); false when the line does not start with two numbers.
bool ParseTwoReals(std::string_view line, double& x, double& y);

// True when the value fits a single-precision number (or is not finite).
bool FitsFloat(double value);

// Reads `count` integers from a line: free-form when that yields `count`
// values, else as fields of `width` columns (values written without room
// for a separator run together). False when neither works.
bool ReadIntegerFields(std::string_view line, int count, int width, int* values);

// The same for reals in fields of `width` columns.
bool ReadRealFields(std::string_view line, int count, int width, double* values);

}  // namespace merva
