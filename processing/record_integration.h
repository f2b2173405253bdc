#pragma once

// Running integrals of a measurement record: the trapezoidal rule carried
// in single precision, each step rounded to float as the record is.

namespace merva {

// Data types of the data-processing block.
enum RecordDataType : int {
  DATA_UNKNOWN = 0,
  DATA_PRESSURE = 1,
  DATA_STRESS = 2,
  DATA_ACCELERATION = 3,
  DATA_DEFLECTION = 4,
  DATA_STRAIN = 5,
  DATA_TEMPERATURE = 6,
};

// Feet and inches per second squared in one g.
constexpr float FEET_PER_G = 32.174f;
constexpr float INCHES_PER_G = 386.088f;
// Record times are in msec, integrals per second.
constexpr float MSEC_PER_SEC = 1000.0f;

// K: 1 for pressure and stress, 2 for acceleration, else 0.
int IntegrationCount(int dataType);

// Curves the document must hold for the mode: K + 1, at least 2.
int ProcessingCurveCapacity(int dataType);

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
