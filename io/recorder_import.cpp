#include "io/recorder_import.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "core/messages.h"
#include "core/number_text.h"
#include "io/binary_fields.h"
#include "io/import_common.h"
#include "io/nicolet_import.h"
#include "io/unformatted_import.h"

namespace merva {

namespace {

constexpr int BLOCK = 256;
constexpr int DIGITIZER_MODEL = 9820;
constexpr char SIGNATURE_9820[] = "MV9820F\x1A";
constexpr char SIGNATURE_KESTRA_OLD[] = "MVKSTRG\x1A";
constexpr char SIGNATURE_KESTRA_NEW[] = "MVKSTRH\x1A";
constexpr char SIGNATURE_HDAS[] = "MVHDASJ\x1A";
constexpr int SIGNATURE_LENGTH = 8;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// What a header gives: where the counts are and how they become units.
struct Record {
  long long dataOffset = 0;
  long long points = 0;
  double interval = 0;  // seconds
  double zero = 0;      // counts
  double factor = 1;    // units per count
  std::string unit, title, rateTitle, calibrationTitle;
  bool translate = false;  // the 9820's volts to engineering units
};

std::string Text(const unsigned char* p, std::size_t width) {
  const void* nul = std::memchr(p, 0, width);
  const std::size_t n =
      nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - p) : width;
  return std::string(TrimRight(std::string_view(reinterpret_cast<const char*>(p), n)));
}

bool Read(std::FILE* f, long long offset, unsigned char* bytes, std::size_t count) {
  return SeekTo(f, offset) &&
         std::fread(bytes, 1, count, f) == count;
}

bool Signed(const unsigned char* p, const char* signature) {
  return std::memcmp(p, signature, SIGNATURE_LENGTH) == 0;
}

bool Plausible(const Record& r, long long size) {
  return r.points >= 1 && r.dataOffset >= 0 && r.dataOffset <= size &&
         r.points <= (size - r.dataOffset) / 2 && r.interval > 0 && std::isfinite(r.interval) &&
         std::isfinite(r.factor) && std::isfinite(r.zero);
}

std::string RateTitle(double hertz) {
  if (hertz >= 1000) return "Sample rate " + FormatG(hertz / 1000) + " kHz";
  return "Sample rate " + FormatG(hertz) + " Hz";
}

Status Read9820(std::FILE* f, const std::string& path, Record& r) {
  unsigned char h[2 * BLOCK];
  if (!Read(f, 0, h, sizeof h) || !Signed(h, SIGNATURE_9820)) return FileFormatFailure(path);
  if (ReadI32LE(h + 8) != DIGITIZER_MODEL) return Status::Failure(MSG_DIGITIZER_MODEL);
  r.dataOffset = sizeof h;
  r.points = ReadI32LE(h + 12);
  r.interval = ReadF64LE(h + 16);
  r.factor = ReadF64LE(h + 24);
  r.zero = ReadF64LE(h + 32);
  const double unitsPerVolt = ReadF64LE(h + 40);
  r.unit = Text(h + 48, 16);
  r.title = Text(h + 64, 80);
  r.translate = unitsPerVolt != 0 && !r.unit.empty();
  if (r.translate)
    r.factor *= unitsPerVolt;
  else
    r.unit = "Volts";
  r.rateTitle = RateTitle(1 / r.interval);
  return Status::Success();
}

Status ReadKestraOld(std::FILE* f, const std::string& path, Record& r) {
  unsigned char first[BLOCK], second[BLOCK];
  if (!Read(f, 0, first, BLOCK))
    return Status::Failure("Error reading first header block in the file " + path);
  if (!Signed(first, SIGNATURE_KESTRA_OLD)) return FileFormatFailure(path);
  if (!Read(f, BLOCK, second, BLOCK))
    return Status::Failure("Error reading second header block in the file " + path);
  r.dataOffset = 2 * BLOCK;
  r.points = ReadI32LE(first + 8);
  const double rate = ReadF64LE(first + 12);
  const double calibration = ReadF64LE(first + 20);
  r.title = Text(first + 28, 80);
  r.zero = ReadF64LE(second);
  r.factor = ReadF64LE(second + 8) * calibration;
  r.unit = Text(second + 16, 16);
  r.interval = rate > 0 ? 1 / rate : 0;
  r.rateTitle = RateTitle(rate);
  r.calibrationTitle = "Cal val = " + FormatG(calibration);
  return Status::Success();
}

Status ReadKestraNew(std::FILE* f, const std::string& path, Record& r) {
  unsigned char h[4 * BLOCK];
  if (!Read(f, 0, h, 2 * BLOCK) || !Signed(h, SIGNATURE_KESTRA_NEW)) return FileFormatFailure(path);
  r.dataOffset = ReadI32LE(h + 8);
  if (r.dataOffset < 2 * BLOCK) return FileFormatFailure(path);
  r.points = ReadI32LE(h + 12);
  const double rate = ReadF64LE(h + 16);
  const double calibration = ReadF64LE(h + 24);
  r.zero = ReadF64LE(h + 32);
  const double fullScale = ReadF64LE(h + 40);
  r.unit = Text(h + 48, 16);
  r.title = Text(h + 64, 80);
  if (!(fullScale > 0)) return FileFormatFailure(path);
  r.factor = calibration / fullScale;
  r.interval = rate > 0 ? 1 / rate : 0;
  r.rateTitle = RateTitle(rate);
  r.calibrationTitle = "Cal val = " + FormatG(calibration);
  return Status::Success();
}

Status ReadHdas(std::FILE* f, const std::string& path, long long size, Record& r) {
  unsigned char h[BLOCK];
  if (size < BLOCK || !Read(f, size - BLOCK, h, BLOCK))
    return Status::Failure("Error reading footer block in the file " + path);
  if (!Signed(h, SIGNATURE_HDAS)) return FileFormatFailure(path);
  r.dataOffset = 0;
  r.points = ReadI32LE(h + 8);
  const double rate = ReadF64LE(h + 12);
  const double gain = ReadF64LE(h + 20);
  const double sensitivity = ReadF64LE(h + 28);
  const double voltsPerCount = ReadF64LE(h + 36);
  r.unit = Text(h + 44, 16);
  r.title = Text(h + 60, 80);
  if (!(gain != 0 && sensitivity != 0) || r.points > (size - BLOCK) / 2)
    return FileFormatFailure(path);
  r.factor = voltsPerCount / (gain * sensitivity);
  r.interval = rate > 0 ? 1 / rate : 0;
  r.rateTitle = "Sample rate " + FormatG(rate / 1000) + " kHz";
  r.calibrationTitle = " Gain:" + FormatG(gain) + " Sensitivity:" + FormatG(sensitivity);
  return Status::Success();
}

}  // namespace

