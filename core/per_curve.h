#pragma once

#include <array>
#include <cassert>

#include "core/constants.h"

namespace merva {

// A per-curve table of exactly MAX_CURVE_SLOTS entries, indexed by the
// 1-based curve number.
template <typename T>
class PerCurve {
 public:
  PerCurve() = default;
  explicit PerCurve(const T& value) { entries_.fill(value); }

  T& operator[](int curve) {
    assert(curve >= 1 && curve <= MAX_CURVE_SLOTS);
    return entries_[static_cast<std::size_t>(curve - 1)];
  }
  const T& operator[](int curve) const {
    assert(curve >= 1 && curve <= MAX_CURVE_SLOTS);
    return entries_[static_cast<std::size_t>(curve - 1)];
  }
  void Fill(const T& value) { entries_.fill(value); }
  static constexpr int Size() { return MAX_CURVE_SLOTS; }

  bool operator==(const PerCurve& other) const { return entries_ == other.entries_; }

 private:
  std::array<T, MAX_CURVE_SLOTS> entries_{};
};

}  // namespace merva
