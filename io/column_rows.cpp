#include "io/column_rows.h"

namespace merva {

bool ReadColumnRow(std::string_view line, const ColumnRowLayout& layout, double* values) {
  std::string_view rest = line, field;
  for (int column = 1; column <= layout.lastColumn; ++column) {
    if (!layout.taken[static_cast<std::size_t>(column)]) {  // may hold anything
      if (!NextColumnField(rest, layout.separator, field)) return false;
      continue;
    }
    if (NextColumnNumber<true>(rest, layout.separator, values[column]) != 1) return false;
  }
  return true;
}

bool OnlySeparators(std::string_view line) {
  for (char c : line)
    if (!IsFieldSeparator(c)) return false;
  return true;
}

}  // namespace merva
