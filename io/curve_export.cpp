#include "io/curve_export.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/number_text.h"
#include "files/plot_file_messages.h"
#include "files/plot_file_writer.h"
#include "io/export_file.h"

namespace merva {

namespace {

constexpr std::string_view LINE_END = "\r\n";

// Points of a curve that the arrays really hold.
int StoredPoints(const PlotDocument& d, int curve) {
  if (curve < 1 || curve > d.curveCount || !d.HasMatrices()) return 0;
  return std::clamp(d.pointCount[curve], 0, d.maxPoints);
}

class StringSink {
 public:
  void Append(const char* bytes, std::size_t count) { text.append(bytes, count); }
  void Append(std::string_view bytes) { text.append(bytes.data(), bytes.size()); }
  std::string text;
};

template <typename Sink>
void EmitAscii(Sink& out, const PlotDocument& d, int curve) {
  const int points = StoredPoints(d, curve);
  out.Append(std::to_string(points));
  out.Append(LINE_END);
  if (points == 0) return;
  const float* x = d.xValues.Column(curve);
  const float* y = d.yValues.Column(curve);
  // One line at a time in a small buffer: the sink sees few, large appends.
  for (int j = 0; j < points; ++j) {
    char line[80];
    int n = WriteG7(line, x[j]);
    line[n++] = ',';
    n += WriteG7(line + n, y[j]);
    line[n++] = '\r';
    line[n++] = '\n';
    out.Append(line, static_cast<std::size_t>(n));
  }
}

// A text in double quotes; a quotation mark inside is doubled so that
// spreadsheets read the field back whole.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

template <typename Sink>
void EmitCsvHeader(Sink& out, const PlotDocument& d) {
  for (const auto* title : {&d.title1, &d.title2, &d.title3})
    if (!title->IsBlank()) {
      out.Append(Quoted(title->Trimmed()));
      out.Append(LINE_END);
    }
  std::string heading;
  if (!d.xAxisLabel.IsBlank()) heading = Quoted(d.xAxisLabel.Trimmed());
  heading += ',';
  if (d.curveCount == 1) {
    heading += Quoted(d.yAxisLabel.Trimmed());
  } else {
    for (int c = 1; c <= d.curveCount; ++c) {
      if (c > 1) heading += ',';
      if (!d.legendText[c].IsBlank()) heading += Quoted(d.legendText[c].Trimmed());
    }
  }
  out.Append(heading);
  out.Append(LINE_END);
}

template <typename Sink>
void EmitCsv(Sink& out, const PlotDocument& d) {
  EmitCsvHeader(out, d);
  const int rows = StoredPoints(d, 1);
  if (rows == 0) return;
  std::vector<int> lengths(static_cast<std::size_t>(d.curveCount) + 1);
  for (int c = 1; c <= d.curveCount; ++c) lengths[static_cast<std::size_t>(c)] = StoredPoints(d, c);
  const float* x = d.xValues.Column(1);
  std::string line;
  line.reserve(static_cast<std::size_t>(d.curveCount + 1) * 16 + 2);
  for (int j = 0; j < rows; ++j) {
    char text[32];
    line.assign(text, static_cast<std::size_t>(WriteG7(text, x[j])));
    for (int c = 1; c <= d.curveCount; ++c) {
      line += ',';
      // A shorter curve has no value here: the field stays empty rather
      // than showing what the array held before.
      if (j < lengths[static_cast<std::size_t>(c)])
        line.append(text, static_cast<std::size_t>(WriteG7(text, d.yValues.Column(c)[j])));
    }
    line += LINE_END;
    out.Append(line);
  }
}

bool LittleEndianHost() {
  const uint32_t one = 1;
  unsigned char first = 0;
  std::memcpy(&first, &one, 1);
  return first == 1;
}

void PutLE32(char* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

template <typename Sink>
void EmitUnformatted(Sink& out, const PlotDocument& d, int curve) {
  const int points = StoredPoints(d, curve);
  char record[UNFORMATTED_RECORD_BYTES];
  std::memset(record, 0, sizeof record);
  PutLE32(record, static_cast<uint32_t>(points));
  out.Append(record, sizeof record);
  const float* x = points ? d.xValues.Column(curve) : nullptr;
  const float* y = points ? d.yValues.Column(curve) : nullptr;
  for (int first = 0; first < points; first += UNFORMATTED_PAIRS_PER_RECORD_WRITTEN) {
    std::memset(record, 0, sizeof record);
    const int last = std::min(points, first + UNFORMATTED_PAIRS_PER_RECORD_WRITTEN);
    for (int j = first; j < last; ++j) {
      char* at = record + 8 * (j - first);
      if (LittleEndianHost()) {
        std::memcpy(at, &x[j], 4);
        std::memcpy(at + 4, &y[j], 4);
      } else {
        uint32_t bits = 0;
        std::memcpy(&bits, &x[j], 4);
        PutLE32(at, bits);
        std::memcpy(&bits, &y[j], 4);
        PutLE32(at + 4, bits);
      }
    }
    out.Append(record, sizeof record);
  }
}

// Checks, then writes through the temporary file.
template <typename Emit>
Status Write(const std::string& path, const PlotDocument& d, Emit emit) {
  Status status = CheckExport(d, path);
  if (!status.Ok()) return status;
  ExportFile file(path);
  status = file.Open();
  if (!status.Ok()) return status;
  emit(file);
  return file.Finish();
}

}  // namespace

Status CheckExport(const PlotDocument& document, const std::string& path) {
  Status status = CheckDataToSave(document);
  if (!status.Ok()) return status;
  return CheckReadOnlyTarget(path);
}

Status WriteAsciiCurve(const std::string& path, const PlotDocument& d, int curve) {
  return Write(path, d, [&](ExportFile& f) { EmitAscii(f, d, curve); });
}

Status WriteCsv(const std::string& path, const PlotDocument& d) {
  return Write(path, d, [&](ExportFile& f) { EmitCsv(f, d); });
}

Status WriteUnformattedCurve(const std::string& path, const PlotDocument& d, int curve) {
  return Write(path, d, [&](ExportFile& f) { EmitUnformatted(f, d, curve); });
}

std::string AsciiCurveText(const PlotDocument& d, int curve) {
  StringSink sink;
  EmitAscii(sink, d, curve);
  return sink.text;
}

std::string CsvText(const PlotDocument& d) {
  StringSink sink;
  EmitCsv(sink, d);
  return sink.text;
}

std::string UnformattedCurveBytes(const PlotDocument& d, int curve) {
  StringSink sink;
  EmitUnformatted(sink, d, curve);
  return sink.text;
}

}  // namespace merva
