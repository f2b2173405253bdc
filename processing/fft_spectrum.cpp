#include "processing/fft_spectrum.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <new>
#include <vector>

#include "core/array_sizing.h"
#include "core/messages.h"
#include "processing/mixed_radix_fft.h"
#include "processing/real_fft.h"

namespace merva {

namespace {

// The curves of the new document: amplitudes first, phases on the second
// axis.
void DescribeTarget(const PlotDocument& source, PlotDocument& target, bool phase, long long points,
                    double df) {
  target.title1 = source.title1;
  target.title2 = source.title2;
  target.title3 = source.title3;
  target.xAxisLabel.Set("Frequency, Hertz");
  target.processMode = 0;
  target.curveCount = phase ? 2 : 1;
  for (int c = 1; c <= target.curveCount; ++c) {
    target.pointCount[c] = static_cast<int>(points);
    float* x = target.xValues.Column(c);
    for (long long i = 0; i < points; ++i) x[i] = static_cast<float>(static_cast<double>(i) * df);
    target.monotonicState[c] = STATE_YES;
    target.spacingState[c] = STATE_YES;
    target.curveAxis[c] = c;
  }
  if (phase) {
    target.yAxisMode = 2;
    target.y2AxisLabel.Set("Phase Angle, radians");
  }
  target.extents.valid = EXTENTS_STALE;
  target.MarkChanged();
}

Status MixedRadix(const float* y, long long n, bool phase, PlotDocument& target,
                  const std::function<bool()>& interrupted) {
  std::vector<float> work;
  std::vector<double> a, b;
  try {
    work.resize(MixedRadixWorkSize(static_cast<std::size_t>(n)));
  } catch (const std::bad_alloc&) {
    return Status::Failure(MSG_TEMPORARY_STORAGE);
  }
  std::copy(y, y + n, work.begin());
  bool stopped = false;
  const std::function<bool()> poll = [&] { return stopped = interrupted && interrupted(); };
  if (!EzfftfCoefficients(work.data(), static_cast<std::size_t>(n), a, b, poll))
    return stopped ? Status::Failure() : Status::Failure(MSG_TEMPORARY_STORAGE);
  float* amplitude = target.yValues.Column(1);
  float* angle = phase ? target.yValues.Column(2) : nullptr;
  amplitude[0] = static_cast<float>(2.0 * a[0]);
  if (angle) angle[0] = 0.0f;
  for (std::size_t k = 1; k < a.size(); ++k) {
    amplitude[k] = static_cast<float>(std::hypot(a[k], b[k]));
    if (angle) angle[k] = static_cast<float>(std::atan2(b[k], a[k]));
  }
  return Status::Success();
}

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

FftPlan PlanFft(long long n, int options) {
  FftPlan plan;
  plan.mixedRadix = (options & FFT_OPTION_UNPADDED) != 0 && !IsPowerOfTwo(n);
  plan.length = plan.mixedRadix ? n : std::max(2LL, NextPowerOfTwo(n));
  plan.outputPoints = plan.length / 2 + 1;
  return plan;
}

bool TimeInMilliseconds(const PlotDocument& d) {
  if (d.processMode != 0) return true;
  std::string title = d.xAxisLabel.Str();
  for (char& c : title) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return Contains(title, "msec") || Contains(title, "millisec");
}

double FrequencyStep(float dt, long long length, bool milliseconds) {
  const float step = milliseconds ? dt / 1000.0f : dt;
  return 1.0 / (static_cast<double>(length - 1) * step);
}

void PackedAmplitudes(float* packed, std::size_t p, float* phase) {
  const std::size_t m = p / 2 + 1;
  const float scale = 1.0f / static_cast<float>(m);
  const float zero = packed[0], nyquist = packed[1];
  for (std::size_t k = 1; k + 1 < m; ++k) {
    const double c = packed[2 * k], s = packed[2 * k + 1];
    if (phase) phase[k] = static_cast<float>(std::atan2(s, c));
    packed[k] = static_cast<float>(std::hypot(c, s)) * scale;
  }
  packed[0] = std::fabs(zero) * scale;
  packed[m - 1] = nyquist * scale;
  if (phase) phase[0] = phase[m - 1] = 0.0f;
}

Status FftCurve(PlotDocument& source, int curve, int& options, PlotDocument& target,
                const std::function<bool()>& interrupted) {
  if (curve < 1 || curve > source.curveCount) return Status::Failure();
  const long long n = source.pointCount[curve];
  if (n < 2 || SpacingState(source, curve) == STATE_NO)
    return Status::Failure(MSG_CONSTANT_SPACING);
  const FftPlan plan = PlanFft(n, options);
  const bool phase = (options & FFT_OPTION_PHASE) != 0;
  const long long capacity = plan.mixedRadix ? plan.outputPoints : plan.length;
  if (capacity > INT_MAX) return Status::Failure(MSG_TEMPORARY_STORAGE);
  const int curves = std::max(target.maxCurves, 2);
  if (!target.HasMatrices() || capacity > target.maxPoints || curves > target.maxCurves) {
    Status grown = Allocate(target, curves, std::max(static_cast<int>(capacity), target.maxPoints));
    if (!grown.Ok()) return grown;
  }
  const float* x = source.xValues.Column(curve);
  const float* y = source.yValues.Column(curve);
  if (plan.mixedRadix) {
    Status done = MixedRadix(y, n, phase, target, interrupted);
    if (!done.Ok()) {
      if (!done.messages.empty()) options |= FFT_OPTION_SHOW_DIALOG;
      return done;
    }
  } else {
    float* column = target.yValues.Column(1);
    std::copy(y, y + n, column);
    std::fill(column + n, column + plan.length, 0.0f);
    PackedRealFft(column, static_cast<std::size_t>(plan.length), 1);
    PackedAmplitudes(column, static_cast<std::size_t>(plan.length),
                     phase ? target.yValues.Column(2) : nullptr);
  }
  const float dt = (x[n - 1] - x[0]) / static_cast<float>(n - 1);
  DescribeTarget(source, target, phase, plan.outputPoints,
                 FrequencyStep(dt, plan.length, TimeInMilliseconds(source)));
  return Status::Success();
}

}  // namespace merva
