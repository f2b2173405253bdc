#pragma once

// Which curves of each document changed since the last advise
// notifications, so that only their CurveN links are told.

#include "core/constants.h"

namespace merva {

void MarkCurveChanged(int slot, int curve);
// Curves first..last (a range outside 1..100 is cut to it).
void MarkCurvesChanged(int slot, int first, int last);
// Returns whether the curve's bit was set and clears it.
bool TakeCurveChanged(int slot, int curve);
void ClearChangedCurves(int slot);

}  // namespace merva
