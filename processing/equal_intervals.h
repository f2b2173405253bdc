#pragma once

// Resampling a curve at constant X spacing: Neville polynomials of degree
// 1 to 3 through neighbouring points, or a natural cubic spline.

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

enum InterpolationMethod : int {
  METHOD_LINEAR = 1,
  METHOD_QUADRATIC = 2,
  METHOD_CUBIC = 3,
  METHOD_SPLINE = 4,
};

// The dialog's text for a spacing that is not a positive number.
extern const char* const SPACING_NOT_POSITIVE_TEXT;

// 10^AINT(log10((Xmax - Xmin)/(N - 1))) over the end points of the curve;
// 0 when the curve has no such spacing (fewer than 2 points, equal or
// non-finite ends).
double DefaultInterval(const PlotDocument& document, int curve);

// The grid of an interval: first X and number of points (0 when none).
struct ResampleGrid {
  float start = 0.0f;
  long long count = 0;
  float low = 0.0f;  // the curve's ends
  float high = 0.0f;
};
ResampleGrid GridOf(const PlotDocument& document, int curve, double interval);

// Resamples `curve`. The result goes to a new curve (curveCount + 1, the
// arrays growing as needed), or replaces the source with `replace` (and
// always in data-processing mode, where the source is the last curve).
// `resultCurve` is the curve that holds the result.
Status EqualIntervals(PlotDocument& document, int curve, double interval, int method, bool replace,
                      int& resultCurve);

// Natural cubic spline through (x, y), n >= 2, X strictly monotonic:
// fills the second derivatives `y2` (n values).
void NaturalSpline(const float* x, const float* y, std::size_t n, double* y2, double* scratch);

}  // namespace merva
