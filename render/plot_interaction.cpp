#include "render/plot_interaction.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "render/axis_scale.h"
#include "render/number_format.h"
#include "render/probability.h"
#include "render/tripartite_units.h"

namespace merva {

namespace {

bool Inside(const SurfaceRect& r, int x, int y) {
  return r.right > r.left && r.bottom > r.top && x >= r.left && x < r.right && y >= r.top &&
         y < r.bottom;
}

bool Inside(const DeviceRect& r, int x, int y) {
  return Inside(SurfaceRect{r.left, r.top, r.right, r.bottom}, x, y);
}

bool NoteHit(const PlotDocument& d, const DrawResult& r, int x, int y) {
  if (d.note.attribute1 & NOTE_BUTTON) return false;
  return Inside(r.textRects[RECT_NOTE], x, y);
}

int LabelHit(const PlotDocument& d, int x, int y) {
  for (std::size_t i = 0; i < d.pointLabels.size(); ++i)
    if (Inside(d.pointLabels[i].lastDrawn, x, y)) return static_cast<int>(i);
  return -1;
}

HoverHit TextHit(const PlotDocument& d, const DrawResult& r, int x, int y) {
  HoverHit hit;
  if (Inside(r.legendRect, x, y)) {
    hit.kind = HOVER_LEGEND;
  } else if (Inside(r.textRects[RECT_TITLE1], x, y) || Inside(r.textRects[RECT_TITLE2], x, y) ||
             Inside(r.textRects[RECT_TITLE3], x, y)) {
    hit.kind = HOVER_TITLE;
  } else if (Inside(r.textRects[RECT_X_LABEL], x, y)) {
    hit.kind = HOVER_X_LABEL;
  } else if (Inside(r.textRects[RECT_Y_LABEL], x, y) || Inside(r.textRects[RECT_Y2_LABEL], x, y)) {
    hit.kind = HOVER_Y_LABEL;
  } else if (NoteHit(d, r, x, y)) {
    hit.kind = HOVER_NOTE;
  }
  return hit;
}

double Untransform(int kind, double t) {
  switch (kind) {
    case AXIS_LOG:
      return std::pow(10.0, t);
    case AXIS_PROBABILITY: {
      // The deviate grows with the percentage: bisection keeps both in step.
      double lo = 1e-9, hi = 100.0 - 1e-9;
      for (int i = 0; i < 100; ++i) {
        const double mid = (lo + hi) / 2;
        (ProbabilityDeviate(mid) < t ? lo : hi) = mid;
      }
      return (lo + hi) / 2;
    }
    default:
      return t;
  }
}

double Transform(int kind, double v) {
  switch (kind) {
    case AXIS_LOG:
      return v > 0.0 ? std::log10(v) : std::nan("");
    case AXIS_PROBABILITY:
      return v > 0.0 && v < 100.0 ? ProbabilityDeviate(v) : std::nan("");
    default:
      return v;
  }
}

bool Convert(int kind, double low, double high, double deviceLow, double deviceHigh, double p,
             double& value) {
  if (deviceHigh == deviceLow) return false;
  const double a = Transform(kind, low), b = Transform(kind, high);
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  value = Untransform(kind, a + (p - deviceLow) / (deviceHigh - deviceLow) * (b - a));
  return std::isfinite(value);
}

void Ordered(double a, double b, bool reversed, double& low, double& high) {
  low = reversed ? std::max(a, b) : std::min(a, b);
  high = reversed ? std::min(a, b) : std::max(a, b);
}

// Independent axes: the axes not zoomed take the values of their curves
// inside the new X range.
void FitOtherAxes(const PlotDocument& d, AxisLimits& view, int zoomedAxis) {
  const double xa = std::min(view.xLow, view.xHigh), xb = std::max(view.xLow, view.xHigh);
  const bool logY = YAxisKind(d.scaleType) == AXIS_LOG;
  for (int axis = 1; axis <= MAX_Y_AXES; ++axis) {
    if (axis == zoomedAxis) continue;
    double low = 0, high = 0;
    bool any = false;
    for (int c = 1; c <= d.curveCount && c <= d.maxCurves; ++c) {
      if (d.curveAxis[c] != axis) continue;
      const int n = std::min(d.pointCount[c], d.maxPoints);
      for (int p = 1; p <= n; ++p) {
        const double x = d.X(c, p), y = d.Y(c, p);
        if (!(x >= xa && x <= xb) || !std::isfinite(y) || (logY && y <= 0)) continue;
        low = any ? std::min(low, y) : y;
        high = any ? std::max(high, y) : y;
        any = true;
      }
    }
    if (!any || low == high) continue;
    const std::size_t k = static_cast<std::size_t>(axis - 1);
    Ordered(low, high, view.yLow[k] > view.yHigh[k], view.yLow[k], view.yHigh[k]);
  }
}

}  // namespace

HoverHit HitTestPlot(const PlotDocument& d, const DrawResult& r, int x, int y) {
  // Point labels before the read-out: nearly every label lies inside the
  // plot area and would otherwise never show its hint.
  HoverHit hit = HitTestEditable(d, r, x, y);
  if (hit.kind == HOVER_NONE && Inside(r.plotArea, x, y)) hit.kind = HOVER_PLOT;
  return hit;
}

HoverHit HitTestEditable(const PlotDocument& d, const DrawResult& r, int x, int y) {
  HoverHit hit = TextHit(d, r, x, y);
  if (hit.kind != HOVER_NONE) return hit;
  hit.pointLabel = LabelHit(d, x, y);
  if (hit.pointLabel >= 0) hit.kind = HOVER_POINT_LABEL;
  return hit;
}

int HoverHintNumber(int kind) {
  switch (kind) {
    case HOVER_LEGEND:
      return 12291;
    case HOVER_TITLE:
      return 12288;
    case HOVER_X_LABEL:
      return 12289;
    case HOVER_Y_LABEL:
      return 12290;
    case HOVER_NOTE:
      return 12294;
    case HOVER_POINT_LABEL:
      return 12293;
    default:
      return 0;
  }
}

bool DeviceToData(const PlotDocument& d, double px, double py, double& x, double& y, int axis) {
  const int k = axis >= 1 && axis <= MAX_Y_AXES ? axis - 1 : 0;
  const PlotFrame& f = d.plotFrame;
  const AxisLimits& w = d.plotWindow;
  return Convert(XAxisKind(d.scaleType), w.xLow, w.xHigh, f.left, f.right, px, x) &&
         Convert(YAxisKind(d.scaleType), w.yLow[static_cast<std::size_t>(k)],
                 w.yHigh[static_cast<std::size_t>(k)], f.bottom, f.top, py, y);
}

bool DataToDevice(const PlotDocument& d, double x, double y, double& px, double& py, int axis) {
  const int k = axis >= 1 && axis <= MAX_Y_AXES ? axis - 1 : 0;
  const PlotFrame& f = d.plotFrame;
  const AxisLimits& w = d.plotWindow;
  const auto place = [](int kind, double low, double high, double dLow, double dHigh, double v,
                        double& p) {
    const double a = Transform(kind, low), b = Transform(kind, high), t = Transform(kind, v);
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(t) || a == b) return false;
    p = dLow + (t - a) / (b - a) * (dHigh - dLow);
    return true;
  };
  return place(XAxisKind(d.scaleType), w.xLow, w.xHigh, f.left, f.right, x, px) &&
         place(YAxisKind(d.scaleType), w.yLow[static_cast<std::size_t>(k)],
               w.yHigh[static_cast<std::size_t>(k)], f.bottom, f.top, y, py);
}

