#include "processing/polynomial.h"

#include "processing/curve_slots.h"

namespace merva {

float EvaluatePolynomial(const PolynomialCoefficients& c, float y) {
  float value = static_cast<float>(c[8]);
  for (int k = 7; k >= 0; --k)
    value = static_cast<float>(static_cast<double>(value) * y + c[static_cast<std::size_t>(k)]);
  return value;
}

std::string PolynomialLegend(int curve) { return "Poly(y" + std::to_string(curve) + ")"; }

Status PolynomialTransform(PlotDocument& d, int curve, const PolynomialCoefficients& c) {
  // An empty source would only add an empty curve.
  if (curve < 1 || curve > d.curveCount || d.pointCount[curve] < 1) return Status::Failure();
  int result = 0;
  Status status = TakeFreeCurveSlot(d, d.pointCount[curve], result);
  if (!status.Ok()) return status;
  d.legendText[result].Clear();
  d.curveTag[result].Clear();
  const int n = d.pointCount[curve];
  for (int i = 1; i <= n; ++i) {
    d.X(result, i) = d.X(curve, i);
    d.Y(result, i) = EvaluatePolynomial(c, d.Y(curve, i));
  }
  d.pointCount[result] = n;
  d.curveCount = result;
  d.legendText[result].Set(PolynomialLegend(curve));
  d.monotonicState[result] = d.monotonicState[curve];
  d.spacingState[result] = d.spacingState[curve];
  d.MarkChanged();
  return status;
}

}  // namespace merva
