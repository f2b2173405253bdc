#include "io/described_text.h"

#include <algorithm>

#include "core/number_text.h"
#include "io/import_common.h"
#include "io/line_reader.h"
#include "io/number_fields.h"

namespace merva {

namespace {

constexpr int MAX_DESCRIBED_CURVES = MAX_CURVE_SLOTS;
constexpr int MAX_TITLE_LINES = 3;

Status DescriptionFailure(const std::string& path, long long line) {
  return Status::Failure("Error in the format description " + path + ", line " +
                         std::to_string(line) + ".");
}

bool ReadSpan(FreeFormReader& values, TextSpan& span) {
  long long line = 0;
  return values.Next(line) && values.Next(span.first) && values.Next(span.last) &&
         ((span.line = line), true);
}

// One keyword line; false when its values are missing or wrong.
bool ApplyKeyword(const std::string& keyword, FreeFormReader& values, LineReader& reader,
                  FormatDescription& f, bool& stop) {
  if (keyword == "DATATEXT") {
    std::string_view marker;
    if (!reader.Next(marker)) return false;
    f.dataText = std::string(TrimRight(marker));
    f.hasDataText = !f.dataText.empty();
    return f.hasDataText;
  }
  if (keyword == "DATASTART") return values.Next(f.dataStart) && f.dataStart >= 1;
  if (keyword == "LEGEND") {
    TextSpan span;
    if (!ReadSpan(values, span) || f.legends.size() >= MAX_DESCRIBED_CURVES) return false;
    f.legends.push_back(span);
    return true;
  }
  if (keyword == "NOTE") {
    f.hasNote = values.Next(f.noteLine) && values.Next(f.noteLines) && values.Next(f.noteX) &&
                values.Next(f.noteY) && values.Next(f.noteAttribute1) &&
                values.Next(f.noteAttribute2);
    return f.hasNote && f.noteLines >= 0;
  }
  if (keyword == "NUMPOINTS") return values.Next(f.numPoints);
  if (keyword == "STOP") return stop = true;
  if (keyword == "TITLE") {
    long long line = 0;
    if (!values.Next(line) || f.titleLines.size() >= MAX_TITLE_LINES) return false;
    f.titleLines.push_back(line);
    return true;
  }
  if (keyword == "XAXISLABEL") return f.hasXLabel = ReadSpan(values, f.xLabel);
  if (keyword == "YAXISLABEL") {
    if (!(f.hasYLabel = ReadSpan(values, f.yLabel))) return false;
    if (!values.AtEnd()) return f.hasY2Label = ReadSpan(values, f.y2Label);
    return true;
  }
  if (keyword == "XCOLUMN") return values.Next(f.xColumn) && f.xColumn >= 0;
  if (keyword == "YCOLUMN") {
    int column = 0;
    if (!values.Next(column) || column < 1 || f.yColumns.size() >= MAX_DESCRIBED_CURVES)
      return false;
    f.yColumns.push_back(column);
    return true;
  }
  if (keyword == "YDATAAXIS") {
    int curve = 0, axis = 0;
    if (!values.Next(curve) || !values.Next(axis) || curve < 1 || curve > MAX_CURVE_SLOTS ||
        axis < 1 || axis > MAX_Y_AXES)
      return false;
    f.yAxes.emplace_back(curve, axis);
    return true;
  }
  return false;
}

// Lines of the data file fetched by number: forward, or again from the top.
class LineFetcher {
 public:
  explicit LineFetcher(LineReader& reader) : reader_(reader) {}
  bool Fetch(long long number, std::string& text) {
    if (number < 1) return false;
    if (number <= reader_.LineNumber() && !reader_.Rewind()) return false;
    std::string_view line;
    bool tooLong = false;
    while (reader_.LineNumber() < number)
      if (!reader_.Next(line, tooLong)) return false;
    text.assign(line.data(), line.size());
    return true;
  }