std::string ReadoutText(double x, double y) { return "X=" + FormatG(x) + ", Y=" + FormatG(y); }

bool TripartiteDiagonals(const PlotDocument& d, double x, double y, double& displacement,
                         double& acceleration) {
  if (d.scaleType != SCALE_TRIPARTITE || !(x > 0.0) || !(y > 0.0)) return false;
  const TripartiteUnits units = TripartiteUnitsOf(d);
  displacement = units.a * y / x;
  acceleration = units.b * x * y;
  return std::isfinite(displacement) && std::isfinite(acceleration);
}

std::string ReadoutText(const PlotDocument& d, double x, double y, const std::string& shortDate) {
  const auto part = [&](double value, int kind) {
    if (kind == FORMAT_CALENDAR_DATE) {
      int year = 0, month = 0, day = 0;
      DayNumberToDate(static_cast<long>(value), year, month, day);
      if (year) {
        const std::string pattern = d.dateFormat.Str();
        return FormatDate(pattern.find_first_not_of(' ') == std::string::npos ? shortDate : pattern,
                          year, month, day);
      }
    }
    return FormatG(value);
  };
  std::string text = "X=" + part(x, d.xNumberFormat) + ", Y=" + part(y, d.yNumberFormat);
  double z1 = 0, z2 = 0;
  if (TripartiteDiagonals(d, x, y, z1, z2)) {
    // The two diagonal scales under the cursor, in the grid's own units.
    const TripartiteUnits units = TripartiteUnitsOf(d);
    const auto unit = [](const std::string& label) {
      const std::size_t end = label.find_last_not_of(' ');
      return end == std::string::npos ? std::string() : " " + label.substr(0, end + 1);
    };
    text += ", Z1=" + FormatG(z1) + unit(units.displacementShort) + ", Z2=" + FormatG(z2) +
            unit(units.accelerationShort);
  }
  return text;
}

