// The keyword section of a plot file: records after the fixed block, each
// a keyword line and its argument lines, up to "Stop" or the end.
//
// Layouts of the older records, which the writer no longer produces:
//   "note"         line 1: note x, note y (free-form reals); line 2: the
//                  first line of the note text. The note is shown.
//   "more"         one line: a further line of the note text.
//   "point label"  one line: curve number, point number, label x, label y
//                  (free-form); a new label with an empty text.
//   "point string" one line: the text of the label the last "point label"
//                  made (ignored when there is none).

#include <algorithm>

#include "files/plot_file_messages.h"
#include "files/plot_file_reader_state.h"
#include "files/plot_numbers.h"

namespace merva {

namespace {

constexpr std::string_view NOTE_LINE_MARKER = "\\n";
constexpr std::string_view NOTE_LINE_BREAK = "\r\n";

bool HexDigit(char c, int& value) {
  if (c >= '0' && c <= '9')
    value = c - '0';
  else if (c >= 'A' && c <= 'F')
    value = c - 'A' + 10;
  else if (c >= 'a' && c <= 'f')
    value = c - 'a' + 10;
  else
    return false;
  return true;
}

bool FitsInt16(int value) { return value >= INT16_MIN && value <= INT16_MAX; }

void AppendNoteText(std::string& note, std::string_view text) {
  const std::size_t room = note.size() < MAX_NOTE_LENGTH ? MAX_NOTE_LENGTH - note.size() : 0;
  note.append(text.substr(0, room));
}

}  // namespace

bool PlotFileReader::FailRecord(int32_t ios) { return Fail(ReadErrorText(name_, ios)); }

bool PlotFileReader::ReadRecordLine(std::string_view& line) {
  return lines_.Next(line) || FailRecord(IOS_END_OF_FILE);
}

bool PlotFileReader::RecordReals(int count, double* values) {
  std::string_view line;
  if (!ReadRecordLine(line)) return false;
  FreeFormReader reader(line);
  for (int i = 0; i < count; ++i)
    if (!reader.Next(values[i])) return FailRecord(IOS_CONVERSION_ERROR);
  return true;
}

bool PlotFileReader::RecordInt(int& value) {
  std::string_view line;
  if (!ReadRecordLine(line)) return false;
  return FreeFormReader(line).Next(value) || FailRecord(IOS_CONVERSION_ERROR);
}

template <std::size_t N>
bool PlotFileReader::RecordText(FixedText<N>& field) {
  std::string_view line;
  if (!ReadRecordLine(line)) return false;
  field.Set(line);
  return true;
}

bool PlotFileReader::ReadKeywords() {
  std::string_view line;
  while (lines_.Next(line)) {
    const PlotKeyword keyword = MatchPlotKeyword(line);
    if (keyword == PlotKeyword::Stop) break;
    if (keyword != PlotKeyword::None && !ReadKeyword(keyword)) return false;
  }
  FinishKeywords();
  return true;
}

void PlotFileReader::FinishKeywords() {
  // Manual ticks are written with "wysiwyg" only when it is on.
  if (sawManualTicks_) d_.wysiwyg = sawWysiwyg_ ? 1 : 0;
}

bool PlotFileReader::ReadKeyword(PlotKeyword keyword) {
  switch (keyword) {
    case PlotKeyword::Cal:
      return RecordReals(1, &d_.processState.calibration);
    case PlotKeyword::Date:
      return RecordInt(d_.dateAxis);
    case PlotKeyword::DateFormat:
      return RecordText(d_.dateFormat);
    case PlotKeyword::DenseGrid:
      d_.denseGrid = 1;
      return true;
    case PlotKeyword::Draw: {
      std::string_view line;
      if (!ReadRecordLine(line)) return false;
      d_.drawItems.emplace_back(line);
      return true;
    }
    case PlotKeyword::DataProcess:
      return ReadDataProcess();
    case PlotKeyword::FilledBars:
      d_.filledBars = 1;
      return true;
    case PlotKeyword::FillRegion:
      return ReadFillRegion();
    case PlotKeyword::FontFace:
      return ReadFontFace();
    case PlotKeyword::GridType:
      return RecordInt(d_.gridType);
    case PlotKeyword::LegendLineLength:
      return RecordReals(1, &d_.legendLineLength);
    case PlotKeyword::LineWidths:
      return ReadCurveList(d_.lineWidth, 0);
    case PlotKeyword::Lname:
      return RecordText(d_.legendTitle);
    case PlotKeyword::ManualScale:
      return ReadManualScale();
    case PlotKeyword::ManualTicks:
      return ReadManualTicks();
    case PlotKeyword::Margins:
      if (!RecordReals(4, d_.margins.data())) return false;
      d_.marginsSet = 1;
      return true;
    case PlotKeyword::MaxLegendRows: {
      int rows = 0;
      if (!RecordInt(rows)) return false;
      if (rows >= 1) d_.maxLegendRows = rows;  // 0 rows would lay out no legend
      return true;
    }
    case PlotKeyword::More: {
      std::string_view line;
      if (!ReadRecordLine(line)) return false;
      AppendNoteText(d_.note.text, NOTE_LINE_BREAK);
      AppendNoteText(d_.note.text, line);
      return true;
    }
    case PlotKeyword::MultipleAxes:
      return ReadMultipleAxes();
    case PlotKeyword::NoLegendFrame:
      d_.legendFrame = 0;
      return true;
    case PlotKeyword::Note:
      return ReadOldNote();
    case PlotKeyword::NoteV2:
      return ReadNoteV2();
    case PlotKeyword::NoteButton:
      return RecordText(d_.noteButton);
    case PlotKeyword::NumberFormats: {
      std::string_view line;
      int formats[2] = {0, 0};
      if (!ReadRecordLine(line)) return false;
      if (!ReadIntegerFields(line, 2, 4, formats)) return FailRecord(IOS_CONVERSION_ERROR);
      auto valid = [](int f) { return f >= 0 && f <= MAX_NUMBER_FORMAT ? f : 0; };
      d_.xNumberFormat = valid(formats[0]);
      d_.yNumberFormat = valid(formats[1]);
      return true;
    }
    case PlotKeyword::PointLabel:
      return ReadOldPointLabel();
    case PlotKeyword::PointSizes:
      return ReadPointSizes();
    case PlotKeyword::PointString: {
      std::string_view line;
      if (!ReadRecordLine(line)) return false;
      if (lastOldLabel_ >= 0 && lastOldLabel_ < static_cast<int>(d_.pointLabels.size()))
        d_.pointLabels[static_cast<std::size_t>(lastOldLabel_)].text.Set(line);
      return true;
    }
    case PlotKeyword::PtLabel:
      return ReadPtLabel();
    case PlotKeyword::Shift:
      return ReadShift();
    case PlotKeyword::SquareLogs:
      return RecordInt(d_.squareLogs);
    case PlotKeyword::SymbolSizes:
      return ReadCurveList(d_.symbolSize, 0);
    case PlotKeyword::Title3:
      return RecordText(d_.title3);
    case PlotKeyword::TransparentLegend:
      d_.legendOpaque = 0;
      return true;
    case PlotKeyword::Units:
      return ReadUnits();
    case PlotKeyword::Wysiwyg:
      sawWysiwyg_ = true;
      return true;
    case PlotKeyword::Y2Axis:
      return RecordText(d_.y2AxisLabel);
    case PlotKeyword::None:
    case PlotKeyword::Stop:
      return true;
  }
  return true;
}

// Values of the file's curves, up to 20 a line, for the slots they were
// stored in. `width` > 0 allows fields of that many columns that touch.
bool PlotFileReader::ReadCurveList(PerCurve<int32_t>& values, int width) {
  int done = 0;
  while (done < fileCurves_) {
    std::string_view line;
    if (!ReadRecordLine(line)) return false;
    const int wanted = std::min(VALUES_PER_LIST_LINE, fileCurves_ - done);
    int row[VALUES_PER_LIST_LINE] = {};
    int got = 0;
    if (width > 0 && ReadIntegerFields(line, wanted, width, row)) {
      got = wanted;
    } else {
      FreeFormReader reader(line);
      while (got < wanted && reader.Next(row[got])) ++got;
      if (got == 0 || (got < wanted && !reader.AtEnd())) return FailRecord(IOS_CONVERSION_ERROR);
    }
    for (int i = 0; i < got; ++i) values[first_ + done + i] = row[i];
    done += got;
  }
  return true;
}

bool PlotFileReader::ReadDataProcess() {
  std::string_view line;
  if (!ReadRecordLine(line)) return false;
  FreeFormReader reader(line);
  int format = 0, dataType = 0;
  bool labels = false;
  if (!reader.Next(format) || !reader.Next(dataType) || !reader.NextLogical(labels))
    return FailRecord(IOS_CONVERSION_ERROR);
  ProcessState& p = d_.processState;
  p.format = format >= 0 && format <= 2 ? format : 0;
  p.dataType = dataType >= 0 && dataType <= 6 ? dataType : 0;
  p.generatedLabels = labels;
  for (BaselineShift& shift : p.shifts) {
    double values[3] = {};
    if (!RecordReals(3, values)) return false;
    shift = {values[0], values[1], values[2]};
  }
  if (d_.processMode == 0) d_.processMode = 1;
  return true;
}

bool PlotFileReader::ReadFillRegion() {
  std::string_view line;
  if (!ReadRecordLine(line)) return false;
  FreeFormReader reader(line);
  int fields[5] = {};
  for (int& field : fields)
    if (!reader.Next(field)) return FailRecord(IOS_CONVERSION_ERROR);
  if (!FitsInt16(fields[2]) || !FitsInt16(fields[4])) return FailRecord(IOS_CONVERSION_ERROR);
  FillRegion region;
  region.first = fields[0];
  region.second = fields[1];
  region.kind = static_cast<int16_t>(fields[2]);
  region.color = fields[3];
  region.style = static_cast<int16_t>(fields[4]);
  if (region.kind == FILL_KIND_PATTERN) {
    if (!ReadRecordLine(line)) return false;
    line = TrimRight(line);
    if (line.size() != 2 * region.pattern.size()) return FailRecord(IOS_CONVERSION_ERROR);
    for (std::size_t i = 0; i < region.pattern.size(); ++i) {
      int high = 0, low = 0;
      if (!HexDigit(line[2 * i], high) || !HexDigit(line[2 * i + 1], low))
        return FailRecord(IOS_CONVERSION_ERROR);
      region.pattern[i] = static_cast<uint8_t>(high * 16 + low);
    }
  }
  if (d_.fillRegions.size() < static_cast<std::size_t>(MAX_FILL_REGIONS))
    d_.fillRegions.push_back(region);
  return true;
}

// Only fonts of the symbol character set (or the decorative family) have
// their face saved; the symbol set is restored with it so that the face
// is saved again.
bool PlotFileReader::ReadFontFace() {
  int element = 0;
  std::string_view face;
  if (!RecordInt(element) || !ReadRecordLine(face)) return false;
  if (element < 1 || element > TEXT_ELEMENT_COUNT) return true;
  FontDescription& font = d_.Font(element);
  font.SetFaceName(std::string(TrimRight(face)));
  font.charSet = SYMBOL_CHARSET_CODE;
  return true;
}

bool PlotFileReader::ReadManualScale() {
  double low[2] = {}, high[2] = {};
  if (!RecordReals(2, low) || !RecordReals(2, high)) return false;
  const int axis = manualScaleRecords_++;
  if (axis >= MAX_Y_AXES) return true;
  AxisLimits& limits = d_.manualLimits;
  if (axis == 0) {
    limits.xLow = low[0];
    limits.xHigh = high[0];
  }
  limits.yLow[static_cast<std::size_t>(axis)] = low[1];
  limits.yHigh[static_cast<std::size_t>(axis)] = high[1];
  d_.manualScale = 1;
  return true;
}

bool PlotFileReader::ReadManualTicks() {
  std::string_view line;
  if (!ReadRecordLine(line)) return false;
  FreeFormReader reader(line);
  double width = 0.0, height = 0.0;
  int xTicks = 0, yTicks = 0;
  if (!reader.Next(width) || !reader.Next(height) || !reader.Next(xTicks) || !reader.Next(yTicks))
    return FailRecord(IOS_CONVERSION_ERROR);
  d_.plotWidth = width;
  d_.plotHeight = height;
  d_.xTickCount = xTicks;
  d_.yTickCount = yTicks;
  d_.manualTicks = 1;
  sawManualTicks_ = true;
  return true;
}

bool PlotFileReader::ReadMultipleAxes() {
  int mode = 0;
  if (!RecordInt(mode)) return false;
  if (mode == 1) {
    double values[2] = {};
    if (!RecordReals(2, values)) return false;
    d_.y2Offset = values[0];
    d_.y2Factor = values[1];
    d_.yAxisMode = 1;
    return true;
  }
  if (mode == 2) {
    if (!ReadCurveList(d_.curveAxis, 2)) return false;
    for (int i = 0; i < fileCurves_; ++i) {
      int32_t& axis = d_.curveAxis[first_ + i];
      if (axis < 1 || axis > MAX_Y_AXES) axis = 1;
    }
    d_.yAxisMode = 2;
    return true;
  }
  d_.yAxisMode = 0;
  return true;
}

// Note lines ending in the two characters "\n" continue on the next line.
bool PlotFileReader::ReadNoteText(std::string& text) {
  text.clear();
  for (;;) {
    std::string_view line;
    if (!ReadRecordLine(line)) return false;
    const bool more = line.size() >= NOTE_LINE_MARKER.size() &&
                      line.substr(line.size() - NOTE_LINE_MARKER.size()) == NOTE_LINE_MARKER;
    if (!more) {
      AppendNoteText(text, line);
      return true;
    }
    AppendNoteText(text, line.substr(0, line.size() - NOTE_LINE_MARKER.size()));
    AppendNoteText(text, NOTE_LINE_BREAK);
  }
}

bool PlotFileReader::ReadNoteV2() {
  std::string_view line;
  if (!ReadRecordLine(line)) return false;
  // G11.4, G11.4, I6, I6: a negative value in exponent form fills its
  // field, so the fields are taken by column when they touch.
  double position[2] = {};
  int attributes[2] = {};
  FreeFormReader reader(line);
  bool ok = reader.Next(position[0]) && reader.Next(position[1]) && reader.Next(attributes[0]) &&
            reader.Next(attributes[1]);
  if (!ok && line.size() >= 28) {
    ok = ReadRealFields(line.substr(0, 22), 2, 11, position) &&
         ReadIntegerFields(line.substr(22), 2, 6, attributes);
  }
  if (!ok) return FailRecord(IOS_CONVERSION_ERROR);
  Note note;
  note.x = position[0];
  note.y = position[1];
  note.attribute1 = attributes[0];
  note.attribute2 = attributes[1];
  if (!ReadNoteText(note.text)) return false;
  d_.note = std::move(note);
  return true;
}

bool PlotFileReader::ReadOldNote() {
  double position[2] = {};
  std::string_view line;
  if (!RecordReals(2, position) || !ReadRecordLine(line)) return false;
  d_.note.x = position[0];
  d_.note.y = position[1];
  d_.note.attribute1 |= 1;
  d_.note.text.clear();
  AppendNoteText(d_.note.text, line);
  return true;
}

bool PlotFileReader::ReadPointSizes() {
  int count = 0;
  if (!RecordInt(count)) return false;
  if (count < 0) return FailRecord(IOS_CONVERSION_ERROR);
  if (count == 0) return true;
  const int used = std::min(count, POINT_SIZE_COUNT);
  std::string_view line;
  int heights[POINT_SIZE_COUNT] = {};
  if (!ReadRecordLine(line)) return false;
  if (!ReadIntegerFields(line, used, 3, heights)) return FailRecord(IOS_CONVERSION_ERROR);
  for (int k = 0; k < used; ++k) d_.fonts[static_cast<std::size_t>(k)].height = heights[k];
  return true;
}

// Labels of curves and points that do not exist would be drawn from
// points that are not there; they are dropped.
void PlotFileReader::AddPointLabel(const PointLabel& label) {
  if (d_.pointLabels.size() >= static_cast<std::size_t>(MAX_POINT_LABELS)) return;
  if (label.curve < 1 || label.curve > d_.curveCount) return;
  if (label.point < 1 || label.point > d_.pointCount[label.curve]) return;
  d_.pointLabels.push_back(label);
}

bool PlotFileReader::ReadPtLabel() {
  std::string_view line;
  if (!ReadRecordLine(line)) return false;
  FreeFormReader reader(line);
  PointLabel label;
  if (!reader.Next(label.curve) || !reader.Next(label.point) || !reader.Next(label.x) ||
      !reader.Next(label.y) || !reader.Next(label.attributes))
    return FailRecord(IOS_CONVERSION_ERROR);
  if (!ReadRecordLine(line)) return false;
  label.text.Set(line);
  if (label.curve >= 1 && label.curve <= fileCurves_)
    label.curve += first_ - 1;
  else
    label.curve = 0;
  AddPointLabel(label);
  return true;
}

bool PlotFileReader::ReadOldPointLabel() {
  std::string_view line;
  if (!ReadRecordLine(line)) return false;
  FreeFormReader reader(line);
  PointLabel label;
  if (!reader.Next(label.curve) || !reader.Next(label.point) || !reader.Next(label.x) ||
      !reader.Next(label.y))
    return FailRecord(IOS_CONVERSION_ERROR);
  if (label.curve >= 1 && label.curve <= fileCurves_)
    label.curve += first_ - 1;
  else
    label.curve = 0;
  const std::size_t before = d_.pointLabels.size();
  AddPointLabel(label);
  lastOldLabel_ = d_.pointLabels.size() > before ? static_cast<int>(before) : -1;
  return true;
}

bool PlotFileReader::ReadShift() {
  double values[3] = {};
  if (!RecordReals(3, values)) return false;
  if (shiftRecords_ >= MAX_BASELINE_SHIFTS) return true;
  d_.processState.shifts[static_cast<std::size_t>(shiftRecords_)] = {values[0], values[1],
                                                                     values[2]};
  d_.processState.shiftCount = ++shiftRecords_;
  return true;
}

bool PlotFileReader::ReadUnits() {
  double factors[2] = {};
  if (!RecordReals(2, factors)) return false;
  d_.unitFactor1 = factors[0];
  d_.unitFactor2 = factors[1];
  return RecordText(d_.unitLabel1) && RecordText(d_.unitLabel2);
}

}  // namespace merva
