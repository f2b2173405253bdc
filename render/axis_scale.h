#pragma once

// Division of one axis into tick intervals: linear steps from the mantissa
// table, decade rounding of logarithmic axes and the symmetric decades of
// probability axes.

namespace merva {

enum AxisKind : int {
  AXIS_LINEAR = 0,
  AXIS_LOG = 1,
  AXIS_PROBABILITY = 2,
};

int XAxisKind(int scaleType);
int YAxisKind(int scaleType);

// The limits shown on one axis and how they are divided. A low value above
// the high one is a reversed axis; the step then is negative.
struct AxisScale {
  int kind = AXIS_LINEAR;
  double low = 0.0;
  double high = 1.0;
  double step = 1.0;       // linear: signed tick step; log and probability: +1 or -1
  int tickCount = 2;       // linear: ticks; log: decade marks; probability: levels
  int minorCount = 4;      // minor subdivisions of one step (dense grid)
  double firstTick = 0.0;  // linear: value of the first tick (low unless rounded inward)
};

// The tick step for `intervals` intervals between low and high (sign of
// high - low). With `fixedIntervals` the limits are moved so that exactly
// `intervals` steps cover them (physical size mode); otherwise they are
// left alone. `minorCount` receives the minor subdivisions.
double NiceStep(double& low, double& high, int intervals, int formatKind, bool fixedIntervals,
                int& minorCount);

// Automatic linear axis: the step for `intervals`, limits rounded outward
// to multiples of it.
AxisScale RoundLinearAxis(double low, double high, int intervals, int formatKind);
// Physical size mode: exactly `intervals` intervals.
AxisScale FixedLinearAxis(double low, double high, int intervals, int formatKind);
// Linear limits rounded inward to the first and last multiple of the step.
AxisScale InwardLinearAxis(double low, double high, int intervals, int formatKind);

// Logarithmic axis rounded to 1, 2 or 5 times a power of ten (whole decades
// for the tripartite grid).
AxisScale RoundLogAxis(double low, double high, bool wholeDecades);
// Logarithmic axis that keeps its limits (physical size mode).
AxisScale KeepLogAxis(double low, double high);

// Probability axis: 10^k % to 100 - 10^k %.
AxisScale RoundProbabilityAxis(double low, double high);

// Halves away from zero.
long long RoundHalfAway(double value);

}  // namespace merva
