#pragma once

// Running integrals of a measurement record: the trapezoidal rule carried
// in single precision, each step rounded to float as the record is.

#include "core/record_units.h"

namespace merva {

// Feet and inches per second squared in one g.
constexpr float FEET_PER_G = 32.174f;
constexpr float INCHES_PER_G = 386.088f;
// Record times are in msec, integrals per second.
constexpr float MSEC_PER_SEC = 1000.0f;

// out[0] = 0; out[i] = out[i-1] + ((x[i] - x[i-1]) / divisor) * (y[i] + y[i-1]) * 0.5,
// every step in float. `out` may not alias y. n <= 0 writes nothing.
void TrapezoidIntegral(const float* x, const float* y, int n, float divisor, float* out);

// The integrals of a record y(x) (x in msec) for its data type:
// integrals[0] (impulse in psi-sec or velocity in ft/s) and, for
// acceleration, integrals[1] (displacement in inches). Returns K; only
// the first K outputs are written.
int IntegrateRecord(int dataType, const float* x, const float* y, int n, float* const integrals[2]);

// IntegrateRecord that also copies x into integralX[c] for every integral
// written: the integral curves of the mode share the record's times.
int IntegrateRecordCurves(int dataType, const float* x, const float* y, int n,
                          float* const integrals[2], float* const integralX[2]);

}  // namespace merva
