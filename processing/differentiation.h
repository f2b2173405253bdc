#pragma once

// Slope of a curve as a new curve, in single precision.

namespace merva {

// Method 1, the inverse of the trapezoidal rule: d[0] = initial;
// d[i] = 2 (y[i] - y[i-1]) / dx - d[i-1], or d[i-1] where dx = 0.
void DifferentiateTrapezoid(const float* x, const float* y, int n, float initial, float* d);

// Method 2, quadratic interpolation on the constant spacing h = x[1] - x[0]
// (one-sided three-point ends). Fewer than three points fall back to the
// one slope there is (0 for a single point). False, writing nothing, when
// h is 0 or not finite.
bool DifferentiateQuadratic(const float* x, const float* y, int n, float* d);

}  // namespace merva
