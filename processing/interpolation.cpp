#include "processing/interpolation.h"

#include <algorithm>
#include <cmath>

#include "render/probability.h"

namespace merva {

namespace {

enum Plotted { PLOTTED_LINEAR, PLOTTED_LOG, PLOTTED_PROBABILITY };

double Forward(int plotted, double v) {
  if (plotted == PLOTTED_LOG) return v > 0.0 ? std::log10(v) : std::nan("");
  if (plotted == PLOTTED_PROBABILITY) return ProbabilityToDeviate(v);
  return v;
}

double Backward(int plotted, double t) {
  if (plotted == PLOTTED_LOG) return std::pow(10.0, t);
  if (plotted == PLOTTED_PROBABILITY) return DeviateToProbability(t);
  return t;
}

// Interpolates between a and b at fraction t in the plotted coordinates of
// one axis; values the axis cannot show (a log of a negative number) fall
// back to plain linear interpolation rather than giving no value.
double Between(int plotted, double a, double b, double t) {
  if (plotted != PLOTTED_LINEAR) {
    const double fa = Forward(plotted, a), fb = Forward(plotted, b);
    if (std::isfinite(fa) && std::isfinite(fb)) {
      const double v = Backward(plotted, fa + t * (fb - fa));
      if (std::isfinite(v)) return v;
    }
  }
  return a + t * (b - a);
}

double Fraction(int plotted, double a, double b, double x) {
  if (plotted == PLOTTED_LOG) {
    const double fa = Forward(plotted, a), fb = Forward(plotted, b), fx = Forward(plotted, x);
    if (std::isfinite(fa) && std::isfinite(fb) && std::isfinite(fx) && fb != fa)
      return (fx - fa) / (fb - fa);
  }
  return (x - a) / (b - a);
}

bool Brackets(double a, double b, double x) { return (a <= x && x <= b) || (b <= x && x <= a); }

// First segment j >= k (0-based) of an increasing curve with x(j+1) >= x,
// found by doubling the step and then halving the last interval.
bool SearchIncreasing(const float* xs, int n, double x, int& j) {
  if (!(x >= xs[j]) || !(x <= xs[n - 1])) return false;
  // A caller walking along X mostly stays on the segment or the next one.
  if (x <= xs[j + 1]) return true;
  if (j + 2 < n && x <= xs[j + 2]) {
    ++j;
    return true;
  }
  int step = 1;
  int low = j + 1, high = j + 1;
  while (high < n - 1 && xs[high] < x) {
    low = high + 1;
    high = std::min(n - 1, high + step);
    step *= 2;
  }
  const float* hit = std::lower_bound(xs + low, xs + high + 1, x,
                                      [](float value, double key) { return value < key; });
  j = static_cast<int>(hit - xs) - 1;
  return true;
}

bool SearchScan(const float* xs, int n, double x, int& j) {
  for (; j < n - 1; ++j)
    if (Brackets(xs[j], xs[j + 1], x)) return true;
  return false;
}

}  // namespace

double ProbabilityToDeviate(double percent) {
  if (!(percent > 0.0 && percent < 100.0)) return std::nan("");
  return ProbabilityDeviate(percent);
}

double DeviateToProbability(double deviate) {
  // The inverse of the same error-function approximation the axes use.
  const double half = 0.5 * (1.0 - ApproximateErfc(std::fabs(deviate) / std::sqrt(2.0)));
  return deviate < 0.0 ? 50.0 - 100.0 * half : 50.0 + 100.0 * half;
}

CurvePoints PointsOf(const PlotDocument& document, int curve) {
  CurvePoints points;
  points.count = document.pointCount[curve];
  if (points.count > 0) {
    points.x = document.xValues.Column(curve);
    points.y = document.yValues.Column(curve);
  }
  points.increasing = document.monotonicState[curve] == STATE_YES;
  return points;
}

int InterpolatePoints(const CurvePoints& p, int scaleType, double x, int& k, double& value) {
  const int n = p.count;
  if (n <= 0 || std::isnan(x)) return INTERPOLATION_OUTSIDE;
  if (n == 1) {
    // One point is a segment of two equal points.
    if (x != p.x[0]) return INTERPOLATION_OUTSIDE;
    k = 1;
    value = p.y[0];
    return INTERPOLATION_FOUND;
  }
  int j = std::max(k, 1) - 1;
  const bool found =
      j < n - 1 && (p.increasing ? SearchIncreasing(p.x, n, x, j) : SearchScan(p.x, n, x, j));
  if (!found) {
    // A bar chart's last bar reaches one bar width beyond its point.
    const double width = static_cast<double>(p.x[1]) - p.x[0];
    const double past = x - p.x[n - 1];
    if (scaleType == SCALE_BAR_CHART && width != 0.0 && past * width > 0.0 &&
        std::fabs(past) <= std::fabs(width)) {
      value = p.y[n - 1];
      return INTERPOLATION_FOUND;
    }
    return INTERPOLATION_OUTSIDE;
  }
  k = j + 1;
  const double x0 = p.x[j], x1 = p.x[j + 1];
  if (x == x0) {
    value = p.y[j];
  } else if (x == x1) {
    value = p.y[j + 1];
  } else {
    const int plottedX = HasLogX(scaleType) ? PLOTTED_LOG : PLOTTED_LINEAR;
    const int plottedY = HasLogY(scaleType)           ? PLOTTED_LOG
                         : HasProbabilityY(scaleType) ? PLOTTED_PROBABILITY
                                                      : PLOTTED_LINEAR;
    value = Between(plottedY, p.y[j], p.y[j + 1], Fraction(plottedX, x0, x1, x));
  }
  return INTERPOLATION_FOUND;
}

int InterpolateCurve(const PlotDocument& document, int curve, double x, int& k, double& value) {
  return InterpolatePoints(PointsOf(document, curve), document.scaleType, x, k, value);
}

}  // namespace merva
