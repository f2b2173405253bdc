#include "processing/smoothing.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/messages.h"
#include "core/number_text.h"
#include "processing/curve_slots.h"
#include "processing/real_fft.h"

namespace merva {

namespace {

// The straight line through the end points at point j (0-based).
double EndLine(double first, double last, int n, int j) {
  return ((n - 1 - j) * first + j * last) / (n - 1);
}

}  // namespace

double DefaultSmoothingWindow(int n) { return std::min(std::max(n * 0.5, 2.0), 20.0); }

long long SmoothingLength(long long n, double w) {
  if (!std::isfinite(w)) return 0;
  const double wanted =
      std::max(std::trunc(2.0 * w + static_cast<double>(n)), static_cast<double>(n));
  long long m = 2;
  while (static_cast<double>(m) < wanted) {
    if (m > INT_MAX / 2) return 0;
    m <<= 1;
  }
  return m;
}

void SmoothValues(float* y, int n, double w, float* work, long long m) {
  const double first = y[0], last = y[n - 1];
  for (int j = 0; j < n; ++j) work[j] = static_cast<float>(y[j] - EndLine(first, last, n, j));
  std::fill(work + n, work + m, 0.0f);
  PackedRealFft(work, static_cast<std::size_t>(m), 1);
  const long long half = m / 2;
  const double c = (w / static_cast<double>(m)) * (w / static_cast<double>(m));
  work[0] = static_cast<float>(work[0] / static_cast<double>(half));
  double factor = 1.0;
  for (long long j = 1; j < half; ++j) {
    if (factor != 0.0) {
      factor = std::max(0.0, (1.0 - c * static_cast<double>(j) * static_cast<double>(j)) /
                                 static_cast<double>(half));
    }
    work[2 * j] = static_cast<float>(factor * work[2 * j]);
    work[2 * j + 1] = static_cast<float>(factor * work[2 * j + 1]);
  }
  work[1] =
      static_cast<float>(work[1] * std::max(0.0, (1.0 - 0.25 * w * w) / static_cast<double>(half)));
  PackedRealFft(work, static_cast<std::size_t>(m), -1);
  for (int j = 0; j < n; ++j) y[j] = static_cast<float>(work[j] + EndLine(first, last, n, j));
}

std::string SmoothingLegend(double w) { return "Smoothing window=" + FormatG(w); }

Status SmoothCurve(PlotDocument& d, int curve, double w, bool replace, int& resultCurve) {
  if (d.processMode != 0) {
    curve = 1;
    replace = true;
  }
  if (curve < 1 || curve > d.curveCount) return Status::Failure();
  if (!std::isfinite(w)) return Status::Failure("The smoothing window must be a number.");
  const int n = d.pointCount[curve];
  if (n < 2 || SpacingState(d, curve) == STATE_NO) return Status::Failure(MSG_CONSTANT_SPACING);
  const long long m = SmoothingLength(n, w);
  if (m == 0) return Status::Failure(MSG_TEMPORARY_STORAGE);
  int slot = 0;
  Status taken = TakeFreeCurveSlot(d, static_cast<int>(m), slot);
  if (!taken.Ok()) return taken;
  float* work = d.yValues.Column(slot);
  float* outX = d.xValues.Column(slot);
  std::copy(d.yValues.Column(curve), d.yValues.Column(curve) + n, outX);  // the source Y
  SmoothValues(outX, n, w, work, m);
  if (replace) {
    std::copy(outX, outX + n, d.yValues.Column(curve));
    d.pointCount[slot] = 0;
    resultCurve = curve;
  } else {
    std::copy(outX, outX + n, work);
    std::copy(d.xValues.Column(curve), d.xValues.Column(curve) + n, outX);
    d.pointCount[slot] = n;
    d.spacingState[slot] = d.spacingState[curve];
    d.monotonicState[slot] = d.monotonicState[curve];
    d.legendText[slot].Set(SmoothingLegend(w));
    d.curveCount = slot;
    resultCurve = slot;
  }
  d.MarkChanged();
  return Status::Success();
}

}  // namespace merva
