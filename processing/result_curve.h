#pragma once

// The slot a derived curve is built in.

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// Takes slot curveCount + 1 for a new curve (growing the arrays by one
// curve when they are full), empty and without legend or tag, and counts
// it in curveCount. 0 when no slot can be had; `status` then holds what
// the growth reported.
int TakeResultSlot(PlotDocument& document, Status& status);

// Gives back the last slot taken when the result came to nothing.
void ReleaseResultSlot(PlotDocument& document, int slot);

}  // namespace merva
