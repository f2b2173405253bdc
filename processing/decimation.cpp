#include "processing/decimation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/messages.h"
#include "processing/curve_slots.h"
#include "processing/curve_states.h"

namespace merva {

namespace {

constexpr double STEEP_SLOPE = 1.0E37;
const char* const TOO_FEW_POINTS_TEXT = "The curve has too few points to decimate.";

// The source and result columns of one decimation.
struct Frame {
  const float* x = nullptr;
  const float* y = nullptr;
  int n = 0;
  float* outX = nullptr;
  float* outY = nullptr;
  int kept = 0;
  float low = 0.0f, high = 0.0f;  // the range, single precision
  bool all = true;

  bool Inside(int i) const { return all || (x[i] >= low && x[i] <= high); }
  void Keep(int i) { Put(x[i], y[i]); }
  void Put(float xv, float yv) {
    outX[kept] = xv;
    outY[kept] = yv;
    ++kept;
  }
};

Status Begin(PlotDocument& d, int& curve, DecimationRange range, bool& replace, Frame& f,
             int& slot) {
  if (d.processMode != 0) {
    curve = 1;
    replace = true;
  }
  if (curve < 1 || curve > d.curveCount) return Status::Failure();
  Status taken = TakeFreeCurveSlot(d, d.pointCount[curve], slot);
  if (!taken.Ok()) return taken;
  if (range.start > range.end) std::swap(range.start, range.end);
  f.x = d.xValues.Column(curve);
  f.y = d.yValues.Column(curve);
  f.n = d.pointCount[curve];
  f.outX = d.xValues.Column(slot);
  f.outY = d.yValues.Column(slot);
  f.all = range.allPoints;
  f.low = static_cast<float>(range.start);
  f.high = static_cast<float>(range.end);
  return Status::Success();
}

Status Finish(PlotDocument& d, int curve, int slot, bool replace, const Frame& f, CurveEdit edit,
              const std::string& legend, int& resultCurve) {
  resultCurve = 0;
  if (replace) {
    std::copy(f.outX, f.outX + f.kept, d.xValues.Column(curve));
    std::copy(f.outY, f.outY + f.kept, d.yValues.Column(curve));
    d.pointCount[curve] = f.kept;
    resultCurve = curve;
  } else if (f.kept < f.n) {
    d.pointCount[slot] = f.kept;
    d.monotonicState[slot] = d.monotonicState[curve];
    d.spacingState[slot] = d.spacingState[curve];
    d.legendText[slot].Set(legend);
    d.curveCount = slot;
    resultCurve = slot;
  }
  if (resultCurve == 0) return Status::Failure();
  ApplyStateRule(d, resultCurve, edit);
  d.MarkChanged();
  return Status::Success();
}

int Sign(double v) { return v < 0.0 ? -1 : 1; }

struct Line {
  double slope = 0.0;
  double intercept = 0.0;
  int direction = 1;  // sign of its delta X

