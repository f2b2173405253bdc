#pragma once

// What each editing operation does to the cached per-curve states
// `monotonicState` and `spacingState`.

#include "core/plot_document.h"

namespace merva {

enum class CurveEdit {
  AddX,
  MultiplyX,
  AddY,
  MultiplyY,
  SwapXY,
  Sort,
  Truncate,
  RemoveTrend,
  EqualIntervals,
  AveragePoints,
  SkipPoints,
  Depopulate,
  EditData,
};

// Sets the curve's two states after the edit (and marks the extents stale
// when the points changed).
void ApplyStateRule(PlotDocument& document, int curve, CurveEdit edit);

}  // namespace merva
