#include "processing/curve_slots.h"

#include <algorithm>
#include <cstring>

#include "core/array_sizing.h"
#include "processing/curve_states.h"

namespace merva {

const char* const NO_FREE_CURVE_SLOT_TEXT =
    "The plot already holds 100 curves. Erase a curve and try again.";

Status TakeFreeCurveSlot(PlotDocument& d, int points, int& slot) {
  if (!d.HasMatrices()) return Status::Failure();
  const int wanted = d.curveCount + 1;
  if (wanted > MAX_CURVE_SLOTS) return Status::Failure(NO_FREE_CURVE_SLOT_TEXT);
  if (wanted > d.maxCurves || points > d.maxPoints) {
    Status grown = Reallocate(d, std::max(wanted, d.maxCurves), std::max(points, d.maxPoints));
    if (!grown.Ok()) return grown;
  }
  slot = wanted;
  d.pointCount[slot] = 0;
  d.InvalidateCurveStates(slot);
  return Status::Success();
}

CurveRange CommandCurveRange(const PlotDocument& d, int first, int last) {
  if (first < 0) return {1, d.curveCount};
  CurveRange range;
  range.first = std::min(std::max(first, 1), d.curveCount);
  range.last = std::min(std::max(last, range.first), d.curveCount);
  if (d.curveCount < 1) range = {1, 0};
  return range;
}

namespace {

void CopyAttributes(PlotDocument& d, int from, int to) {
  d.spacingState[to] = d.spacingState[from];
  d.monotonicState[to] = d.monotonicState[from];
  d.symbolSize[to] = d.symbolSize[from];
  d.lineWidth[to] = d.lineWidth[from];
  d.pointCount[to] = d.pointCount[from];
  d.lineType[to] = d.lineType[from];
  d.symbolType[to] = d.symbolType[from];
  d.curveAxis[to] = d.curveAxis[from];
  d.legendText[to] = d.legendText[from];
  d.curveTag[to] = d.curveTag[from];
}

void CopyPoints(PlotDocument& d, int from, int to) {
  const std::size_t bytes = static_cast<std::size_t>(d.pointCount[from]) * sizeof(float);
  if (bytes == 0 || from == to) return;
  std::memmove(d.xValues.Column(to), d.xValues.Column(from), bytes);
  std::memmove(d.yValues.Column(to), d.yValues.Column(from), bytes);
}

// Point labels and fill regions follow their curves: newNumber[old] is the
// curve's new number, 0 when it is gone.
void Renumber(PlotDocument& d, const std::vector<int>& newNumber) {
  auto mapped = [&](int curve) {
    return curve >= 1 && curve < static_cast<int>(newNumber.size()) ? newNumber[curve] : curve;
  };
  auto& labels = d.pointLabels;
  labels.erase(std::remove_if(labels.begin(), labels.end(),
                              [&](const PointLabel& l) { return mapped(l.curve) == 0; }),
               labels.end());
  for (PointLabel& label : labels) label.curve = mapped(label.curve);
  auto& fills = d.fillRegions;
  fills.erase(std::remove_if(fills.begin(), fills.end(),
                             [&](const FillRegion& f) {
                               return mapped(f.first) == 0 || mapped(f.second) == 0;
                             }),
              fills.end());
  for (FillRegion& fill : fills) {
    fill.first = mapped(fill.first);
    fill.second = mapped(fill.second);
  }
}

}  // namespace

void CopyCurveSlot(PlotDocument& d, int from, int to) {
  if (from == to) return;
  CopyPoints(d, from, to);
  CopyAttributes(d, from, to);
}

int RemoveCurves(PlotDocument& d, const std::vector<bool>& removed) {
  const int count = d.curveCount;
  std::vector<int> newNumber(static_cast<std::size_t>(count) + 1, 0);
  int kept = 0;
  for (int c = 1; c <= count; ++c) {
    const bool gone = c < static_cast<int>(removed.size()) && removed[static_cast<std::size_t>(c)];
    if (gone) continue;
    newNumber[static_cast<std::size_t>(c)] = ++kept;
    CopyCurveSlot(d, c, kept);
  }
  for (int c = kept + 1; c <= count; ++c) {
    d.pointCount[c] = 0;
    d.legendText[c] = {};
    d.curveTag[c] = {};
    d.InvalidateCurveStates(c);
  }
  d.curveCount = kept;
  Renumber(d, newNumber);
  d.extents.valid = EXTENTS_STALE;
  return count - kept;
}

Status MoveCurve(PlotDocument& d, int from, int to) {
  if (from == to || from < 1 || to < 1 || from > d.curveCount || to > d.curveCount)
    return Status::Failure();
  // The moving curve waits in a spare column: the free slot after the last.
  int spare = 0;
  Status taken = TakeFreeCurveSlot(d, d.pointCount[from], spare);
  if (!taken.Ok()) return taken;
  CopyCurveSlot(d, from, spare);
  const int step = from < to ? 1 : -1;
  for (int c = from; c != to; c += step) CopyCurveSlot(d, c + step, c);
  CopyCurveSlot(d, spare, to);
  d.pointCount[spare] = 0;
  d.legendText[spare] = {};
  d.curveTag[spare] = {};
  std::vector<int> newNumber(static_cast<std::size_t>(d.curveCount) + 1);
  for (int c = 1; c <= d.curveCount; ++c) {
    int moved = c;
    if (c == from)
      moved = to;
    else if (step > 0 && c > from && c <= to)
      moved = c - 1;
    else if (step < 0 && c < from && c >= to)
      moved = c + 1;
    newNumber[static_cast<std::size_t>(c)] = moved;
  }
  Renumber(d, newNumber);
  d.MarkChanged();
  return Status::Success();
}

Status SetCurvePoints(PlotDocument& d, int curve, const std::vector<double>& x,
                      const std::vector<double>& y) {
  const int n = static_cast<int>(std::min(x.size(), y.size()));
  if (curve < 1 || curve > d.curveCount + 1) return Status::Failure();
  if (curve > d.curveCount) {
    int slot = 0;
    Status taken = TakeFreeCurveSlot(d, n, slot);
    if (!taken.Ok()) return taken;
  } else if (n > d.maxPoints) {
    Status grown = Reallocate(d, d.maxCurves, n);
    if (!grown.Ok()) return grown;
  }
  for (int i = 0; i < n; ++i) {
    d.X(curve, i + 1) = static_cast<float>(x[static_cast<std::size_t>(i)]);
    d.Y(curve, i + 1) = static_cast<float>(y[static_cast<std::size_t>(i)]);
  }
  d.pointCount[curve] = n;
  if (curve > d.curveCount) d.curveCount = curve;
  ApplyStateRule(d, curve, CurveEdit::EditData);
  d.MarkChanged();
  return Status::Success();
}

}  // namespace merva
