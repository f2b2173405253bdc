#include "render/special_grids.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/number_text.h"
#include "render/draw_context.h"
#include "render/line_writer.h"

namespace merva {

const double SIEVE_OPENINGS_MM[SIEVE_COUNT] = {152.4, 101.6, 76.2, 50.8,  38.1, 25.4,  19.05,
                                               12.7,  9.525, 4.75, 3.35,  2.0,  1.18,  0.85,
                                               0.6,   0.425, 0.3,  0.212, 0.15, 0.106, 0.075};
const char SIEVE_LABELS[] =
    "6    4    3    2    1-1/21    3/4  1/2  3/8  4    6    10   16   20   30   40   50   70   "
    "100  140  200  ";
const double SOIL_BOUNDARIES_MM[SOIL_BOUNDARY_COUNT] = {500, 76.2,  19.05, 4.75,
                                                        2.0, 0.425, 0.075, 0.001};

std::string SieveLabel(int index) {
  constexpr int FIELD = 5;
  if (index < 0 || index >= SIEVE_COUNT) return "";
  return std::string(TrimRight(std::string_view(SIEVE_LABELS + index * FIELD, FIELD)));
}

namespace {

constexpr double PI = 3.141592653589793;
constexpr double ANGLE_TOLERANCE = 0.0003;

// Bounding box of a rotated text, for skipping labels that would overlap.
SurfaceRect RotatedTextBox(int x, int y, double angleDegrees, int width, int height,
                           bool fromStart) {
  const double a = angleDegrees * PI / 180.0;
  const double ux = std::cos(a), uy = -std::sin(a);  // along the text
  const double nx = std::sin(a), ny = std::cos(a);   // towards the text's bottom
  const double along = fromStart ? width : -width;
  const double xs[4] = {x + 0.0, x + ux * along, x - nx * height, x + ux * along - nx * height};
  const double ys[4] = {y + 0.0, y + uy * along, y - ny * height, y + uy * along - ny * height};
  SurfaceRect r{static_cast<int>(std::floor(*std::min_element(xs, xs + 4))),
                static_cast<int>(std::floor(*std::min_element(ys, ys + 4))),
                static_cast<int>(std::ceil(*std::max_element(xs, xs + 4))),
                static_cast<int>(std::ceil(*std::max_element(ys, ys + 4)))};
  return r;
}

bool Overlaps(const SurfaceRect& a, const SurfaceRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Tripartite: one family of diagonal lines, v = slope * u + log10(Z / K).
void DrawDiagonalFamily(DrawContext& c, double logK, int slope, const std::string& unit,
                        std::vector<SurfaceRect>& written) {
  const PlotLayout& L = c.layout;
  const double ulo = std::log10(std::min(L.x.low, L.x.high));
  const double uhi = std::log10(std::max(L.x.low, L.x.high));
  const double vlo = std::log10(std::min(L.y[0].low, L.y[0].high));
  const double vhi = std::log10(std::max(L.y[0].low, L.y[0].high));
  if (!(uhi > ulo) || !(vhi > vlo)) return;
  // log10 Z over the grid: v - slope*u + logK.
  const double zA = vlo - slope * ulo + logK, zB = vhi - slope * uhi + logK;
  const double zC = vlo - slope * uhi + logK, zD = vhi - slope * ulo + logK;
  const double zMin = std::min({zA, zB, zC, zD}), zMax = std::max({zA, zB, zC, zD});
  if (zMax - zMin > 80) return;
  const ClipBox box{ulo, vlo, uhi, vhi};
  auto toDevice = [&](double u, double v) {
    return DevicePoint{ClampDevice(L.xMap.device + (u - L.xMap.origin) * L.xMap.factor),
                       ClampDevice(L.yMap[0].device + (v - L.yMap[0].origin) * L.yMap[0].factor)};
  };
  // Label font along the lines: 32/37 of the numbers font.
  const DevicePoint d0 = toDevice(ulo, vlo), d1 = toDevice(uhi, vlo + slope * (uhi - ulo));
  double angle = std::atan2(-(d1.y - d0.y), d1.x - d0.x) * 180.0 / PI;
  if (angle > 90.0) angle -= 180.0;
  if (angle < -90.0) angle += 180.0;
  FontSpec spec = c.fonts.Spec(FONT_NUMBERS);
  spec.height = static_cast<int>(std::lround(spec.height * 32.0 / 37.0));
  spec.width = spec.width > 0 ? static_cast<int>(std::lround(spec.width * 32.0 / 37.0)) : 0;
  spec.escapement = static_cast<int>(std::lround(angle * 10.0));
  spec.orientation = spec.escapement;
  if (c.kind == SURFACE_PLOTTER) spec.faceName = "Modern";
  OwnedObject font(c.surface, c.surface.CreateFont(spec));
  bool first = true;
  const int firstDecade = static_cast<int>(std::floor(zMin)) - 1;
  const int lastDecade = static_cast<int>(std::ceil(zMax)) + 1;
  for (int n = firstDecade; n <= lastDecade; ++n) {
    for (int mantissa : {1, 5}) {
      const double logZ = n + std::log10(static_cast<double>(mantissa));
      if (logZ < zMin - 1e-9 || logZ > zMax + 1e-9) continue;
      const double k = logZ - logK;
      double u0 = ulo, v0 = slope * ulo + k, u1 = uhi, v1 = slope * uhi + k;
      if (!ClipSegment(u0, v0, u1, v1, box)) continue;
      const DevicePoint a = toDevice(u0, v0), b = toDevice(u1, v1);
      if (a.x == b.x && a.y == b.y) continue;
      c.SelectPen(c.gridPen);
      c.Line(a.x, a.y, b.x, b.y);
      if (first) {
        first = false;
        continue;
      }
      const std::string text =
          FormatAxisNumber(std::pow(10.0, logZ), 0.0, FORMAT_DEFAULT, c.options.numbers) + " " +
          unit;
      if (font)
        c.surface.Select(font.Get());
      else
        c.surface.SelectStock(STOCK_VARIABLE_FONT);
      c.UseTextColor(c.doc.fontColors[FONT_NUMBERS - 1]);
      const int width = c.surface.GetTextExtent(text).width;
      const double length = std::hypot(b.x - a.x, b.y - a.y);
      if (length < width + 8) continue;
      // Written near the line's upper end, reading along it.
      const DevicePoint top = a.y < b.y ? a : b;
      const DevicePoint low = a.y < b.y ? b : a;
      const double ux = (low.x - top.x) / length, uy = (low.y - top.y) / length;
      const bool textRunsFromTop = angle < 0.0;
      const int textHeight = c.surface.GetTextMetrics().height;
      // Inside the frame, clear of the tick labels around it and of the
      // labels written: moved further along the line until it is.
      const PlotFrame& frame = L.frame;
      bool placed = false;
      int px = 0, py = 0;
      for (int step = 1; step <= 3 && !placed; ++step) {
        const int inset = step * textHeight + 2;
        if (inset + width + 4 > length) break;
        px = static_cast<int>(std::lround(top.x + ux * inset));
        py = static_cast<int>(std::lround(top.y + uy * inset));
        const SurfaceRect area = RotatedTextBox(px, py, angle, width, textHeight, textRunsFromTop);
        bool clash = area.left < frame.left || area.right > frame.right || area.top < frame.top ||
                     area.bottom > frame.bottom;
        for (const SurfaceRect& other : written) clash = clash || Overlaps(area, other);
        if (clash) continue;
        written.push_back(area);
        placed = true;
      }
      if (!placed) continue;
      c.Text(px, py, (textRunsFromTop ? ALIGN_LEFT : ALIGN_RIGHT) | ALIGN_BOTTOM, text);
    }
  }
  c.fonts.Select(c.surface, FONT_NUMBERS);
}

}  // namespace

void DrawTripartiteGrid(DrawContext& c) {
  const TripartiteUnits units = TripartiteUnitsOf(c.doc);
  if (!(units.a > 0.0) || !(units.b > 0.0)) return;
  c.surface.SetBackgroundTransparent(true);
  std::vector<SurfaceRect> written;
  DrawDiagonalFamily(c, std::log10(units.a), 1, units.displacementShort, written);
  DrawDiagonalFamily(c, std::log10(units.b), -1, units.accelerationShort, written);
}

void DrawGrainSizeScales(DrawContext& c) {
  const PlotLayout& L = c.layout;
  const PlotFrame& f = L.frame;
  const double unitMm = GrainSizeUnitInMillimeters(c.doc);
  const int left = static_cast<int>(f.left), right = static_cast<int>(f.right);
  const int top = static_cast<int>(f.top);
  auto xOf = [&](double mm) { return MapX(L, mm / unitMm); };
  c.UseText(FONT_NUMBERS);
  c.SelectPen(c.axisPen);

  // Sieve scale above the frame.
  int previousEdge = 0;
  bool havePrevious = false;
  int spanLeft[2] = {0, 0}, spanRight[2] = {0, 0};
  bool spanUsed[2] = {false, false};
  const int labelBase = top - L.hN / 2;
  for (int i = 0; i < SIEVE_COUNT; ++i) {
    const double x = xOf(SIEVE_OPENINGS_MM[i]);
    if (!(x == x) || x < f.left - 0.5 || x > f.right + 0.5) continue;
    const std::string label = SieveLabel(i);
    const int width = c.surface.GetTextExtent(label).width;
    const int px = ClampDevice(x);
    const int l = px - width / 2, r = l + width;
    const bool leftToRight = L.xMap.factor * (-1.0) > 0.0;  // coarse sizes on the left
    if (havePrevious && (leftToRight ? l <= previousEdge : r >= previousEdge)) continue;
    c.Line(px, top, px, top - L.hN / 2);
    c.Text(px, labelBase, ALIGN_CENTER | ALIGN_BOTTOM, label);
    previousEdge = leftToRight ? r + L.wN / 2 : l - L.wN / 2;
    havePrevious = true;
    const int group = i < FIRST_NUMBERED_SIEVE ? 0 : 1;
    if (!spanUsed[group]) {
      spanLeft[group] = l;
      spanRight[group] = r;
      spanUsed[group] = true;
    } else {
      spanLeft[group] = std::min(spanLeft[group], l);
      spanRight[group] = std::max(spanRight[group], r);
    }
  }
  const char* titles[2] = {"Sieve Opening, inches", "Sieve Numbers"};
  bool titleWritten = false;
  int titleLeft = 0, titleRight = 0;
  for (int group = 0; group < 2; ++group) {
    if (!spanUsed[group]) continue;
    const int width = c.surface.GetTextExtent(titles[group]).width;
    int centre = (spanLeft[group] + spanRight[group]) / 2;
    centre = std::min(centre, L.target.right - width / 2);
    centre = std::max(centre, L.target.left + width / 2);
    int l = centre - width / 2, r = l + width;
    if (group == 1 && titleWritten) {
      // Moved off the first title, or left out when there is no room.
      const int gap = std::max(1, L.wN);
      if (l < titleRight + gap && r + gap > titleLeft) {
        const int shift =
            centre >= (titleLeft + titleRight) / 2 ? titleRight + gap - l : titleLeft - gap - r;
        l += shift, r += shift, centre += shift;
        if (l < L.target.left || r > L.target.right) continue;
      }
    }
    c.Text(centre, labelBase - L.hN, ALIGN_CENTER | ALIGN_BOTTOM, titles[group]);
    titleWritten = true;
    titleLeft = l;
    titleRight = r;
  }

  // Soil class band below the X axis title.
  const int y0 = static_cast<int>(f.bottom) + L.hN * 7 / 4 + L.hX;
  const int y1 = y0 + 2 * L.hN;
  const int ym = y0 + L.hN;
  auto clampX = [&](double mm) {
    const double x = xOf(mm);
    return ClampDevice(std::clamp(x == x ? x : f.left, f.left, f.right));
  };
  auto inside = [&](double mm) {
    const double x = xOf(mm);
    return x == x && x >= f.left - 0.5 && x <= f.right + 0.5;
  };
  const int bandA = clampX(500.0), bandB = clampX(0.001);
  if (bandA == bandB) return;
  c.Line(bandA, y0, bandB, y0);
  c.Line(bandA, y1, bandB, y1);
  c.Line(clampX(76.2), ym, clampX(0.075), ym);
  for (double mm : {500.0, 76.2, 4.75, 0.075, 0.001})
    if (inside(mm)) c.Line(clampX(mm), y0, clampX(mm), y1);
  for (double mm : {19.05, 2.0, 0.425})
    if (inside(mm)) c.Line(clampX(mm), ym, clampX(mm), y1);
  const TextMetrics m = c.fonts.Metrics(FONT_NUMBERS);
  auto cellText = [&](const char* text, double mmA, double mmB, int cellTop, int cellBottom) {
    const int a = clampX(mmA), b = clampX(mmB);
    const int width = std::abs(b - a);
    if (width <= 2) return;
    std::string shown = text;
    if (c.surface.GetTextExtent(shown).width > width) shown = shown.substr(0, 1);
    if (c.surface.GetTextExtent(shown).width > width) return;
    c.Text((a + b) / 2, (cellTop + cellBottom) / 2 - m.height / 2, ALIGN_CENTER | ALIGN_TOP, shown);
  };
  cellText("Cobbles", 500.0, 76.2, y0, y1);
  cellText("Silt or Clay", 0.075, 0.001, y0, y1);
  cellText("Gravel", 76.2, 4.75, y0, ym);
  cellText("Sand", 4.75, 0.075, y0, ym);
  cellText("Coarse", 76.2, 19.05, ym, y1);
  cellText("Fine", 19.05, 4.75, ym, y1);
  cellText("Coarse", 4.75, 2.0, ym, y1);
  cellText("Medium", 2.0, 0.425, ym, y1);
  cellText("Fine", 0.425, 0.075, ym, y1);
  (void)left;
  (void)right;
}

void DrawPolarGrid(DrawContext& c) {
  const PlotLayout& L = c.layout;
  const PlotFrame& f = L.frame;
  const double cx = (f.left + f.right) / 2.0, cy = (f.top + f.bottom) / 2.0;
  const double halfW = (f.right - f.left) / 2.0, halfH = (f.bottom - f.top) / 2.0;
  const double r0 = L.y[0].low, r1 = L.y[0].high;
  const double span = r1 != r0 ? r1 - r0 : 1.0;
  c.surface.SelectStock(STOCK_HOLLOW_BRUSH);
  c.UseText(FONT_NUMBERS);
  const int n = static_cast<int>(L.leftTicks.size());
  int lastRight = INT32_MIN / 2;  // ring labels too close to the last one are left out
  for (int i = 1; i < n; ++i) {
    const double r = L.leftTicks[static_cast<std::size_t>(i)].value;
    const double rx = (r - r0) * halfW / span, ry = (r - r0) * halfH / span;
    if (rx <= 0.0) continue;
    c.SelectPen(i == n - 1 ? c.axisPen : L.gridType == GRID_AXES_ONLY ? c.blackPen : c.gridPen);
    c.surface.Ellipse(ClampDevice(cx - rx), ClampDevice(cy - ry), ClampDevice(cx + rx) + 1,
                      ClampDevice(cy + ry) + 1);
    const std::string_view label = TrimLeft(L.leftTicks[static_cast<std::size_t>(i)].label);
    const int right = ClampDevice(cx + rx) - 2;
    if (right - c.surface.GetTextExtent(label).width < lastRight + std::max(1, L.wN)) continue;
    lastRight = right;
    c.Text(right, ClampDevice(cy) - 1, ALIGN_RIGHT | ALIGN_BOTTOM, label);
  }
  const int m = L.x.tickCount;
  if (m < 2) return;
  const double stepAngle = 2.0 * PI / (m - 1);
  for (int k = 0; k <= m - 2; ++k) {
    const double a = stepAngle * k;
    const int ex = ClampDevice(cx + halfW * std::cos(a));
    const int ey = ClampDevice(cy - halfH * std::sin(a));
    c.SelectPen(c.gridPen);
    c.Line(ClampDevice(cx), ClampDevice(cy), ex, ey);
    if (k == 0 || k > static_cast<int>(L.polarLabels.size())) continue;
    int horizontal = a > PI / 2 && a < 3 * PI / 2 ? ALIGN_RIGHT : ALIGN_LEFT;
    if (std::fabs(a - PI / 2) < ANGLE_TOLERANCE || std::fabs(a - 3 * PI / 2) < ANGLE_TOLERANCE)
      horizontal = ALIGN_CENTER;
    const int vertical = a < PI - ANGLE_TOLERANCE ? ALIGN_BOTTOM : ALIGN_TOP;
    const int lift = std::fabs(a) < ANGLE_TOLERANCE ? L.hN / 2 : 0;
    const std::string& label = L.polarLabels[static_cast<std::size_t>(k - 1)];
    const int ox = static_cast<int>(std::lround(2 * std::cos(a)));
    const int oy = static_cast<int>(std::lround(-2 * std::sin(a)));
    c.Text(ex + ox, ey + oy - lift, horizontal | vertical, TrimLeft(label));
  }
}

}  // namespace merva
