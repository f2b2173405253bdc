#include "files/equation_curve.h"

#include <cmath>
#include <limits>

namespace merva {

namespace {

// Beyond the single-precision range the value is an infinity, as the
// hardware makes it, without relying on an out-of-range conversion.
float ToSingle(double value) {
  constexpr double largest = std::numeric_limits<float>::max();
  if (value > largest) return std::numeric_limits<float>::infinity();
  if (value < -largest) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

bool IsPolynomialKind(CurveKind kind) {
  return kind == CurveKind::Poli || kind == CurveKind::Pl10 || kind == CurveKind::Plog;
}

// C1 + C2 t + ... + Cm t^(m-1), from the highest coefficient down.
double Polynomial(const EquationCurve& curve, double t) {
  double y = 0.0;
  for (int k = curve.count - 1; k >= 0; --k) y = y * t + curve.coefficients[k];
  return y;
}

double PowerSum(const EquationCurve& curve, double x) {
  double y = 0.0;
  for (int k = 0; k < curve.count; ++k) {
    const double e = curve.exponents[k];
    y += e == 0.0 ? curve.coefficients[k] : curve.coefficients[k] * std::pow(x, e);
  }
  return y;
}

}  // namespace

int EquationPointCount(const EquationCurve& curve) {
  return IsPolynomialKind(curve.kind) && curve.count == 1 ? CONSTANT_CURVE_POINTS
                                                          : EQUATION_CURVE_POINTS;
}

void EvenlySpacedX(double x1, double xn, int n, bool logSpacing, float* x) {
  if (n <= 0) return;
  if (n == 1) {
    x[0] = ToSingle(x1);
    return;
  }
  if (logSpacing) {
    const double low = std::log10(x1);
    const double high = std::log10(xn);
    for (int j = 0; j < n; ++j) x[j] = ToSingle(std::pow(10.0, low + j * (high - low) / (n - 1)));
    return;
  }
  for (int j = 0; j < n; ++j) x[j] = ToSingle(x1 + j * (xn - x1) / (n - 1));
}

double EquationValue(const EquationCurve& curve, double x) {
  double y = 0.0;
  switch (curve.kind) {
    case CurveKind::Exp2:
      y = curve.exp2C1 + curve.exp2C2 * std::exp(curve.exp2E1 * x);
      break;
    case CurveKind::Poli:
      y = Polynomial(curve, x);
      break;
    case CurveKind::Pl10:
    case CurveKind::Plog:
      y = Polynomial(curve, std::log10(x));
      break;
    case CurveKind::Poly:
    case CurveKind::Expo:
    case CurveKind::Slog:
      y = PowerSum(curve, x);
      break;
    case CurveKind::Dx:
    case CurveKind::None:
      break;
  }
  if (curve.kind == CurveKind::Expo) y = curve.factorA * std::exp(y);
  if (curve.kind == CurveKind::Plog || curve.kind == CurveKind::Slog) y = std::pow(10.0, y);
  const unsigned m = curve.modifiers;
  if (m & MODIFIER_LOG) y = std::log10(y);
  if (m & MODIFIER_LOGN) y = std::log(y);
  if (m & MODIFIER_PLUS) y += curve.constantP;
  if (m & MODIFIER_MULT) y = curve.factorA * std::pow(y, curve.exponentB);
  if (m & MODIFIER_INVR) y = 1.0 / y;
  return y;
}

void GenerateEquationCurve(const EquationCurve& curve, int n, bool logX, float* x, float* y) {
  const bool logSpacing = logX && curve.lower > 0.0 && curve.upper > 0.0;
  EvenlySpacedX(curve.lower, curve.upper, n, logSpacing, x);
  for (int j = 0; j < n; ++j) {
    // From the exact X, not its single-precision copy.
    double xj = 0.0;
    if (n == 1) {
      xj = curve.lower;
    } else if (logSpacing) {
      const double low = std::log10(curve.lower), high = std::log10(curve.upper);
      xj = std::pow(10.0, low + j * (high - low) / (n - 1));
    } else {
      xj = curve.lower + j * (curve.upper - curve.lower) / (n - 1);
    }
    y[j] = ToSingle(EquationValue(curve, xj));
  }
}

}  // namespace merva
