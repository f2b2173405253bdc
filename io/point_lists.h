#pragma once

// The two point-list layouts: n, then n pairs x, y (file type 2), or n,
// dx and n Y values at X = 0, dx, 2 dx, ... (file type 3); numbers
// free-form across any number of lines.

#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// One curve at `firstCurve`. A count the file cannot hold (beyond its
// size) is refused before any memory is taken; too few values, or one
// that is not a number, fail with "Error interpreting data values in ".
Status ImportPointList(PlotDocument& document, const std::string& path, int firstCurve,
                       bool evenlySpaced);

}  // namespace merva
