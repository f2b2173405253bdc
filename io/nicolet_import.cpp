#include "io/nicolet_import.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "core/messages.h"
#include "core/number_text.h"
#include "io/binary_fields.h"
#include "io/import_common.h"
#include "io/sample_lines.h"
#include "io/unformatted_import.h"

namespace merva {

namespace {

constexpr int SAMPLE_CHUNK = 1 << 18;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// The text of a slot up to its NUL.
std::string_view SlotText(const std::vector<unsigned char>& header, int offset, int width) {
  const char* p = reinterpret_cast<const char*>(header.data()) + offset;
  const void* nul = std::memchr(p, 0, static_cast<std::size_t>(width));
  return std::string_view(p, nul ? static_cast<const char*>(nul) - p : width);
}

bool SlotNumber(const std::vector<unsigned char>& header, int offset, int width, double& value) {
  FreeFormReader reader(SlotText(header, offset, width));
  return reader.Next(value);
}

bool SlotIs(const std::vector<unsigned char>& header, int offset, char digit) {
  return header[static_cast<std::size_t>(offset)] == digit &&
         header[static_cast<std::size_t>(offset) + 1] == 0;
}

bool ReadAt(std::FILE* f, long long offset, std::vector<unsigned char>& bytes) {
  return SeekTo(f, offset) && std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
}

}  // namespace

std::string SampleRateTitle(double hertz) {
  if (hertz >= 1000) return "Sampling rate " + FormatG(hertz / 1000) + " kHz";
  return "Sampling rate " + FormatG(hertz) + " Hz";
}

Status ImportNicolet(PlotDocument& d, const std::string& path, int firstCurve) {
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) return OpenFailure(path);
  const long long size = FileSize(path);
  std::vector<unsigned char> header(NICOLET_HEADER);
  if (!ReadAt(f.get(), 0, header)) return FileFormatFailure(path);
  NicoletHeader h;
  double length = 0;
  if (SlotNumber(header, 8, 12, length) && length >= 1) {
    if (length < NICOLET_FIELDS_END || length > static_cast<double>(size))
      return FileFormatFailure(path);
    h.headerLength = static_cast<long long>(length);
  }
  if (h.headerLength != NICOLET_HEADER) {
    header.resize(static_cast<std::size_t>(h.headerLength));
    if (!ReadAt(f.get(), 0, header)) return FileFormatFailure(path);
  }
  if (!SlotIs(header, 0, '3')) return Status::Failure(MSG_WFT_BYTE_ORDER);
  if (!SlotIs(header, 4, '1')) return Status::Failure(MSG_WFT_TIME_DOMAIN);
  double sampleBytes = 0, zones1 = 0, zones2 = 0, points = 0;
  if (!SlotNumber(header, 658, 4, sampleBytes) || sampleBytes != 2)
    return Status::Failure(MSG_WFT_SAMPLE_SIZE);
  if (!SlotNumber(header, 1084, 12, zones1) || !SlotNumber(header, 1144, 12, zones2) ||
      zones1 != 0 || zones2 != 0)
    return Status::Failure(MSG_WFT_ZONES);
  if (!SlotNumber(header, 146, 12, points) || !SlotNumber(header, 158, 12, h.verticalZero) ||
      !SlotNumber(header, 170, 24, h.verticalNorm) ||
      !SlotNumber(header, 194, 24, h.userVerticalOffset) ||
      !SlotNumber(header, 218, 24, h.userVerticalScale) ||
      !SlotNumber(header, 253, 24, h.userHorizontalOffset) ||
      !SlotNumber(header, 277, 24, h.userHorizontalScale) ||
      !SlotNumber(header, 1036, 24, h.interval) || !SlotNumber(header, 1060, 24, h.zeroTime))
    return FileFormatFailure(path);
  // The samples must be in the file: a count is never trusted further.
  if (!(points >= 1) || points > static_cast<double>(size - h.headerLength) / 2)
    return FileFormatFailure(path);
  h.points = static_cast<long long>(points);

  Status status = MakeRoom(d, firstCurve, firstCurve, 1);
  if (!status.Ok()) return status;
  const long long kept = std::min<long long>(h.points, d.maxPoints);
  std::unique_ptr<int16_t[]> raw(new (std::nothrow) int16_t[SAMPLE_CHUNK]);
  std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[2 * SAMPLE_CHUNK]);
  if (!raw || !bytes) return Status::Failure(MSG_TEMPORARY_STORAGE);
  if (!SeekTo(f.get(), h.headerLength)) return FileFormatFailure(path);
  float* x = d.xValues.Column(firstCurve);
  float* y = d.yValues.Column(firstCurve);
  // X(i) and Y(i) as straight lines in i and the count: one multiply-add each.
  const StraightLine xLine{h.interval * 1000.0 * h.userHorizontalScale,
                           h.zeroTime * 1000.0 * h.userHorizontalScale + h.userHorizontalOffset};
  const double yScale = h.verticalNorm * h.userVerticalScale;
  const StraightLine yLine{yScale, h.userVerticalOffset - h.verticalZero * yScale};
  for (long long done = 0; done < kept;) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<long long>(kept - done, SAMPLE_CHUNK));
    if (std::fread(bytes.get(), 2, want, f.get()) != want) return FileFormatFailure(path);
    const unsigned char* in = bytes.get();
    for (std::size_t k = 0; k < want; ++k) raw[k] = ReadI16LE(in + 2 * k);
    ConvertSamples(raw.get(), static_cast<int>(done), static_cast<int>(want), xLine, yLine,
                   x + done, y + done);
    done += static_cast<long long>(want);
  }
  FinishCurve(d, firstCurve, static_cast<int>(kept));
  CountCurvesUpTo(d, firstCurve);
  d.xAxisLabel.Set("Time, msec");
  if (h.interval > 0 && h.userHorizontalScale > 0)
    d.title2.Set(SampleRateTitle(1.0 / (h.interval * h.userHorizontalScale)));
  if (h.points > kept) {
    const double last = static_cast<double>(kept - 1) * h.interval + h.zeroTime;
    status.Add("Maximum number of points exceeded!  Truncated at T =" + FormatG(last) + " sec.");
  }
  return status;
}

}  // namespace merva
