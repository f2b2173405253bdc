#include "files/plot_file_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/number_text.h"
#include "files/plot_file_format.h"
#include "files/plot_file_messages.h"
#include "files/plot_numbers.h"

namespace merva {

namespace {

constexpr std::size_t FLUSH_SIZE = 1u << 20;

// Collects the text in a large buffer and hands it to the file in blocks;
// without a file the whole text stays in the buffer.
class TextSink {
 public:
  explicit TextSink(std::FILE* file) : file_(file) { buffer_.reserve(FLUSH_SIZE + 4096); }

  void Append(std::string_view text) { buffer_.append(text.data(), text.size()); }
  void EndLine() {
    buffer_.append(PLOT_FILE_LINE_END.data(), PLOT_FILE_LINE_END.size());
    if (file_ && buffer_.size() >= FLUSH_SIZE) Flush();
  }
  void Line(std::string_view text) {
    Append(text);
    EndLine();
  }
  bool Flush() {
    if (file_ && !buffer_.empty()) {
      if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) failed_ = true;
      buffer_.clear();
    }
    return !failed_;
  }
  bool Failed() const { return failed_; }
  std::string& Buffer() { return buffer_; }

 private:
  std::FILE* file_;
  std::string buffer_;
  bool failed_ = false;
};

class PlotWriter {
 public:
  PlotWriter(const PlotDocument& document, TextSink& sink)
      : d_(document),
        out_(sink),
        savedCurves_(document.processMode != 0 ? std::min(1, document.curveCount)
                                               : document.curveCount) {}

  void Write() {
    const bool dx = UsesDxForm();
    out_.Line(PLOT_FILE_HEADER);
    out_.Line(dx ? DX_FORM_LINE : DATA_FORM_LINE);
    Integer(savedCurves_);
    for (int c = 1; c <= savedCurves_; ++c) WriteCurve(c, dx);
    WriteTrailer();
    WriteKeywords();
    out_.Line(KEY_STOP);
  }

 private:
  bool UsesDxForm() const {
    if (savedCurves_ < 1) return false;
    for (int c = 1; c <= savedCurves_; ++c)
      if (d_.spacingState[c] != STATE_YES || d_.pointCount[c] < 2) return false;
    return true;
  }

  void Integer(long long value) { out_.Line(std::to_string(value)); }

  void G7(double value) {
    char buffer[32];
    out_.Append(std::string_view(buffer, static_cast<std::size_t>(WriteG7(buffer, value))));
  }
  void G7Pair(double a, double b) {
    char buffer[72];
    int n = WriteG7(buffer, a);
    buffer[n++] = ',';
    n += WriteG7(buffer + n, b);
    out_.Append(std::string_view(buffer, static_cast<std::size_t>(n)));
    out_.EndLine();
  }

  // Text fields: trailing blanks removed; a line end inside a text would
  // split the record, so it becomes a blank.
  void Text(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.find_first_of("\r\n") == std::string_view::npos) {
      out_.Line(text);
      return;
    }
    std::string clean(text);
    std::replace(clean.begin(), clean.end(), '\r', ' ');
    std::replace(clean.begin(), clean.end(), '\n', ' ');
    out_.Line(clean);
  }

  void WriteCurve(int c, bool dx) {
    const int n = d_.pointCount[c];
    Integer(n);
    const float* x = n > 0 ? d_.xValues.Column(c) : nullptr;
    const float* y = n > 0 ? d_.yValues.Column(c) : nullptr;
    if (dx) {
      for (int j = 0; j < n; ++j) {
        G7(y[j]);
        if (j % DX_VALUES_PER_LINE == DX_VALUES_PER_LINE - 1 || j == n - 1)
          out_.EndLine();
        else
          out_.Append(",");
      }
      G7Pair(x[0], x[n - 1]);
    } else {
      for (int j = 0; j < n; ++j) G7Pair(x[j], y[j]);
    }
    out_.Line(FormatI(d_.lineType[c], 2) + " " + FormatI(d_.symbolType[c], 4));
    Text(d_.legendText[c].Trimmed());
    Text(d_.curveTag[c].Trimmed());
  }

