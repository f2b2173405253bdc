#pragma once

// Random spike removal: a point that stands out from both neighbours by
// about the same step, and by more than a tenth of the curve's range, is
// replaced by the mean of its neighbours.

#include <cstddef>

namespace merva {

extern const char* const NO_RANDOM_SPIKES_TEXT;

// Works in place over y[0..n) in one pass (a replaced value is the left
// neighbour of the next test). Returns how many values were replaced.
std::size_t RemoveRandomSpikes(float* y, std::size_t n);

}  // namespace merva
