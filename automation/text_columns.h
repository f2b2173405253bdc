#pragma once

// Columns of numbers in a text (a poked CF_TEXT item) read into new curves.

#include <string_view>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// Lines end at CR; fields are separated by characters 1..32 or commas.
// One field a line: X is the line number. Several: the first field is X
// and each further one the Y of a curve from `firstCurve` on. Every line
// must have the field count of the first; otherwise, or for a field that
// is not a number, nothing changes and the result is 0. The arrays grow
// when the rows or curves need it; rows beyond a refused growth are left
// out with message 122. `curvesAdded` receives the number of new curves.
Status ReadTextColumns(PlotDocument& document, std::string_view text, int firstCurve,
                       int& curvesAdded);

}  // namespace merva
