#include "render/curve_reduction.h"

#include <algorithm>
#include <cmath>

namespace merva {

int32_t RoundDevice(double v) {
  return static_cast<int32_t>(std::lround(std::clamp(v, -32768.0, 32767.0)));
}

void PolylineReducer::Add(double x, double y) {
  const int32_t px = RoundDevice(x), py = RoundDevice(y);
  const bool inside = !clip_ || clip_->Contains(x, y);
  if (!run_.empty()) {
    const bool sameColumn = px == runX_ && mode_ != ROW;
    const bool sameRow = py == runY_ && mode_ != COLUMN;
    if (sameColumn || sameRow) {
      if (mode_ == UNDECIDED && !(sameColumn && sameRow)) mode_ = sameColumn ? COLUMN : ROW;
      run_.push_back(DeviceVertex{x, y});
      runInside_ = runInside_ && inside;
      return;
    }
    EmitRun(false);
  }
  run_.push_back(DeviceVertex{x, y});
  runX_ = px;
  runY_ = py;
  mode_ = UNDECIDED;
  runInside_ = inside;
}

void PolylineReducer::Finish() {
  EmitRun(true);
  mode_ = UNDECIDED;
}

void PolylineReducer::EmitRun(bool final) {
  if (run_.size() <= 3 || !runInside_ || mode_ == UNDECIDED)
    ready_.insert(ready_.end(), run_.begin(), run_.end());
  else
    EmitReduced(final);
  run_.clear();
}

// Along the run: y in a column, x in a row.
void PolylineReducer::EmitReduced(bool final) {
  const bool column = mode_ == COLUMN;
  auto along = [column](const DeviceVertex& v) { return RoundDevice(column ? v.y : v.x); };
  const std::size_t n = run_.size();
  // The final pixel is drawn only where the line passed it before arriving
  // there for good, so a final run takes its extremes without the points
  // that end on that pixel.
  std::size_t span = n;
  if (final) {
    const int32_t last = along(run_[n - 1]);
    while (span > 1 && along(run_[span - 1]) == last) --span;
  }
  std::size_t low = 0, high = 0;
  for (std::size_t i = 1; i < span; ++i) {
    const int32_t a = along(run_[i]);
    if (a < along(run_[low])) low = i;
    if (a > along(run_[high])) high = i;
  }
  std::size_t keep[4] = {0, std::min(low, high), std::max(low, high), n - 1};
  std::size_t previous = n;
  for (std::size_t i : keep) {
    if (i == previous) continue;
    if (final && i == n - 1 && along(run_[previous]) == along(run_[i]) &&
        along(run_[low]) < along(run_[high])) {
      // The point before the last lies on its pixel: one pixel aside and
      // back, so that the last pixel is drawn as the whole run draws it.
      const int32_t last = along(run_[i]);
      const int32_t aside = last + 1 <= along(run_[high]) ? last + 1 : last - 1;
      const double fixed = column ? runX_ : runY_;
      ready_.push_back(column ? DeviceVertex{fixed, static_cast<double>(aside)}
                              : DeviceVertex{static_cast<double>(aside), fixed});
    }
    ready_.push_back(run_[i]);
    previous = i;
  }
}

PositionSet::PositionSet(int left, int top, int right, int bottom)
    : left_(left),
      top_(top),
      width_(std::max(0, right - left + 1)),
      height_(std::max(0, bottom - top + 1)),
      bits_((static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) + 63) / 64) {}

bool PositionSet::Insert(int x, int y) {
  if (x < left_ || y < top_ || x >= left_ + width_ || y >= top_ + height_) return true;
  const std::size_t i = static_cast<std::size_t>(y - top_) * static_cast<std::size_t>(width_) +
                        static_cast<std::size_t>(x - left_);
  uint64_t& word = bits_[i / 64];
  const uint64_t bit = uint64_t{1} << (i % 64);
  if (word & bit) return false;
  word |= bit;
  return true;
}

}  // namespace merva
