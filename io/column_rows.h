#pragma once

// The data lines of a column file: the chosen fields of each line read
// in one pass, straight from the line's text.

#include <array>
#include <string_view>

#include "io/number_fields.h"

namespace merva {

constexpr int MAX_DATA_COLUMNS = 16;

struct ColumnRowLayout {
  ColumnSeparator separator = ColumnSeparator::Blanks;
  int lastColumn = 0;                              // fields read from each line
  std::array<bool, MAX_DATA_COLUMNS + 1> taken{};  // 1-based: must be numbers
};

// values[c] for each taken column c; false when a line lacks one of the
// first lastColumn fields or a taken field is not a number. The byte after
// the line must be its line end or a NUL, as LineReader leaves it.
bool ReadColumnRow(std::string_view line, const ColumnRowLayout& layout, double* values);

// True for a line of separators only (such lines are skipped).
bool OnlySeparators(std::string_view line);

}  // namespace merva