  Line(const Frame& f, int a, int b) {
    const double dx = static_cast<double>(f.x[b]) - f.x[a];
    const double dy = static_cast<double>(f.y[b]) - f.y[a];
    slope = dx != 0.0 ? dy / dx : Sign(dy) * STEEP_SLOPE;
    intercept = f.y[b] - slope * f.x[b];
    direction = Sign(dx);
  }
};

// Averaging and skipping: the "every n points" checks, then the frame.
Status BeginEvery(PlotDocument& d, int curve, int every, DecimationRange range, bool replace,
                  Frame& f, int& slot) {
  const int source = d.processMode != 0 ? 1 : curve;
  if (source < 1 || source > d.curveCount) return Status::Failure();
  if (MaxKeepEvery(d.pointCount[source]) < 2) return Status::Failure(TOO_FEW_POINTS_TEXT);
  if (every < 2 || every > MaxKeepEvery(d.pointCount[source])) return Status::Failure();
  return Begin(d, curve, range, replace, f, slot);
}

}  // namespace

int MaxKeepEvery(int n) { return std::min(n - 2, 32767); }

std::string AverageLegend(int every) { return "Average of " + std::to_string(every) + " points"; }
std::string SkipLegend(int every) { return "Keep 1 of every " + std::to_string(every) + " points"; }
std::string FidelityLegend(double fidelity) {
  char number[32];
  std::snprintf(number, sizeof number, "%.7G", fidelity);
  return std::string("% Fidelity=") + number;
}

Status AveragePoints(PlotDocument& d, int curve, int every, DecimationRange range, bool replace,
                     int& resultCurve) {
  resultCurve = 0;
  Frame f;
  int slot = 0;
  Status begun = BeginEvery(d, curve, every, range, replace, f, slot);
  if (!begun.Ok()) return begun;
  for (int i = 0; i < f.n;) {
    if (i == 0 || i == f.n - 1 || !f.Inside(i)) {
      f.Keep(i++);
      continue;
    }
    const int stop = std::min(i + every, f.n - 1);  // the block never takes point N
    float sumX = 0.0f, sumY = 0.0f;
    int count = 0;
    for (; i < stop && f.Inside(i); ++i, ++count) {
      sumX += f.x[i];
      sumY += f.y[i];
    }
    f.Put(sumX / static_cast<float>(count), sumY / static_cast<float>(count));
  }
  return Finish(d, curve, slot, replace, f, CurveEdit::AveragePoints, AverageLegend(every),
                resultCurve);
}

Status SkipPoints(PlotDocument& d, int curve, int every, DecimationRange range, bool replace,
                  int& resultCurve) {
  resultCurve = 0;
  Frame f;
  int slot = 0;
  Status begun = BeginEvery(d, curve, every, range, replace, f, slot);
  if (!begun.Ok()) return begun;
  // Point i (1-based) is kept when i mod n = 1; `phase` is i mod n, counted.
  for (int i = 0, phase = 1; i < f.n; ++i, phase = phase + 1 == every ? 0 : phase + 1)
    if (phase == 1 || i == f.n - 1 || !f.Inside(i)) f.Keep(i);
  return Finish(d, curve, slot, replace, f, CurveEdit::SkipPoints, SkipLegend(every), resultCurve);
}

Status Depopulate(PlotDocument& d, int curve, double fidelity, DecimationRange range, bool replace,
                  int& resultCurve) {
  resultCurve = 0;
  if (!(fidelity > 0.0 && fidelity < 100.0)) return Status::Failure(MSG_FIDELITY_RANGE);
  const int source = d.processMode != 0 ? 1 : curve;
  if (source < 1 || source > d.curveCount) return Status::Failure();
  if (d.pointCount[source] < 3) return Status::Failure(TOO_FEW_POINTS_TEXT);
  Frame f;
  int slot = 0;
  Status begun = Begin(d, curve, range, replace, f, slot);
  if (!begun.Ok()) return begun;
  float yMin = HUGE_VALF, yMax = -HUGE_VALF;
  bool anyInside = false;
  for (int i = 0; i < f.n; ++i) {
    if (!f.Inside(i)) continue;
    anyInside = true;
    yMin = std::min(yMin, f.y[i]);
    yMax = std::max(yMax, f.y[i]);
  }
  if (!anyInside) return Status::Failure();
  double spread = static_cast<double>(yMax) - yMin;
  if (!(spread > 0.0) || !std::isfinite(spread)) spread = 1.0;  // a flat curve: plain deviations
  // |deviation| / R > f, without a division per point.
  const double threshold = fidelity / 100.0 * spread;
  f.Keep(0);
  int lastKept = 0;
  Line line(f, 0, 1);
  for (int i = 2; i < f.n; ++i) {
    const double deviation = std::fabs(f.y[i] - (line.slope * f.x[i] + line.intercept));
    const bool reverses = Sign(static_cast<double>(f.x[i]) - f.x[i - 1]) != line.direction;
    if (deviation > threshold || reverses || !f.Inside(lastKept)) {
      f.Keep(i - 1);
      lastKept = i - 1;
      line = Line(f, i - 1, i);
    }
  }
  f.Keep(f.n - 1);
  return Finish(d, curve, slot, replace, f, CurveEdit::Depopulate, FidelityLegend(fidelity),
                resultCurve);
}

}  // namespace merva
