#pragma once

// The amplitude histogram of one curve: its statistics, the default class
// interval and the bar-chart document that shows the counts.

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

inline constexpr char HISTOGRAM_TITLE[] = "Histogram";
inline constexpr char HISTOGRAM_Y_LABEL[] = "Count";
inline constexpr char NO_FINITE_VALUES[] = "The curve has no finite Y values to count.";

struct HistogramStatistics {
  long long count = 0;  // finite values taken
  double mean = 0.0;
  double deviation = 0.0;  // population standard deviation
  double skewness = 0.0;   // 0 when every value is the same
  double minimum = 0.0;
  double maximum = 0.0;
  int classes = 2;               // max(2, NINT(1 + 3.3 log10 N))
  double defaultInterval = 1.0;  // the range over the classes, rounded like an axis step
};

// False when the curve has no finite Y value (infinite and NaN values are
// left out of every figure).
bool ComputeHistogramStatistics(const PlotDocument& document, int curve,
                                HistogramStatistics& statistics);

// Class limits for an interval w: lower = FLOOR(min/w)*w, upper =
// CEIL(max/w)*w (one more w when max reaches it), bins = (upper - lower)/w.
struct HistogramClasses {
  double lower = 0.0;
  double upper = 0.0;
  long long bins = 0;
};
HistogramClasses ClassesFor(double minimum, double maximum, double interval);

// Fills `target` (a new, empty document) with the histogram of `curve` of
// `source` for class interval `interval`: one bar-chart curve of counts,
// the statistics in its second title. Refuses a non-positive interval and
// an interval so small that the classes cannot be held.
Status BuildHistogram(const PlotDocument& source, int curve, double interval, PlotDocument& target);

}  // namespace merva
