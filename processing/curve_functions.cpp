#include "processing/curve_functions.h"

#include <algorithm>

#include "core/messages.h"
#include "processing/curve_slots.h"
#include "processing/interpolation.h"

namespace merva {

namespace {

bool Within(float a, float b, float x) { return (a <= x && x <= b) || (b <= x && x <= a); }

}  // namespace

std::string CurveFunctionLegend(int y1, int y2, int operation) {
  static const char kSymbols[] = {'+', '-', '*', '/'};
  if (operation < FIRST_CURVE_OPERATOR || operation > LAST_CURVE_OPERATOR) return std::string();
  return "y" + std::to_string(y1) + " " + kSymbols[operation - 1] + " y" + std::to_string(y2);
}

bool CurveQualifiesForFunction(const PlotDocument& document, int curve) {
  // The increasing state is cached; a decreasing curve is recognised here.
  if (document.monotonicState[curve] == STATE_YES) return true;
  const int n = document.pointCount[curve];
  if (n < 1) return false;
  for (int i = 1; i < n; ++i)
    if (!(document.X(curve, i + 1) <= document.X(curve, i))) return false;
  return true;
}

std::string FunctionListEntry(const PlotDocument& d, int curve) {
  if (!d.legendText[curve].IsBlank()) return d.legendText[curve].Str();
  if (!d.curveTag[curve].IsBlank()) return d.curveTag[curve].Str();
  if (d.processMode != 0 && d.yAxisMode == 2) {
    const auto& title = curve == 1 ? d.yAxisLabel : d.y2AxisLabel;
    if (!title.IsBlank()) return title.Str();
  }
  return "Curve #" + std::to_string(curve) + "... no legend";
}

Status CombineCurves(PlotDocument& d, int y1, int y2, int operation) {
  if (y1 < 1 || y1 > d.curveCount || y2 < 1 || y2 > d.curveCount ||
      operation < FIRST_CURVE_OPERATOR || operation > LAST_CURVE_OPERATOR)
    return Status::Failure();
  MonotonicState(d, y2);
  int c3 = 0;
  Status status = TakeFreeCurveSlot(d, d.pointCount[y1], c3);
  if (!status.Ok()) return status;
  d.legendText[c3].Clear();
  d.curveTag[c3].Clear();

  const CurvePoints second = PointsOf(d, y2);
  const int n1 = d.pointCount[y1];
  const float first2 = second.count > 0 ? second.x[0] : 0.0f;
  const float last2 = second.count > 0 ? second.x[second.count - 1] : 0.0f;
  float* x3 = d.xValues.Column(c3);
  float* y3 = d.yValues.Column(c3);
  int count = 0;
  int k = 1;
  double previous = n1 > 0 ? d.X(y1, 1) : 0.0;
  for (int i = 1; i <= n1; ++i) {
    const float x = d.X(y1, i);
    if (second.count < 1 || !Within(first2, last2, x)) continue;
    // The search resumes only while X keeps growing.
    if (x < previous) k = 1;
    previous = x;
    double value = 0.0;
    if (InterpolateWalking(second, d.scaleType, x, k, value) != INTERPOLATION_FOUND) {
      k = 1;
      if (InterpolatePoints(second, d.scaleType, x, k, value) != INTERPOLATION_FOUND) continue;
    }
    const double a = d.Y(y1, i);
    double result = 0.0;
    switch (operation) {
      case OPERATOR_ADD:
        result = a + value;
        break;
      case OPERATOR_SUBTRACT:
        result = a - value;
        break;
      case OPERATOR_MULTIPLY:
        result = a * value;
        break;
      case OPERATOR_DIVIDE:
      default:
        if (value == 0.0) return Status::Failure(DIVISOR_ZERO_MESSAGE);
        result = a / value;
        break;
    }
    x3[count] = x;
    y3[count] = static_cast<float>(result);
    ++count;
  }
  if (count == 0) return Status::Failure(MSG_CURVES_DO_NOT_OVERLAP);
  // Only a complete result is counted as a curve.
  d.pointCount[c3] = count;
  d.curveCount = c3;
  d.legendText[c3].Set(CurveFunctionLegend(y1, y2, operation));
  d.monotonicState[c3] = d.monotonicState[y1];
  d.spacingState[c3] = d.spacingState[y1];
  d.MarkChanged();
  return status;
}

}  // namespace merva
