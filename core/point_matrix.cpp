#include "core/point_matrix.h"

#include <limits>
#include <new>

namespace merva {

namespace {
std::size_t pointMemoryLimit = std::numeric_limits<std::size_t>::max();
}

std::size_t PointMemoryLimit() { return pointMemoryLimit; }
void SetPointMemoryLimit(std::size_t bytes) { pointMemoryLimit = bytes; }

bool PointMatrix::Allocate(int curves, int points) {
  Release();
  if (curves < 1 || points < 1) return false;
  // 64-bit product: on a 32-bit build curves x points may not fit size_t.
  const unsigned long long count =
      static_cast<unsigned long long>(curves) * static_cast<unsigned long long>(points);
  if (count > pointMemoryLimit / sizeof(float)) return false;
  values_.reset(new (std::nothrow) float[static_cast<std::size_t>(count)]);
  if (!values_) return false;
  curves_ = curves;
  points_ = points;
  return true;
}

void PointMatrix::Release() {
  values_.reset();
  curves_ = 0;
  points_ = 0;
}

}  // namespace merva
