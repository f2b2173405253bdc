#pragma once

// The four fixed low-pass filters: cascades of integer moving sums, one
// recursive sharpening stage and a division by the cascade's gain.

#include <cstddef>

namespace merva {

inline constexpr int LOWPASS_OPTION_COUNT = 4;

// The gain of option 1..4 (12, 48, 48, 96); 0 for any other option.
int LowPassGain(int option);

// Runs option 1..4 in place over y[0..n), forward or (for the second pass
// of a two-pass filter) backward. Values before the start count as 0.
// Returns false for an unknown option, leaving y unchanged.
bool RunLowPassCascade(float* y, std::size_t n, int option, bool backward);

}  // namespace merva
