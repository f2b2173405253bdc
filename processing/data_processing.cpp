#include "processing/data_processing.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "core/array_sizing.h"
#include "core/messages.h"
#include "processing/curve_slots.h"
#include "processing/differentiation.h"
#include "processing/record_integration.h"
#include "processing/record_title_line.h"

namespace merva {

namespace {

constexpr int RECORD = 1;  // the record's curve

struct FormatLayout {
  double width, height;
  int xTicks, yTicks;
};
constexpr FormatLayout SQUARE_LAYOUT = {5.15, 5.15, 10, 10};
constexpr FormatLayout WIDE_LAYOUT = {6.15, 3.69, 20, 12};

// A record is drawn as a plain solid line.
constexpr int RECORD_LINE_TYPE = 1;
constexpr int RECORD_SYMBOL_TYPE = 0;
constexpr int RECORD_LINE_WIDTH = 0;

bool Processing(const PlotDocument& d) { return d.processMode != 0; }
int DataType(const PlotDocument& d) { return d.processState.dataType; }

void ApplyFormat(PlotDocument& d, int format) {
  if (format != RECORD_SQUARE && format != RECORD_WIDE) return;
  const FormatLayout& f = format == RECORD_SQUARE ? SQUARE_LAYOUT : WIDE_LAYOUT;
  d.plotWidth = f.width;
  d.plotHeight = f.height;
  d.xTickCount = f.xTicks;
  d.yTickCount = f.yTicks;
  d.manualTicks = 1;
  d.lineType.Fill(RECORD_LINE_TYPE);
  d.symbolType.Fill(RECORD_SYMBOL_TYPE);
  d.lineWidth.Fill(RECORD_LINE_WIDTH);
}

// Axis numbers 1..K+1 on independent axes; one axis without integrals.
void AssignRecordAxes(PlotDocument& d) {
  const int k = IntegrationCount(DataType(d));
  d.curveAxis.Fill(1);
  for (int c = 2; c <= k + 1; ++c) d.curveAxis[c] = c;
  d.yAxisMode = k > 0 ? 2 : 0;
}

void LabelRecordAxes(PlotDocument& d) {
  const bool generated = d.processState.generatedLabels;
  if (generated || d.xAxisLabel.IsBlank()) d.xAxisLabel.Set(TIME_AXIS_TITLE);
  const int type = DataType(d);
  if (type == DATA_UNKNOWN) return;
  if (generated || d.yAxisLabel.IsBlank()) d.yAxisLabel.Set(RecordUnitLabel(type, 0));
  if (IntegrationCount(type) > 0 && (generated || d.y2AxisLabel.IsBlank()))
    d.y2AxisLabel.Set(RecordUnitLabel(type, 1));
}

bool TimeIncreases(PlotDocument& d) {
  return d.curveCount < 1 || MonotonicState(d, RECORD) == STATE_YES;
}

int LongestPoints(const PlotDocument& d) {
  return d.curveCount > 0 ? std::max(2, d.LongestCurve()) : 2;
}

// Points per curve for `curves` curves keeping the storage the document
// has, but never fewer than its longest curve.
int PointsFor(const PlotDocument& d, int curves) {
  const long long total = static_cast<long long>(d.maxCurves) * d.maxPoints;
  const long long share = total / std::max(1, curves);
  return static_cast<int>(std::clamp<long long>(share, LongestPoints(d), INT_MAX));
}

bool HasMessage(const Status& s, int number) {
  return std::any_of(s.messages.begin(), s.messages.end(),
                     [&](const Message& m) { return m.number == number; });
}

// K + 1 curves of storage. Growing keeps every curve; shrinking keeps the
// record only (the caller asked message 112). A failure that leaves the
// data in place gives back the curves.
Status SizeForRecord(PlotDocument& d, int capacity) {
  const int before = d.curveCount;
  const bool growing = capacity > d.maxCurves;
  if (!growing) d.curveCount = std::min(d.curveCount, 1);
  const int points = PointsFor(d, capacity);
  Status s = d.curveCount > 0 ? Reallocate(d, capacity, points) : Allocate(d, capacity, points);
  if (s.Ok())
    d.curveCount = std::min(before, 1);
  else if (growing || HasMessage(s, MSG_NO_DISK_SPACE_FOR_RESIZE)) {
    d.curveCount = before;
  }
  return s;
}

void ResetProcessing(PlotDocument& d) {
  d.processMode = 0;
  d.processView = VIEW_RECORD;
  d.bCanUndo = 0;
}

// `formatted`: the format's size and styles are applied (not to a
// document read back, which keeps its own).
Status SwitchProcessingOn(PlotDocument& d, const ProcessingChoice& choice, bool formatted) {
  if (!TimeIncreases(d)) return Status::Failure(MSG_NOT_MONOTONIC);
  const int32_t oldMode = d.processMode;
  const ProcessState oldState = d.processState;
  d.processState.dataType = std::clamp(choice.dataType, 0, LAST_DATA_TYPE);
  d.processState.format = std::clamp(choice.format, 0, 2);
  d.processState.generatedLabels = choice.generatedLabels;
  const int capacity = ProcessingCurveCapacity(DataType(d));
  if (d.maxCurves != capacity || !d.HasMatrices()) {
    Status sized = SizeForRecord(d, capacity);
    if (!sized.Ok()) {
      d.processMode = oldMode;
      d.processState = oldState;
      return sized;
    }
  }
  d.curveCount = std::min(d.curveCount, 1);
  d.processMode = 1;
  d.processView = VIEW_RECORD;
  d.bCanUndo = 0;
  if (formatted) ApplyFormat(d, d.processState.format);
  AssignRecordAxes(d);
  LabelRecordAxes(d);
  Status s = RecomputeRecord(d);
  d.MarkChanged();
  return s;
}

Status NewCurveFrom(PlotDocument& d, int curve, int& slot) {
  if (curve < 1 || curve > d.curveCount) return Status::Failure();
  return TakeFreeCurveSlot(d, d.pointCount[curve], slot);
}

// The new curve takes the source's X and states; its Y is already written.
void FinishNewCurve(PlotDocument& d, int source, int slot) {
  const int n = d.pointCount[source];
  std::copy_n(d.xValues.Column(source), n, d.xValues.Column(slot));
  d.pointCount[slot] = n;
  d.monotonicState[slot] = d.monotonicState[source];
  d.spacingState[slot] = d.spacingState[source];
  d.curveCount = slot;
  d.MarkChanged();
}

}  // namespace

ProcessingChoice StoredProcessingChoice(const PlotDocument& d) {
  ProcessingChoice c;
  c.state = std::clamp(d.processMode, 0, 1);
  c.dataType = std::clamp(d.processState.dataType, 0, LAST_DATA_TYPE);
  c.format = std::clamp(d.processState.format, 0, 2);
  c.generatedLabels = d.processState.generatedLabels;
  return c;
}

bool ProcessingAsksReallocation(const PlotDocument& d, const ProcessingChoice& choice) {
  if (choice.state == 0 || d.curveCount < 1) return false;
  const bool fresh = !Processing(d) || choice.dataType != DataType(d);
  if (!fresh) return false;
  // Curves beyond the record become its integrals or go.
  return d.maxCurves != ProcessingCurveCapacity(choice.dataType) ||
         (!Processing(d) && d.curveCount > 1);
}

Status ApplyProcessingChoice(PlotDocument& d, const ProcessingChoice& choice) {
  if (choice.state != 0) return SwitchProcessingOn(d, choice, true);
  d.processState.format = std::clamp(choice.format, 0, 2);
  d.processState.generatedLabels = choice.generatedLabels;
  SwitchProcessingOff(d);
  return Status::Success();
}

void SwitchProcessingOff(PlotDocument& d) {
  const bool keepAxes =
      (DataType(d) == DATA_PRESSURE || DataType(d) == DATA_STRESS) && d.curveCount > 0;
  ResetProcessing(d);
  if (!keepAxes) {
    d.curveAxis.Fill(1);
    d.yAxisMode = 0;
  }
  d.MarkChanged();
}

Status ResumeProcessing(PlotDocument& d) {
  if (!Processing(d)) return Status::Success();
  ProcessingChoice choice = StoredProcessingChoice(d);
  choice.state = 1;
  d.processMode = 0;  // as read: the record alone
  const int32_t changed = d.changed;
  Status s = SwitchProcessingOn(d, choice, false);
  d.changed = changed;
  return s;
}

Status RecomputeRecord(PlotDocument& d) {
  if (!Processing(d)) return Status::Success();
  const int n = d.curveCount >= 1 ? d.pointCount[RECORD] : 0;
  const float* x = n > 0 ? d.xValues.Column(RECORD) : nullptr;
  d.title3.Set(RecordTitleLine(d.processState, x, n));
  const int k = IntegrationCount(DataType(d));
  if (k == 0) return Status::Success();
  d.scaleType = SCALE_LINEAR_LINEAR;
  if (d.maxCurves < k + 1 || !d.HasMatrices()) {
    SwitchProcessingOff(d);
    return Status::Failure(MSG_PROCESSING_ARRAYS_CHANGED);
  }
  if (d.curveCount < 1) return Status::Success();
  d.curveCount = k + 1;
  float* integrals[2] = {d.yValues.Column(2), k > 1 ? d.yValues.Column(3) : nullptr};
  float* integralX[2] = {d.xValues.Column(2), k > 1 ? d.xValues.Column(3) : nullptr};
  IntegrateRecordCurves(DataType(d), x, d.yValues.Column(RECORD), n, integrals, integralX);
  for (int c = 2; c <= k + 1; ++c) {
    d.pointCount[c] = n;
    d.monotonicState[c] = d.monotonicState[RECORD];
    d.spacingState[c] = d.spacingState[RECORD];
  }
  d.MarkChanged();
  return Status::Success();
}

Status AfterRecordEdit(PlotDocument& d, bool wasShift) {
  if (!Processing(d)) return Status::Success();
  d.bCanUndo = wasShift ? 1 : 0;
  return RecomputeRecord(d);
}

bool SwitchRecordView(PlotDocument& d) {
  if (!Processing(d) || DataType(d) != DATA_ACCELERATION) return false;
  d.processView = d.processView == VIEW_INTEGRALS ? VIEW_RECORD : VIEW_INTEGRALS;
  d.extents.valid = EXTENTS_STALE;
  d.zoomed = 0;
  d.zoomDepth = 0;
  return true;
}

ShiftRequest StoredShiftRequest(const PlotDocument& d) {
  return {d.shiftTargetTime, d.shiftTargetValue, d.rangeStart, d.rangeEnd, d.applyToAllPoints != 0};
}

void StoreShiftRequest(PlotDocument& d, const ShiftRequest& r) {
  d.shiftTargetTime = r.targetTime;
  d.shiftTargetValue = r.targetValue;
  d.rangeStart = r.startTime;
  d.rangeEnd = r.endTime;
  d.applyToAllPoints = r.constant ? 1 : 0;
}

Status ShiftBaseline(PlotDocument& d, const ShiftRequest& request) {
  Status s = CheckShiftAllowed(Processing(d), DataType(d), d.processState.shiftCount);
  if (!s.Ok()) return s;
  s = CheckShiftTimes(request);
  if (!s.Ok()) return s;
  if (d.curveCount < 2) return Status::Failure(MSG_SHIFT_TIME_RANGE);
  const int n = d.pointCount[RECORD];
  BaselineShift shift;
  s = PlanBaselineShift(DataType(d), d.xValues.Column(RECORD), d.yValues.Column(2), n, request,
                        shift);
  if (!s.Ok() || shift.value == 0.0) return s;
  ApplyBaselineShift(d.xValues.Column(RECORD), d.yValues.Column(RECORD), n, shift);
  RecordBaselineShift(d.processState, shift);
  return AfterRecordEdit(d, true);
}

Status UndoLastShift(PlotDocument& d) {
  BaselineShift last;
  Status s = TakeLastShift(Processing(d), d.processState, d.bCanUndo != 0, last);
  if (!s.Ok()) return s;
  last.value = -last.value;
  if (d.curveCount >= 1)
    ApplyBaselineShift(d.xValues.Column(RECORD), d.yValues.Column(RECORD), d.pointCount[RECORD],
                       last);
  d.shiftTargetValue = last.value;
  d.rangeStart = last.startTime;
  d.rangeEnd = last.endTime;
  s = AfterRecordEdit(d, false);
  d.MarkChanged();
  return s;
}

Status IntegrateCurve(PlotDocument& d, int curve, int& result) {
  switch (d.scaleType) {
    case SCALE_LINEAR_LOG:
    case SCALE_LOG_LOG:
    case SCALE_TRIPARTITE:
    case SCALE_PROBABILITY_LOG:
      return Status::Failure(MSG_INTEGRATE_LOG);
    case SCALE_LINEAR_PROBABILITY:
    case SCALE_LOG_PROBABILITY:
    case SCALE_PROBABILITY_PROBABILITY:
      return Status::Failure(MSG_INTEGRATE_PROBABILITY);
    default:
      break;
  }
  int slot = 0;
  Status s = NewCurveFrom(d, curve, slot);
  if (!s.Ok()) return s;
  TrapezoidIntegral(d.xValues.Column(curve), d.yValues.Column(curve), d.pointCount[curve], 1.0f,
                    d.yValues.Column(slot));
  FinishNewCurve(d, curve, slot);
  result = slot;
  return s;
}

Status DifferentiateCurve(PlotDocument& d, int curve, int method, double initial, int& result) {
  int slot = 0;
  Status s = NewCurveFrom(d, curve, slot);
  if (!s.Ok()) return s;
  const float* x = d.xValues.Column(curve);
  const float* y = d.yValues.Column(curve);
  const int n = d.pointCount[curve];
  if (method == DIFFERENTIATE_QUADRATIC) {
    if (!DifferentiateQuadratic(x, y, n, d.yValues.Column(slot)))
      return Status::Failure(MSG_IDENTICAL_X);
  } else {
    DifferentiateTrapezoid(x, y, n, static_cast<float>(initial), d.yValues.Column(slot));
  }
  FinishNewCurve(d, curve, slot);
  result = slot;
  return s;
}

}  // namespace merva
