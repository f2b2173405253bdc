#pragma once

// The standard normal deviate of a percentage, for probability axes.

#include <string>

namespace merva {

// z with Phi(z) = p / 100, found to within 1e-6 of the cumulative value.
// A p outside 0..100 cannot have a deviate: the result is 0 and, when
// `error` is given, it receives "ERROR: CDF =" and the value.
double ProbabilityDeviate(double percent, std::string* error = nullptr);

// The complementary error function by the Chebyshev-fitted approximation
// (fractional error below 1.2e-7), for x >= 0.
double ApproximateErfc(double x);

}  // namespace merva
