#pragma once

// The ticks of one axis and the texts of their labels, shared by the
// layout (which measures the labels) and the axis drawers.

#include <string>
#include <vector>

#include "render/axis_scale.h"
#include "render/number_format.h"

namespace merva {

struct AxisTick {
  double value = 0.0;
  bool labelled = false;
  bool boundary = false;  // first or last tick of a logarithmic axis
  int level = 0;          // probability level (1..)
  std::string label;
};

// Linear ticks from the first tick by the step; every tick labelled.
std::vector<AxisTick> LinearTicks(const AxisScale& axis, int formatKind,
                                  const NumberFormatContext& context);
// Values of `ticks` transformed by offset + factor * value for the labels
// (the secondary axis "Y2 = C + D*Y1").
void RelabelTicks(std::vector<AxisTick>& ticks, double offset, double factor, double reference,
                  int formatKind, const NumberFormatContext& context);

// m * 10^e of a logarithmic limit, with m in 1..9 when drawable.
struct LogMark {
  int mantissa = 1;
  int exponent = 0;
};
LogMark LogMarkOf(double value);

// Ticks at every m * 10^e from the low to the high limit; false in
// `drawable` when a limit is not of that form.
std::vector<AxisTick> LogTicks(const AxisScale& axis, int formatKind,
                               const NumberFormatContext& context, bool& drawable);
// Minor lines of a logarithmic axis (dense grid).
std::vector<double> LogMinorValues(const AxisScale& axis);
// Minor lines of a linear axis.
std::vector<double> LinearMinorValues(const AxisScale& axis);

// Probability levels: `fullFirstLevel` gives level 1 all nine values.
std::vector<AxisTick> ProbabilityTicks(const AxisScale& axis, bool fullFirstLevel);
// "(F4.0,A)" .. "(F7.3,A)": the label of a value of a level.
std::string ProbabilityLabel(double value, int level);

// The widest label text in a list, measured by `measure`.
template <typename Measure>
int WidestLabel(const std::vector<AxisTick>& ticks, Measure measure) {
  int widest = 0;
  for (const AxisTick& t : ticks)
    if (t.labelled) {
      const int w = measure(t.label);
      if (w > widest) widest = w;
    }
  return widest;
}

}  // namespace merva
