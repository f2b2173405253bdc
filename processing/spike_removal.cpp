#include "processing/spike_removal.h"

#include <cmath>

namespace merva {

const char* const NO_RANDOM_SPIKES_TEXT = "No random spikes were found.";

namespace {

// Range of the finite values (0 when there are none).
double RangeOf(const float* y, std::size_t n) {
  double low = 0.0, high = 0.0;
  bool any = false;
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(y[i])) continue;
    if (!any || y[i] < low) low = y[i];
    if (!any || y[i] > high) high = y[i];
    any = true;
  }
  return high - low;
}

}  // namespace

std::size_t RemoveRandomSpikes(float* y, std::size_t n) {
  if (n < 3) return 0;
  const double threshold = 0.1 * RangeOf(y, n);
  std::size_t replaced = 0;
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const double here = y[i], before = y[i - 1], after = y[i + 1];
    const double d1 = here - before, d2 = here - after;
    if (d1 == 0.0 || d2 == 0.0) continue;
    const double ratio = d1 / d2;
    const double mean = 0.5 * (before + after);
    // Comparisons with NaN are false: such a point is never replaced.
    if (ratio > 0.75 && ratio < 1.25 && std::fabs(here - mean) > threshold) {
      y[i] = static_cast<float>(mean);
      ++replaced;
    }
  }
  return replaced;
}

}  // namespace merva
