#pragma once

// Thinning a curve: averaging blocks of points, skipping points, and the
// Harlan depopulation that keeps the points a straight line cannot stand
// in for.

#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// Which points take part: all, or those with start <= X <= end.
struct DecimationRange {
  bool allPoints = true;
  double start = 0.0;
  double end = 0.0;
};

// Bounds of "Keep 1 of every" for a curve of n points: 2..min(n-2, 32767)
// (the upper bound is below 2 when the curve is too short).
int MaxKeepEvery(int pointCount);

// Each operation builds its result in the free slot. With `replace` (and
// always in data-processing mode, where the source is curve 1) the source
// takes the result; otherwise the result becomes a new curve only when it
// has fewer points. `resultCurve` is the curve changed or added, 0 when
// nothing was added.
Status AveragePoints(PlotDocument& document, int curve, int every, DecimationRange range,
                     bool replace, int& resultCurve);
Status SkipPoints(PlotDocument& document, int curve, int every, DecimationRange range, bool replace,
                  int& resultCurve);
// Fidelity in percent, 0 < F < 100 (message 90).
Status Depopulate(PlotDocument& document, int curve, double fidelity, DecimationRange range,
                  bool replace, int& resultCurve);

// Legends of new curves.
std::string AverageLegend(int every);
std::string SkipLegend(int every);
std::string FidelityLegend(double fidelity);

}  // namespace merva
