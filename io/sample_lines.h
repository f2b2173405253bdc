#pragma once

// Points of a record of 16-bit samples: X and Y as straight lines in the
// sample number and the sample count.

#include <cstdint>

namespace merva {

struct StraightLine {
  double slope = 1, base = 0;
};

// Samples first..first+count-1 as points: x[k] = (first + k) * slope +
// base, y[k] = raw[k] * slope + base, each rounded once to a float. Kept
// out of line so that the loop vectorizes (inside a large importer it
// would not).
void ConvertSamples(const int16_t* raw, int first, int count, StraightLine xLine,
                    StraightLine yLine, float* x, float* y);

}  // namespace merva
