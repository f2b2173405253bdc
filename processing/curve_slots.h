#pragma once

// Curve slots shared by every operation that adds, removes or reorders
// curves: the free-slot rule, the curve-range rule of the commands and the
// moves that carry a curve with all its attributes.

#include <vector>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// Text of the refusal when a document already holds MAX_CURVE_SLOTS curves.
extern const char* const NO_FREE_CURVE_SLOT_TEXT;

// A new curve takes slot curveCount + 1. The arrays grow when that slot or
// `points` exceeds their shape (keeping every curve); `slot` is set only on
// success. The slot is not counted: the caller raises curveCount when the
// result is complete.
Status TakeFreeCurveSlot(PlotDocument& document, int points, int& slot);

// First and last curve of an operation, 1-based and inclusive.
struct CurveRange {
  int first = 1;
  int last = 0;
  bool Empty() const { return last < first; }
};

// The command rule: a negative first means all curves; otherwise first is
// clamped to 1..curveCount and last to first..curveCount.
CurveRange CommandCurveRange(const PlotDocument& document, int first, int last);

// Copies curve `from` into slot `to`: points and every per-curve attribute.
void CopyCurveSlot(PlotDocument& document, int from, int to);

// Removes the marked curves (index = curve number, entries 1..curveCount):
// later curves move down with all their attributes, labels of removed
// curves go and labels of later ones are renumbered, the freed slots'
// legends and tags are cleared. Returns how many were removed.
int RemoveCurves(PlotDocument& document, const std::vector<bool>& removed);

// Moves curve `from` to place `to`, shifting the curves between by one.
// It needs the free slot as a spare (the arrays may grow).
Status MoveCurve(PlotDocument& document, int from, int to);

// Replaces the points of `curve` (or makes curve curveCount + 1 when it is
// one past the last), growing the arrays when the points do not fit.
Status SetCurvePoints(PlotDocument& document, int curve, const std::vector<double>& x,
                      const std::vector<double>& y);

}  // namespace merva
