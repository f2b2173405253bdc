#pragma once

// The general second-order recursive filter and the coefficient designs of
// the two notch filters and the zero-frequency rejection filter.

#include <cstddef>
#include <string>

namespace merva {

// y(i) = C0 x(i) + C1 x(i-1) + C2 x(i-2) + D1 y(i-1) + D2 y(i-2).
struct RecursiveCoefficients {
  double c0 = 0.0, c1 = 0.0, c2 = 0.0, d1 = 0.0, d2 = 0.0;
};

// Carleton notch at f0 Hertz for a sample interval dt seconds.
RecursiveCoefficients CarletonCoefficients(double f0, double dt);
// Press notch at f0 with bandwidth B Hertz.
RecursiveCoefficients PressCoefficients(double f0, double bandwidth, double dt);
RecursiveCoefficients ZeroFrequencyCoefficients();

// A notch needs 0 < f0 < 0.5/dt (the Nyquist frequency).
bool RejectionFrequencyValid(double f0, double dt);
// The refusal naming the Nyquist frequency 0.5/dt.
std::string RejectionFrequencyText(double dt);

// Runs the filter in place over y[0..n): forward from the first value, or
// backward from the last with the later values as the "earlier" ones.
// Values before the start count as 0.
void RunRecursiveFilter(float* y, std::size_t n, const RecursiveCoefficients& k, bool backward);

}  // namespace merva
