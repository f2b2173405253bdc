#include "processing/recursive_filter.h"

#include <cmath>
#include <cstdio>

namespace merva {

namespace {

const double kPi = 3.14159265358979323846;
// The Carleton design's 1.01 as the single-precision constant it was.
const double kCarletonRadius = static_cast<double>(1.01f);

template <int Step>
void Run(float* y, std::ptrdiff_t first, std::ptrdiff_t end, const RecursiveCoefficients& k) {
  // The inputs are overwritten as the outputs are written: keep the last two.
  double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
  for (std::ptrdiff_t i = first; i != end; i += Step) {
    const double x0 = y[i];
    const float out = static_cast<float>(k.c0 * x0 + k.c1 * x1 + k.c2 * x2 + k.d1 * y1 + k.d2 * y2);
    y[i] = out;
    x2 = x1;
    x1 = x0;
    y2 = y1;
    y1 = out;  // the stored (single-precision) value feeds back
  }
}

}  // namespace

RecursiveCoefficients CarletonCoefficients(double f0, double dt) {
  const double w = 2.0 * kPi * f0 * dt;
  RecursiveCoefficients k;
  k.c0 = k.c2 = 1.0 / 1.0201;
  k.c1 = -2.0 * std::cos(w) / 1.0201;
  k.d1 = -kCarletonRadius * k.c1;
  k.d2 = -1.0 / 1.0201;
  return k;
}

RecursiveCoefficients PressCoefficients(double f0, double bandwidth, double dt) {
  const double a = std::tan(kPi * f0 * dt);
  const double b = bandwidth / f0;
  const double a2 = a * a;
  const double d = (1.0 + a * b) * (1.0 + a * b) + a2;
  RecursiveCoefficients k;
  k.c0 = k.c2 = (1.0 + a2) / d;
  k.c1 = -2.0 * (1.0 - a2) / d;
  k.d1 = 2.0 * (1.0 - a2 * (1.0 + b * b)) / d;
  k.d2 = -((1.0 - a * b) * (1.0 - a * b) + a2) / d;
  return k;
}

RecursiveCoefficients ZeroFrequencyCoefficients() {
  RecursiveCoefficients k;
  k.c0 = 1.0 / 1.01;
  k.c1 = -1.0 / 1.01;
  k.d1 = 1.0 / 1.01;
  return k;
}

bool RejectionFrequencyValid(double f0, double dt) {
  return std::isfinite(f0) && std::isfinite(dt) && dt > 0.0 && f0 > 0.0 && f0 < 0.5 / dt;
}

std::string RejectionFrequencyText(double dt) {
  char nyquist[40];
  std::snprintf(nyquist, sizeof nyquist, "%g", 0.5 / dt);
  return std::string(
             "The rejection frequency must be greater than zero and less than one-half "
             "the sampling frequency (") +
         nyquist + " Hertz).";
}

void RunRecursiveFilter(float* y, std::size_t n, const RecursiveCoefficients& k, bool backward) {
  const auto count = static_cast<std::ptrdiff_t>(n);
  if (backward)
    Run<-1>(y, count - 1, -1, k);
  else
    Run<1>(y, 0, count, k);
}

}  // namespace merva
