#include "processing/histogram.h"

#include <cmath>
#include <vector>

#include "core/array_sizing.h"
#include "core/number_text.h"
#include "render/axis_scale.h"
#include "render/number_format.h"

namespace merva {

namespace {

// More bars than this cannot be told apart on any page; a smaller interval
// is a typing error, refused before memory is taken for it.
constexpr double MAX_HISTOGRAM_CLASSES = 10000000;

}  // namespace

bool ComputeHistogramStatistics(const PlotDocument& d, int curve, HistogramStatistics& s) {
  s = HistogramStatistics{};
  const int n = d.pointCount[curve];
  const float* y = n > 0 ? d.yValues.Column(curve) : nullptr;
  double sum = 0.0;
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(y[i])) continue;
    if (s.count == 0 || y[i] < s.minimum) s.minimum = y[i];
    if (s.count == 0 || y[i] > s.maximum) s.maximum = y[i];
    sum += y[i];
    ++s.count;
  }
  if (s.count == 0) return false;
  const double count = static_cast<double>(s.count);
  s.mean = sum / count;
  double second = 0.0, third = 0.0;
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(y[i])) continue;
    const double e = y[i] - s.mean;
    second += e * e;
    third += e * e * e;
  }
  s.deviation = std::sqrt(second / count);
  s.skewness = s.deviation > 0.0 ? third / (count * s.deviation * s.deviation * s.deviation) : 0.0;
  s.classes =
      static_cast<int>(std::max<long long>(2, RoundHalfAway(1.0 + 3.3 * std::log10(count))));
  double low = s.minimum, high = s.maximum;
  int minor = 0;
  s.defaultInterval = std::fabs(NiceStep(low, high, s.classes, FORMAT_DEFAULT, false, minor));
  return true;
}

HistogramClasses ClassesFor(double minimum, double maximum, double w) {
  HistogramClasses classes;
  classes.lower = std::floor(minimum / w) * w;
  if (classes.lower > minimum) classes.lower -= w;
  classes.upper = std::ceil(maximum / w) * w;
  if (maximum >= classes.upper) classes.upper += w;
  const double bins = std::round((classes.upper - classes.lower) / w);
  classes.bins =
      bins > MAX_HISTOGRAM_CLASSES || !std::isfinite(bins) ? -1 : static_cast<long long>(bins);
  return classes;
}

Status BuildHistogram(const PlotDocument& source, int curve, double w, PlotDocument& target) {
  if (!(w > 0.0) || !std::isfinite(w))
    return Status::Failure("The histogram interval must be a positive number.");
  HistogramStatistics s;
  if (!ComputeHistogramStatistics(source, curve, s)) return Status::Failure(NO_FINITE_VALUES);
  const HistogramClasses classes = ClassesFor(s.minimum, s.maximum, w);
  if (classes.bins < 1)
    return Status::Failure("The histogram interval is too small for the range of the values.");
  const int bins = static_cast<int>(classes.bins);
  if (!target.HasMatrices() || target.maxPoints < bins || target.maxCurves < 1) {
    // The storage of the new window is kept, as the plot-file reader does.
    const long long storage = static_cast<long long>(target.maxCurves) * target.maxPoints;
    const int curves = static_cast<int>(
        std::max<long long>(1, std::min<long long>(MAX_CURVE_SLOTS, storage / bins)));
    target.curveCount = 0;
    Status grown = Allocate(target, curves, bins);
    if (!grown.Ok()) return grown;
  }
  float* x = target.xValues.Column(1);
  float* y = target.yValues.Column(1);
  std::vector<long long> counts(static_cast<std::size_t>(bins), 0);
  // Counted in single precision; rounding at the outer limits keeps a value
  // in the first or last class.
  const float lower = static_cast<float>(classes.lower), width = static_cast<float>(w);
  const int n = source.pointCount[curve];
  const float* values = source.yValues.Column(curve);
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(values[i])) continue;
    // Truncation is FLOOR for the quotients that are not clamped.
    const float q = (values[i] - lower) / width;
    const int j = q < 1.0f ? 0 : (q >= static_cast<float>(bins) ? bins - 1 : static_cast<int>(q));
    ++counts[static_cast<std::size_t>(j)];
  }
  for (int j = 0; j < bins; ++j) {
    x[j] = static_cast<float>(j * w + classes.lower);
    y[j] = static_cast<float>(counts[static_cast<std::size_t>(j)]);
  }
  target.curveCount = 1;
  target.pointCount[1] = bins;
  target.monotonicState[1] = STATE_YES;
  target.spacingState[1] = STATE_YES;
  target.scaleType = SCALE_BAR_CHART;
  target.processMode = 0;
  target.title1 = source.title1;
  target.title2.Set("Mean=" + FormatG(s.mean) + ", Standard Deviation=" + FormatG(s.deviation) +
                    ", Skewness=" + FormatG(s.skewness));
  target.xAxisLabel.Set(source.yAxisLabel.Trimmed());
  target.yAxisLabel.Set(HISTOGRAM_Y_LABEL);
  target.fileTitle.Set(HISTOGRAM_TITLE);
  target.MarkChanged();
  return Status::Success();
}

}  // namespace merva
