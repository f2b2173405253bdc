#include "io/column_import.h"

#include <algorithm>
#include <array>

#include "io/import_common.h"
#include "io/line_reader.h"

namespace merva {

ColumnChoice DefaultColumnChoice(const ColumnPattern& pattern) {
  ColumnChoice choice;
  if (pattern.columns <= 1) {
    choice.yColumns = {1};
    return choice;
  }
  choice.xColumn = 1;
  for (int c = 2; c <= pattern.columns; ++c) choice.yColumns.push_back(c);
  return choice;
}

Status DetectColumns(LineReader& reader, const std::string& path, ColumnPattern& pattern) {
  int runCount = 0, runLength = 0;
  long long runStart = 0;
  std::string_view line;
  bool tooLong = false;
  while (reader.LineNumber() < COLUMN_SEARCH_LINES && reader.Next(line, tooLong)) {
    const int count = tooLong ? 0 : LeadingNumberCount(line, MAX_DATA_COLUMNS);
    if (count != 0 && count == runCount) {
      ++runLength;
    } else {
      runCount = count;
      runLength = 1;
      runStart = reader.LineNumber();
    }
    if (runCount != 0 && runLength == 1) {
      pattern.separator = line.find(',') != std::string_view::npos    ? ColumnSeparator::Comma
                          : line.find('\t') != std::string_view::npos ? ColumnSeparator::Tab
                                                                      : ColumnSeparator::Blanks;
    }
    if (runCount != 0 && runLength == COLUMN_PATTERN_RUN) {
      pattern.columns = runCount;
      pattern.firstDataLine = runStart;
      return Status::Success();
    }
  }
  return Status::Failure("Unable to find a pattern of data columns in " + path);
}

namespace {

// Where the values of a line go: the columns read, and the curve of each.
struct RowTargets {
  ColumnRowLayout layout;
  int curveOf[MAX_DATA_COLUMNS] = {};   // curve of the k-th stored column
  int columnOf[MAX_DATA_COLUMNS] = {};  // and its column
  int stored = 0;
  std::array<int, MAX_DATA_COLUMNS> copyOf{};  // Y columns that repeat: from this curve
};

// False for a column outside the pattern.
bool MapColumns(const ColumnChoice& choice, int columns, int firstCurve, RowTargets& t) {
  t.layout.lastColumn = std::max(t.layout.lastColumn, choice.xColumn);
  if (choice.xColumn > 0) t.layout.taken[static_cast<std::size_t>(choice.xColumn)] = true;
  std::array<int, MAX_DATA_COLUMNS + 1> curveOfColumn{};
  for (std::size_t k = 0; k < choice.yColumns.size(); ++k) {
    const int column = choice.yColumns[k];
    if (column < 1 || column > columns) return false;
    const int curve = firstCurve + static_cast<int>(k);
    int& first = curveOfColumn[static_cast<std::size_t>(column)];
    if (first > 0) {
      t.copyOf[k] = first;
      continue;
    }
    first = curve;
    t.curveOf[t.stored] = curve;
    t.columnOf[t.stored++] = column;
    t.layout.taken[static_cast<std::size_t>(column)] = true;
    t.layout.lastColumn = std::max(t.layout.lastColumn, column);
  }
  return true;
}

Status LineFailure(const std::string& path, long long line) {
  return Status::Failure("Error interpreting data values in " + path + ", line " +
                         std::to_string(line) + ".");
}

}  // namespace

Status ImportColumns(PlotDocument& d, const std::string& path, int firstCurve,
                     const ColumnChooser& chooser) {
  LineReader reader;
  if (!reader.Open(path)) return OpenFailure(path);
  ColumnPattern pattern;
  Status found = DetectColumns(reader, path, pattern);
  if (!found.Ok()) return found;
  ColumnChoice choice = DefaultColumnChoice(pattern);
  if (chooser && pattern.columns >= 2 && !chooser(pattern, choice)) return Status::Failure();
  if (choice.yColumns.empty() || choice.yColumns.size() > MAX_DATA_COLUMNS || choice.xColumn < 0 ||
      choice.xColumn > pattern.columns)
    return Status::Failure();
  const int curves = static_cast<int>(choice.yColumns.size());
  const int lastCurve = firstCurve + curves - 1;

  // The data lines are at most the lines from the first one on: one growth.
  if (!reader.Rewind()) return OpenFailure(path);
  std::string_view line;
  while (reader.LineNumber() < pattern.firstDataLine - 1 && reader.Next(line)) {
  }
  const long long lines = reader.CountRemainingLines();
  Status room = MakeRoom(d, firstCurve, lastCurve, lines);
  if (!room.Ok()) return room;

  RowTargets t;
  t.layout.separator = pattern.separator;
  if (!MapColumns(choice, pattern.columns, firstCurve, t)) return Status::Failure();
  float* out[MAX_DATA_COLUMNS];
  for (int k = 0; k < t.stored; ++k) out[k] = d.yValues.Column(t.curveOf[k]);
  float* xOut = d.xValues.Column(firstCurve);
  double values[MAX_DATA_COLUMNS + 1] = {};
  int p = 0;
  bool tooLong = false;
  while (reader.Next(line, tooLong)) {
    if (tooLong || p >= d.maxPoints || !ReadColumnRow(line, t.layout, values)) {
      if (!tooLong && OnlySeparators(line)) continue;
      return LineFailure(path, reader.LineNumber());
    }
    for (int k = 0; k < t.stored; ++k) out[k][p] = static_cast<float>(values[t.columnOf[k]]);
    const double x = choice.xColumn > 0 ? values[choice.xColumn] : p + 1;
    xOut[p++] = static_cast<float>(x);
  }
  if (reader.ReadError()) return Status::Failure("Error reading " + path);
  // Every Y column shares the X values of the first.
  for (int k = 0; k < curves; ++k) {
    const int curve = firstCurve + k;
    if (k > 0) std::copy(xOut, xOut + p, d.xValues.Column(curve));
    if (t.copyOf[static_cast<std::size_t>(k)] > 0) {
      const float* from = d.yValues.Column(t.copyOf[static_cast<std::size_t>(k)]);
      std::copy(from, from + p, d.yValues.Column(curve));
    }
    FinishCurve(d, curve, p);
  }
  CountCurvesUpTo(d, lastCurve);
  return Status::Success();
}

}  // namespace merva
