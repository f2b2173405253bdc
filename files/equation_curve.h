#pragma once

// Curves that older plot files define by an equation instead of points.

#include <array>

#include "files/plot_file_format.h"

namespace merva {

struct EquationCurve {
  CurveKind kind = CurveKind::None;
  unsigned modifiers = 0;                                        // CurveModifier bits
  int count = 0;                                                 // coefficients used
  std::array<double, MAX_EQUATION_COEFFICIENTS> coefficients{};  // C1..Cm
  std::array<double, MAX_EQUATION_COEFFICIENTS> exponents{};     // E1..Em
  // "exp2": y = C1 + C2 * e^(E1 * x), kept as C1, C2 and E1.
  double exp2C1 = 0.0, exp2C2 = 0.0, exp2E1 = 0.0;
  double factorA = 1.0;  // "mult" line: A and B
  double exponentB = 1.0;
  double constantP = 0.0;  // "plus" line
  double lower = 0.0;      // X limits
  double upper = 0.0;
};

// Kinds whose coefficient lines hold an exponent after each coefficient.
constexpr bool HasExponents(CurveKind kind) {
  return kind == CurveKind::Poly || kind == CurveKind::Expo || kind == CurveKind::Slog;
}

// 256 points, or 2 for a constant (one coefficient of a polynomial kind).
int EquationPointCount(const EquationCurve& curve);

// X evenly spaced from x1 to xn (in log10 X when `logSpacing`), as
// x(j) = x1 + (j - 1) (xn - x1) / (n - 1), computed in double.
void EvenlySpacedX(double x1, double xn, int n, bool logSpacing, float* x);

// The Y value of the equation at x, in double precision.
double EquationValue(const EquationCurve& curve, double x);

// Fills n points; `logX` spaces X evenly in log10 X (both limits must be
// positive for that, else the spacing is linear).
void GenerateEquationCurve(const EquationCurve& curve, int n, bool logX, float* x, float* y);

}  // namespace merva