  void WriteTrailer() {
    Text(d_.title1.Trimmed());
    Text(d_.title2.Trimmed());
    Text(d_.xAxisLabel.Trimmed());
    Text(d_.yAxisLabel.Trimmed());
    const int scaleWord = (d_.scaleType + 256 * d_.unitSystem) & 0xFFFF;
    out_.Line(FormatI(scaleWord, 6));
    G7Pair(d_.legendX, d_.legendY);
  }

  void Exact(std::string& line, double value) { AppendExact(line, value); }

  void WriteProcessKeywords() {
    const ProcessState& p = d_.processState;
    if (d_.processMode > 0 && p.calibration != 0.0) {
      out_.Line(KEY_CAL);
      std::string line;
      Exact(line, p.calibration);
      out_.Line(line);
    }
    if (d_.processMode != 0) {
      out_.Line(KEY_DATA_PROCESS);
      out_.Line(std::to_string(p.format) + " " + std::to_string(p.dataType) +
                (p.generatedLabels ? " T" : " F"));
      for (const BaselineShift& shift : p.shifts) {
        std::string line;
        Exact(line, shift.value);
        line += ' ';
        Exact(line, shift.startTime);
        line += ' ';
        Exact(line, shift.endTime);
        out_.Line(line);
      }
    }
  }

  void WriteFillRegions() {
    for (const FillRegion& region : d_.fillRegions) {
      out_.Line(KEY_FILL_REGION);
      out_.Line(FormatIm(region.first, 4, 4) + " " + FormatIm(region.second, 4, 4) + " " +
                FormatIm(region.kind, 5, 5) + " " + FormatIm(region.color, 8, 8) + " " +
                FormatIm(region.style, 5, 5));
      if (region.kind == FILL_KIND_PATTERN) {
        std::string hex;
        for (uint8_t byte : region.pattern) hex += FormatZ(byte, 2);
        out_.Line(hex);
      }
    }
  }

  void WriteFontFaces() {
    for (int k = 1; k <= TEXT_ELEMENT_COUNT; ++k) {
      const FontDescription& font = d_.Font(k);
      if (font.charSet != SYMBOL_CHARSET_CODE &&
          (font.pitchAndFamily & 0xF0) != FF_DECORATIVE_FAMILY)
        continue;
      out_.Line(KEY_FONT_FACE);
      out_.Line(FormatIm(k, 2, 2));
      Text(font.FaceName());
    }
  }

  // Values of the saved curves, 20 a line, right-justified in a common
  // width. The width leaves at least one blank before every value (for
  // non-negative values it is the integer part of log10(largest) + 2).
  void WriteCurveList(const PerCurve<int32_t>& values) {
    std::size_t width = 0;
    for (int c = 1; c <= savedCurves_; ++c)
      width = std::max(width, std::to_string(values[c]).size() + 1);
    std::string line;
    for (int c = 1; c <= savedCurves_; ++c) {
      line += FormatI(values[c], static_cast<int>(width));
      if (c % VALUES_PER_LIST_LINE == 0 || c == savedCurves_) {
        out_.Line(line);
        line.clear();
      }
    }
  }

  bool AnyNonzero(const PerCurve<int32_t>& values) const {
    for (int c = 1; c <= savedCurves_; ++c)
      if (values[c] != 0) return true;
    return false;
  }

  void WriteLimits(int axis) {
    const AxisLimits& limits = d_.manualLimits;
    out_.Line(FormatGwd(limits.xLow, 10, 4) + " " + FormatGwd(limits.yLow[axis], 10, 4));
    out_.Line(FormatGwd(limits.xHigh, 10, 4) + " " + FormatGwd(limits.yHigh[axis], 10, 4));
  }

