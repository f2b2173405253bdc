#include "core/array_sizing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/messages.h"

namespace merva {

namespace {

std::string temporaryDirectoryOverride;

std::string RightJustified(long long value, int width) {
  char text[32];
  std::snprintf(text, sizeof text, "%*lld", width, value);
  return text;
}

// A new, empty file in the temporary directory named as the system's
// temporary-file function would: "MRV" and four hexadecimal digits.
std::filesystem::path MakeTemporaryFile() {
  std::error_code ec;
  std::filesystem::path dir = temporaryDirectoryOverride.empty()
                                  ? std::filesystem::temp_directory_path(ec)
                                  : std::filesystem::path(temporaryDirectoryOverride);
  if (ec) return {};
  auto seed =
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count() & 0xFFFF);
  for (unsigned attempt = 0; attempt < 0x10000; ++attempt) {
    char name[16];
    std::snprintf(name, sizeof name, "MRV%04X.TMP", (seed + attempt) & 0xFFFF);
    std::filesystem::path candidate = dir / name;
    if (std::filesystem::exists(candidate, ec)) continue;
    if (std::FILE* f = std::fopen(candidate.string().c_str(), "wb")) {
      std::fclose(f);
      return candidate;
    }
    return {};
  }
  return {};
}

bool WriteCurves(const PlotDocument& d, const std::filesystem::path& path) {
  std::FILE* f = std::fopen(path.string().c_str(), "wb");
  if (!f) return false;
  bool ok = true;
  for (int c = 1; c <= d.curveCount && ok; ++c) {
    const auto n = static_cast<std::size_t>(d.pointCount[c]);
    if (n == 0) continue;
    ok = std::fwrite(d.xValues.Column(c), sizeof(float), n, f) == n &&
         std::fwrite(d.yValues.Column(c), sizeof(float), n, f) == n;
  }
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

// Reads the curves back into what the matrices now hold; a curve that no
// longer fits keeps only the points that do.
void ReadCurves(PlotDocument& d, const std::filesystem::path& path) {
  std::FILE* f = std::fopen(path.string().c_str(), "rb");
  const int curves = std::min(d.curveCount, d.maxCurves);
  for (int c = 1; c <= d.curveCount; ++c) {
    const auto n = static_cast<std::size_t>(d.pointCount[c]);
    if (c > curves) {
      d.pointCount[c] = 0;
      continue;
    }
    const std::size_t kept = std::min(n, static_cast<std::size_t>(d.maxPoints));
    bool ok = f != nullptr && n > 0;
    if (ok) {
      ok = std::fread(d.xValues.Column(c), sizeof(float), kept, f) == kept &&
           std::fseek(f, static_cast<long>((n - kept) * sizeof(float)), SEEK_CUR) == 0 &&
           std::fread(d.yValues.Column(c), sizeof(float), kept, f) == kept &&
           std::fseek(f, static_cast<long>((n - kept) * sizeof(float)), SEEK_CUR) == 0;
    }
    d.pointCount[c] = ok ? static_cast<int>(kept) : 0;
  }
  d.curveCount = curves;
  if (f) std::fclose(f);
}

bool AllocateBoth(PlotDocument& d, int curves, int points) {
  if (d.xValues.Allocate(curves, points) && d.yValues.Allocate(curves, points)) {
    d.maxCurves = curves;
    d.maxPoints = points;
    return true;
  }
  d.xValues.Release();
  d.yValues.Release();
  return false;
}

}  // namespace

void SetTemporaryDirectory(const std::string& directory) { temporaryDirectoryOverride = directory; }

std::string InsufficientMemoryText(int curves, int points) {
  return "Insufficient memory for " + RightJustified(static_cast<long long>(curves) * points, 11) +
         " data points.";
}

Status Allocate(PlotDocument& d, int curves, int points) {
  const int oldCurves = d.maxCurves;
  const int oldPoints = d.maxPoints;
  d.xValues.Release();
  d.yValues.Release();
  d.extents.valid = EXTENTS_STALE;
  if (AllocateBoth(d, curves, points)) return Status::Success();

  Status status = Status::Failure(InsufficientMemoryText(curves, points));
  if (oldCurves >= 1 && oldPoints >= 1 && AllocateBoth(d, oldCurves, oldPoints)) return status;
  d.maxCurves = oldCurves;
  d.maxPoints = oldPoints;
  if (oldCurves >= 1 && oldPoints >= 1) {
    status.Add(MSG_UNABLE_TO_RESTORE_ARRAYS);
    status.fatal = true;
  }
  return status;
}

Status Reallocate(PlotDocument& d, int curves, int points) {
  if (d.curveCount == 0 || !d.HasMatrices()) {
    d.curveCount = 0;
    return Allocate(d, curves, points);
  }
  Status check = CheckResizeShape(d, curves, points);
  if (!check.Ok()) return check;

  const std::filesystem::path file = MakeTemporaryFile();
  std::error_code ec;
  if (file.empty() || !WriteCurves(d, file)) {
    if (!file.empty()) std::filesystem::remove(file, ec);
    return Status::Failure(MSG_NO_DISK_SPACE_FOR_RESIZE);
  }
  Status status = Allocate(d, curves, points);
  if (d.HasMatrices()) {
    ReadCurves(d, file);
  } else {
    d.curveCount = 0;
  }
  std::filesystem::remove(file, ec);
  return status;
}

ArrayShape MinimumShape(const PlotDocument& d) {
  return {std::max(1, d.curveCount), std::max(MINIMUM_POINT_CAPACITY, d.LongestCurve())};
}

ArrayShape InitialResizeShape(const PlotDocument& d) {
  const ArrayShape minimum = MinimumShape(d);
  return {std::max(d.maxCurves, minimum.curves), std::max(d.maxPoints, minimum.points)};
}

Status CheckResizeShape(const PlotDocument& d, int curves, int points) {
  const ArrayShape minimum = MinimumShape(d);
  if (curves < minimum.curves || curves > MAX_CURVE_SLOTS)
    return Status::Failure("The number of curves must be in the range " +
                           std::to_string(minimum.curves) + "-100.");
  if (points < minimum.points)
    return Status::Failure("The number of points must be greater than or equal to " +
                           RightJustified(minimum.points, 10) + ".");
  return Status::Success();
}

Status ApplyResize(PlotDocument& d, int curves, int points) {
  if (d.curveCount > 0) return Reallocate(d, curves, points);
  Status status = Allocate(d, curves, points);
  if (!status.Ok() && !status.fatal) status.Add(MSG_ARRAY_ALLOCATION_FAILED);
  return status;
}

Status CheckNewWindowShape(int curves, int points) {
  if (curves < 1 || curves > MAX_CURVE_SLOTS)
    return Status::Failure("The number of curves must be in the range 1-100.");
  if (points < MINIMUM_POINT_CAPACITY)
    return Status::Failure("The number of points must be greater than or equal to " +
                           RightJustified(MINIMUM_POINT_CAPACITY, 10) + ".");
  return Status::Success();
}

}  // namespace merva
