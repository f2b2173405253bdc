#include "processing/digital_filter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/messages.h"
#include "processing/curve_slots.h"
#include "processing/lowpass_cascades.h"
#include "processing/spike_removal.h"

namespace merva {

const char* const BANDWIDTH_NOT_POSITIVE_TEXT = "The bandwidth must be greater than zero.";

const char* const FILTER_TYPE_NAMES[FILTER_TYPE_COUNT] = {
    "User defined",
    "Frequency rejection (Carleton)",
    "Frequency rejection (Press)",
    "Zero frequency rejection",
    "Option 1 low-pass",
    "Option 2 low-pass",
    "Option 3 low-pass",
    "Option 4 low-pass",
    "Random spike removal",
};

bool IsRecursiveFilter(int type) {
  return type >= FILTER_TYPE_USER && type <= FILTER_TYPE_ZERO_FREQUENCY;
}

bool NeedsRejectFrequency(int type) {
  return type == FILTER_TYPE_CARLETON || type == FILTER_TYPE_PRESS;
}

double SampleInterval(const PlotDocument& d, int curve, bool milliseconds) {
  const int n = d.pointCount[curve];
  if (n < 2) return 0.0;
  const double dt = (static_cast<double>(d.X(curve, n)) - d.X(curve, 1)) / (n - 1);
  return milliseconds ? dt * 0.001 : dt;
}

RecursiveCoefficients CoefficientsOf(const FilterSettings& s, double dt) {
  switch (s.type) {
    case FILTER_TYPE_CARLETON:
      return CarletonCoefficients(s.rejectFrequency, dt);
    case FILTER_TYPE_PRESS:
      return PressCoefficients(s.rejectFrequency, s.bandwidth, dt);
    case FILTER_TYPE_ZERO_FREQUENCY:
      return ZeroFrequencyCoefficients();
    default:
      return s.coefficients;
  }
}

namespace {

// Runs the filter over y[0..n); false when nothing changed (no spike).
bool RunFilter(float* y, std::size_t n, const FilterSettings& s, double dt) {
  if (s.type == FILTER_TYPE_SPIKES) return RemoveRandomSpikes(y, n) > 0;
  const int passes = s.twoPass ? 2 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const bool backward = pass == 1;
    if (IsRecursiveFilter(s.type))
      RunRecursiveFilter(y, n, CoefficientsOf(s, dt), backward);
    else
      RunLowPassCascade(y, n, s.type - FILTER_TYPE_OPTION1 + 1, backward);
  }
  return true;
}

}  // namespace

Status ApplyFilter(PlotDocument& d, int curve, const FilterSettings& s, bool replace,
                   int& resultCurve) {
  resultCurve = 0;
  if (d.processMode != 0) {
    curve = 1;
    replace = true;
  }
  if (curve < 1 || curve > d.curveCount || !d.HasMatrices()) return Status::Failure();
  if (s.type < 0 || s.type >= FILTER_TYPE_COUNT) return Status::Failure();
  if (SpacingState(d, curve) != STATE_YES) return Status::Failure(MSG_CONSTANT_SPACING);
  const double dt = SampleInterval(d, curve, s.milliseconds);
  if (NeedsRejectFrequency(s.type) && !RejectionFrequencyValid(s.rejectFrequency, dt))
    return Status::Failure(RejectionFrequencyText(dt));
  // A bandwidth of 0 or less puts the notch's poles on or outside the unit circle.
  if (s.type == FILTER_TYPE_PRESS && !(s.bandwidth > 0.0 && std::isfinite(s.bandwidth)))
    return Status::Failure(BANDWIDTH_NOT_POSITIVE_TEXT);
  const int n = d.pointCount[curve];
  const auto count = static_cast<std::size_t>(n);
  // Filter a copy, so that a filter that finds nothing to do changes nothing.
  std::vector<float> y(d.yValues.Column(curve), d.yValues.Column(curve) + count);
  if (!RunFilter(y.data(), count, s, dt)) return Status::Failure(NO_RANDOM_SPIKES_TEXT);
  int target = curve;
  if (!replace) {
    Status taken = TakeFreeCurveSlot(d, n, target);
    if (!taken.Ok()) return taken;
    const float* x = d.xValues.Column(curve);
    std::copy(x, x + count, d.xValues.Column(target));
    d.pointCount[target] = n;
    d.curveCount = target;
    d.monotonicState[target] = STATE_YES;
    d.spacingState[target] = STATE_YES;
  }
  std::copy(y.begin(), y.end(), d.yValues.Column(target));
  d.extents.valid = EXTENTS_STALE;
  d.MarkChanged();
  resultCurve = target;
  return Status::Success();
}

}  // namespace merva