  void WriteScaleKeywords() {
    if (d_.manualScale != 0) {
      out_.Line(KEY_MANUAL_SCALE);
      WriteLimits(0);
    }
    if (d_.manualScale > 0 && d_.yAxisMode == 2 && d_.processMode == 0) {
      out_.Line(KEY_MANUAL_SCALE);
      WriteLimits(1);
    }
    if (d_.manualTicks != 0) {
      out_.Line(KEY_MANUAL_TICKS);
      out_.Line(FormatGwd(d_.plotWidth, 10, 4) + " " + FormatGwd(d_.plotHeight, 10, 4) + " " +
                FormatIm(d_.xTickCount, 3, 3) + " " + FormatIm(d_.yTickCount, 3, 3));
      if (d_.wysiwyg != 0) out_.Line(KEY_WYSIWYG);
    }
    if (d_.marginsSet != 0) {
      out_.Line(KEY_MARGINS);
      std::string line;
      for (double margin : d_.margins) line += FormatGwd(margin, 10, 4) + " ";
      out_.Line(line);
    }
  }

  void WriteAxesKeywords() {
    if (d_.processMode != 0) return;
    if (d_.yAxisMode == 1) {
      out_.Line(KEY_MULTIPLE_AXES);
      out_.Line(FormatI(1, 2));
      out_.Line(FormatGwd(d_.y2Offset, 14, 8) + " " + FormatGwd(d_.y2Factor, 14, 8));
    } else if (d_.yAxisMode == 2) {
      out_.Line(KEY_MULTIPLE_AXES);
      out_.Line(FormatI(2, 2));
      std::string line;
      for (int c = 1; c <= savedCurves_; ++c) {
        line += FormatI(d_.curveAxis[c], 2);
        if (c % VALUES_PER_LIST_LINE == 0 || c == savedCurves_) {
          out_.Line(line);
          line.clear();
        }
      }
    }
  }

  // Note lines end in the two characters "\n" when another line follows.
  void WriteNote() {
    const Note& note = d_.note;
    if ((note.attribute1 & 1) == 0) return;
    out_.Line(KEY_NOTE_V2);
    out_.Line(FormatGwd(note.x, 11, 4) + FormatGwd(note.y, 11, 4) + FormatI(note.attribute1, 6) +
              FormatI(note.attribute2, 6));
    std::string_view rest = note.text;
    for (;;) {
      const std::size_t end = rest.find_first_of("\r\n");
      if (end == std::string_view::npos) {
        out_.Line(rest);
        return;
      }
      out_.Append(rest.substr(0, end));
      out_.Line("\\n");
      std::size_t next = end + 1;
      if (rest[end] == '\r' && next < rest.size() && rest[next] == '\n') ++next;
      rest.remove_prefix(next);
    }
  }

  // Integer fields of `width` columns; a value that fills its field gets
  // a blank before it so that the fields stay apart.
  static std::string Field(long long value, int width) {
    std::string text = FormatI(value, width);
    if (text[0] != ' ') text.insert(0, 1, ' ');
    return text;
  }

  void WriteTextKeywords() {
    if (d_.noteButton.Trimmed() != "Note") {
      out_.Line(KEY_NOTE_BUTTON);
      Text(d_.noteButton.Trimmed());
    }
    if (d_.xNumberFormat != 0 || d_.yNumberFormat != 0) {
      out_.Line(KEY_NUMBER_FORMATS);
      out_.Line(Field(d_.xNumberFormat, 4) + Field(d_.yNumberFormat, 4));
    }
    out_.Line(KEY_POINT_SIZES);
    out_.Line(FormatI(POINT_SIZE_COUNT, 2));
    std::string sizes;
    for (const FontDescription& font : d_.fonts) sizes += Field(font.height, 3);
    out_.Line(sizes);
    for (const PointLabel& label : d_.pointLabels) {
      out_.Line(KEY_PT_LABEL);
      std::string line = std::to_string(label.curve) + " " + std::to_string(label.point) + " ";
      AppendG(line, label.x);
      line += ' ';
      AppendG(line, label.y);
      line += ' ';
      line += std::to_string(label.attributes);
      out_.Line(line);
      Text(label.text.Trimmed());
    }
  }

