#include "processing/equal_intervals.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <queue>
#include <vector>

#include "core/messages.h"
#include "processing/curve_slots.h"
#include "processing/curve_states.h"

namespace merva {

const char* const SPACING_NOT_POSITIVE_TEXT = "Spacing must be a positive number.";

namespace {

const char* const TOO_FEW_POINTS_TEXT =
    "The curve has too few points for this interpolation method.";

double Aint(double v) { return std::trunc(v); }
long long Nint(double v) { return static_cast<long long>(std::llround(v)); }

struct Ends {
  double low = 0.0;
  double high = 0.0;
};

Ends EndsOf(const PlotDocument& d, int curve) {
  const int n = d.pointCount[curve];
  const double first = d.X(curve, 1), last = d.X(curve, n);
  return {std::min(first, last), std::max(first, last)};
}

// Repeated X: consecutive ones for every method above linear, and X(i) =
// X(i+2) for the cubic ones.
bool RepeatedX(const float* x, int n, int method) {
  if (method < METHOD_QUADRATIC) return false;
  for (int i = 0; i + 1 < n; ++i) {
    if (x[i] == x[i + 1]) return true;
    if (method >= METHOD_CUBIC && i + 2 < n && x[i] == x[i + 2]) return true;
  }
  return false;
}

// +1 increasing, -1 decreasing (strictly or not), 0 neither.
int Direction(const float* x, int n) {
  bool up = true, down = true;
  for (int i = 1; i < n && (up || down); ++i) {
    if (x[i] < x[i - 1]) up = false;
    if (x[i] > x[i - 1]) down = false;
    if (std::isnan(x[i])) up = down = false;
  }
  return up ? 1 : (down ? -1 : 0);
}

bool Between(double v, float a, float b) { return (v >= a && v <= b) || (v >= b && v <= a); }

// Finds k (0-based) with v between x[k] and x[k+1], for increasing v. A
// monotonic curve is walked from the last k. On any other curve the first
// such k counts, as a scan from the start would find it: the segments that
// begin at or below v wait in a heap ordered by k, and those that end below
// v are dropped for good (v only grows).
class Bracket {
 public:
  Bracket(const float* x, int n, int direction) : x_(x), n_(n), direction_(direction) {
    if (direction_ < 0) k_ = n - 2;
    if (direction_ != 0) return;
    for (int k = 0; k + 1 < n; ++k)
      if (!std::isnan(x[k]) && !std::isnan(x[k + 1])) byLow_.push_back(k);
    std::sort(byLow_.begin(), byLow_.end(), [this](int a, int b) { return Low(a) < Low(b); });
  }
  bool Find(double v, int& k) {
    if (direction_ > 0) {
      while (k_ < n_ - 2 && !(v <= x_[k_ + 1])) ++k_;
    } else if (direction_ < 0) {
      while (k_ > 0 && !(v <= x_[k_])) --k_;
    } else {
      while (next_ < byLow_.size() && Low(byLow_[next_]) <= v) {
        waiting_.push(byLow_[next_]);
        ++next_;
      }
      while (!waiting_.empty() && High(waiting_.top()) < v) waiting_.pop();
      if (waiting_.empty()) return false;
      k_ = waiting_.top();
    }
    k = k_;
    return Between(v, x_[k_], x_[k_ + 1]);
  }

 private:
  float Low(int k) const { return std::min(x_[k], x_[k + 1]); }
  float High(int k) const { return std::max(x_[k], x_[k + 1]); }

  const float* x_;
  int n_;
  int direction_;
  int k_ = 0;
  std::vector<int> byLow_;
  std::size_t next_ = 0;
  std::priority_queue<int, std::vector<int>, std::greater<int>> waiting_;
};

// Neville's algorithm through points k..k+m (0-based, at most 10 points);
// false on a zero difference of two X.
bool Neville(const float* xa, const float* ya, int k, int m, double v, double& result) {
  double p[10];
  for (int i = 0; i <= m; ++i) p[i] = ya[k + i];
  for (int level = 1; level <= m; ++level) {
    for (int i = 0; i + level <= m; ++i) {
      const double xi = xa[k + i], xj = xa[k + i + level];
      if (xi == xj) return false;
      p[i] = ((v - xj) * p[i] + (xi - v) * p[i + 1]) / (xi - xj);
    }
  }
  result = p[0];
  return true;
}

// Grid point j (0-based); rounding never takes it past the curve's ends.
float GridValue(const ResampleGrid& grid, double interval, long long j) {
  const float v = static_cast<float>(static_cast<double>(j) * interval + grid.start);
  return std::min(std::max(v, grid.low), grid.high);
}

Status Polynomial(const float* x, const float* y, int n, int method, ResampleGrid grid,
                  double interval, float* outX, float* outY) {
  Bracket bracket(x, n, Direction(x, n));
  for (long long j = 0; j < grid.count; ++j) {
    const float v = GridValue(grid, interval, j);
    int k = 0;
    if (!bracket.Find(v, k)) return Status::Failure(MSG_IDENTICAL_X);
    if (method == METHOD_CUBIC) --k;
    k = std::min(std::max(k, 0), n - 1 - method);
    double value = 0.0;
    if (!Neville(x, y, k, method, v, value)) return Status::Failure(MSG_IDENTICAL_X);
    outX[j] = v;
    outY[j] = static_cast<float>(value);
  }
  return Status::Success();
}

Status Spline(const float* x, const float* y, int n, ResampleGrid grid, double interval,
              float* outX, float* outY) {
  const int direction = Direction(x, n);
  if (direction == 0) return Status::Failure(MSG_NOT_MONOTONIC);
  std::vector<double> y2(static_cast<std::size_t>(n)), scratch(static_cast<std::size_t>(n));
  NaturalSpline(x, y, static_cast<std::size_t>(n), y2.data(), scratch.data());
  Bracket bracket(x, n, direction);
  for (long long j = 0; j < grid.count; ++j) {
    const float v = GridValue(grid, interval, j);
    int k = 0;
    if (!bracket.Find(v, k)) return Status::Failure(MSG_IDENTICAL_X);
    const double xlo = x[k], xhi = x[k + 1];
    const double h = xhi - xlo;
    const double a = (xhi - v) / h, b = (v - xlo) / h;
    const double value = a * y[k] + b * y[k + 1] +
                         ((a * a * a - a) * y2[static_cast<std::size_t>(k)] +
                          (b * b * b - b) * y2[static_cast<std::size_t>(k) + 1]) *
                             (h * h) / 6.0;
    outX[j] = v;
    outY[j] = static_cast<float>(value);
  }
  return Status::Success();
}

}  // namespace

void NaturalSpline(const float* x, const float* y, std::size_t n, double* y2, double* u) {
  y2[0] = u[0] = 0.0;
  double previousSlope = (static_cast<double>(y[1]) - y[0]) / (static_cast<double>(x[1]) - x[0]);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const double h0 = static_cast<double>(x[i]) - x[i - 1];
    const double h1 = static_cast<double>(x[i + 1]) - x[i];
    const double sig = h0 / (h0 + h1);
    const double p = sig * y2[i - 1] + 2.0;
    y2[i] = (sig - 1.0) / p;
    const double slope = (static_cast<double>(y[i + 1]) - y[i]) / h1;
    u[i] = (6.0 * (slope - previousSlope) / (h0 + h1) - sig * u[i - 1]) / p;
    previousSlope = slope;
  }
  y2[n - 1] = 0.0;
  for (std::size_t k = n - 1; k-- > 0;) y2[k] = y2[k] * y2[k + 1] + u[k];
}

