#include "processing/baseline_shift.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/messages.h"
#include "core/number_text.h"
#include "processing/record_integration.h"

namespace merva {

Status CheckShiftAllowed(bool processingOn, int dataType, int shiftCount) {
  // Deflection, strain and the rest have no integral to aim at.
  if (!processingOn || IntegrationCount(dataType) == 0)
    return Status::Failure(MSG_SHIFT_ONLY_PROCESSING);
  if (shiftCount >= MAX_BASELINE_SHIFTS) return Status::Failure(MSG_MAXIMUM_SHIFTS);
  return Status::Success();
}

Status CheckShiftTimes(const ShiftRequest& request) {
  if (request.constant) return Status::Success();
  if (!(request.startTime < request.targetTime)) return Status::Failure(MSG_START_TIME_ORDER);
  if (!(request.endTime > request.startTime)) return Status::Failure(MSG_STOP_TIME_ORDER);
  return Status::Success();
}

namespace {

// k (0-based) with x[k] <= t < x[k+1]; -1 before the record, n - 1 or
// more at or after its end.
int BracketIndex(const float* x, int n, double t) {
  const float* past = std::upper_bound(x, x + n, t, [](double v, float e) { return v < e; });
  return static_cast<int>(past - x) - 1;
}

double IntegralAt(const float* x, const float* y, int k, double t) {
  if (x[k] == t) return y[k];
  if (x[k + 1] == t) return y[k + 1];
  const double fraction = (t - x[k]) / (static_cast<double>(x[k + 1]) - x[k]);
  return y[k] + (static_cast<double>(y[k + 1]) - y[k]) * fraction;
}

// Per-msec change of the integral to the record's own units.
double UnitsPerIntegral(int dataType) {
  switch (dataType) {
    case DATA_PRESSURE:
    case DATA_STRESS:
      return MSEC_PER_SEC;
    case DATA_ACCELERATION:
      return MSEC_PER_SEC / static_cast<double>(FEET_PER_G);
    default:
      return 0.0;
  }
}

}  // namespace

Status PlanBaselineShift(int dataType, const float* x, const float* integral, int n,
                         const ShiftRequest& request, BaselineShift& shift) {
  shift = BaselineShift{};
  double s = request.startTime, e = request.endTime;
  if (request.constant && n > 0) {
    s = static_cast<double>(x[0]) - 1.0;
    e = static_cast<double>(x[n - 1]) + 1.0;
  }
  const double t = request.targetTime;
  const int k = n > 0 && std::isfinite(t) ? BracketIndex(x, n, t) : -1;
  if (k < 0 || k >= n - 1 || !(x[k + 1] > x[k])) return Status::Failure(MSG_SHIFT_TIME_RANGE);
  const double delta = request.targetValue - IntegralAt(x, integral, k, t);
  const double units = UnitsPerIntegral(dataType);
  if (delta == 0.0 || units == 0.0) return Status::Success();
  const double t0 = std::max(static_cast<double>(x[0]), s);
  const double t1 = std::min(t, e);
  // A range that ends before the record begins would divide by zero or
  // shift the wrong way.
  if (!(t1 > t0)) return Status::Failure(MSG_STOP_TIME_ORDER);
  const double c = delta / (t1 - t0) * units;
  if (!std::isfinite(c) || std::fabs(c) > std::numeric_limits<float>::max())
    return Status::Failure(MSG_REAL4_LIMIT);
  shift = BaselineShift{c, s, e};
  return Status::Success();
}

void ApplyBaselineShift(const float* x, float* y, int n, const BaselineShift& shift) {
  const float from = static_cast<float>(shift.startTime);
  const float to = static_cast<float>(shift.endTime);
  for (int i = 0; i < n; ++i) {
    if (from <= x[i] && x[i] <= to) y[i] = static_cast<float>(y[i] + shift.value);
  }
}

bool RecordBaselineShift(ProcessState& state, const BaselineShift& shift) {
  const int count = std::clamp(state.shiftCount, 0, MAX_BASELINE_SHIFTS);
  if (count >= MAX_BASELINE_SHIFTS) return false;
  state.shifts[count] = shift;
  state.shiftCount = count + 1;
  return true;
}

Status TakeLastShift(bool processingOn, ProcessState& state, bool canUndo, BaselineShift& last) {
  if (!processingOn) return Status::Failure();
  const int count = std::clamp(state.shiftCount, 0, MAX_BASELINE_SHIFTS);
  if (count == 0) return Status::Failure(MSG_NO_SHIFTS_TO_UNDO);
  if (!canUndo) return Status::Failure(MSG_CANNOT_UNDO_SHIFT);
  last = state.shifts[count - 1];
  state.shifts[count - 1] = BaselineShift{};
  state.shiftCount = count - 1;
  return Status::Success();
}

Status ListEditions(bool processingOn, const ProcessState& state, std::string& text) {
  text.clear();
  if (!processingOn) return Status::Failure(MSG_SHIFT_ONLY_PROCESSING);
  const int count = std::clamp(state.shiftCount, 0, MAX_BASELINE_SHIFTS);
  if (count == 0) return Status::Failure(MSG_NO_SHIFTS_RECORDED);
  for (int i = 0; i < count; ++i) {
    const BaselineShift& s = state.shifts[i];
    if (i > 0) text += '\r';
    text += "Shift no. " + std::to_string(i + 1) + "    Shift = " + FormatG(s.value) +
            "    From T = " + FormatG(s.startTime) + "    To T = " + FormatG(s.endTime);
  }
  return Status::Success();
}

}  // namespace merva