Status ImportRecorder(PlotDocument& d, const std::string& path, int type, int firstCurve,
                      const TimeWindow& window, const std::function<void(int)>& showStatus) {
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return OpenFailure(path);
  const long long size = FileSize(path);
  Record r;
  Status header = Status::Failure();
  switch (type) {
    case 6:
      header = Read9820(f.get(), path, r);
      break;
    case 7:
      header = ReadKestraOld(f.get(), path, r);
      break;
    case 8:
      header = ReadKestraNew(f.get(), path, r);
      break;
    case 10:
      header = ReadHdas(f.get(), path, size, r);
      break;
    default:
      return FileFormatFailure(path);
  }
  if (!header.Ok()) return header;
  if (!Plausible(r, size)) return FileFormatFailure(path);

  // Sample i (0-based) stands at i * interval; the window picks a range.
  const double stepMs = 1000 * r.interval;
  long long first = 0, last = r.points - 1;
  if (window.Limits()) {
    first = std::max(0.0, std::ceil(window.start / stepMs));
    last = std::min<double>(static_cast<double>(last), std::floor(window.finish / stepMs));
    if (last < first) return Status::Failure("No data between the start and finish times.");
  }
  const long long count = last - first + 1;
  Status room = MakeRoom(d, firstCurve, firstCurve, count);
  if (!room.Ok()) return room;
  if (r.translate && showStatus) showStatus(MSG_STATUS_TRANSLATING);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(std::min<long long>(count, 1 << 16)) *
                                   2);
  if (!SeekTo(f.get(), r.dataOffset + 2 * first))
    return FileFormatFailure(path);
  float* x = d.xValues.Column(firstCurve);
  float* y = d.yValues.Column(firstCurve);
  for (long long done = 0; done < count;) {
    const std::size_t want =
        std::min<std::size_t>(static_cast<std::size_t>(count - done), bytes.size() / 2);
    if (std::fread(bytes.data(), 2, want, f.get()) != want) return FileFormatFailure(path);
    for (std::size_t k = 0; k < want; ++k) {
      const long long i = done + static_cast<long long>(k);
      x[i] = static_cast<float>(static_cast<double>(first + i) * stepMs);
      y[i] = static_cast<float>((ReadI16LE(bytes.data() + 2 * k) - r.zero) * r.factor);
    }
    done += static_cast<long long>(want);
  }
  FinishCurve(d, firstCurve, static_cast<int>(count));
  CountCurvesUpTo(d, firstCurve);
  d.xAxisLabel.Set("Time, msec");
  d.yAxisLabel.Set(r.unit);
  if (!r.title.empty()) d.title1.Set(r.title);
  d.title2.Set(r.rateTitle);
  d.title3.Set(r.calibrationTitle);
  return Status::Success();
}

}  // namespace merva
