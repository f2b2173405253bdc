#include "io/import_common.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/array_sizing.h"
#include "files/plot_file_writer.h"

namespace merva {

Status MakeRoom(PlotDocument& d, int firstCurve, int lastCurve, long long points) {
  if (lastCurve > MAX_CURVE_SLOTS)
    return Status::Failure("Too many curves (" + std::to_string(lastCurve) +
                           ") ... Maximum is 100.");
  if (firstCurve < 1 || lastCurve < firstCurve) return Status::Failure();
  const long long wanted = std::max<long long>(points, 1);
  if (wanted > INT_MAX) return Status::Failure(InsufficientMemoryText(lastCurve, INT_MAX));
  if (lastCurve <= d.maxCurves && wanted <= d.maxPoints && d.HasMatrices())
    return Status::Success();
  return Reallocate(d, std::max(lastCurve, d.maxCurves),
                    std::max(static_cast<int>(wanted), d.maxPoints));
}

void FinishCurve(PlotDocument& d, int curve, int points) {
  d.pointCount[curve] = points;
  d.InvalidateCurveStates(curve);
}

void CountCurvesUpTo(PlotDocument& d, int lastCurve) {
  if (lastCurve > d.curveCount) d.curveCount = lastCurve;
  d.MarkChanged();
}

void NameDocument(PlotDocument& d, const std::string& path) {
  // No path: "Save" must not write a plot file over the data file read.
  d.filePath.Clear();
  d.fileTitle.Set(FileTitleOf(path));
}

Status OpenFailure(const std::string& path) { return Status::Failure("Error opening " + path); }

long long FileSize(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return -1;
  long long size = -1;
#ifdef _WIN32
  if (_fseeki64(f, 0, SEEK_END) == 0) size = _ftelli64(f);
#else
  if (fseeko(f, 0, SEEK_END) == 0) size = static_cast<long long>(ftello(f));
#endif
  std::fclose(f);
  return size;
}

bool SeekTo(std::FILE* f, long long offset) {
#ifdef _WIN32
  return _fseeki64(f, offset, SEEK_SET) == 0;
#else
  return fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

Status DataValueFailure(const std::string& path) {
  return Status::Failure("Error interpreting data values in " + path);
}

}  // namespace merva
