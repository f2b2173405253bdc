#include "processing/record_integration.h"

#include <algorithm>

namespace merva {

void TrapezoidIntegral(const float* x, const float* y, int n, float divisor, float* out) {
  if (n <= 0) return;
  float sum = 0.0f;
  out[0] = sum;
  for (int i = 1; i < n; ++i) {
    // Named temporaries keep every intermediate a float (no contraction).
    const float step = (x[i] - x[i - 1]) / divisor;
    const float height = y[i] + y[i - 1];
    const float area = step * height;
    const float half = area * 0.5f;
    sum = sum + half;
    out[i] = sum;
  }
}

namespace {

// Velocity and displacement of an acceleration record in one pass, the
// times copied on the way when asked. The displacement integrates the
// velocity in g-seconds, before its conversion, so every float matches
// two TrapezoidIntegral passes followed by the scalings.
template <bool copyTimes>
void AccelerationIntegrals(const float* x, const float* y, int n, float* const integrals[2],
                           float* const integralX[2]) {
  float* velocity = integrals[0];
  float* displacement = integrals[1];
  float first = 0.0f;
  float second = 0.0f;
  float xBefore = x[0];
  float yBefore = y[0];
  velocity[0] = first * FEET_PER_G;
  displacement[0] = second * INCHES_PER_G;
  if (copyTimes) integralX[0][0] = integralX[1][0] = xBefore;
  for (int i = 1; i < n; ++i) {
    const float xi = x[i];
    const float yi = y[i];
    const float step = (xi - xBefore) / MSEC_PER_SEC;
    const float height = yi + yBefore;
    const float area = step * height;
    const float half = area * 0.5f;
    const float next = first + half;
    const float height2 = next + first;
    const float area2 = step * height2;
    const float half2 = area2 * 0.5f;
    second = second + half2;
    first = next;
    velocity[i] = first * FEET_PER_G;
    displacement[i] = second * INCHES_PER_G;
    if (copyTimes) integralX[0][i] = integralX[1][i] = xi;
    xBefore = xi;
    yBefore = yi;
  }
}

}  // namespace

int IntegrateRecord(int dataType, const float* x, const float* y, int n,
                    float* const integrals[2]) {
  const int k = IntegrationCount(dataType);
  if (k == 2 && n > 0) AccelerationIntegrals<false>(x, y, n, integrals, nullptr);
  if (k == 1) TrapezoidIntegral(x, y, n, MSEC_PER_SEC, integrals[0]);
  return k;
}

int IntegrateRecordCurves(int dataType, const float* x, const float* y, int n,
                          float* const integrals[2], float* const integralX[2]) {
  const int k = IntegrationCount(dataType);
  if (n <= 0) return k;
  if (k == 2) {
    AccelerationIntegrals<true>(x, y, n, integrals, integralX);
  } else if (k == 1) {
    std::copy(x, x + n, integralX[0]);
    TrapezoidIntegral(x, y, n, MSEC_PER_SEC, integrals[0]);
  }
  return k;
}

}  // namespace merva
