#include "processing/curve_arithmetic.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/messages.h"
#include "processing/curve_states.h"

namespace merva {

namespace {

// The range within the curves; in data-processing mode adding,
// multiplying, sorting and truncating edit curve 1 only.
CurveRange Effective(const PlotDocument& d, CurveRange range, bool firstInProcessMode = true) {
  if (d.processMode != 0 && firstInProcessMode) return {1, std::min(1, d.curveCount)};
  range.first = std::max(range.first, 1);
  range.last = std::min(range.last, d.curveCount);
  return range;
}

bool InRange(CurveRange range, int curve) { return curve >= range.first && curve <= range.last; }

template <class Change>
Status ChangeX(PlotDocument& d, CurveRange range, CurveEdit edit, Change change) {
  range = Effective(d, range);
  if (range.Empty()) return Status::Failure();
  for (int c = range.first; c <= range.last; ++c) {
    float* x = d.pointCount[c] > 0 ? d.xValues.Column(c) : nullptr;
    for (int i = 0; i < d.pointCount[c]; ++i) x[i] = static_cast<float>(change(x[i]));
    ApplyStateRule(d, c, edit);
  }
  for (PointLabel& label : d.pointLabels)
    if (InRange(range, label.curve)) label.x = change(label.x);
  d.MarkChanged();
  return Status::Success();
}

template <class Change>
Status ChangeY(PlotDocument& d, CurveRange range, XLimits limits, CurveEdit edit, Change change) {
  range = Effective(d, range);
  if (range.Empty()) return Status::Failure();
  if (limits.from > limits.to) std::swap(limits.from, limits.to);
  for (int c = range.first; c <= range.last; ++c) {
    const int n = d.pointCount[c];
    if (n <= 0) continue;
    const float* x = d.xValues.Column(c);
    float* y = d.yValues.Column(c);
    for (int i = 0; i < n; ++i)
      if (x[i] >= limits.from && x[i] <= limits.to) y[i] = static_cast<float>(change(y[i]));
    ApplyStateRule(d, c, edit);
  }
  for (PointLabel& label : d.pointLabels)
    if (InRange(range, label.curve) && label.x >= limits.from && label.x <= limits.to)
      label.y = change(label.y);
  d.MarkChanged();
  return Status::Success();
}

}  // namespace

Status AddToX(PlotDocument& d, CurveRange range, double c) {
  return ChangeX(d, range, CurveEdit::AddX, [c](double x) { return x + c; });
}

Status MultiplyX(PlotDocument& d, CurveRange range, double c) {
  return ChangeX(d, range, CurveEdit::MultiplyX, [c](double x) { return x * c; });
}

XLimits DocumentXExtents(const PlotDocument& d) {
  XLimits limits{HUGE_VAL, -HUGE_VAL};
  for (int c = 1; c <= d.curveCount; ++c) {
    const int n = d.pointCount[c];
    const float* x = n > 0 ? d.xValues.Column(c) : nullptr;
    for (int i = 0; i < n; ++i) {
      limits.from = std::min(limits.from, static_cast<double>(x[i]));
      limits.to = std::max(limits.to, static_cast<double>(x[i]));
    }
  }
  if (limits.from > limits.to) limits = {0.0, 0.0};
  return limits;
}

XLimits DefaultYEditLimits(PlotDocument& d, CurveRange range) {
  range = Effective(d, range);
  if (range.Empty() || MonotonicState(d, range.first) < STATE_YES) return DocumentXExtents(d);
  return DefaultTruncateLimits(d, range);
}

XLimits CommandYEditLimits(const PlotDocument& d) {
  const XLimits extents = DocumentXExtents(d);
  return {extents.from - 1.0, extents.to + 1.0};
}

Status AddToY(PlotDocument& d, CurveRange range, double c, XLimits limits) {
  if (d.processMode != 0) {
    ProcessState& p = d.processState;
    if (p.shiftCount >= MAX_BASELINE_SHIFTS) return Status::Failure(MSG_MAXIMUM_SHIFTS);
    if (limits.from > limits.to) std::swap(limits.from, limits.to);
    p.shifts[static_cast<std::size_t>(p.shiftCount++)] = {c, limits.from, limits.to};
  }
  return ChangeY(d, range, limits, CurveEdit::AddY, [c](double y) { return y + c; });
}

Status MultiplyY(PlotDocument& d, CurveRange range, double c, XLimits limits) {
  return ChangeY(d, range, limits, CurveEdit::MultiplyY, [c](double y) { return y * c; });
}

Status SwapXY(PlotDocument& d, CurveRange range) {
  range = Effective(d, range, false);
  if (range.Empty()) return Status::Failure();
  for (int c = range.first; c <= range.last; ++c) {
    const int n = d.pointCount[c];
    if (n > 0) {
      float* x = d.xValues.Column(c);
      float* y = d.yValues.Column(c);
      std::swap_ranges(x, x + n, y);
      if (x[0] > x[n - 1]) {
        std::reverse(x, x + n);
        std::reverse(y, y + n);
      }
    }
    ApplyStateRule(d, c, CurveEdit::SwapXY);
  }
  d.MarkChanged();
  return Status::Success();
}

Status SortCurves(PlotDocument& d, CurveRange range) {
  range = Effective(d, range);
  if (range.Empty()) return Status::Failure();
  for (int c = range.first; c <= range.last; ++c) {
    const int n = d.pointCount[c];
    if (n > 1 && MonotonicState(d, c) != STATE_YES)
      SortPointsByX(d.xValues.Column(c), d.yValues.Column(c), static_cast<std::size_t>(n));
    ApplyStateRule(d, c, CurveEdit::Sort);
  }
  d.MarkChanged();
  return Status::Success();
}

XLimits DefaultTruncateLimits(const PlotDocument& d, CurveRange range) {
  range = Effective(d, range);
  XLimits limits{HUGE_VAL, -HUGE_VAL};
  for (int c = range.first; c <= range.last; ++c) {
    const int n = d.pointCount[c];
    if (n <= 0) continue;
    limits.from = std::min(limits.from, static_cast<double>(d.X(c, 1)));
    limits.to = std::max(limits.to, static_cast<double>(d.X(c, n)));
  }
  if (limits.from > limits.to) limits = {0.0, 0.0};
  return limits;
}

Status TruncateX(PlotDocument& d, CurveRange range, XLimits limits, int& curvesDeleted) {
  curvesDeleted = 0;
  range = Effective(d, range);
  if (range.Empty()) return Status::Failure();
  if (limits.from > limits.to) std::swap(limits.from, limits.to);
  std::vector<bool> removed(static_cast<std::size_t>(d.curveCount) + 1, false);
  for (int c = range.first; c <= range.last; ++c) {
    const int n = d.pointCount[c];
    float* x = n > 0 ? d.xValues.Column(c) : nullptr;
    float* y = n > 0 ? d.yValues.Column(c) : nullptr;
    int kept = 0;
    for (int i = 0; i < n; ++i) {
      if (!(x[i] >= limits.from && x[i] <= limits.to)) continue;  // NaN goes too
      x[kept] = x[i];
      y[kept] = y[i];
      ++kept;
    }
    d.pointCount[c] = kept;
    ApplyStateRule(d, c, CurveEdit::Truncate);
    removed[static_cast<std::size_t>(c)] = kept < 2;
  }
  if (d.processMode == 0) curvesDeleted = RemoveCurves(d, removed);
  d.MarkChanged();
  return Status::Success();
}

Status RemoveTrend(PlotDocument& d, CurveRange range) {
  range = Effective(d, range, false);
  if (range.Empty()) return Status::Failure();
  for (int c = range.first; c <= range.last; ++c)
    if (MonotonicState(d, c) != STATE_YES) return Status::Failure(MSG_NOT_MONOTONIC);
  for (int c = range.first; c <= range.last; ++c) {
    const int n = d.pointCount[c];
    if (n < 2 || d.X(c, n) == d.X(c, 1)) continue;  // no line through one X
    const double s =
        (static_cast<double>(d.Y(c, n)) - d.Y(c, 1)) / (static_cast<double>(d.X(c, n)) - d.X(c, 1));
    const double b = d.Y(c, 1) - s * d.X(c, 1);
    const float* x = d.xValues.Column(c);
    float* y = d.yValues.Column(c);
    for (int i = 0; i < n; ++i) y[i] = static_cast<float>(y[i] - s * x[i] - b);
    for (PointLabel& label : d.pointLabels)
      if (label.curve == c) label.y = label.y - s * label.x - b;
    ApplyStateRule(d, c, CurveEdit::RemoveTrend);
  }
  d.MarkChanged();
  return Status::Success();
}

}  // namespace merva
