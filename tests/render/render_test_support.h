#pragma once

// Documents and surfaces for the rendering tests.

#include <memory>
#include <string>
#include <vector>

#include "core/plot_document.h"
#include "render/draw_plot.h"
#include "render/svg_surface.h"

namespace merva {
namespace test {

inline std::unique_ptr<PlotDocument> NewDocument(int curves = 10, int points = 2000) {
  auto d = std::make_unique<PlotDocument>();
  d->maxCurves = curves;
  d->maxPoints = points;
  d->xValues.Allocate(curves, points);
  d->yValues.Allocate(curves, points);
  SetCompiledDefaults(*d);
  return d;
}

inline void SetCurve(PlotDocument& d, int curve, const std::vector<double>& x,
                     const std::vector<double>& y) {
  const int n = static_cast<int>(x.size());
  for (int i = 0; i < n; ++i) {
    d.X(curve, i + 1) = static_cast<float>(x[static_cast<std::size_t>(i)]);
    d.Y(curve, i + 1) = static_cast<float>(y[static_cast<std::size_t>(i)]);
  }
  d.pointCount[curve] = n;
  if (d.curveCount < curve) d.curveCount = curve;
  d.InvalidateCurveStates(curve);
}

inline SurfaceCaps ScreenCaps() {
  SurfaceCaps caps;
  caps.technology = SURFACE_SCREEN;
  caps.logPixelsX = caps.logPixelsY = 96;
  caps.horzRes = 1024;
  caps.vertRes = 768;
  caps.horzSizeMM = 270;
  caps.vertSizeMM = 203;
  return caps;
}

inline SurfaceRect Target(int w = 800, int h = 600) { return SurfaceRect{0, 0, w, h}; }

// Operations of one kind.
inline std::vector<const RecordedOperation*> OperationsOf(const RecordingSurface& s, int kind) {
  std::vector<const RecordedOperation*> out;
  for (const RecordedOperation& op : s.Operations())
    if (op.kind == kind) out.push_back(&op);
  return out;
}

inline const RecordedOperation* TextOp(const RecordingSurface& s, const std::string& text) {
  for (const RecordedOperation& op : s.Operations())
    if (op.kind == RECORD_TEXT && op.text == text) return &op;
  return nullptr;
}

}  // namespace test
}  // namespace merva
