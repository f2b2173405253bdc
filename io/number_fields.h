#pragma once

// The one reader of numbers in text that every text importer shares: the
// clipboard, DDE text pokes and data links (ParseNumberText), and the
// column, point-list and described-file readers (the field helpers).

#include <string_view>

#include "core/plot_document.h"
#include "core/status.h"
#include "io/decimal_scan.h"

namespace merva {

// Characters 1..32 and the comma separate fields.
inline bool IsFieldSeparator(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 1 && u <= 32) || c == ',';
}

// A whole field as a number: fixed or exponent notation ("1e-3", "-.5",
// "1.E+05", a leading "+", Fortran's D exponent).
bool ReadNumberField(std::string_view field, double& value);

// Splits off the next field at runs of separators; false when only
// separators are left.
bool NextField(std::string_view& rest, std::string_view& field);

// Separators of a column file once its pattern is known: a comma or a tab
// ends exactly one field (so ",," holds an empty one); blanks collapse.
enum class ColumnSeparator { Blanks, Comma, Tab };
bool NextColumnField(std::string_view& rest, ColumnSeparator kind, std::string_view& field);

// NextColumnField and ReadNumberField in one: 1 when the next field is a
// number, 0 when it is not, -1 when no field is left. Inline: a plain
// number and its separator take one pass, anything else goes the general
// way from the field's start. `kTerminated`: as for ScanDecimal, the byte
// after `rest` stops a number.
template <bool kTerminated = false>
inline int NextColumnNumber(std::string_view& rest, ColumnSeparator kind, double& value) {
  if (rest.data() != nullptr) {
    const char* p = rest.data();
    const char* end = p + rest.size();
    if (kind == ColumnSeparator::Blanks) {
      while (p < end && IsFieldSeparator(*p)) ++p;
      const char* stop = ScanDecimal<kTerminated>(p, end, value);
      if (stop && (stop == end || IsFieldSeparator(*stop))) {
        rest = std::string_view(stop, static_cast<std::size_t>(end - stop));
        return 1;
      }
    } else {
      const char separator = kind == ColumnSeparator::Comma ? ',' : '\t';
      const auto blank = [separator](char c) {
        return c == ' ' || (c == '\t' && separator != '\t');
      };
      while (p < end && blank(*p)) ++p;
      if (const char* stop = ScanDecimal<kTerminated>(p, end, value)) {
        while (stop < end && blank(*stop)) ++stop;
        if (stop == end) {
          rest = std::string_view();
          return 1;
        }
        if (*stop == separator) {
          rest = std::string_view(stop + 1, static_cast<std::size_t>(end - stop - 1));
          return 1;
        }
      }
    }
  }
  std::string_view field;
  if (!NextColumnField(rest, kind, field)) return -1;
  return ReadNumberField(field, value) ? 1 : 0;
}

// Leading fields of a line that read as numbers, counting at most `limit`.
int LeadingNumberCount(std::string_view line, int limit);

// The failure text of a line that does not read as numbers.
constexpr const char* NUMBER_TEXT_ERROR = "Error reading numbers.";

// Lines end at CR (LF is a separator like any control character; a NUL
// ends the text). One field a line: X is the line number and Y the value.
// Several: the first field is X and field k+1 the Y of curve
// firstCurve + k - 1. Every line with fields must have as many as the
// first; otherwise, or for a field that is not a number, nothing changes
// and the result is 0. The arrays grow when the rows or curves need it;
// when the rows cannot be had, those up to the capacity are kept and
// message 122 follows. `curvesAdded`: the number of new curves.
// `curveLimit` > 0 reads at most that many curves (the columns after them
// are left out).
Status ParseNumberText(PlotDocument& document, std::string_view text, int firstCurve,
                       int& curvesAdded, int curveLimit = 0);

// The curves a text of numbers gives (its Y columns); 0 when it does not
// read as numbers.
int NumberTextCurves(std::string_view text);

}  // namespace merva
