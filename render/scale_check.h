#pragma once

// Validity of a scale type against the data, and the data extents.

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// Tests the document's scale type against its points and manual limits.
// On a violation the scale type falls back (linear-linear or log-log), the
// zoom state is cleared and the returned failure carries the message
// (47 + error code). The caller shows it while the document is not drawn.
Status CheckScale(PlotDocument& document);

// Recomputes the data extents and the per-curve monotonic and spacing
// states that are still undetermined. The caller shows status text 518.
void FindExtents(PlotDocument& document);

// Widens degenerate extents once (valid flag -1) so that no axis has a
// zero range.
void WidenDegenerateExtents(PlotDocument& document);

// The curves drawn: 1..curveCount, or only curve 1 in data-processing mode.
// The curves drawn: all of them, or in data-processing mode the view's.
bool IntegralsViewShown(const PlotDocument& document);
int FirstCurveShown(const PlotDocument& document);
int LastCurveShown(const PlotDocument& document);

// The Y axis (1..4) a curve is scaled against.
int CurveAxisOf(const PlotDocument& document, int curve);

}  // namespace merva
