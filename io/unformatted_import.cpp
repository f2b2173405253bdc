#include "io/unformatted_import.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "io/binary_fields.h"
#include "io/import_common.h"

namespace merva {

namespace {

constexpr char OLD_LAYOUT_SIGNATURE[] = "MERVA/W";
constexpr int OLD_LAYOUT_COUNTS_AT = 12;
constexpr int OLD_LAYOUT_TITLE_AT = OLD_LAYOUT_COUNTS_AT + 4 * MAX_CURVE_SLOTS;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

long long RecordsFor(long long points) {
  return (points + UNFORMATTED_PAIRS_PER_RECORD - 1) / UNFORMATTED_PAIRS_PER_RECORD;
}

// Reads `points` interleaved pairs from the records that follow.
bool ReadPairs(std::FILE* f, float* x, float* y, int points) {
  unsigned char record[UNFORMATTED_RECORD];
  for (int done = 0; done < points;) {
    const int pairs = std::min(points - done, UNFORMATTED_PAIRS_PER_RECORD);
    // The last record may be cut short after its last pair.
    if (std::fread(record, 1, UNFORMATTED_RECORD, f) < static_cast<std::size_t>(8 * pairs))
      return false;
    for (int k = 0; k < pairs; ++k) {
      x[done + k] = ReadF32LE(record + 8 * k);
      y[done + k] = ReadF32LE(record + 8 * k + 4);
    }
    done += pairs;
  }
  return true;
}

Status ReadOldLayout(PlotDocument& d, std::FILE* f, const unsigned char* header, long long size,
                     const std::string& path, int firstCurve) {
  const int curves = ReadI32LE(header + 8);
  if (curves < 1 || curves > MAX_CURVE_SLOTS) return FileFormatFailure(path);
  std::vector<int> counts(static_cast<std::size_t>(curves));
  long long records = 1, longest = 1;
  for (int c = 0; c < curves; ++c) {
    const int n = ReadI32LE(header + OLD_LAYOUT_COUNTS_AT + 4 * c);
    if (n < 0) return FileFormatFailure(path);
    counts[static_cast<std::size_t>(c)] = n;
    records += RecordsFor(n);
    longest = std::max<long long>(longest, n);
  }
  // The counts must fit the file before any memory is taken for them.
  if ((records - 1) * UNFORMATTED_RECORD >= size) return FileFormatFailure(path);
  const int lastCurve = firstCurve + curves - 1;
  Status room = MakeRoom(d, firstCurve, lastCurve, longest);
  if (!room.Ok()) return room;
  for (int c = 0; c < curves; ++c) {
    const int curve = firstCurve + c;
    if (!ReadPairs(f, d.xValues.Column(curve), d.yValues.Column(curve),
                   counts[static_cast<std::size_t>(c)])) {
      CountCurvesUpTo(d, curve - 1);
      return FileFormatFailure(path);
    }
    FinishCurve(d, curve, counts[static_cast<std::size_t>(c)]);
    CountCurvesUpTo(d, curve);  // a later failure keeps the curves read so far
  }
  char title[TITLE_WIDTH + 1] = {};
  std::memcpy(title, header + OLD_LAYOUT_TITLE_AT, TITLE_WIDTH);
  if (title[0] && firstCurve == 1) d.title1.Set(title);
  return Status::Success();
}

}  // namespace

Status FileFormatFailure(const std::string& path) {
  return Status::Failure("Error reading file " + path + " ... Insure proper file format.");
}

Status ImportUnformatted(PlotDocument& d, const std::string& path, int firstCurve) {
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return OpenFailure(path);
  const long long size = FileSize(path);
  unsigned char header[UNFORMATTED_RECORD] = {};
  const std::size_t got = std::fread(header, 1, UNFORMATTED_RECORD, f.get());
  if (got >= 7 && std::memcmp(header, OLD_LAYOUT_SIGNATURE, 7) == 0) {
    if (got < UNFORMATTED_RECORD) return FileFormatFailure(path);
    return ReadOldLayout(d, f.get(), header, size, path, firstCurve);
  }
  if (got < 4) return FileFormatFailure(path);
  const int n = ReadI32LE(header);
  if (n < 1 || (RecordsFor(n) - 1) * UNFORMATTED_RECORD + 8 * ((n - 1) % 128 + 1) >
                   size - UNFORMATTED_RECORD)
    return FileFormatFailure(path);
  // The writer fills record 1 only up to its count.
  if (got < UNFORMATTED_RECORD) return FileFormatFailure(path);
  Status room = MakeRoom(d, firstCurve, firstCurve, n);
  if (!room.Ok()) return room;
  if (!ReadPairs(f.get(), d.xValues.Column(firstCurve), d.yValues.Column(firstCurve), n))
    return FileFormatFailure(path);
  FinishCurve(d, firstCurve, n);
  CountCurvesUpTo(d, firstCurve);
  return Status::Success();
}

}  // namespace merva
