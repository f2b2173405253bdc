#pragma once

// The reference scripts hand a driver one curve as a file of float32
// values: the n X values, then the n Y values.

#include <cstddef>
#include <fstream>
#include <vector>

#include "core/plot_document.h"

namespace merva::reference {

// Curve 1 of `d` (room for n points) becomes the file's curve.
inline bool ReadPoints(const char* path, int n, PlotDocument& d) {
  std::vector<float> values(static_cast<std::size_t>(n) * 2);
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(values.data()),
          static_cast<std::streamsize>(values.size() * sizeof(float)));
  if (!in) return false;
  d.curveCount = 1;
  d.pointCount[1] = n;
  for (int i = 0; i < n; ++i) {
    d.X(1, i + 1) = values[static_cast<std::size_t>(i)];
    d.Y(1, i + 1) = values[static_cast<std::size_t>(n + i)];
  }
  d.InvalidateCurveStates(1);
  return true;
}

}  // namespace merva::reference
