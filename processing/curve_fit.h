#pragma once

// Least-squares polynomial fit of one curve in the coordinates in which the
// document plots it, and the fitted curve generated as a new curve.

#include <string>
#include <vector>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// The dialog offers orders 0..min(N - 1, MAX_DIALOG_FIT_ORDER).
constexpr int MAX_DIALOG_FIT_ORDER = 10;
// The largest order whose work storage the program takes on: the normal
// matrix of order 1000 is 8 MB and is solved in about a second; beyond it
// the fit is refused with message 83 rather than running for minutes.
constexpr int MAX_STORED_FIT_ORDER = 1000;

// How one axis enters the fit.
enum class FitAxis { Linear, Log10, Probability };

// The first line(s) of the report.
enum class FitHeader { Linear, LogY, LogX, LogLog, Probability };

// The natural-logarithm form the report adds.
enum class NaturalForm { None, LnY, LnX };

struct FitCoordinates {
  FitAxis u = FitAxis::Linear;  // from X
  FitAxis v = FitAxis::Linear;  // from Y
  FitHeader header = FitHeader::Linear;
  NaturalForm natural = NaturalForm::None;
};

FitCoordinates FitCoordinatesOf(int scaleType);

// Highest order the order dialog accepts for a curve of n points.
int MaxDialogFitOrder(int n);

struct CurveFit {
  int order = 0;
  FitCoordinates coordinates;
  std::vector<double> coefficients;  // C(0)..C(m)
  double correlation = 0.0;
  double lowX = 0.0;  // the source's smallest and largest X
  double highX = 0.0;
  int pointCount = 0;
};

// Fits `curve` of the document with a polynomial of order m >= 0 in the
// plotted coordinates. Messages: 83 (work storage), 84 (singular), 48 and 50
// (values the axes cannot plot). The document is not changed.
Status FitCurve(const PlotDocument& document, int curve, int order, CurveFit& fit);

// The fitted polynomial at u by Horner's rule.
double FittedValue(const CurveFit& fit, double u);

// Generates the fitted curve with `points` points from X `lower` to
// `upper` in a new curve slot (curveCount + 1, growing the arrays), with
// the ordinal legend. Messages 109 and 85 when a value cannot be held; the
// document then keeps no new curve.
Status GenerateFittedCurve(PlotDocument& document, const CurveFit& fit, long long points,
                           double lower, double upper, int& resultCurve);

}  // namespace merva
