#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/number_text.h"
#include "render/draw_context.h"

namespace merva {

namespace {

enum Side { SIDE_BOTTOM, SIDE_TOP, SIDE_LEFT, SIDE_RIGHT };

struct TickStyle {
  bool gridLines = false;  // full-length lines instead of ticks
  bool bothSides = false;  // ticks on the opposite side too
  bool labels = true;
  bool skipLabels = false;  // X labels: skip to fit
  bool boundaryBlack = false;
};

bool InsideSpan(double v, double a, double b) {
  const double lo = std::min(a, b) - 1.0, hi = std::max(a, b) + 1.0;
  return v >= lo && v <= hi;
}

int LabelSkip(DrawContext& c, const std::vector<AxisTick>& ticks) {
  const PlotLayout& L = c.layout;
  int widest = 0, labelled = 0;
  for (const AxisTick& t : ticks) {
    if (!t.labelled) continue;
    ++labelled;
    widest = std::max(widest, c.surface.GetTextExtent(TrimLeft(t.label)).width);
  }
  const double width = L.frame.right - L.frame.left;
  const int intervals = std::max(labelled - 1, 1);
  int skip = 0;
  while (skip<labelled&& static_cast<double>(widest + L.wN) * intervals / (skip + 1)> width) ++skip;
  return skip;
}

void DrawTickSet(DrawContext& c, const std::vector<AxisTick>& ticks, const AxisMapping& map,
                 Side side, const TickStyle& style) {
  const PlotLayout& L = c.layout;
  const PlotFrame& f = L.frame;
  const int left = static_cast<int>(f.left), right = static_cast<int>(f.right);
  const int top = static_cast<int>(f.top), bottom = static_cast<int>(f.bottom);
  const int tick = std::max(L.hN / 2, 1);
  const bool horizontalAxis = side == SIDE_BOTTOM || side == SIDE_TOP;
  // Lines first, labels after, so that the pens change rarely.
  for (const AxisTick& t : ticks) {
    const double v = MapAxis(map, t.value);
    if (!(v == v)) continue;
    if (horizontalAxis ? !InsideSpan(v, f.left, f.right) : !InsideSpan(v, f.top, f.bottom))
      continue;
    const int p = ClampDevice(v);
    if (style.gridLines) {
      c.SelectPen(style.boundaryBlack && t.boundary ? c.blackPen : c.gridPen);
      if (horizontalAxis)
        c.Line(p, bottom, p, top);
      else
        c.Line(left, p, right, p);
      continue;
    }
    c.SelectPen(c.axisPen);
    switch (side) {
      case SIDE_BOTTOM:
      case SIDE_TOP:
        if (side == SIDE_BOTTOM || style.bothSides) c.Line(p, bottom, p, bottom - tick);
        if (side == SIDE_TOP || style.bothSides) c.Line(p, top, p, top + tick);
        break;
      case SIDE_LEFT:
      case SIDE_RIGHT:
        if (side == SIDE_LEFT || style.bothSides) c.Line(left, p, left + tick, p);
        if (side == SIDE_RIGHT || style.bothSides) c.Line(right, p, right - tick, p);
        break;
    }
  }
  if (!style.labels) return;
  c.UseText(FONT_NUMBERS);
  const int skip = style.skipLabels ? LabelSkip(c, ticks) : 0;
  const TextMetrics m = c.fonts.Metrics(FONT_NUMBERS);
  // Labels that would still run into the last one written are left out
  // (uneven logarithmic and probability labels, short axes).
  const int gap = horizontalAxis ? std::max(1, L.wN / 2) : std::max(1, m.height / 8);
  struct Placed {
    const AxisTick* tick;
    int p;
    SurfaceRect box;
  };
  std::vector<Placed> placed;
  for (const AxisTick& t : ticks) {
    if (!t.labelled) continue;
    const double v = MapAxis(map, t.value);
    if (!(v == v)) {
      placed.push_back({&t, 0, SurfaceRect{}});
      continue;
    }
    const int p = ClampDevice(v);
    const int w = c.surface.GetTextExtent(TrimLeft(t.label)).width;
    SurfaceRect box;
    if (horizontalAxis) {
      box = SurfaceRect{p - w / 2, 0, p - w / 2 + w, 0};
    } else {
      box = SurfaceRect{0, p - m.height / 2, 0, p - m.height / 2 + m.height};
    }
    placed.push_back({&t, p, box});
  }
  int uniformSkip = 0;
  if (!horizontalAxis && map.kind == AXIS_LINEAR && placed.size() > 1) {
    int closest = INT32_MAX;
    for (std::size_t i = 1; i < placed.size(); ++i)
      closest = std::min(closest, std::abs(placed[i].p - placed[i - 1].p));
    while (uniformSkip + 1 < static_cast<int>(placed.size()) &&
           closest * (uniformSkip + 1) < m.height + gap)
      ++uniformSkip;
  }
  const int every = std::max(skip, uniformSkip) + 1;
  bool anyWritten = false;
  SurfaceRect last;
  int index = 0;
  for (const Placed& q : placed) {
    const AxisTick& t = *q.tick;
    const bool write = index % every == 0;
    ++index;
    if (!write) continue;
    const double v = MapAxis(map, t.value);
    if (!(v == v)) continue;
    if (horizontalAxis ? !InsideSpan(v, f.left, f.right) : !InsideSpan(v, f.top, f.bottom))
      continue;
    if (anyWritten) {
      const bool apart = horizontalAxis
                             ? q.box.left >= last.right + gap || q.box.right + gap <= last.left
                             : q.box.top >= last.bottom + gap || q.box.bottom + gap <= last.top;
      if (!apart) continue;
    }
    anyWritten = true;
    last = q.box;
    const int p = q.p;
    const std::string_view text = TrimLeft(t.label);
    switch (side) {
      case SIDE_BOTTOM:
        c.Text(p, bottom + (L.hN + 1) / 2, ALIGN_CENTER | ALIGN_TOP, text);
        break;
      case SIDE_TOP:
        c.Text(p, top - (L.hN + 1) / 2, ALIGN_CENTER | ALIGN_BOTTOM, text);
        break;
      case SIDE_LEFT:
        c.Text(left - L.wN, p - m.height / 2, ALIGN_RIGHT | ALIGN_TOP, text);
        break;
      case SIDE_RIGHT:
        c.Text(right + L.wN, p - m.height / 2, ALIGN_LEFT | ALIGN_TOP, text);
        break;
    }
  }
}

void DrawMinorLines(DrawContext& c, const std::vector<double>& values, const AxisMapping& map,
                    bool vertical) {
  const PlotFrame& f = c.layout.frame;
  c.SelectPen(c.thinGridPen);
  for (double value : values) {
    const double v = MapAxis(map, value);
    if (!(v == v)) continue;
    const int p = ClampDevice(v);
    if (vertical) {
      if (!InsideSpan(v, f.left, f.right)) continue;
      c.Line(p, static_cast<int>(f.bottom), p, static_cast<int>(f.top));
    } else {
      if (!InsideSpan(v, f.top, f.bottom)) continue;
      c.Line(static_cast<int>(f.left), p, static_cast<int>(f.right), p);
    }
  }
}

bool AdjacentMarksApart(DrawContext& c, const AxisMapping& map) {
  const double a = MapAxis(map, 10.0), b = MapAxis(map, 20.0);
  return std::fabs(a - b) > c.layout.hN;
}

void DrawXAxis(DrawContext& c, int gridStyle) {
  PlotLayout& L = c.layout;
  const bool grid = gridStyle == GRID_LINES;
  TickStyle style;
  style.gridLines = grid;
  style.bothSides = gridStyle == GRID_BOX;
  style.skipLabels = true;
  style.boundaryBlack = true;
  if (L.x.kind == AXIS_LOG && !L.xDrawable) {
    c.result.axisNotDrawn = true;
    return;
  }
  if (L.x.kind == AXIS_PROBABILITY) {
    L.xTicks = ProbabilityTicks(L.x, AdjacentMarksApart(c, L.xMap));
    style.skipLabels = false;
    DrawTickSet(c, L.xTicks, L.xMap, SIDE_BOTTOM, style);
    if (gridStyle != GRID_AXES_ONLY) {
      TickStyle repeat = style;
      repeat.gridLines = false;
      repeat.bothSides = false;
      DrawTickSet(c, L.xTicks, L.xMap, SIDE_TOP, repeat);
    }
    return;
  }
  if (grid && c.doc.denseGrid)
    DrawMinorLines(c, L.x.kind == AXIS_LOG ? LogMinorValues(L.x) : LinearMinorValues(L.x), L.xMap,
                   true);
  DrawTickSet(c, L.xTicks, L.xMap, SIDE_BOTTOM, style);
  if (L.x2Transform && !L.topTicks.empty()) {
    TickStyle top;
    top.skipLabels = true;
    top.labels = true;
    // Ticks on top come from the box or grid already; only the labels here.
    top.gridLines = false;
    DrawTickSet(c, L.topTicks, L.xMap, SIDE_TOP, top);
  }
}

void DrawYAxes(DrawContext& c, int gridStyle) {
  PlotLayout& L = c.layout;
  const bool grid = gridStyle == GRID_LINES;
  const bool rightShown = L.y2Transform || L.rightAxis > 0 || L.scaleType == SCALE_GRAIN_SIZE;
  const AxisScale& left = L.y[static_cast<std::size_t>(L.leftAxis - 1)];
  const AxisMapping& leftMap = L.yMap[static_cast<std::size_t>(L.leftAxis - 1)];
  TickStyle style;
  style.gridLines = grid;
  style.bothSides = gridStyle == GRID_BOX && !rightShown;
  style.boundaryBlack = true;
  if (left.kind == AXIS_PROBABILITY) {
    L.leftTicks = ProbabilityTicks(left, AdjacentMarksApart(c, leftMap));
    style.bothSides = gridStyle == GRID_BOX;
    DrawTickSet(c, L.leftTicks, leftMap, SIDE_LEFT, style);
    if (gridStyle != GRID_AXES_ONLY) {
      TickStyle repeat;
      repeat.gridLines = false;
      DrawTickSet(c, L.leftTicks, leftMap, SIDE_RIGHT, repeat);
    }
    return;
  }
  if (left.kind == AXIS_LOG && !L.leftDrawable) c.result.axisNotDrawn = true;
  if (!(left.kind == AXIS_LOG && !L.leftDrawable)) {
    if (grid && c.doc.denseGrid)
      DrawMinorLines(c, left.kind == AXIS_LOG ? LogMinorValues(left) : LinearMinorValues(left),
                     leftMap, false);
    DrawTickSet(c, L.leftTicks, leftMap, SIDE_LEFT, style);
  }
  if (!rightShown || L.rightTicks.empty()) return;
  TickStyle right;
  right.gridLines = false;
  if (L.y2Transform)
    DrawTickSet(c, L.rightTicks, L.y2Map, SIDE_RIGHT, right);
  else if (L.scaleType == SCALE_GRAIN_SIZE)
    DrawTickSet(c, L.rightTicks, leftMap, SIDE_RIGHT, right);
  else if (L.rightDrawable)
    DrawTickSet(c, L.rightTicks, L.yMap[static_cast<std::size_t>(L.rightAxis - 1)], SIDE_RIGHT,
                right);
}

}  // namespace

void DrawFrameLines(DrawContext& c) {
  const PlotLayout& L = c.layout;
  if (L.scaleType == SCALE_POLAR) return;
  const PlotFrame& f = L.frame;
  const int left = static_cast<int>(f.left), right = static_cast<int>(f.right);
  const int top = static_cast<int>(f.top), bottom = static_cast<int>(f.bottom);
  c.ClipToTarget();
  c.SelectPen(c.axisPen);
  const bool special = L.scaleType == SCALE_TRIPARTITE || L.scaleType == SCALE_GRAIN_SIZE;
  if (L.gridType == GRID_AXES_ONLY && !special) {
    const bool rightShown = L.y2Transform || L.rightAxis > 0;
    const DevicePoint axes[3] = {{left, top}, {left, bottom}, {right, bottom}};
    c.surface.Polyline(axes, 3);
    if (rightShown) c.Line(right, bottom, right, top);
    if (L.x2Transform) c.Line(left, top, right, top);
    return;
  }
  const DevicePoint box[5] = {
      {left, top}, {left, bottom}, {right, bottom}, {right, top}, {left, top}};
  c.surface.Polyline(box, 5);
}

void DrawAxes(DrawContext& c) {
  PlotLayout& L = c.layout;
  c.ClipToTarget();
  c.surface.SetBackgroundTransparent(true);
  switch (L.scaleType) {
    case SCALE_POLAR:
      DrawPolarGrid(c);
      return;
    case SCALE_TRIPARTITE:
      DrawTripartiteGrid(c);
      DrawXAxis(c, GRID_BOX);
      DrawYAxes(c, GRID_BOX);
      break;
    case SCALE_GRAIN_SIZE: {
      const int style = L.gridType == GRID_LINES ? GRID_LINES : GRID_BOX;
      DrawXAxis(c, style);
      DrawYAxes(c, style);
      DrawGrainSizeScales(c);
      break;
    }
    default:
      DrawXAxis(c, L.gridType);
      DrawYAxes(c, L.gridType);
      break;
  }
  DrawFrameLines(c);
}

}  // namespace merva
