#include "render/scale_check.h"

#include <algorithm>
#include <cmath>

#include "core/messages.h"
#include "core/record_units.h"
#include "render/axis_scale.h"
#include "render/tripartite_units.h"

namespace merva {

namespace {

constexpr int FIRST_SCALE_MESSAGE = 47;
constexpr int TRIPARTITE_DECADE_LIMIT = 37;

bool IndependentAxes(const PlotDocument& d) {
  return d.yAxisMode == 2 && d.scaleType >= 1 && d.scaleType <= 5;
}

template <typename Test>
bool AnyPoint(const PlotDocument& d, Test test) {
  for (int c = 1; c <= d.curveCount; ++c) {
    const int n = d.pointCount[c];
    if (n <= 0) continue;
    const float* x = d.xValues.Column(c);
    const float* y = d.yValues.Column(c);
    for (int i = 0; i < n; ++i)
      if (test(static_cast<double>(x[i]), static_cast<double>(y[i]))) return true;
  }
  return false;
}

bool EvenlySpaced(const PlotDocument& d, int c) {
  const int n = d.pointCount[c];
  if (n < 3) return true;
  const float* x = d.xValues.Column(c);
  const double first = static_cast<double>(x[1]) - x[0];
  const double a = std::min(0.99 * first, 1.01 * first);
  const double b = std::max(0.99 * first, 1.01 * first);
  for (int i = 2; i < n; ++i) {
    const double gap = static_cast<double>(x[i]) - x[i - 1];
    if (gap < a || gap > b) return false;
  }
  return true;
}

int FloorDecade(double v) {
  int e = static_cast<int>(std::trunc(std::log10(v)));
  if (v < std::pow(10.0, e) * 0.99999) --e;
  return e;
}

int CeilDecade(double v) {
  int e = static_cast<int>(std::trunc(std::log10(v)));
  if (v > std::pow(10.0, e) * 1.00001) ++e;
  return e;
}

int TripartiteError(PlotDocument& d) {
  const TripartiteUnits units = TripartiteUnitsOf(d);
  if (d.unitSystem == USER_UNITS && (units.a <= 0.0 || units.b <= 0.0)) return 8;
  FindExtents(d);
  const AxisLimits& e = d.extents.limits;
  if (!(e.xLow > 0.0 && e.yLow[0] > 0.0)) return 0;
  const int ex0 = FloorDecade(e.xLow), ex1 = CeilDecade(e.xHigh);
  const int ey0 = FloorDecade(e.yLow[0]), ey1 = CeilDecade(e.yHigh[0]);
  const double logA = std::log10(units.a);
  const double logB = std::log10(units.b);
  if (logB + ex0 + ey0 < -TRIPARTITE_DECADE_LIMIT || logB + ex1 + ey1 > TRIPARTITE_DECADE_LIMIT)
    return 4;
  if (logA + ey0 - ex1 < -TRIPARTITE_DECADE_LIMIT || logA + ey1 - ex0 > TRIPARTITE_DECADE_LIMIT)
    return 5;
  return 0;
}

int ScaleErrorCode(PlotDocument& d) {
  const int type = d.scaleType;
  const bool manual = d.manualScale != 0;
  const AxisLimits& w = d.plotWindow;
  if (HasLogX(type)) {
    if (AnyPoint(d, [](double x, double) { return x <= 0.0; })) return 1;
    if (manual && (w.xLow <= 0.0 || w.xHigh <= 0.0)) return 2;
  }
  if (HasLogY(type)) {
    if (AnyPoint(d, [](double, double y) { return y <= 0.0; })) return 1;
    if (manual && (w.yLow[0] <= 0.0 || w.yHigh[0] <= 0.0)) return 2;
  }
  if (type == SCALE_TRIPARTITE) {
    const int k = TripartiteError(d);
    if (k != 0) return k;
  }
  auto outsideProbability = [](double v) { return !(v > 0.0 && v < 100.0); };
  if (HasProbabilityY(type)) {
    if (AnyPoint(d, [&](double, double y) { return outsideProbability(y); })) return 3;
    if (manual && (outsideProbability(w.yLow[0]) || outsideProbability(w.yHigh[0]))) return 7;
  }
  if (HasProbabilityX(type)) {
    if (AnyPoint(d, [&](double x, double) { return outsideProbability(x); })) return 3;
    if (manual && (outsideProbability(w.xLow) || outsideProbability(w.xHigh))) return 7;
  }
  if (type == SCALE_GRAIN_SIZE) {
    if (AnyPoint(d, [](double, double y) { return !(y >= 0.0 && y <= 100.0); })) return 6;
    if (d.unitSystem == USER_UNITS && !(d.unitFactor1 > 0.0)) return 9;
  }
  if (type == SCALE_POLAR) {
    if (AnyPoint(d, [](double x, double y) { return x < 0.0 || y < 0.0; })) return 10;
  }
  if (type == SCALE_BAR_CHART) {
    for (int c = 1; c <= d.curveCount; ++c)
      if (!EvenlySpaced(d, c)) return 11;
  }
  return 0;
}

}  // namespace

// An acceleration record is shown alone or as its velocity and
// displacement; every other document shows all its curves.
bool IntegralsViewShown(const PlotDocument& d) {
  return d.processMode != 0 && d.processState.dataType == DATA_ACCELERATION &&
         d.processView == VIEW_INTEGRALS && d.curveCount >= 2;
}

int FirstCurveShown(const PlotDocument& d) {
  if (d.curveCount <= 0) return 0;
  return IntegralsViewShown(d) ? 2 : 1;
}

int LastCurveShown(const PlotDocument& d) {
  if (d.processMode == 0 || d.processState.dataType != DATA_ACCELERATION || d.curveCount <= 0)
    return d.curveCount;
  if (!IntegralsViewShown(d)) return 1;
  return std::min(d.curveCount, IntegrationCount(DATA_ACCELERATION) + 1);
}

int CurveAxisOf(const PlotDocument& d, int curve) {
  const int axis = d.curveAxis[curve];
  return axis >= 1 && axis <= MAX_Y_AXES ? axis : 1;
}

Status CheckScale(PlotDocument& d) {
  const int k = ScaleErrorCode(d);
  if (k == 0) return Status::Success();
  const int rejected = d.scaleType;
  d.scaleType = (k == 4 || k == 5 || k == 8) ? SCALE_LOG_LOG : SCALE_LINEAR_LINEAR;
  if (rejected == SCALE_GRAIN_SIZE) {
    d.yAxisMode = 0;
    d.manualScale = 0;
  }
  d.zoomed = 0;
  d.zoomDepth = 0;
  d.extents.valid = EXTENTS_STALE;
  return Status::Failure(FIRST_SCALE_MESSAGE + k);
}

void FindExtents(PlotDocument& d) {
  ++d.extentsGeneration;
  AxisLimits& e = d.extents.limits;
  e = AxisLimits{};
  const int first = FirstCurveShown(d);
  const int last = LastCurveShown(d);
  const bool bars = d.scaleType == SCALE_BAR_CHART;
  const bool independent = IndependentAxes(d);
  bool anyX = false;
  std::array<bool, MAX_Y_AXES> anyY{};
  for (int c = first; c >= 1 && c <= last; ++c) {
    const int n = d.pointCount[c];
    if (n <= 0) continue;
    MonotonicState(d, c);
    SpacingState(d, c);
    const float* x = d.xValues.Column(c);
    const float* y = d.yValues.Column(c);
    double xl = x[0], xh = x[0], yl = y[0], yh = y[0];
    for (int i = 1; i < n; ++i) {
      xl = std::min(xl, static_cast<double>(x[i]));
      xh = std::max(xh, static_cast<double>(x[i]));
      yl = std::min(yl, static_cast<double>(y[i]));
      yh = std::max(yh, static_cast<double>(y[i]));
    }
    if (bars) {
      if (n >= 2) xh = static_cast<double>(x[n - 1]) + (static_cast<double>(x[1]) - x[0]);
      yl = std::min(yl, 0.0);
    }
    if (!anyX) {
      e.xLow = xl;
      e.xHigh = xh;
      anyX = true;
    } else {
      e.xLow = std::min(e.xLow, xl);
      e.xHigh = std::max(e.xHigh, xh);
    }
    const int axis = independent ? CurveAxisOf(d, c) - 1 : 0;
    if (!anyY[axis]) {
      e.yLow[axis] = yl;
      e.yHigh[axis] = yh;
      anyY[axis] = true;
    } else {
      e.yLow[axis] = std::min(e.yLow[axis], yl);
      e.yHigh[axis] = std::max(e.yHigh[axis], yh);
    }
  }
  if (!anyX) {
    const int xKind = XAxisKind(d.scaleType);
    e.xLow = xKind == AXIS_LINEAR ? 0.0 : 1.0;
    e.xHigh = xKind == AXIS_PROBABILITY ? 99.0 : (xKind == AXIS_LOG ? 10.0 : 1.0);
  }
  if (!anyY[0]) {
    const int yKind = YAxisKind(d.scaleType);
    e.yLow[0] = yKind == AXIS_LINEAR ? 0.0 : 1.0;
    e.yHigh[0] = yKind == AXIS_PROBABILITY ? 99.0 : (yKind == AXIS_LOG ? 10.0 : 1.0);
  }
  if (d.scaleType == SCALE_POLAR) e.yLow[0] = 0.0;
  d.extents.valid = EXTENTS_VALID;
}

void WidenDegenerateExtents(PlotDocument& d) {
  AxisLimits& e = d.extents.limits;
  const int type = d.scaleType;
  if (e.xLow == e.xHigh) {
    if (HasLogX(type) && e.xLow > 0.0) {
      e.xLow /= 10.0;
      e.xHigh *= 10.0;
    } else if (HasProbabilityX(type)) {
      e.xLow = 0.01;
      e.xHigh = 99.99;
    } else {
      e.xLow -= 1.0;
      e.xHigh += 1.0;
    }
    d.extents.valid = EXTENTS_WIDENED;
  }
  const int axes = IndependentAxes(d) ? MAX_Y_AXES : 1;
  for (int k = 0; k < axes; ++k) {
    if (e.yLow[k] != e.yHigh[k]) continue;
    if (HasLogY(type) && e.yLow[k] > 0.0) {
      e.yLow[k] /= 10.0;
      e.yHigh[k] *= 10.0;
    } else if (HasProbabilityY(type)) {
      e.yLow[k] = 0.01;
      e.yHigh[k] = 99.99;
    } else {
      e.yLow[k] -= 1.0;
    }
    d.extents.valid = EXTENTS_WIDENED;
  }
}

}  // namespace merva
