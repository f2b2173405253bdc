#pragma once

// What drawing keeps of long curves between draws: per block of
// CURVE_BLOCK_POINTS points the X and Y extremes and where the Y extremes
// lie. A block whose X values all fall into one device column draws, as a
// thin solid line, the same pixels as its first point, its lowest and
// highest point and its last point, so the drawing passes over the others
// without mapping them, for any window size, zoom or printer.

#include <cstdint>
#include <vector>

#include "core/plot_document.h"

namespace merva {

constexpr int CURVE_BLOCK_POINTS = 256;
// Shorter curves are drawn point by point.
constexpr int SUMMARISED_CURVE_POINTS = 16 * CURVE_BLOCK_POINTS;

struct CurveBlock {
  float xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
  int32_t yLowAt = 0, yHighAt = 0;  // 0-based point numbers
  bool finite = true;               // no NaN or infinite value
};

struct CurveSummary {
  const float* x = nullptr;
  const float* y = nullptr;
  int count = 0;
  uint32_t generation = 0;
  std::vector<CurveBlock> blocks;
};

struct CurveSummaries {
  std::vector<CurveSummary> curves;  // index = curve number
};

// The blocks of a curve, computed when the data changed since the last
// call (a new extents generation, other arrays or another point count).
const std::vector<CurveBlock>& CurveBlocks(PlotDocument& document, int curve);

}  // namespace merva