double DefaultInterval(const PlotDocument& d, int curve) {
  const int n = d.pointCount[curve];
  if (n < 2) return 0.0;
  const Ends ends = EndsOf(d, curve);
  const double span = (ends.high - ends.low) / (n - 1);
  if (!(span > 0.0) || !std::isfinite(span)) return 0.0;
  return std::pow(10.0, Aint(std::log10(span)));
}

ResampleGrid GridOf(const PlotDocument& d, int curve, double interval) {
  if (d.pointCount[curve] < 1 || !(interval > 0.0) || !std::isfinite(interval)) return {};
  const Ends ends = EndsOf(d, curve);
  float start = static_cast<float>(Aint(ends.low / interval) * interval);
  if (start < ends.low) start = static_cast<float>(start + interval);
  float end = static_cast<float>(Aint(ends.high / interval) * interval);
  if (end > ends.high) end = static_cast<float>(end - interval);
  const double steps = (static_cast<double>(end) - start) / interval;
  if (!std::isfinite(steps) || steps < 0.0) return {start, 0};
  const float low = static_cast<float>(ends.low), high = static_cast<float>(ends.high);
  if (steps > static_cast<double>(INT_MAX))
    return {start, static_cast<long long>(INT_MAX) + 1, low, high};
  return {start, Nint(steps) + 1, low, high};
}

Status EqualIntervals(PlotDocument& d, int curve, double interval, int method, bool replace,
                      int& resultCurve) {
  // The record in data-processing mode (the last curve is an integral,
  // which the next recompute would overwrite).
  if (d.processMode != 0) {
    curve = 1;
    replace = true;
  }
  if (curve < 1 || curve > d.curveCount) return Status::Failure();
  if (!(interval > 0.0) || !std::isfinite(interval))
    return Status::Failure(SPACING_NOT_POSITIVE_TEXT);
  if (method < METHOD_LINEAR || method > METHOD_SPLINE) return Status::Failure();
  const int n = d.pointCount[curve];
  const int needed = method == METHOD_SPLINE ? 2 : method + 1;
  if (n < needed) return Status::Failure(TOO_FEW_POINTS_TEXT);
  if (RepeatedX(d.xValues.Column(curve), n, method)) return Status::Failure(MSG_IDENTICAL_X);
  const ResampleGrid grid = GridOf(d, curve, interval);
  if (grid.count < 1) return Status::Failure(MSG_IDENTICAL_X);
  if (grid.count > INT_MAX)
    return Status::Failure("The interval gives more points than a curve can hold.");
  const int m = static_cast<int>(grid.count);
  int slot = 0;
  Status taken = TakeFreeCurveSlot(d, m, slot);
  if (!taken.Ok()) return taken;
  const float* x = d.xValues.Column(curve);
  const float* y = d.yValues.Column(curve);
  float* outX = d.xValues.Column(slot);
  float* outY = d.yValues.Column(slot);
  Status done = method == METHOD_SPLINE ? Spline(x, y, n, grid, interval, outX, outY)
                                        : Polynomial(x, y, n, method, grid, interval, outX, outY);
  if (!done.Ok()) return done;
  d.pointCount[slot] = m;
  if (replace) {
    std::copy(outX, outX + m, d.xValues.Column(curve));
    std::copy(outY, outY + m, d.yValues.Column(curve));
    d.pointCount[curve] = m;
    d.pointCount[slot] = 0;
    resultCurve = curve;
  } else {
    d.curveCount = slot;
    resultCurve = slot;
  }
  ApplyStateRule(d, resultCurve, CurveEdit::EqualIntervals);
  d.MarkChanged();
  return Status::Success();
}

}  // namespace merva
