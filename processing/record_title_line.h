#pragma once

// The third title line of a data-processing document: the calibration
// value and the baseline shifts, rebuilt by every recompute.

#include <string>

#include "core/plot_document.h"

namespace merva {

constexpr int RECORD_TITLE_WIDTH = 80;

// "Cal val=" c, "CBS=" the sum of the shifts covering the whole record
// x[0..n), then each other shift as "v from s to e"; pieces joined by
// ", " and appended only while they fit in 80 characters.
std::string RecordTitleLine(const ProcessState& state, const float* x, int n);

}  // namespace merva