  void WriteKeywords() {
    WriteProcessKeywords();
    if (d_.dateAxis != 0) {
      out_.Line(KEY_DATE);
      Integer(d_.dateAxis);
    }
    if ((d_.xNumberFormat == DATE_NUMBER_FORMAT || d_.yNumberFormat == DATE_NUMBER_FORMAT) &&
        !d_.dateFormat.IsBlank()) {
      out_.Line(KEY_DATE_FORMAT);
      Text(d_.dateFormat.Trimmed());
    }
    if (d_.denseGrid != 0) out_.Line(KEY_DENSE_GRID);
    if (d_.scaleType == BAR_CHART_SCALE && d_.filledBars != 0) out_.Line(KEY_FILLED_BARS);
    WriteFillRegions();
    WriteFontFaces();
    out_.Line(KEY_GRID_TYPE);
    out_.Line(FormatIm(d_.gridType, 2, 2));
    if (AnyNonzero(d_.lineWidth)) {
      out_.Line(KEY_LINE_WIDTHS);
      WriteCurveList(d_.lineWidth);
    }
    if (!d_.legendTitle.IsBlank()) {
      out_.Line(KEY_LNAME);
      Text(d_.legendTitle.Trimmed());
    }
    if (d_.maxLegendRows != DEFAULT_MAX_LEGEND_ROWS) {
      out_.Line(KEY_MAX_LEGEND_ROWS);
      out_.Line(FormatIm(d_.maxLegendRows, 3, 3));
    }
    if (d_.legendFrame == 0) out_.Line(KEY_NO_LEGEND_FRAME);
    if (d_.legendLineLength < 0.49 || d_.legendLineLength > 0.51) {
      out_.Line(KEY_LEGEND_LINE_LENGTH);
      out_.Line(FormatGwd(d_.legendLineLength, 10, 4));
    }
    WriteScaleKeywords();
    WriteAxesKeywords();
    WriteNote();
    WriteTextKeywords();
    if ((d_.scaleType == SCALE_LOG_LOG || d_.scaleType == SCALE_TRIPARTITE) && d_.squareLogs != 0) {
      out_.Line(KEY_SQUARE_LOGS);
      out_.Line("1");
    }
    if (AnyNonzero(d_.symbolSize)) {
      out_.Line(KEY_SYMBOL_SIZES);
      WriteCurveList(d_.symbolSize);
    }
    if (d_.legendOpaque == 0) out_.Line(KEY_TRANSPARENT_LEGEND);
    if (!d_.title3.IsBlank()) {
      out_.Line(KEY_TITLE3);
      Text(d_.title3.Trimmed());
    }
    if (d_.unitSystem == USER_UNITS) {
      out_.Line(KEY_UNITS);
      out_.Line(FormatGwd(d_.unitFactor1, 14, 8) + " " + FormatGwd(d_.unitFactor2, 14, 8));
      Text(d_.unitLabel1.Trimmed());
      Text(d_.unitLabel2.Trimmed());
    }
    if (d_.yAxisMode != 0 && !d_.y2AxisLabel.IsBlank() && d_.processMode == 0) {
      out_.Line(KEY_Y2_AXIS);
      Text(d_.y2AxisLabel.Trimmed());
    }
    if (d_.processMode != 0) {
      const int shifts = std::clamp(d_.processState.shiftCount, 0, MAX_BASELINE_SHIFTS);
      for (int i = 0; i < shifts; ++i) {
        const BaselineShift& shift = d_.processState.shifts[static_cast<std::size_t>(i)];
        out_.Line(KEY_SHIFT);
        out_.Line(FormatGwd(shift.value, 14, 8) + " " + FormatGwd(shift.startTime, 14, 8) + " " +
                  FormatGwd(shift.endTime, 14, 8) + " ");
      }
    }
    for (const std::string& item : d_.drawItems) {
      out_.Line(KEY_DRAW);
      Text(item);
    }
  }

