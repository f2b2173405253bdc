#pragma once

// The FFT operation: the one-sided amplitude spectrum of an evenly spaced
// curve, and optionally its phase angles, as a new document.

#include <functional>
#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// The option bits saved as "FFTOption".
enum FftOption : int {
  FFT_OPTION_SHOW_DIALOG = 1,
  FFT_OPTION_UNPADDED = 2,
  FFT_OPTION_PHASE = 4,
};

struct FftPlan {
  bool mixedRadix = false;
  long long length = 0;        // L: N unpadded, else the power of two P >= N
  long long outputPoints = 0;  // M
};
FftPlan PlanFft(long long n, int options);

// Time in milliseconds: data-processing mode, or an X-axis title holding
// "msec" or "millisec" in any case.
bool TimeInMilliseconds(const PlotDocument& document);

// 1 / ((L - 1) dt'), dt' = dt/1000 for milliseconds.
double FrequencyStep(float dt, long long length, bool milliseconds);

// Amplitudes and phases from the packed transform of P points, in place:
// amplitude[i] may be `packed` itself. `phase` may be null.
void PackedAmplitudes(float* packed, std::size_t p, float* phase);

// Transforms `curve` of `source` into `target` (an empty new document whose
// arrays grow as needed). `options` loses nothing but gains bit 1 when the
// work array of the unpadded path cannot be had (message 96).
Status FftCurve(PlotDocument& source, int curve, int& options, PlotDocument& target,
                const std::function<bool()>& interrupted = nullptr);

}  // namespace merva
