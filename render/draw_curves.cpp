#include <algorithm>
#include <cmath>
#include <vector>

#include "files/settings.h"
#include "render/curve_reduction.h"
#include "render/curve_summary.h"
#include "render/draw_context.h"
#include "render/line_writer.h"
#include "render/scale_check.h"

namespace merva {

namespace {

constexpr int BATCH_POINTS = 1024;
constexpr int FILL_VERTICES = 1024;

struct Vertex {
  int8_t x, y;
  bool draw;  // false: pen up (start of a stroke)
};

// Symbol shapes in a grid where +-32 spans the symbol size, y up.
const std::vector<Vertex>& SymbolVertices(int shape) {
  static const std::vector<Vertex> shapes[13] = {
      {},
      {{-1, 1, 0}, {1, 1, 1}, {1, -1, 1}, {-1, -1, 1}},
      {{32, 0, 0}, {-32, 0, 1}, {0, 32, 0}, {0, -32, 1}},
      {{32, 0, 0},
       {-32, 0, 1},
       {0, 32, 0},
       {0, -32, 1},
       {23, -23, 0},
       {-23, 23, 1},
       {-23, -23, 0},
       {23, 23, 1}},
      {{-31, -31, 0}, {31, 31, 1}, {-31, 31, 0}, {31, -31, 1}},
      {{-31, 31, 0}, {31, 31, 1}, {31, -31, 1}, {-31, -31, 1}},
      {{0, 32, 0}, {32, 0, 1}, {0, -32, 1}, {-32, 0, 1}},
      {{0, 41, 0}, {31, -21, 1}, {-31, -21, 1}},
      {{-31, 13, 0},
       {-13, 31, 1},
       {13, 31, 1},
       {31, 13, 1},
       {31, -13, 1},
       {13, -31, 1},
       {-13, -31, 1},
       {-31, -13, 1}},
      {{0, -41, 0}, {31, 21, 1}, {-31, 21, 1}},
      {{-36, 0, 0}, {-18, 31, 1}, {18, 31, 1}, {36, 0, 1}, {18, -31, 1}, {-18, -31, 1}},
      {{-34, 11, 0}, {0, 36, 1}, {34, 11, 1}, {21, -29, 1}, {-21, -29, 1}},
      {{-34, 11, 0},
       {-8, 11, 1},
       {0, 36, 1},
       {8, 11, 1},
       {34, 11, 1},
       {13, -4, 1},
       {21, -29, 1},
       {0, -14, 1},
       {-21, -29, 1},
       {-13, -4, 1}},
  };
  return shapes[shape >= 0 && shape <= MAX_SYMBOL_TYPE ? shape : 0];
}

// A point at an axis limit maps onto the frame line, just outside the plot
// area; its symbol is still a data point the user must see.
ClipBox SymbolBox(const DrawContext& c) {
  const PlotFrame& f = c.layout.frame;
  return ClipBox{f.left - 0.5, f.top - 0.5, f.right + 0.5, f.bottom + 0.5};
}

ClipBox PlotBox(const DrawContext& c) {
  return ClipBox{static_cast<double>(c.plotArea.left), static_cast<double>(c.plotArea.top),
                 static_cast<double>(c.plotArea.right - 1),
                 static_cast<double>(c.plotArea.bottom - 1)};
}

OwnedObject SolidBrush(DrawContext& c, SurfaceColor color) {
  BrushSpec brush;
  brush.kind = BRUSH_SOLID;
  brush.color = color;
  return OwnedObject(c.surface, c.surface.CreateBrush(brush));
}

OwnedObject CurvePen(DrawContext& c, int curve, SurfaceColor color) {
  PenSpec pen;
  pen.width = c.CurvePenWidth(curve);
  pen.style = c.kind == SURFACE_PLOTTER ? PEN_STYLE_SOLID : PEN_STYLE_INSIDE_FRAME;
  pen.color = color;
  return OwnedObject(c.surface, c.surface.CreatePen(pen));
}

void SelectBrush(DrawContext& c, const OwnedObject& brush) {
  if (brush)
    c.surface.Select(brush.Get());
  else
    c.surface.SelectStock(STOCK_WHITE_BRUSH);
}

// Device position of point i (0-based) of a curve; false when unmappable.
bool PointToDevice(const DrawContext& c, int curve, int axis, const float* x, const float* y, int i,
                   double& px, double& py) {
  if (c.layout.scaleType == SCALE_POLAR) {
    const DevicePoint p = PolarToDevice(c.layout, x[i], y[i], PolarDegrees(c.doc));
    px = p.x;
    py = p.y;
    return true;
  }
  (void)curve;
  px = MapX(c.layout, x[i]);
  py = MapY(c.layout, y[i], axis);
  return px == px && py == py;
}

// The last point whose X lies below `low` (0-based), 0 when `low` is outside the curve.
int FirstPointToDraw(const float* x, int n, double low) {
  if (n < 2 || !(low > x[0]) || low > x[n - 1]) return 0;
  int a = 0, b = n - 1;  // x[a] < low <= x[b]
  while (b - a > 1) {
    const int m = a + (b - a) / 2;
    if (x[m] < low)
      a = m;
    else
      b = m;
  }
  return a;
}

// A block of points that all fall into one device column, all mappable
// and, where the program clips, all inside the box: its first, lowest,
// highest and last point draw what the whole block draws.
bool BlockInOneColumn(const DrawContext& c, const CurveBlock& b, int axis, const ClipBox* clip) {
  if (!b.finite) return false;
  const double x0 = MapX(c.layout, b.xLow), x1 = MapX(c.layout, b.xHigh);
  const double y0 = MapY(c.layout, b.yLow, axis), y1 = MapY(c.layout, b.yHigh, axis);
  if (!(x0 == x0 && x1 == x1 && y0 == y0 && y1 == y1)) return false;
  if (RoundDevice(x0) != RoundDevice(x1)) return false;
  return !clip || (clip->Contains(x0, y0) && clip->Contains(x1, y1));
}

enum ExitEdge { EXIT_NONE, EXIT_INSIDE, EXIT_LEFT, EXIT_RIGHT, EXIT_TOP, EXIT_BOTTOM };

struct CurveEnd {
  int edge = EXIT_NONE;
  double x = 0, y = 0;
  double dx = 0, dy = 0;
};

// Follows where the drawn line ends relative to the plot area.
class EndTracker {
 public:
  explicit EndTracker(const ClipBox& box) : box_(box) {}
  void Add(double x, double y) {
    const bool inside = box_.Contains(x, y);
    if (have_) {
      if (inside) {
        end_.edge = EXIT_INSIDE;
        end_.x = x;
        end_.y = y;
        end_.dx = x - lastX_;
        end_.dy = y - lastY_;
      } else {
        // Leaving, or crossing the area between two outside points.
        double x0 = lastX_, y0 = lastY_, x1 = x, y1 = y;
        if (ClipSegment(x0, y0, x1, y1, box_)) {
          end_.x = x1;
          end_.y = y1;
          const double e = 0.5;
          end_.edge = std::fabs(x1 - box_.right) < e  ? EXIT_RIGHT
                      : std::fabs(x1 - box_.left) < e ? EXIT_LEFT
                      : std::fabs(y1 - box_.top) < e  ? EXIT_TOP
                                                      : EXIT_BOTTOM;
        }
      }
    } else if (inside) {
      end_.edge = EXIT_INSIDE;
      end_.x = x;
      end_.y = y;
    }
    have_ = true;
    lastX_ = x;
    lastY_ = y;
    lastInside_ = inside;
  }
  const CurveEnd& End() const { return end_; }

