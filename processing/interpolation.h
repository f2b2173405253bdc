#pragma once

// The value of a curve at an X, interpolated in the plotted coordinates of
// the document's scaling. Every analysis and generated-curve operation uses
// this one routine, so that a value read off the plot and a computed one
// agree.

#include "core/plot_document.h"

namespace merva {

constexpr int INTERPOLATION_FOUND = 0;
constexpr int INTERPOLATION_OUTSIDE = -1;

// Points of one curve (1-based k as in the document) and how they are
// plotted.
struct CurvePoints {
  const float* x = nullptr;
  const float* y = nullptr;
  int count = 0;
  bool increasing = false;  // the curve's monotonicState is 1
};

CurvePoints PointsOf(const PlotDocument& document, int curve);

// Searches from the 1-based index k (1 for a fresh search) for the segment
// k, k+1 that brackets x and interpolates there. On success k is left on
// that segment, so a caller walking along increasing x continues from it.
// Returns INTERPOLATION_FOUND or INTERPOLATION_OUTSIDE.
int InterpolatePoints(const CurvePoints& points, int scaleType, double x, int& k, double& value);

// The same, first trying segment k and the next one of an increasing curve
// on linear axes, which is where a caller walking along X mostly finds
// itself; for passes over millions of points.
inline int InterpolateWalking(const CurvePoints& p, int scaleType, double x, int& k,
                              double& value) {
  if (p.increasing && scaleType == SCALE_LINEAR_LINEAR && k >= 1) {
    for (int j = k - 1; j < k + 1 && j + 1 < p.count; ++j) {
      const double x0 = p.x[j], x1 = p.x[j + 1];
      if (x <= x0) break;
      if (x < x1) {
        k = j + 1;
        value = p.y[j] + (x - x0) / (x1 - x0) * (static_cast<double>(p.y[j + 1]) - p.y[j]);
        return INTERPOLATION_FOUND;
      }
    }
  }
  return InterpolatePoints(p, scaleType, x, k, value);
}

// The same for a curve of the document (its cached monotonicState decides
// between a binary search and a linear scan).
int InterpolateCurve(const PlotDocument& document, int curve, double x, int& k, double& value);

// The probability transform of a percentage and its inverse, as the
// probability axes plot it.
double ProbabilityToDeviate(double percent);
double DeviateToProbability(double deviate);

}  // namespace merva
