#pragma once

#include <cassert>
#include <cstddef>
#include <memory>

namespace merva {

// maxPoints x maxCurves single-precision values, one column per curve,
// addressed with 1-based curve and point numbers.
class PointMatrix {
 public:
  PointMatrix() = default;

  // Allocates an uninitialised matrix; false (and empty) when the memory
  // cannot be had.
  bool Allocate(int curves, int points);
  void Release();

  bool IsAllocated() const { return values_ != nullptr; }
  int Curves() const { return curves_; }
  int Points() const { return points_; }
  std::size_t ByteSize() const {
    return static_cast<std::size_t>(curves_) * static_cast<std::size_t>(points_) * sizeof(float);
  }

  float& At(int curve, int point) { return values_[Index(curve, point)]; }
  float At(int curve, int point) const { return values_[Index(curve, point)]; }
  // Points 1..Points() of a curve, contiguous.
  float* Column(int curve) { return values_.get() + Index(curve, 1); }
  const float* Column(int curve) const { return values_.get() + Index(curve, 1); }

 private:
  std::size_t Index(int curve, int point) const {
    assert(values_ && curve >= 1 && curve <= curves_ && point >= 1 && point <= points_);
    return static_cast<std::size_t>(curve - 1) * static_cast<std::size_t>(points_) +
           static_cast<std::size_t>(point - 1);
  }

  std::unique_ptr<float[]> values_;
  int curves_ = 0;
  int points_ = 0;
};

// The largest number of bytes one point matrix may take; a request above it
// is treated like an allocation the system refused. Tests lower it to
// reproduce a machine without that memory.
std::size_t PointMemoryLimit();
void SetPointMemoryLimit(std::size_t bytes);

}  // namespace merva
