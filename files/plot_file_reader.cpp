#include "files/plot_file_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

#include "core/array_sizing.h"
#include "files/plot_file_messages.h"
#include "files/plot_file_reader_state.h"
#include "files/plot_file_writer.h"
#include "files/plot_numbers.h"

namespace merva {

namespace {

// The fewest bytes a point line of the "data" form takes ("1 2" and a
// line end); the last line may lack its line end.
constexpr long long MIN_POINT_LINE_BYTES = 4;

bool StartsDataForm(std::string_view line) {
  return line.size() >= DATA_FORM_LINE.size() &&
         EqualsIgnoreCase(line.substr(0, DATA_FORM_LINE.size()), DATA_FORM_LINE);
}

// A count is a 32-bit whole number, 0 or more.
bool ParseCount(std::string_view line, long long& count) {
  int value = 0;
  if (!FreeFormReader(line).Next(value) || value < 0) return false;
  count = value;
  return true;
}

}  // namespace

PlotFileReader::PlotFileReader(PlotDocument& document, std::string_view text, std::string_view name,
                               int firstCurveSlot)
    : d_(document), text_(text), name_(name), first_(firstCurveSlot), lines_(text) {}

bool PlotFileReader::Fail(std::string text) {
  status_ = Status::Failure(std::move(text));
  return false;
}

bool PlotFileReader::Fail9900(int32_t ios) { return Fail(At9900Text(ios)); }

bool PlotFileReader::FailStatus(const Status& status) {
  status_ = status;
  status_.result = 0;
  return false;
}

bool PlotFileReader::TextLine9900(std::string_view& line) {
  return lines_.Next(line) || Fail9900(IOS_END_OF_FILE);
}

Status PlotFileReader::Read() {
  first_ = std::clamp(first_, 1, std::min(d_.curveCount, MAX_CURVE_SLOTS) + 1);
  d_.curveCount = first_ - 1;
  d_.extents.valid = EXTENTS_STALE;

  bool ok = false;
  std::string_view line;
  if (!lines_.Next(line)) {
    ok = Fail(NotMervaFileText(name_));
  } else {
    version_ = HeaderVersion(line);
    headerSeen_ = version_ != 0;
    bool haveLine = true;
    if (headerSeen_) haveLine = lines_.Next(line);
    if (haveLine && StartsDataForm(line)) {
      ok = ReadDataForm();
    } else {
      lines_ = LineCursor(text_);
      ok = ReadExtended();
    }
  }

  if (ok) {
    d_.changed = first_ > 1 ? 1 : 0;
    return Status::Success();
  }
  if (d_.curveCount > first_ - 1) d_.MarkChanged();
  return status_;
}

bool PlotFileReader::ReadDataForm() {
  long long count = 0;
  if (!ReadCurveCount(count) || !ReserveCurves(first_ - 1 + count)) return false;
  for (long long i = 0; i < count; ++i)
    if (!ReadDataCurve(NextSlot(), count - i)) return false;
  return ReadTrailer() && ReadKeywords();
}

bool PlotFileReader::ReadCurveCount(long long& count) {
  std::string_view line;
  if (!lines_.Next(line) || !ParseCount(line, count))
    return Fail(std::string(ERROR_READING_CURVE_COUNT));
  return true;
}

bool PlotFileReader::ReadPointCount(int curve, long long& count) {
  std::string_view line;
  if (!lines_.Next(line) || !ParseCount(line, count))
    return Fail(CurveMessage(ERROR_READING_POINT_COUNT, curve));
  return true;
}

// More curves than the matrices hold: grow keeping the total storage, but
// never below the longest curve already held, which would cut it.
bool PlotFileReader::ReserveCurves(long long total) {
  if (total > MAX_CURVE_SLOTS) return Fail(TooManyCurvesText(total));
  if (total <= d_.maxCurves && (total == 0 || d_.HasMatrices())) return true;
  const long long storage = static_cast<long long>(d_.maxCurves) * d_.maxPoints;
  const long long points =
      std::max<long long>({MINIMUM_POINT_CAPACITY, storage / total, d_.LongestCurve()});
  const int curves = static_cast<int>(std::max<long long>(total, d_.maxCurves));
  Status status = Reallocate(d_, curves, static_cast<int>(std::min<long long>(points, INT32_MAX)));
  return status.Ok() || FailStatus(status);
}

bool PlotFileReader::ReservePoints(long long points) {
  if (points <= d_.maxPoints && d_.HasMatrices()) return true;
  points = std::max<long long>({points, d_.maxPoints, MINIMUM_POINT_CAPACITY});
  if (points > INT32_MAX) points = INT32_MAX;
  Status status = Reallocate(d_, std::max(1, d_.maxCurves), static_cast<int>(points));
  return status.Ok() || FailStatus(status);
}

// The longest curve of this and the following curves of a "data" block,
// counting only the point lines the text really holds: after it the
// matrices need not grow again, and never grow for a count the file
// cannot back.
long long PlotFileReader::LongestDataCurveAhead(long long count, long long curvesLeft) const {
  LineCursor ahead = lines_;
  long long longest = 0;
  for (long long i = 0; i < curvesLeft; ++i) {
    if (i > 0) {
      std::string_view line;
      if (!ahead.Next(line) || !ParseCount(line, count)) break;
    }
    if (count > static_cast<long long>(ahead.BytesLeft() / MIN_POINT_LINE_BYTES) + 1)
      count = static_cast<long long>(ahead.BytesLeft() / MIN_POINT_LINE_BYTES) + 1;
    const long long present = ahead.Skip(count);
    longest = std::max(longest, present);
    if (present < count || ahead.Skip(3) < 3) break;
  }
  return longest;
}

void PlotFileReader::StartCurve(int curve) {
  d_.pointCount[curve] = 0;
  d_.symbolSize[curve] = 0;
  d_.lineWidth[curve] = 0;
  d_.curveAxis[curve] = 1;
  d_.legendText[curve].Clear();
  d_.curveTag[curve].Clear();
  d_.InvalidateCurveStates(curve);
}

bool PlotFileReader::ReadDataCurve(int curve, long long curvesLeft) {
  StartCurve(curve);
  long long count = 0;
  if (!ReadPointCount(curve, count)) return false;
  if (count > d_.maxPoints) {
    // The first growth takes the count, bounded by the lines the rest of
    // the text could hold; a second one looks ahead for the longest curve
    // so that curves of rising length do not grow the arrays each time.
    const long long held = static_cast<long long>(lines_.BytesLeft()) / MIN_POINT_LINE_BYTES + 1;
    const long long needed =
        pointGrowths_++ == 0 ? std::min(count, held) : LongestDataCurveAhead(count, curvesLeft);
    if (!ReservePoints(needed)) return false;
  }
  float* xs = count > 0 ? d_.xValues.Column(curve) : nullptr;
  float* ys = count > 0 ? d_.yValues.Column(curve) : nullptr;
  const long long capacity = d_.maxPoints;
  std::string_view line;
  for (long long j = 0; j < count; ++j) {
    double x = 0.0, y = 0.0;
    std::size_t length = 0;
    if (j < capacity && ParsePointLineFast(lines_.Rest(), x, y, length)) {
      line = lines_.Rest().substr(0, length);
      lines_.TakeLine(length);
    } else {
      if (!lines_.Next(line)) return Fail(DataPointErrorText(curve, std::string_view()));
      if (j >= capacity || !ParseTwoReals(line, x, y)) return Fail(DataPointErrorText(curve, line));
    }
    if (!FitsFloat(x) || !FitsFloat(y)) return Fail(DataPointErrorText(curve, line));
    xs[j] = static_cast<float>(x);
    ys[j] = static_cast<float>(y);
  }
  d_.pointCount[curve] = static_cast<int>(count);
  if (!ReadStylesLegendTag(curve)) return false;
  CompleteCurve(curve);
  return true;
}

bool PlotFileReader::ReadStylesLegendTag(int curve) {
  std::string_view line;
  int lineType = 0, symbolType = 0;
  if (!lines_.Next(line)) return Fail(CurveMessage(ERROR_READING_STYLES, curve));
  FreeFormReader reader(line);
  if (!reader.Next(lineType) || !reader.Next(symbolType))
    return Fail(CurveMessage(ERROR_READING_STYLES, curve));
  d_.lineType[curve] = lineType;
  d_.symbolType[curve] = OldSymbolCodes() ? ConvertOldSymbol(symbolType) : symbolType;
  if (!TextLine9900(line)) return false;
  d_.legendText[curve].Set(line);
  if (!TextLine9900(line)) return false;
  d_.curveTag[curve].Set(line);
  return true;
}

void PlotFileReader::CompleteCurve(int curve) {
  d_.curveCount = curve;
  ++fileCurves_;
}

bool PlotFileReader::ReadTrailer() {
  std::string_view line;
  if (!TextLine9900(line)) return false;
  d_.title1.Set(line);
  if (!TextLine9900(line)) return false;
  d_.title2.Set(line);
  if (!TextLine9900(line)) return false;
  d_.xAxisLabel.Set(line);
  if (!TextLine9900(line)) return false;
  d_.yAxisLabel.Set(line);

  long long scaleWord = 0;
  if (!TextLine9900(line)) return false;
  if (!FreeFormReader(line).Next(scaleWord)) return Fail9900(IOS_CONVERSION_ERROR);
  const int word = static_cast<int>(scaleWord & 0xFFFF);
  const int scaleType = word & 0xFF;
  // A code no scale has would index past the scale tables.
  d_.scaleType = static_cast<uint8_t>(scaleType >= SCALE_LINEAR_LINEAR &&
                                              scaleType <= SCALE_PROBABILITY_PROBABILITY
                                          ? scaleType
                                          : SCALE_LINEAR_LINEAR);
  d_.unitSystem = static_cast<uint8_t>(word >> 8);

  if (!TextLine9900(line)) return false;
  FreeFormReader position(line);
  double x = 0.0, y = 0.0;
  if (!position.Next(x) || !position.Next(y)) return Fail9900(IOS_CONVERSION_ERROR);
  d_.legendX = x;
  d_.legendY = y;
  return true;
}

Status ReadPlotText(PlotDocument& document, std::string_view text, std::string_view name,
                    int firstCurveSlot) {
  return PlotFileReader(document, text, name, firstCurveSlot).Read();
}

Status ReadPlotFile(PlotDocument& document, const std::string& path, int firstCurveSlot) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return Status::Failure(ReadErrorText(path, IOS_OPEN_FAILED));
  std::error_code ec;
  const auto size = static_cast<std::size_t>(std::filesystem::file_size(path, ec));
  // The whole file at once, without zero-filling what fread overwrites.
  std::unique_ptr<char[]> buffer(ec ? nullptr : new (std::nothrow) char[size + 1]);
  if (!ec && !buffer) {
    std::fclose(file);
    return Status::Failure(std::string(INSUFFICIENT_MEMORY_FOR_FILE) + path);
  }
  // What was read is what counts: the file may have shrunk meanwhile.
  const std::size_t length = buffer ? std::fread(buffer.get(), 1, size, file) : 0;
  const bool ok = !ec && std::ferror(file) == 0;
  std::fclose(file);
  if (!ok) return Status::Failure(ReadErrorText(path, IOS_OPEN_FAILED));

  Status status =
      ReadPlotText(document, std::string_view(buffer.get(), length), path, firstCurveSlot);
  if (status.Ok()) {
    document.filePath.Set(path);
    document.fileTitle.Set(FileTitleOf(path));
  }
  return status;
}

}  // namespace merva