void PushZoomView(PlotDocument& d, const AxisLimits& view) {
  if (d.zoomDepth < 0) d.zoomDepth = 0;
  if (d.zoomDepth >= ZOOM_STACK_DEPTH) {
    std::rotate(d.zoomStack.begin(), d.zoomStack.begin() + 1, d.zoomStack.end());
    d.zoomDepth = ZOOM_STACK_DEPTH - 1;
  }
  d.zoomStack[static_cast<std::size_t>(d.zoomDepth++)] = view;
  d.plotWindow = view;
  d.zoomed = 1;
}

bool ZoomOutView(PlotDocument& d) {
  if (d.zoomDepth <= 0) return false;
  if (--d.zoomDepth == 0)
    d.zoomed = 0;
  else
    d.plotWindow = d.zoomStack[static_cast<std::size_t>(d.zoomDepth - 1)];
  return true;
}

void ClearZoom(PlotDocument& d) {
  d.zoomDepth = 0;
  d.zoomed = 0;
}

bool ZoomToRectangle(PlotDocument& d, int x0, int y0, int x1, int y1) {
  if (x0 == x1 || y0 == y1) return false;
  double ax, ay, bx, by;
  if (!DeviceToData(d, x0, y0, ax, ay) || !DeviceToData(d, x1, y1, bx, by)) return false;
  AxisLimits view = d.plotWindow;
  Ordered(ax, bx, d.plotWindow.xLow > d.plotWindow.xHigh, view.xLow, view.xHigh);
  Ordered(ay, by, d.plotWindow.yLow[0] > d.plotWindow.yHigh[0], view.yLow[0], view.yHigh[0]);
  const int xKind = XAxisKind(d.scaleType);
  if (d.yAxisMode == 2 && (xKind == AXIS_LINEAR || xKind == AXIS_LOG) && d.HasMatrices())
    FitOtherAxes(d, view, 1);
  PushZoomView(d, view);
  return true;
}

void DeviceToFrameFraction(const PlotFrame& f, int x, int y, double& fx, double& fy) {
  const double w = f.right - f.left, h = f.bottom - f.top;
  fx = w != 0.0 ? (x - f.left) / w : 0.0;
  fy = h != 0.0 ? (y - f.top) / h : 0.0;
}

}  // namespace merva