 private:
  LineReader& reader_;
};

std::string SpanText(LineFetcher& fetcher, const TextSpan& span) {
  std::string line;
  if (!fetcher.Fetch(span.line, line) || span.first < 1 || span.last < span.first) return {};
  const std::size_t from = static_cast<std::size_t>(span.first - 1);
  if (from >= line.size()) return {};
  const std::size_t count =
      std::min(static_cast<std::size_t>(span.last) - from, line.size() - from);
  return std::string(TrimRight(std::string_view(line).substr(from, count)));
}

bool OnlySeparators(std::string_view line) {
  return std::all_of(line.begin(), line.end(), IsFieldSeparator);
}

// Field `column` (1-based) of a line as a number.
bool ColumnValue(std::string_view line, int column, double& value) {
  std::string_view field;
  for (int c = 1; c <= column; ++c)
    if (!NextField(line, field)) return false;
  return ReadNumberField(field, value);
}

// The first field of a line that reads as a number ("Points: 3").
bool FirstNumber(std::string_view line, double& value) {
  std::string_view field;
  while (NextField(line, field))
    if (ReadNumberField(field, value)) return true;
  return false;
}

void ApplyTexts(PlotDocument& d, const FormatDescription& f, LineFetcher& fetcher, int firstCurve,
                int curves) {
  FixedText<TITLE_WIDTH>* titles[MAX_TITLE_LINES] = {&d.title1, &d.title2, &d.title3};
  std::string text;
  for (std::size_t k = 0; k < f.titleLines.size(); ++k)
    if (fetcher.Fetch(f.titleLines[k], text)) titles[k]->Set(TrimRight(text));
  if (f.hasXLabel && f.xLabel.line > 0)
    d.xAxisLabel.Set(SpanText(fetcher, f.xLabel).substr(0, DESCRIBED_LABEL_LIMIT));
  if (f.hasYLabel && f.yLabel.line > 0) d.yAxisLabel.Set(SpanText(fetcher, f.yLabel));
  if (f.hasY2Label && f.y2Label.line > 0) d.y2AxisLabel.Set(SpanText(fetcher, f.y2Label));
  for (std::size_t k = 0; k < f.legends.size() && static_cast<int>(k) < curves; ++k)
    d.legendText[firstCurve + static_cast<int>(k)].Set(SpanText(fetcher, f.legends[k]));
  for (const auto& [curve, axis] : f.yAxes)
    if (curve <= curves) d.curveAxis[firstCurve + curve - 1] = axis;
  if (f.hasNote) {
    std::string note;
    for (int k = 0; k < f.noteLines; ++k) {
      if (!fetcher.Fetch(f.noteLine + k, text)) break;
      if (k > 0) note += "\r\n";
      note += TrimRight(text);
      if (note.size() > MAX_NOTE_LENGTH) break;
    }
    d.note.text = note.substr(0, MAX_NOTE_LENGTH);
    d.note.x = f.noteX;
    d.note.y = f.noteY;
    d.note.attribute1 = f.noteAttribute1;
    d.note.attribute2 = f.noteAttribute2;
  }
}

}  // namespace

Status ReadFormatDescription(const std::string& path, FormatDescription& f) {
  LineReader reader;
  if (!reader.Open(path)) return OpenFailure(path);
  std::string_view line;
  bool tooLong = false, stop = false;
  while (!stop && reader.Next(line, tooLong)) {
    const long long number = reader.LineNumber();
    if (tooLong) return DescriptionFailure(path, number);
    if (TrimRight(line).empty()) continue;
    // The keyword fills its 10-character field or ends at the first blank
    // (files written by hand run the values into the field).
    line = TrimLeft(line);
    std::size_t width = 0;
    while (width < line.size() && width < DESCRIPTION_KEYWORD_WIDTH &&
           !IsFieldSeparator(line[width]))
      ++width;
    std::string keyword(line.substr(0, width));
    for (char& c : keyword)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    // The values are read before a DATATEXT line moves the reader on.
    std::string values(line.substr(width));
    FreeFormReader reader2(values);
    if (!ApplyKeyword(keyword, reader2, reader, f, stop)) return DescriptionFailure(path, number);
  }
  if (f.yColumns.empty()) f.yColumns.push_back(2);
  return Status::Success();
}

Status ImportDescribedText(PlotDocument& d, const std::string& dataPath,
                           const std::string& descriptionPath, int firstCurve) {
  FormatDescription f;
  Status described = ReadFormatDescription(descriptionPath, f);
  if (!described.Ok()) return described;
  LineReader reader;
  if (!reader.Open(dataPath)) return OpenFailure(dataPath);
  LineFetcher fetcher(reader);

  long long start = f.dataStart;
  if (f.hasDataText) {
    std::string_view line;
    start = 0;
    while (reader.Next(line))
      if (line.find(f.dataText) != std::string_view::npos) {
        start = reader.LineNumber() + 1;
        break;
      }
    if (start == 0)
      return Status::Failure("Cannot find the start of the data by searching for the string " +
                             f.dataText + ".");
  }
  long long wanted = f.numPoints;
  if (wanted < 0) {
    std::string text;
    double count = 0;
    if (!fetcher.Fetch(-wanted, text) || !FirstNumber(text, count) || !(count >= 0))
      return DataValueFailure(dataPath);
    wanted = static_cast<long long>(count);
  }
  // Room for the lines from the start on (or the count, when smaller).
  std::string skipped;
  if (start > 1 && !fetcher.Fetch(start - 1, skipped)) return DataValueFailure(dataPath);
  if (start == 1) reader.Rewind();
  long long room = reader.CountRemainingLines();
  if (wanted > 0) {
    if (wanted > room) return DataValueFailure(dataPath);
    room = wanted;
  }
  const int curves = static_cast<int>(f.yColumns.size());
  const int lastCurve = firstCurve + curves - 1;
  Status made = MakeRoom(d, firstCurve, lastCurve, room);
  if (!made.Ok()) return made;

  int p = 0;
  std::string_view line;
  bool tooLong = false;
  while ((wanted == 0 || p < wanted) && reader.Next(line, tooLong)) {
    if (!tooLong && OnlySeparators(line)) continue;
    double x = p + 1;
    if (tooLong || p >= d.maxPoints || (f.xColumn > 0 && !ColumnValue(line, f.xColumn, x)))
      return DataValueFailure(dataPath);
    for (int k = 0; k < curves; ++k) {
      double y = 0;
      if (!ColumnValue(line, f.yColumns[static_cast<std::size_t>(k)], y))
        return DataValueFailure(dataPath);
      d.yValues.Column(firstCurve + k)[p] = static_cast<float>(y);
    }
    d.xValues.Column(firstCurve)[p] = static_cast<float>(x);
    ++p;
  }
  if ((wanted > 0 && p < wanted) || p == 0) return DataValueFailure(dataPath);
  for (int k = 0; k < curves; ++k) {
    const float* x = d.xValues.Column(firstCurve);
    if (k > 0) std::copy(x, x + p, d.xValues.Column(firstCurve + k));
    FinishCurve(d, firstCurve + k, p);
  }
  CountCurvesUpTo(d, lastCurve);
  ApplyTexts(d, f, fetcher, firstCurve, curves);
  return Status::Success();
}

void SplitDescribedPath(const std::string& text, std::string& dataPath,
                        std::string& descriptionPath) {
  const std::size_t at = text.find('@');
  dataPath = text.substr(0, at);
  descriptionPath.clear();
  if (at == std::string::npos) return;
  descriptionPath = text.substr(at + 1);
  if (descriptionPath.find_first_of("\\/:") == std::string::npos) {
    const std::size_t folder = dataPath.find_last_of("\\/:");
    if (folder != std::string::npos)
      descriptionPath = dataPath.substr(0, folder + 1) + descriptionPath;
  }
}

}  // namespace merva
