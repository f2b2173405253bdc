#include "render/axis_scale.h"

#include <algorithm>
#include <cmath>

#include "core/constants.h"
#include "render/number_format.h"

namespace merva {

namespace {

// Mantissas of the step table; the thresholds are single-precision values.
constexpr int MANTISSA_COUNT = 9;
const float MANTISSA_THRESHOLDS[MANTISSA_COUNT - 1] = {1.000001f, 1.500001f, 2.000001f, 2.500001f,
                                                       3.000001f, 4.000001f, 5.000001f, 6.000001f};
const double MANTISSAS[MANTISSA_COUNT] = {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0};
const int MINOR_COUNTS[MANTISSA_COUNT] = {4, 3, 4, 5, 3, 4, 5, 3, 4};

constexpr double FIXED_FIT_TOLERANCE = 1e-6;
constexpr int MAX_FIT_TRIES = 200;

// A step as a table entry (0-based index) and a decimal exponent, or as a
// binary fraction.
struct StepChoice {
  int index = 0;
  int exponent = 0;
  bool fraction = false;
  double fractionStep = 1.0;

  double Value() const {
    if (fraction) return fractionStep;
    return MANTISSAS[index] * std::pow(10.0, exponent);
  }
  int Minor() const { return fraction ? 4 : MINOR_COUNTS[index]; }
  void Grow() {
    if (fraction) {
      fractionStep *= 2.0;
      return;
    }
    // After the last regular entry the exponent grows and the mantissa
    // restarts at 1.0, so 8.0 is only ever a first choice.
    if (index >= MANTISSA_COUNT - 2) {
      index = 0;
      ++exponent;
    } else {
      ++index;
    }
  }
};

StepChoice FirstStep(double r, int formatKind) {
  StepChoice choice;
  if (formatKind == FORMAT_FRACTIONS && r > 1.0 / 128.0 && r < 1.0) {
    const long long q = RoundHalfAway(64.0 * r);
    choice.fraction = true;
    if (q <= 1)
      choice.fractionStep = 1.0 / 64.0;
    else if (q == 2)
      choice.fractionStep = 1.0 / 32.0;
    else if (q <= 4)
      choice.fractionStep = 1.0 / 16.0;
    else if (q <= 8)
      choice.fractionStep = 1.0 / 8.0;
    else if (q <= 16)
      choice.fractionStep = 1.0 / 4.0;
    else if (q <= 32)
      choice.fractionStep = 1.0 / 2.0;
    else
      choice.fractionStep = 1.0;
    return choice;
  }
  int exponent = 0;
  while (r <= 0.8) {
    r *= 10.0;
    --exponent;
  }
  while (r > 8.0) {
    r /= 10.0;
    ++exponent;
  }
  int index = MANTISSA_COUNT - 1;
  for (int i = 0; i < MANTISSA_COUNT - 1; ++i) {
    if (r <= static_cast<double>(MANTISSA_THRESHOLDS[i])) {
      index = i;
      break;
    }
  }
  choice.index = index;
  choice.exponent = exponent;
  return choice;
}

bool Usable(double a, double b) { return std::isfinite(a) && std::isfinite(b) && a != b; }

}  // namespace

long long RoundHalfAway(double value) { return static_cast<long long>(std::llround(value)); }

int XAxisKind(int scaleType) {
  if (HasLogX(scaleType)) return AXIS_LOG;
  if (HasProbabilityX(scaleType)) return AXIS_PROBABILITY;
  return AXIS_LINEAR;
}

int YAxisKind(int scaleType) {
  if (HasLogY(scaleType)) return AXIS_LOG;
  if (HasProbabilityY(scaleType)) return AXIS_PROBABILITY;
  return AXIS_LINEAR;
}

double NiceStep(double& low, double& high, int intervals, int formatKind, bool fixedIntervals,
                int& minorCount) {
  const double sign = high < low ? -1.0 : 1.0;
  minorCount = 4;
  if (!Usable(low, high)) return sign;
  const int n = std::max(intervals, 1);
  const double a = std::min(low, high);
  const double b = std::max(low, high);
  StepChoice choice = FirstStep((b - a) / n, formatKind);
  if (!fixedIntervals) {
    minorCount = choice.Minor();
    return sign * choice.Value();
  }
  double lowFit = a;
  double highFit = b;
  for (int attempt = 0; attempt < MAX_FIT_TRIES; ++attempt) {
    const double step = choice.Value();
    lowFit = std::trunc(a / step) * step;
    if (lowFit - a > (b - a) * FIXED_FIT_TOLERANCE) lowFit -= step;
    highFit = lowFit + n * step;
    if (b - highFit > (b - a) * FIXED_FIT_TOLERANCE) {
      choice.Grow();
      continue;
    }
    break;
  }
  if (sign > 0) {
    low = lowFit;
    high = highFit;
  } else {
    low = highFit;
    high = lowFit;
  }
  minorCount = choice.Minor();
  return sign * choice.Value();
}

AxisScale RoundLinearAxis(double low, double high, int intervals, int formatKind) {
  AxisScale axis;
  axis.kind = AXIS_LINEAR;
  axis.step = NiceStep(low, high, intervals, formatKind, false, axis.minorCount);
  const double s = std::fabs(axis.step);
  double a = std::min(low, high);
  double b = std::max(low, high);
  if (Usable(a, b)) {
    double lowRounded = std::trunc(a / s) * s;
    if (lowRounded - a > std::fabs(a) * 1e-6) lowRounded -= s;
    double highRounded = std::trunc(b / s) * s;
    if (b - highRounded > std::fabs(b) * 1e-6) highRounded += s;
    a = lowRounded;
    b = highRounded;
  }
  axis.low = high < low ? b : a;
  axis.high = high < low ? a : b;
  axis.firstTick = axis.low;
  axis.tickCount = static_cast<int>(RoundHalfAway(std::fabs(b - a) / s + 1.0));
  return axis;
}

AxisScale FixedLinearAxis(double low, double high, int intervals, int formatKind) {
  AxisScale axis;
  axis.kind = AXIS_LINEAR;
  axis.step = NiceStep(low, high, intervals, formatKind, true, axis.minorCount);
  axis.low = low;
  axis.high = high;
  axis.firstTick = low;
  axis.tickCount = std::max(intervals, 1) + 1;
  if (!Usable(low, high)) axis.tickCount = 2;
  return axis;
}

AxisScale InwardLinearAxis(double low, double high, int intervals, int formatKind) {
  AxisScale axis;
  axis.kind = AXIS_LINEAR;
  axis.low = low;
  axis.high = high;
  axis.step = NiceStep(low, high, intervals, formatKind, false, axis.minorCount);
  const double s = std::fabs(axis.step);
  const double a = std::min(low, high);
  const double b = std::max(low, high);
  const double tolerance = (b - a) * 1e-6;
  double first = std::ceil((a - tolerance) / s) * s;
  double last = std::floor((b + tolerance) / s) * s;
  if (last < first) last = first;
  axis.tickCount = static_cast<int>(RoundHalfAway((last - first) / s + 1.0));
  axis.firstTick = high < low ? last : first;
  return axis;
}

AxisScale RoundLogAxis(double low, double high, bool wholeDecades) {
  AxisScale axis;
  axis.kind = AXIS_LOG;
  const bool reversed = high < low;
  double lo = reversed ? high : low;
  double hi = reversed ? low : high;
  if (!(hi > 0.0) || !std::isfinite(hi)) hi = 10.0;
  if (!(lo > 0.0) || !std::isfinite(lo) || lo > hi) lo = hi / 10.0;

  int e = static_cast<int>(std::trunc(std::log10(lo)));
  if (lo * 1.001 < std::pow(10.0, e)) --e;
  const double decadeLow = std::pow(10.0, e);
  double roundedLow = decadeLow;
  if (!wholeDecades) {
    if (lo * 1.001 > 5.0 * decadeLow)
      roundedLow = 5.0 * decadeLow;
    else if (lo * 1.001 > 2.0 * decadeLow)
      roundedLow = 2.0 * decadeLow;
  }
  int f = static_cast<int>(RoundHalfAway(std::log10(hi)));
  if (hi / 1.001 > std::pow(10.0, f)) ++f;
  double roundedHigh = std::pow(10.0, f);
  if (!wholeDecades) {
    const double decadeBelow = std::pow(10.0, f - 1);
    if (hi / 1.001 < 2.0 * decadeBelow)
      roundedHigh = 2.0 * decadeBelow;
    else if (hi / 1.001 < 5.0 * decadeBelow)
      roundedHigh = 5.0 * decadeBelow;
  }
  if (roundedHigh <= roundedLow) roundedHigh = roundedLow * 10.0;
  axis.tickCount =
      static_cast<int>(RoundHalfAway(std::log10(roundedHigh) - std::log10(roundedLow) + 1.0));
  axis.low = reversed ? roundedHigh : roundedLow;
  axis.high = reversed ? roundedLow : roundedHigh;
  axis.step = reversed ? -1.0 : 1.0;
  return axis;
}

AxisScale KeepLogAxis(double low, double high) {
  AxisScale axis;
  axis.kind = AXIS_LOG;
  axis.low = low;
  axis.high = high;
  axis.step = high < low ? -1.0 : 1.0;
  if (low > 0.0 && high > 0.0)
    axis.tickCount = static_cast<int>(RoundHalfAway(std::fabs(std::log10(high / low)) + 1.0));
  return axis;
}

AxisScale RoundProbabilityAxis(double low, double high) {
  AxisScale axis;
  axis.kind = AXIS_PROBABILITY;
  const bool reversed = high < low;
  const double lo = reversed ? high : low;
  const double hi = reversed ? low : high;
  double p = std::min(lo, 100.0 - hi);
  if (!(p > 0.001)) p = 0.001;
  if (p > 50.0) p = 50.0;
  int k = static_cast<int>(std::trunc(std::log10(p)));
  if (std::log10(p) * 0.99999 < k) --k;
  const double limit = std::pow(10.0, k);
  axis.low = reversed ? 100.0 - limit : limit;
  axis.high = reversed ? limit : 100.0 - limit;
  axis.step = reversed ? -1.0 : 1.0;
  axis.tickCount = static_cast<int>(RoundHalfAway(-std::log10(limit))) + 2;
  return axis;
}

}  // namespace merva
