#pragma once

// Data files of any text layout read under a format-description file
// (file type 99). Each description line starts with a keyword in a
// 10-character field; its values follow free-form.

#include <string>
#include <vector>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

constexpr int DESCRIPTION_KEYWORD_WIDTH = 10;
constexpr int DESCRIBED_LABEL_LIMIT = 80;

// Columns first..last (1-based, inclusive) of a data-file line.
struct TextSpan {
  long long line = 0;
  int first = 0;
  int last = 0;
};

struct FormatDescription {
  bool hasDataText = false;
  std::string dataText;  // the data start after the line holding it
  long long dataStart = 1;
  std::vector<TextSpan> legends;  // k-th: curve k
  // NOTE: the note's text is `noteLines` lines from `noteLine` on.
  bool hasNote = false;
  long long noteLine = 0;
  int noteLines = 0;
  double noteX = 0, noteY = 0;
  int noteAttribute1 = 0, noteAttribute2 = 0;
  // NUMPOINTS: n > 0 points; n < 0 the count is the first number on line
  // -n; 0 every data line to the end.
  long long numPoints = 0;
  std::vector<long long> titleLines;  // at most 3
  bool hasXLabel = false, hasYLabel = false, hasY2Label = false;
  TextSpan xLabel, yLabel, y2Label;
  int xColumn = 1;                         // 0: X is the point number
  std::vector<int> yColumns;               // default: column 2
  std::vector<std::pair<int, int>> yAxes;  // YDATAAXIS: curve k, axis 1..4
};

// Reads the description; a line it does not understand fails with
// "Error in the format description " + path + ", line " + n + ".".
Status ReadFormatDescription(const std::string& path, FormatDescription& description);

Status ImportDescribedText(PlotDocument& document, const std::string& dataPath,
                           const std::string& descriptionPath, int firstCurve);

// Splits "data@description" the way the hand-off does: a description
// without "\", "/" or ":" lies in the data file's folder.
void SplitDescribedPath(const std::string& text, std::string& dataPath,
                        std::string& descriptionPath);

}  // namespace merva
