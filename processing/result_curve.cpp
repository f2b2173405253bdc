#include "processing/result_curve.h"

#include "core/array_sizing.h"

namespace merva {

int TakeResultSlot(PlotDocument& d, Status& status) {
  if (!d.HasMatrices() || d.curveCount >= MAX_CURVE_SLOTS) {
    status = Status::Failure();
    return 0;
  }
  if (!CanAppendCurve(d)) {
    status = Reallocate(d, d.curveCount + 1, d.maxPoints);
    if (!status.Ok() || !CanAppendCurve(d)) {
      status.result = 0;
      return 0;
    }
  }
  const int slot = ++d.curveCount;
  d.pointCount[slot] = 0;
  d.legendText[slot].Clear();
  d.curveTag[slot].Clear();
  d.InvalidateCurveStates(slot);
  return slot;
}

void ReleaseResultSlot(PlotDocument& d, int slot) {
  if (slot != d.curveCount) return;
  d.pointCount[slot] = 0;
  d.legendText[slot].Clear();
  --d.curveCount;
}

}  // namespace merva
