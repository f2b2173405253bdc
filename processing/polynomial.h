#pragma once

// Y' = C0 + C1*Y + ... + C8*Y**8 applied to a curve's amplitudes.

#include <array>
#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

constexpr int POLYNOMIAL_COEFFICIENTS = 9;  // C0..C8
using PolynomialCoefficients = std::array<double, POLYNOMIAL_COEFFICIENTS>;

// Horner's rule from C8 down, each step stored in single precision.
float EvaluatePolynomial(const PolynomialCoefficients& c, float y);

// "Poly(y" n ")".
std::string PolynomialLegend(int curve);

// Appends the transformed copy of `curve` as curve curveCount + 1; fails
// without a change for a curve out of range or without points, or no free
// slot.
Status PolynomialTransform(PlotDocument& document, int curve, const PolynomialCoefficients& c);

}  // namespace merva
