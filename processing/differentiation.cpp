#include "processing/differentiation.h"

#include <cmath>

namespace merva {

void DifferentiateTrapezoid(const float* x, const float* y, int n, float initial, float* d) {
  if (n <= 0) return;
  d[0] = initial;
  for (int i = 1; i < n; ++i) {
    const float dx = x[i] - x[i - 1];
    if (dx == 0.0f) {
      d[i] = d[i - 1];
      continue;
    }
    const float rise = 2.0f * (y[i] - y[i - 1]);
    const float slope = rise / dx;
    d[i] = slope - d[i - 1];
  }
}

bool DifferentiateQuadratic(const float* x, const float* y, int n, float* d) {
  if (n <= 0) return true;
  if (n == 1) {
    d[0] = 0.0f;
    return true;
  }
  const float h = x[1] - x[0];
  if (h == 0.0f || !std::isfinite(h)) return false;
  const float twoH = 2.0f * h;
  if (n == 2) {
    // The three-point ends would read past the curve.
    d[0] = d[1] = (y[1] - y[0]) / h;
    return true;
  }
  const float first = 4.0f * y[1] - 3.0f * y[0] - y[2];
  d[0] = first / twoH;
  for (int i = 1; i < n - 1; ++i) d[i] = (y[i + 1] - y[i - 1]) / twoH;
  const float last = 3.0f * y[n - 1] - 4.0f * y[n - 2] + y[n - 3];
  d[n - 1] = last / twoH;
  return true;
}

}  // namespace merva
