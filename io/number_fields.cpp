#include "io/number_fields.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "core/messages.h"
#include "core/number_text.h"
#include "io/import_common.h"

namespace merva {

namespace {

// Clinger's fast path: up to 15 significant digits and a power of ten up
// to 22 are exact in a double, so one multiplication or division rounds
// correctly. Reads a number at the start of [p, end) and returns where it
// stops; null when the text needs the full conversion (or is no number).
const char* ScanPlainDecimal(const char* p, const char* end, double& value) {
  static constexpr double POWERS[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (p >= end) return nullptr;
  const bool negative = *p == '-';
  if (negative) ++p;
  // Up to 19 digits cannot overflow 64 bits; more go the general way.
  uint64_t mantissa = 0;
  const char* first = p;
  for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p)
    mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
  std::ptrdiff_t digits = p - first;
  int scale = 0;
  if (p < end && *p == '.') {
    const char* fraction = ++p;
    for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p)
      mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    scale = -static_cast<int>(p - fraction);
    digits += p - fraction;
  }
  if (digits == 0 || digits > 19 || mantissa > (uint64_t{1} << 53)) return nullptr;
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negativeExponent = false;
    if (p < end && (*p == '-' || *p == '+')) negativeExponent = *p++ == '-';
    int exponent = 0;
    const char* exponentDigits = p;
    for (; p < end && *p >= '0' && *p <= '9' && exponent < 1000; ++p)
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

}  // namespace

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

int NextColumnNumber(std::string_view& rest, ColumnSeparator kind, double& value) {
  if (kind != ColumnSeparator::Blanks && rest.data() != nullptr) {
    // One pass over a plain number and its separator; anything else goes
    // the general way below from the field's start.
    const char separator = kind == ColumnSeparator::Comma ? ',' : '\t';
    const char* p = rest.data();
    const char* end = p + rest.size();
    while (p < end && (*p == ' ' || (*p == '\t' && separator != '\t'))) ++p;
    if (const char* stop = ScanPlainDecimal(p, end, value)) {
      while (stop < end && (*stop == ' ' || (*stop == '\t' && separator != '\t'))) ++stop;
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
  std::string_view field;
  if (!NextColumnField(rest, kind, field)) return -1;
  return ReadNumberField(field, value) ? 1 : 0;
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