 private:
  ClipBox box_;
  bool have_ = false;
  bool lastInside_ = false;
  double lastX_ = 0, lastY_ = 0;
  CurveEnd end_;
};

void DrawCurveLabel(DrawContext& c, int curve, const CurveEnd& end) {
  if (end.edge == EXIT_NONE || c.doc.curveTag[curve].IsBlank()) return;
  const std::string_view tag = c.doc.curveTag[curve].Trimmed();
  c.UseText(FONT_LEGEND);
  const TextSize size = c.surface.GetTextExtent(tag);
  const int wL = c.layout.wL;
  const int xe = ClampDevice(end.x), ye = ClampDevice(end.y);
  int x = xe, y = ye - size.height / 2, align = ALIGN_LEFT | ALIGN_TOP;
  // Where the secondary axis's tick labels stand beside the right edge,
  // a label leaving there goes inside it.
  const bool rightLabels = c.layout.widestRightLabel > 0;
  switch (end.edge) {
    case EXIT_RIGHT:
      x = rightLabels ? xe - wL / 2 : xe + wL / 2;
      if (rightLabels) align = ALIGN_RIGHT | ALIGN_TOP;
      break;
    case EXIT_LEFT:
      x = xe - wL / 2;
      align = ALIGN_RIGHT | ALIGN_TOP;
      break;
    case EXIT_TOP:
      y = ye;
      align = ALIGN_CENTER | ALIGN_BOTTOM;
      break;
    case EXIT_BOTTOM:
      y = ye;
      align = ALIGN_CENTER | ALIGN_TOP;
      break;
    default: {
      const double adx = std::fabs(end.dx), ady = std::fabs(end.dy);
      int horizontal = ALIGN_CENTER;
      if (ady < 2.5 * adx) {
        horizontal = end.dx >= 0 ? ALIGN_LEFT : ALIGN_RIGHT;
        x = end.dx >= 0 ? xe + wL / 2 : xe - wL / 2;
      }
      int vertical = ALIGN_TOP;
      y = ye - size.height / 2;
      if (adx < 2.5 * ady) {
        if (end.dy > 0) {
          y = ye + wL / 2;
          vertical = ALIGN_TOP;
        } else {
          y = ye - wL / 2;
          vertical = ALIGN_BOTTOM;
        }
      }
      align = horizontal | vertical;
    }
  }
  // As a box, moved off the labels of earlier curves and into the target.
  const int h = align & ALIGN_HORIZONTAL_MASK;
  SurfaceRect box;
  box.left = h == ALIGN_CENTER ? x - size.width / 2 : h == ALIGN_RIGHT ? x - size.width : x;
  box.top = (align & ALIGN_VERTICAL_MASK) == ALIGN_BOTTOM ? y - size.height : y;
  box.right = box.left + size.width;
  box.bottom = box.top + size.height;
  for (std::size_t tries = 0; tries <= c.curveLabels.size(); ++tries) {
    bool moved = false;
    for (const SurfaceRect& other : c.curveLabels) {
      if (box.left >= other.right || other.left >= box.right || box.top >= other.bottom ||
          other.top >= box.bottom)
        continue;
      const bool below = box.top + box.bottom >= other.top + other.bottom;
      const int shift = below ? other.bottom - box.top : other.top - box.bottom;
      box.top += shift;
      box.bottom += shift;
      moved = true;
    }
    if (!moved) break;
  }
  const SurfaceRect& t = c.layout.target;
  const int dx = std::max(t.left - box.left, 0) - std::max(box.right - t.right, 0);
  const int dy = std::max(t.top - box.top, 0) - std::max(box.bottom - t.bottom, 0);
  box.left += dx, box.right += dx, box.top += dy, box.bottom += dy;
  c.curveLabels.push_back(box);
  c.Text(box.left, box.top, ALIGN_LEFT | ALIGN_TOP, tag);
}

}  // namespace

double SymbolUnit(const DrawContext& c, int curve) {
  const double perThousandth =
      static_cast<double>(c.kind == SURFACE_METAFILE ? c.layout.target.Width() + 1
                                                     : c.caps.horzRes) /
      (std::max(
           c.kind == SURFACE_METAFILE ? (c.layout.target.Width() + 1) / 100 : c.caps.horzSizeMM,
           1) *
       39.37);
  double unit = c.doc.symbolSize[curve] * perThousandth / 64.0;
  if (c.kind == SURFACE_SCREEN) unit = std::max(unit, 15.0 * perThousandth / 64.0);
  return unit;
}

void DrawSymbol(DrawContext& c, int curve, int x, int y) {
  const int shape = SymbolShape(c.doc.symbolType[curve]);
  if (shape <= 0 || shape > MAX_SYMBOL_TYPE) return;
  const double unit = SymbolUnit(c, curve);
  const std::vector<Vertex>& v = SymbolVertices(shape);
  auto px = [&](int vx) { return x + static_cast<int>(std::lround(vx * unit)); };
  auto py = [&](int vy) { return y - static_cast<int>(std::lround(vy * unit)); };
  const bool filled = SymbolFilled(c.doc.symbolType[curve]);
  if (shape == 1) {
    // The dot: always solid, at least one device unit across.
    const int half = std::max(1, static_cast<int>(std::lround(unit)));
    c.surface.Rectangle(x - half, y - half, x + half + 1, y + half + 1);
    return;
  }
  if (shape == 2 || shape == 3 || shape == 4) {
    for (std::size_t i = 0; i + 1 < v.size(); i += 2)
      c.Line(px(v[i].x), py(v[i].y), px(v[i + 1].x), py(v[i + 1].y));
    return;
  }
  if (!filled) c.surface.SelectStock(STOCK_HOLLOW_BRUSH);
  if (shape == 5) {
    const int x0 = px(v[1].x), y0 = py(v[1].y), x1 = px(v[3].x), y1 = py(v[3].y);
    c.surface.Rectangle(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1,
                        std::max(y0, y1) + 1);
  } else {
    DevicePoint points[12];
    const int n = static_cast<int>(v.size());
    for (int i = 0; i < n; ++i) points[i] = DevicePoint{px(v[i].x), py(v[i].y)};
    c.surface.Polygon(points, n);
  }
}

bool DrawCurves(DrawContext& c) {
  PlotDocument& d = c.doc;
  const PlotLayout& L = c.layout;
  const ClipBox box = PlotBox(c);
  const ClipBox symbolBox = SymbolBox(c);
  const bool polar = L.scaleType == SCALE_POLAR;
  const double windowLow = std::min(L.x.low, L.x.high);
  const double windowHigh = std::max(L.x.low, L.x.high);
  std::vector<CurveEnd> ends(static_cast<std::size_t>(L.lastCurve + 1));
  std::vector<DevicePoint> symbols;
  symbols.reserve(BATCH_POINTS);
  for (int curve = L.firstCurve; curve >= 1 && curve <= L.lastCurve; ++curve) {
    const int n = d.pointCount[curve];
    if (n <= 0) continue;
    const int lineType = std::clamp(d.lineType[curve], 0, MAX_LINE_TYPE);
    const int shape = SymbolShape(d.symbolType[curve]);
    const bool bars = L.scaleType == SCALE_BAR_CHART;
    if (lineType == 0 && shape == 0) continue;
    const SurfaceColor color = c.CurveColor(curve);
    OwnedObject pen = CurvePen(c, curve, color);
    OwnedObject brush = SolidBrush(c, color);
    c.SelectPen(pen);
    SelectBrush(c, brush);
    if (!c.ownClipping) c.ClipToPlot();
    const int axis = CurveAxisOf(d, curve);
    const float* x = d.xValues.Column(curve);
    const float* y = d.yValues.Column(curve);
    int start = 0;
    bool stopPastWindow = false;
    if (!polar && MonotonicState(d, curve) == STATE_YES) {
      start = FirstPointToDraw(x, n, windowLow);
      stopPastWindow = true;
    }
    const uint32_t mask = bars ? 0u : LINE_TYPE_MASKS[lineType];
    LineWriter writer(c.surface, mask, c.dashUnit, c.ownClipping ? &box : nullptr);
    // Only solid lines one unit wide look the same reduced; dashes follow
    // the whole path and wide pens have joins at every vertex.
    const bool reduce =
        c.options.reduceCurves && mask == LINE_TYPE_MASKS[1] && c.CurvePenWidth(curve) == 1;
    PolylineReducer reducer(c.ownClipping ? &box : nullptr);
    PositionSet symbolsDrawn = c.options.reduceCurves && shape > 0
                                   ? PositionSet(c.plotArea.left - 1, c.plotArea.top - 1,
                                                 c.plotArea.right, c.plotArea.bottom)
                                   : PositionSet(0, 0, -1, -1);
    EndTracker tracker(box);
    bool first = true;
    bool done = false;
    auto lineTo = [&](double px, double py) {
      if (first)
        writer.MoveTo(px, py);
      else
        writer.LineTo(px, py);
      first = false;
    };
    // False after the point that ends the drawing.
    auto drawPoint = [&](int i) {
      double px, py;
      if (!PointToDevice(c, curve, axis, x, y, i, px, py)) return true;
      if (reduce)
        reducer.Add(px, py);
      else
        lineTo(px, py);
      tracker.Add(px, py);
      if (shape > 0 && symbolBox.Contains(px, py)) {
        const DevicePoint p{ClampDevice(px), ClampDevice(py)};
        if (symbolsDrawn.Insert(p.x, p.y)) symbols.push_back(p);
      }
      return !(stopPastWindow && x[i] > windowHigh);
    };
    // Long lines without symbols pass over blocks that fall into one column.
    const std::vector<CurveBlock>* blocks =
        reduce && shape == 0 && !polar && n >= SUMMARISED_CURVE_POINTS ? &CurveBlocks(d, curve)
                                                                       : nullptr;
    const ClipBox* clip = c.ownClipping ? &box : nullptr;
    for (int i = start; i < n && !done;) {
      symbols.clear();
      // A batch is what costs about BATCH_POINTS points of work.
      for (int work = 0; i < n && work < BATCH_POINTS && !done;) {
        const int b = i / CURVE_BLOCK_POINTS, end = i + CURVE_BLOCK_POINTS;
        if (blocks && i % CURVE_BLOCK_POINTS == 0 && end < n) {
          const CurveBlock& block = (*blocks)[static_cast<std::size_t>(b)];
          if (BlockInOneColumn(c, block, axis, clip) &&
              !(stopPastWindow && block.xHigh > windowHigh)) {
            const int low = std::min(block.yLowAt, block.yHighAt);
            const int high = std::max(block.yLowAt, block.yHighAt);
            drawPoint(i);
            if (low > i) drawPoint(low);
            if (high > low && high > i) drawPoint(high);
            if (end - 1 > high) drawPoint(end - 1);
            i = end;
            work += 4;
            continue;
          }
        }
        done = !drawPoint(i);
        ++i;
        ++work;
      }
      if (reduce) {
        if (done || i >= n) reducer.Finish();
        for (const DeviceVertex& v : reducer.Ready()) lineTo(v.x, v.y);
        reducer.Ready().clear();
      }
      writer.Flush();
      for (const DevicePoint& p : symbols) DrawSymbol(c, curve, p.x, p.y);
      if (!symbols.empty()) SelectBrush(c, brush);
      if (c.AbortRequested()) {
        c.ClipToTarget();
        c.surface.SelectStock(STOCK_BLACK_PEN);
        c.surface.SelectStock(STOCK_WHITE_BRUSH);
        return false;
      }
    }
    ends[static_cast<std::size_t>(curve)] = tracker.End();
    c.surface.SelectStock(STOCK_BLACK_PEN);
    c.surface.SelectStock(STOCK_WHITE_BRUSH);
  }
  c.ClipToTarget();
  for (int curve = L.firstCurve; curve >= 1 && curve <= L.lastCurve; ++curve)
    DrawCurveLabel(c, curve, ends[static_cast<std::size_t>(curve)]);
  return true;
}

void DrawBars(DrawContext& c) {
  PlotDocument& d = c.doc;
  const PlotLayout& L = c.layout;
  const int shown = L.curvesShown;
  if (shown <= 0) return;
  if (!c.ownClipping) c.ClipToPlot();
  const ClipBox box = PlotBox(c);
  for (int curve = L.firstCurve; curve <= L.lastCurve; ++curve) {
    const int n = d.pointCount[curve];
    if (n <= 0) continue;
    const int slice = curve - L.firstCurve + 1;
    const double gap = n >= 2 ? static_cast<double>(d.X(curve, 2)) - d.X(curve, 1) : 1.0;
    const SurfaceColor color = c.CurveColor(curve);
    OwnedObject pen = d.filledBars ? OwnedObject() : CurvePen(c, curve, color);
    OwnedObject brush = d.filledBars ? SolidBrush(c, color) : OwnedObject();
    if (d.filledBars) {
      c.SelectPen(c.blackPen);
      SelectBrush(c, brush);
    } else {
      c.SelectPen(pen);
      c.surface.SelectStock(STOCK_HOLLOW_BRUSH);
    }
    const double zero = MapY(L, 0.0, 1);
    for (int j = 1; j <= n; ++j) {
      const double xj = d.X(curve, j);
      double left = MapX(L, xj + (slice - 1) * gap / shown);
      double right = MapX(L, xj + slice * gap / shown);
      double top = MapY(L, d.Y(curve, j), 1);
      if (!(left == left) || !(right == right) || !(top == top)) continue;
      double bottom = zero;
      if (left > right) std::swap(left, right);
      if (top > bottom) std::swap(top, bottom);
      right += 1.0;
      if (c.ownClipping) {
        left = std::max(left, box.left);
        right = std::min(right, box.right + 1);
        top = std::max(top, box.top);
        bottom = std::min(bottom, box.bottom + 1);
        if (left >= right || top >= bottom) continue;
      }
      c.surface.Rectangle(ClampDevice(left), ClampDevice(top), ClampDevice(right),
                          ClampDevice(bottom));
    }
    c.surface.SelectStock(STOCK_BLACK_PEN);
    c.surface.SelectStock(STOCK_WHITE_BRUSH);
  }
  c.ClipToTarget();
}

void DrawFills(DrawContext& c) {
  PlotDocument& d = c.doc;
  const PlotLayout& L = c.layout;
  if (d.fillRegions.empty()) return;
  const ClipBox box = PlotBox(c);
  if (!c.ownClipping) c.ClipToPlot();
  c.surface.SelectStock(STOCK_NULL_PEN);
  std::vector<DevicePoint> polygon;
  for (const FillRegion& fill : d.fillRegions) {
    const int a = fill.first, b = fill.second;
    if (a < L.firstCurve || a > L.lastCurve || b < L.firstCurve || b > L.lastCurve) continue;
    const int na = d.pointCount[a], nb = d.pointCount[b];
    if (na < 1 || nb < 1) continue;
    BrushSpec spec;
    spec.color = c.DeviceColor(static_cast<SurfaceColor>(fill.color));
    spec.kind = fill.kind == BRUSH_HATCHED       ? BRUSH_HATCHED
                : fill.kind == FILL_KIND_PATTERN ? BRUSH_PATTERN
                                                 : BRUSH_SOLID;
    spec.hatch = std::clamp<int>(fill.style, HATCH_HORIZONTAL, HATCH_DIAGONAL_CROSS);
    spec.pattern = fill.pattern;
    OwnedObject brush(c.surface, c.surface.CreateBrush(spec));
    SelectBrush(c, brush);
    int runA = na, runB = nb;
    while (runA + runB > FILL_VERTICES && (runA > 2 || runB > 2)) {
      runA = std::max(2, runA / 2);
      runB = std::max(2, runB / 2);
    }
    const int runs = std::max({1, runA > 1 ? (na - 1 + runA - 2) / (runA - 1) : 1,
                               runB > 1 ? (nb - 1 + runB - 2) / (runB - 1) : 1});
    const int axisA = CurveAxisOf(d, a), axisB = CurveAxisOf(d, b);
    for (int r = 0; r < runs; ++r) {
      polygon.clear();
      const int a0 = static_cast<int>(static_cast<long long>(na - 1) * r / runs);
      const int a1 = static_cast<int>(static_cast<long long>(na - 1) * (r + 1) / runs);
      const int b0 = static_cast<int>(static_cast<long long>(nb - 1) * r / runs);
      const int b1 = static_cast<int>(static_cast<long long>(nb - 1) * (r + 1) / runs);
      double px, py;
      for (int i = a0; i <= a1; ++i)
        if (PointToDevice(c, a, axisA, d.xValues.Column(a), d.yValues.Column(a), i, px, py))
          polygon.push_back({ClampDevice(px), ClampDevice(py)});
      for (int i = b1; i >= b0; --i)
        if (PointToDevice(c, b, axisB, d.xValues.Column(b), d.yValues.Column(b), i, px, py))
          polygon.push_back({ClampDevice(px), ClampDevice(py)});
      if (c.ownClipping) polygon = ClipPolygon(polygon, box);
      if (polygon.size() >= 3) c.surface.Polygon(polygon.data(), static_cast<int>(polygon.size()));
    }
    c.surface.SelectStock(STOCK_WHITE_BRUSH);
  }
  c.surface.SelectStock(STOCK_BLACK_PEN);
  c.ClipToTarget();
}

bool DrawLastCurveSegment(DrawContext& c, int curve) {
  PlotDocument& d = c.doc;
  const PlotLayout& L = c.layout;
  if (curve < L.firstCurve || curve > L.lastCurve || L.scaleType == SCALE_BAR_CHART) return false;
  const int n = d.pointCount[curve];
  if (n < 2) return false;
  const int lineType = std::clamp(d.lineType[curve], 0, MAX_LINE_TYPE);
  const int shape = SymbolShape(d.symbolType[curve]);
  if (lineType == 0 && shape == 0) return true;
  const int axis = CurveAxisOf(d, curve);
  const float* x = d.xValues.Column(curve);
  const float* y = d.yValues.Column(curve);
  double x0, y0, x1, y1;
  if (!PointToDevice(c, curve, axis, x, y, n - 2, x0, y0) ||
      !PointToDevice(c, curve, axis, x, y, n - 1, x1, y1))
    return false;
  const SurfaceColor color = c.CurveColor(curve);
  OwnedObject pen = CurvePen(c, curve, color);
  OwnedObject brush = SolidBrush(c, color);
  c.SelectPen(pen);
  SelectBrush(c, brush);
  if (!c.ownClipping) c.ClipToPlot();
  const ClipBox box = PlotBox(c);
  LineWriter writer(c.surface, LINE_TYPE_MASKS[lineType], c.dashUnit,
                    c.ownClipping ? &box : nullptr);
  writer.MoveTo(x0, y0);
  writer.LineTo(x1, y1);
  writer.Flush();
  if (shape > 0 && SymbolBox(c).Contains(x1, y1))
    DrawSymbol(c, curve, ClampDevice(x1), ClampDevice(y1));
  c.surface.SelectStock(STOCK_BLACK_PEN);
  c.surface.SelectStock(STOCK_WHITE_BRUSH);
  c.ClipToTarget();
  return true;
}

}  // namespace merva
