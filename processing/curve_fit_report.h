#pragma once

// The texts of a curve fit: the coefficient report and the legend of the
// fitted curve.

#include <string>

#include "processing/curve_fit.h"

namespace merva {

inline constexpr char CURVE_FIT_REPORT_CAPTION[] = "Curve Fit Coefficients";

// Header line(s), one line per coefficient, the natural-logarithm form
// where the scaling has one, and the correlation coefficient; CR LF breaks.
std::string CurveFitReport(const CurveFit& fit);

// "2nd Order Curve Fit" and the like.
std::string CurveFitLegend(int order);

}  // namespace merva
