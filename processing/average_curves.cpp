#include "processing/average_curves.h"

#include <vector>

#include "processing/curve_slots.h"
#include "processing/interpolation.h"

namespace merva {

Status AverageAllCurves(PlotDocument& d) {
  if (d.curveCount < 1 || d.pointCount[1] < 1) return Status::Failure();
  int result = 0;
  Status status = TakeFreeCurveSlot(d, d.pointCount[1], result);
  if (!status.Ok()) return status;
  d.legendText[result].Clear();
  d.curveTag[result].Clear();
  const int curves = d.curveCount;
  std::vector<CurvePoints> others;
  for (int c = 2; c <= curves; ++c) {
    MonotonicState(d, c);
    others.push_back(PointsOf(d, c));
  }
  // Each increasing curve's search resumes where the previous X left it;
  // the others are searched afresh so that they give what a single look-up
  // would.
  std::vector<int> resume(others.size(), 1);
  const int n = d.pointCount[1];
  const float* x1 = d.xValues.Column(1);
  const float* y1 = d.yValues.Column(1);
  float* xr = d.xValues.Column(result);
  float* yr = d.yValues.Column(result);
  double previous = x1[0];
  for (int i = 0; i < n; ++i) {
    const double x = x1[i];
    if (x < previous) resume.assign(resume.size(), 1);
    previous = x;
    double sum = y1[i];
    int count = 1;
    for (std::size_t o = 0; o < others.size(); ++o) {
      int k = others[o].increasing ? resume[o] : 1;
      double value = 0.0;
      if (InterpolateWalking(others[o], d.scaleType, x, k, value) != INTERPOLATION_FOUND) continue;
      resume[o] = k;
      sum += value;
      ++count;
    }
    xr[i] = x1[i];
    yr[i] = static_cast<float>(sum / count);
  }
  d.pointCount[result] = n;
  d.curveCount = result;
  d.legendText[result].Set(AVERAGE_LEGEND);
  d.monotonicState[result] = d.monotonicState[1];
  d.spacingState[result] = d.spacingState[1];
  d.MarkChanged();
  return status;
}

}  // namespace merva