  const PlotDocument& d_;
  TextSink& out_;
  const int savedCurves_;
};

}  // namespace

std::string FormatPlotFile(const PlotDocument& document) {
  TextSink sink(nullptr);
  PlotWriter(document, sink).Write();
  return std::move(sink.Buffer());
}

Status CheckDataToSave(const PlotDocument& document) {
  if (document.curveCount <= 0) return Status::Failure(std::string(NO_DATA_TO_SAVE_TEXT));
  return Status::Success();
}

Status CheckReadOnlyTarget(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::is_regular_file(status)) return Status::Success();
  if ((status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
    return Status::Failure(ReadOnlyText(path));
  return Status::Success();
}

Status DeleteExistingTarget(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return Status::Success();
  if (!std::filesystem::remove(path, ec) || ec)
    return Status::Failure(DeleteErrorText(path, static_cast<uint32_t>(ec.value())));
  return Status::Success();
}

namespace {

// Beside the plot file while it is written.
constexpr const char* TEMPORARY_SUFFIX = ".~sv";

// Writes the whole text and closes the file; false when any of it failed.
bool WriteAndClose(const PlotDocument& document, std::FILE* file) {
  bool ok = true;
  {
    TextSink sink(file);
    PlotWriter(document, sink).Write();
    ok = sink.Flush();
  }
  return std::fclose(file) == 0 && ok;
}

// The complete new file takes the old one's place.
Status ReplaceWith(const std::string& temporary, const std::string& path) {
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (!ec) return Status::Success();
  // A system that does not rename over an existing file.
  Status status = DeleteExistingTarget(path);
  if (!status.Ok()) {
    std::filesystem::remove(temporary, ec);
    return status;
  }
  std::filesystem::rename(temporary, path, ec);
  // The old file is gone now; the new one stays under its temporary name.
  if (ec) return Status::Failure(WriteErrorText(path, IOS_WRITE_FAILED));
  return Status::Success();
}

// Where no file can be made beside it: the old file goes first.
Status WriteInPlace(const PlotDocument& document, const std::string& path) {
  const Status status = DeleteExistingTarget(path);
  if (!status.Ok()) return status;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return Status::Failure(WriteErrorText(path, IOS_OPEN_FAILED));
  if (!WriteAndClose(document, file))
    return Status::Failure(WriteErrorText(path, IOS_WRITE_FAILED));
  return Status::Success();
}

}  // namespace

Status WritePlotFile(PlotDocument& document, const std::string& path) {
  Status status = CheckDataToSave(document);
  if (!status.Ok()) return status;
  status = CheckReadOnlyTarget(path);
  if (!status.Ok()) return status;

  // The new file is written beside the old one and replaces it only when
  // complete: a full disk or a lost drive half-way leaves the old file.
  const std::string temporary = path + TEMPORARY_SUFFIX;
  if (std::FILE* file = std::fopen(temporary.c_str(), "wb")) {
    if (!WriteAndClose(document, file)) {
      std::error_code ec;
      std::filesystem::remove(temporary, ec);
      return Status::Failure(WriteErrorText(path, IOS_WRITE_FAILED));
    }
    status = ReplaceWith(temporary, path);
  } else {
    status = WriteInPlace(document, path);
  }
  if (!status.Ok()) return status;
  MarkSaved(document, path);
  return Status::Success();
}

void MarkSaved(PlotDocument& document, const std::string& path) {
  document.changed = 0;
  document.filePath.Set(path);
  document.fileTitle.Set(FileTitleOf(path));
}

std::string FileTitleOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace merva
