#include "processing/record_integration.h"

#include <algorithm>

namespace merva {

int IntegrationCount(int dataType) {
  switch (dataType) {
    case DATA_PRESSURE:
    case DATA_STRESS:
      return 1;
    case DATA_ACCELERATION:
      return 2;
    default:
      return 0;
  }
}

int ProcessingCurveCapacity(int dataType) {
  const int k = IntegrationCount(dataType);
  return k + 1 < 2 ? 2 : k + 1;
}

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

void Scale(float* y, int n, float factor) {
  for (int i = 0; i < n; ++i) y[i] = y[i] * factor;
}

}  // namespace

int IntegrateRecord(int dataType, const float* x, const float* y, int n,
                    float* const integrals[2]) {
  const int k = IntegrationCount(dataType);
  const float* source = y;
  for (int c = 0; c < k; ++c) {
    TrapezoidIntegral(x, source, n, MSEC_PER_SEC, integrals[c]);
    source = integrals[c];
  }
  // The second integral is taken of the velocity in g-seconds, so both
  // conversions come after.
  if (dataType == DATA_ACCELERATION) {
    Scale(integrals[0], n, FEET_PER_G);
    Scale(integrals[1], n, INCHES_PER_G);
  }
  return k;
}

int IntegrateRecordCurves(int dataType, const float* x, const float* y, int n,
                          float* const integrals[2], float* const integralX[2]) {
  const int k = IntegrationCount(dataType);
  for (int c = 0; c < k && n > 0; ++c) std::copy(x, x + n, integralX[c]);
  return IntegrateRecord(dataType, x, y, n, integrals);
}

}  // namespace merva
