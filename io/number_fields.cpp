#include "io/number_fields.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "core/messages.h"
#include "core/number_text.h"
#include "io/decimal_scan.h"
#include "io/import_common.h"

namespace merva {

bool ReadNumberField(std::string_view field, double& value) {
  if (field.empty()) return false;
  const char* end = field.data() + field.size();
  if (ScanPlainDecimal(field.data(), end, value) == end) return true;
  // Most fields are plain: no copy, no second look.
  auto result = std::from_chars(field.data(), end, value, std::chars_format::general);
  if (result.ec == std::errc() && result.ptr == end) return true;
  return ParseReal(field, value);
}

bool NextField(std::string_view& rest, std::string_view& field) {
  std::size_t i = 0;
  const std::size_t n = rest.size();
  while (i < n && IsFieldSeparator(rest[i])) ++i;
  if (i == n) {
    rest = {};
    return false;
  }
  std::size_t j = i;
  while (j < n && !IsFieldSeparator(rest[j])) ++j;
  field = rest.substr(i, j - i);
  rest.remove_prefix(j);
  return true;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

bool NextColumnField(std::string_view& rest, ColumnSeparator kind, std::string_view& field) {
  if (kind == ColumnSeparator::Blanks) return NextField(rest, field);
  if (rest.data() == nullptr) return false;  // past the last field
  const char separator = kind == ColumnSeparator::Comma ? ',' : '\t';
  const std::size_t at = rest.find(separator);
  if (at == std::string_view::npos) {
    field = TrimBlanks(rest);
    rest = std::string_view();
  } else {
    field = TrimBlanks(rest.substr(0, at));
    rest.remove_prefix(at + 1);
  }
  return true;
}

int LeadingNumberCount(std::string_view line, int limit) {
  int count = 0;
  std::string_view field;
  double value = 0;
  while (count < limit && NextField(line, field) && ReadNumberField(field, value)) ++count;
  return count;
}

namespace {

// Calls `row(fields, count)` for each line with fields; false when a field
// is not a number or a line's count differs from the first line's.
template <typename Row>
bool ForEachRow(std::string_view text, int& columns, Row row) {
  constexpr int MAX_FIELDS = MAX_CURVE_SLOTS + 2;
  double values[MAX_FIELDS];
  columns = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\r', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view rest = text.substr(start, end - start);
    start = end + 1;
    int count = 0;
    std::string_view field;
    while (NextField(rest, field)) {
      double value = 0;
      if (!ReadNumberField(field, value)) return false;
      if (count < MAX_FIELDS) values[count] = value;
      ++count;
    }
    if (count == 0) continue;
    if (columns == 0) columns = count;
    if (count != columns) return false;
    row(values, count);
  }
  return columns > 0;
}

}  // namespace

Status ParseNumberText(PlotDocument& d, std::string_view text, int firstCurve, int& curvesAdded,
                       int curveLimit) {
  curvesAdded = 0;
  const Status readError = Status::Failure(std::string(NUMBER_TEXT_ERROR));
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  // A first pass checks and counts, so that a bad line leaves the document
  // alone and no copy of the rows is needed.
  long long rows = 0;
  int columns = 0;
  if (!ForEachRow(text, columns, [&](const double*, int) { ++rows; })) return readError;
  int yColumns = columns == 1 ? 1 : columns - 1;
  if (curveLimit > 0 && yColumns > curveLimit) yColumns = curveLimit;
  const int lastCurve = firstCurve + yColumns - 1;
  if (firstCurve < 1 || lastCurve > MAX_CURVE_SLOTS)
    return Status::Failure("Too many curves (" + std::to_string(lastCurve) +
                           ") ... Maximum is 100.");

  Status status = Status::Success();
  Status room = MakeRoom(d, firstCurve, lastCurve, rows);
  if (!room.Ok()) {
    if (room.fatal || !d.HasMatrices() || lastCurve > d.maxCurves) return room;
    status = room;
    status.result = 1;
    status.Add(MSG_CLIPBOARD_POINTS_EXCEEDED);
  }
  const int points = static_cast<int>(std::min<long long>(rows, d.maxPoints));
  int p = 0;
  ForEachRow(text, columns, [&](const double* v, int) {
    if (++p > points) return;
    for (int k = 0; k < yColumns; ++k) {
      d.X(firstCurve + k, p) = static_cast<float>(columns == 1 ? p : v[0]);
      d.Y(firstCurve + k, p) = static_cast<float>(columns == 1 ? v[0] : v[k + 1]);
    }
  });
  for (int k = 0; k < yColumns; ++k) FinishCurve(d, firstCurve + k, points);
  if (lastCurve > d.curveCount) curvesAdded = lastCurve - d.curveCount;
  CountCurvesUpTo(d, lastCurve);
  return status;
}

int NumberTextCurves(std::string_view text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  int columns = 0;
  if (!ForEachRow(text, columns, [](const double*, int) {}) || columns < 1) return 0;
  return columns == 1 ? 1 : columns - 1;
}

}  // namespace merva
