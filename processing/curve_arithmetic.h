#pragma once

// Curve edits in place: add to or multiply X and Y, swap X and Y, sort,
// truncate X, remove the trend. Each works on a range of curves and
// leaves the document marked changed when it changed a point.

#include "core/plot_document.h"
#include "core/status.h"
#include "processing/curve_slots.h"

namespace merva {

struct XLimits {
  double from = 0.0;
  double to = 0.0;
};

// X = X + c or X = X * c on every point of the range; point labels on those
// curves follow.
Status AddToX(PlotDocument& document, CurveRange range, double c);
Status MultiplyX(PlotDocument& document, CurveRange range, double c);

// The from/to fields of EDIT_Y when it opens: the smallest first X and
// largest last X of the range; the X extents of the document when the
// range's first curve is not known to increase.
XLimits DefaultYEditLimits(PlotDocument& document, CurveRange range);
// Command mode: the X extents of the document widened by 1 on each side.
XLimits CommandYEditLimits(const PlotDocument& document);
// Smallest and largest X of every curve.
XLimits DocumentXExtents(const PlotDocument& document);

// Y = Y + c or Y = Y * c where from <= X <= to (the limits are put in
// order). In data-processing mode adding is a baseline shift: refused with
// message 116 when 4 are recorded, else recorded.
Status AddToY(PlotDocument& document, CurveRange range, double c, XLimits limits);
Status MultiplyY(PlotDocument& document, CurveRange range, double c, XLimits limits);

// Exchanges X and Y of each curve; a curve whose new X falls is reversed.
Status SwapXY(PlotDocument& document, CurveRange range);

// Sorts the points of each curve by X, ascending, in place.
Status SortCurves(PlotDocument& document, CurveRange range);
// The sort itself, on two parallel arrays.
void SortPointsByX(float* x, float* y, std::size_t n);

// TRUNCATE's defaults: smallest X(1) and largest X(N) over the range.
XLimits DefaultTruncateLimits(const PlotDocument& document, CurveRange range);
// Removes the points outside lower..upper; curves of the range left with
// fewer than 2 points are deleted. `curvesDeleted` tells how many.
Status TruncateX(PlotDocument& document, CurveRange range, XLimits limits, int& curvesDeleted);

// Shifts and rotates Y so that the first and last values become 0. Every
// curve of the range must increase in X (message 94, nothing changes).
Status RemoveTrend(PlotDocument& document, CurveRange range);

}  // namespace merva
