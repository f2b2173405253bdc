#include "io/column_import.h"

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

bool OnlySeparators(std::string_view line) {
  for (char c : line)
    if (!IsFieldSeparator(c)) return false;
  return true;
}

// Where each field of a line goes: 0 nowhere, -1 X, k >= 1 curve k.
struct FieldMap {
  std::array<int, MAX_DATA_COLUMNS + 1> target{};
  int lastColumn = 0;
};

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

  // Y columns that repeat are copied from the first curve of the column.
  FieldMap map;
  std::array<int, MAX_DATA_COLUMNS> copyOf{};
  for (int k = 0; k < curves; ++k) {
    const int column = choice.yColumns[static_cast<std::size_t>(k)];
    if (column < 1 || column > pattern.columns) return Status::Failure();
    if (map.target[static_cast<std::size_t>(column)] > 0) {
      copyOf[static_cast<std::size_t>(k)] = map.target[static_cast<std::size_t>(column)];
    } else {
      map.target[static_cast<std::size_t>(column)] = firstCurve + k;
    }
    map.lastColumn = std::max(map.lastColumn, column);
  }
  if (choice.xColumn > 0) {
    if (map.target[static_cast<std::size_t>(choice.xColumn)] == 0)
      map.target[static_cast<std::size_t>(choice.xColumn)] = -1;
    map.lastColumn = std::max(map.lastColumn, choice.xColumn);
  }

  float* xOut = d.xValues.Column(firstCurve);
  int p = 0;
  bool tooLong = false;
  while (reader.Next(line, tooLong)) {
    if (!tooLong && OnlySeparators(line)) continue;
    if (tooLong || p >= d.maxPoints)
      return Status::Failure("Error interpreting data values in " + path + ", line " +
                             std::to_string(reader.LineNumber()) + ".");
    std::string_view rest = line, field;
    int column = 0;
    bool bad = false;
    double x = p + 1;
    while (!bad && column < map.lastColumn) {
      const int target = map.target[static_cast<std::size_t>(column + 1)];
      double value = 0;
      if (target == 0) {  // a column not taken may hold anything
        if (!NextColumnField(rest, pattern.separator, field)) break;
        ++column;
        continue;
      }
      const int read = NextColumnNumber(rest, pattern.separator, value);
      if (read < 0) break;
      ++column;
      bad = read == 0;
      if (column == choice.xColumn) x = value;
      if (target > 0) d.yValues.Column(target)[p] = static_cast<float>(value);
    }
    if (bad || column < map.lastColumn)
      return Status::Failure("Error interpreting data values in " + path + ", line " +
                             std::to_string(reader.LineNumber()) + ".");
    xOut[p++] = static_cast<float>(x);
  }
  if (reader.ReadError()) return Status::Failure("Error reading " + path);
  // Every Y column shares the X values of the first.
  for (int k = 0; k < curves; ++k) {
    const int curve = firstCurve + k;
    if (k > 0) std::copy(xOut, xOut + p, d.xValues.Column(curve));
    if (copyOf[static_cast<std::size_t>(k)] > 0) {
      const float* from = d.yValues.Column(copyOf[static_cast<std::size_t>(k)]);
      std::copy(from, from + p, d.yValues.Column(curve));
    }
    FinishCurve(d, curve, p);
  }
  CountCurvesUpTo(d, lastCurve);
  return Status::Success();
}

}  // namespace merva
