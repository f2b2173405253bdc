#include "render/probability.h"

#include <cmath>

#include "core/number_text.h"

namespace merva {

double ApproximateErfc(double x) {
  const double t = 1.0 / (1.0 + 0.5 * x);
  return t * std::exp(-x * x - 1.26551223 +
                      t * (1.00002368 +
                           t * (0.37409196 +
                                t * (0.09678418 +
                                     t * (-0.18628806 +
                                          t * (0.27886807 +
                                               t * (-1.13520398 +
                                                    t * (1.48851587 +
                                                         t * (-0.82215223 + t * 0.17087277)))))))));
}

namespace {

// Half the error function at z / sqrt(2): the probability between 0 and z.
double CentralHalf(double z) { return 0.5 * (1.0 - ApproximateErfc(z / std::sqrt(2.0))); }

constexpr double DEVIATE_TOLERANCE = 1e-6;

}  // namespace

double ProbabilityDeviate(double percent, std::string* error) {
  if (std::fabs(percent - 50.0) < 0.001) return 0.0;
  const double q = std::fabs(percent - 50.0);
  if (!(q < 50.0)) {
    if (error) *error = "ERROR: CDF =" + FormatG(percent);
    return 0.0;
  }
  const double target = q / 100.0;
  // Bisection keeps the bracket safe where the slope is nearly flat.
  double low = 0.0;
  double high = 1.0;
  while (CentralHalf(high) < target && high < 40.0) high *= 2.0;
  double z = 0.5 * (low + high);
  for (int i = 0; i < 200; ++i) {
    z = 0.5 * (low + high);
    const double value = CentralHalf(z);
    if (std::fabs(value - target) < DEVIATE_TOLERANCE * 0.01) break;
    if (value < target)
      low = z;
    else
      high = z;
  }
  return percent < 50.0 ? -z : z;
}

}  // namespace merva
