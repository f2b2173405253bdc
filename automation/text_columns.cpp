#include "automation/text_columns.h"

#include <vector>

#include "core/array_sizing.h"
#include "core/messages.h"
#include "core/number_text.h"

namespace merva {

namespace {

bool IsFieldSeparator(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 1 && u <= 32) || c == ',';
}

// The fields of one line; false when a field is not a number.
bool ReadFields(std::string_view line, std::vector<double>& fields) {
  fields.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsFieldSeparator(line[i])) ++i;
    std::size_t j = i;
    while (j < line.size() && !IsFieldSeparator(line[j])) ++j;
    if (j > i) {
      double value = 0;
      if (!ParseReal(line.substr(i, j - i), value)) return false;
      fields.push_back(value);
    }
    i = j;
  }
  return true;
}

}  // namespace

Status ReadTextColumns(PlotDocument& d, std::string_view text, int firstCurve, int& curvesAdded) {
  curvesAdded = 0;
  const Status readError = Status::Failure(std::string("Error reading numbers."));
  // Everything is read first, so that a bad line leaves the document alone.
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  std::vector<std::vector<double>> rows;
  std::vector<double> fields;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\r', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (!ReadFields(line, fields)) return readError;
    if (!fields.empty()) {
      if (!rows.empty() && fields.size() != rows.front().size()) return readError;
      rows.push_back(fields);
    }
    start = end + 1;
  }
  if (rows.empty()) return readError;
  const int columns = static_cast<int>(rows.front().size());
  const int yColumns = columns == 1 ? 1 : columns - 1;
  const int lastCurve = firstCurve + yColumns - 1;
  if (firstCurve < 1 || lastCurve > MAX_CURVE_SLOTS)
    return Status::Failure("Too many curves (" + std::to_string(lastCurve) +
                           ") ... Maximum is 100.");
  const long long wanted = static_cast<long long>(rows.size());
  const int rowsWanted = wanted > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(wanted);

  Status status = Status::Success();
  if (lastCurve > d.maxCurves || rowsWanted > d.maxPoints) {
    const int curves = std::max(lastCurve, d.maxCurves);
    const int points = std::max(rowsWanted, d.maxPoints);
    Status grown = Reallocate(d, curves, points);
    if (!grown.Ok()) {
      if (grown.fatal || !d.HasMatrices()) return grown;
      if (lastCurve > d.maxCurves) return grown;
      status = grown;
      status.result = 1;
      status.Add(MSG_CLIPBOARD_POINTS_EXCEEDED);
    }
  }
  const int points = std::min(rowsWanted, d.maxPoints);
  for (int k = 0; k < yColumns; ++k) {
    const int curve = firstCurve + k;
    for (int p = 1; p <= points; ++p) {
      const std::vector<double>& row = rows[static_cast<std::size_t>(p - 1)];
      const double x = columns == 1 ? p : row[0];
      const double y = columns == 1 ? row[0] : row[static_cast<std::size_t>(k + 1)];
      d.X(curve, p) = static_cast<float>(x);
      d.Y(curve, p) = static_cast<float>(y);
    }
    d.pointCount[curve] = points;
    d.InvalidateCurveStates(curve);
  }
  if (lastCurve > d.curveCount) {
    curvesAdded = lastCurve - d.curveCount;
    d.curveCount = lastCurve;
  }
  d.MarkChanged();
  return status;
}

}  // namespace merva
