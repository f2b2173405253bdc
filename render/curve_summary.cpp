#include "render/curve_summary.h"

#include <algorithm>

namespace merva {

namespace {

bool Finite(float v) { return v - v == 0.0f; }

CurveBlock Summarise(const float* x, const float* y, int from, int to) {
  CurveBlock b;
  b.xLow = b.xHigh = x[from];
  b.yLow = b.yHigh = y[from];
  b.yLowAt = b.yHighAt = from;
  bool finite = true;
  for (int i = from; i < to; ++i) {
    finite = finite && Finite(x[i]) && Finite(y[i]);
    b.xLow = std::min(b.xLow, x[i]);
    b.xHigh = std::max(b.xHigh, x[i]);
    if (y[i] < b.yLow) b.yLow = y[i], b.yLowAt = i;
    if (y[i] > b.yHigh) b.yHigh = y[i], b.yHighAt = i;
  }
  b.finite = finite;
  return b;
}

}  // namespace

const std::vector<CurveBlock>& CurveBlocks(PlotDocument& d, int curve) {
  std::shared_ptr<CurveSummaries>& kept = d.curveSummaries.kept;
  if (!kept) kept = std::make_shared<CurveSummaries>();
  std::vector<CurveSummary>& all = kept->curves;
  if (all.size() <= static_cast<std::size_t>(curve))
    all.resize(static_cast<std::size_t>(curve) + 1);
  CurveSummary& s = all[static_cast<std::size_t>(curve)];
  const float* x = d.xValues.Column(curve);
  const float* y = d.yValues.Column(curve);
  const int n = d.pointCount[curve];
  if (s.x == x && s.y == y && s.count == n && s.generation == d.extentsGeneration &&
      !s.blocks.empty())
    return s.blocks;
  s.x = x;
  s.y = y;
  s.count = n;
  s.generation = d.extentsGeneration;
  s.blocks.clear();
  s.blocks.reserve(static_cast<std::size_t>(n / CURVE_BLOCK_POINTS + 1));
  for (int from = 0; from < n; from += CURVE_BLOCK_POINTS)
    s.blocks.push_back(Summarise(x, y, from, std::min(n, from + CURVE_BLOCK_POINTS)));
  return s.blocks;
}

}  // namespace merva
