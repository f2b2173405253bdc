#pragma once

// "Average All Curves": a new curve on curve 1's X whose Y is the mean of
// every curve that reaches each X.

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

inline constexpr char AVERAGE_LEGEND[] = "Average of all curves";

// Adds the average as curve curveCount + 1. Fails without a change when
// there are no curves or no free curve slot.
Status AverageAllCurves(PlotDocument& document);

}  // namespace merva
