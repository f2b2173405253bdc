#pragma once

// Files of numbers in columns (file type 4): the pattern of data columns
// is found in the first lines, then every data line gives one point of
// each chosen Y column.

#include <functional>
#include <string>
#include <vector>

#include "core/plot_document.h"
#include "core/status.h"
#include "io/column_rows.h"
#include "io/number_fields.h"

namespace merva {

constexpr int COLUMN_SEARCH_LINES = 51;
constexpr int COLUMN_PATTERN_RUN = 3;

class LineReader;

struct ColumnPattern {
  int columns = 0;              // numeric columns, 1..16
  long long firstDataLine = 0;  // 1-based
  ColumnSeparator separator = ColumnSeparator::Blanks;
};

struct ColumnChoice {
  int xColumn = 0;            // 0: X is the point number
  std::vector<int> yColumns;  // 1-based, at most 16
};

// The choice of the command language: X column 1 and Y the others; with a
// single column, X the point number.
ColumnChoice DefaultColumnChoice(const ColumnPattern& pattern);

// Looks at the first 51 lines for 3 lines in a row with the same count of
// leading numbers. Failure: "Unable to find a pattern of data columns in ".
Status DetectColumns(LineReader& reader, const std::string& path, ColumnPattern& pattern);

// Asks the user which columns to take; false on cancel.
using ColumnChooser = std::function<bool(const ColumnPattern&, ColumnChoice&)>;

// Reads the file's columns into curves from `firstCurve` on, one curve per
// Y column, all sharing the X values. Without a chooser (command mode) the
// default choice is taken; a chooser is asked only for 2 or more columns.
// A later line without the chosen columns fails with "Error interpreting
// data values in " and its line number; blank lines are skipped.
Status ImportColumns(PlotDocument& document, const std::string& path, int firstCurve,
                     const ColumnChooser& chooser = nullptr);

}  // namespace merva
