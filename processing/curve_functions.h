#pragma once

// Y3 = f(Y1, Y2): a new curve from two curves, point by point on Y1's X
// with Y2 interpolated there.

#include <array>
#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

inline constexpr char DIVISOR_ZERO_MESSAGE[] =
    "One or more amplitudes in the divisor curve are equal to 0. Cannot proceed.";
inline constexpr char NO_MONOTONIC_CURVE_MESSAGE[] =
    "The X values for at least on curve must increase or decrease monotonically.";

// Operator codes, as the command language gives them.
enum CurveOperator : int {
  OPERATOR_ADD = 1,
  OPERATOR_SUBTRACT = 2,
  OPERATOR_MULTIPLY = 3,
  OPERATOR_DIVIDE = 4,
};
constexpr int FIRST_CURVE_OPERATOR = OPERATOR_ADD;
constexpr int LAST_CURVE_OPERATOR = OPERATOR_DIVIDE;

// The result's legend: "y%ld + y%ld", "y%ld - y%ld", "y%ld * y%ld" or
// "y%ld / y%ld".
std::string CurveFunctionLegend(int y1, int y2, int operation);

// Appends Y1 op Y2 as curve curveCount + 1. Fails without a change for
// curve numbers or an operator out of range, no free slot, a zero divisor
// (its message) or curves that do not overlap (message 97).
Status CombineCurves(PlotDocument& document, int y1, int y2, int operation);

// Whether a curve may be offered in the Y1/Y2 lists: its X values increase
// or decrease (a curve of one point qualifies).
bool CurveQualifiesForFunction(const PlotDocument& document, int curve);

// The list entry of a curve: its legend, else its curve label, else (two Y
// axes in data-processing mode) its axis title, else "Curve #" n
// "... no legend".
std::string FunctionListEntry(const PlotDocument& document, int curve);

}  // namespace merva
