#pragma once

// The SMOOFT low-pass smoother: remove the line through the end points,
// taper the spectrum of the zero-padded record, transform back, add the
// line again.

#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// The dialog's start value: N/2 limited to 2..20.
double DefaultSmoothingWindow(int n);

// Transform length: 2 doubled while below AINT(2w + N) (and below N);
// 0 when it would pass the largest curve or w is not finite.
long long SmoothingLength(long long n, double w);

// Smooths y[0..n) in place; `work` holds `m` values (m from
// SmoothingLength). n >= 2.
void SmoothValues(float* y, int n, double w, float* work, long long m);

// The legend of a smoothed curve: "Smoothing window=" and w with "%.7G".
std::string SmoothingLegend(double w);

// Smooths `curve` into slot curveCount + 1 (the arrays growing to the
// transform length), or into the source with `replace` (always in
// data-processing mode, where the source is curve 1).
Status SmoothCurve(PlotDocument& document, int curve, double w, bool replace, int& resultCurve);

}  // namespace merva
