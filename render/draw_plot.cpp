#include "render/draw_plot.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "render/draw_context.h"
#include "render/number_format.h"
#include "render/scale_check.h"
#include "render/tripartite_units.h"

namespace merva {

namespace {

constexpr double THOUSANDTHS_PER_MM = 39.37;
constexpr SurfaceColor LIGHT_GREY = 0xC0C0C0u;

const ProgramSettings& SettingsOf(const DrawOptions& options) {
  if (options.settings) return *options.settings;
  static const ProgramSettings compiled;
  return compiled;
}

SurfaceCaps EffectiveCaps(DrawingSurface& surface, const SurfaceRect& target) {
  SurfaceCaps caps = surface.Capabilities();
  if (caps.enhancedMetafileRecorder) caps.technology = SURFACE_METAFILE;
  if (caps.technology == SURFACE_METAFILE) {
    caps.logPixelsX = 2540;
    caps.logPixelsY = 2540;
    caps.horzRes = target.Width() + 1;
    caps.horzSizeMM = std::max(1, caps.horzRes / 100);
  }
  if (caps.horzSizeMM <= 0) caps.horzSizeMM = 1;
  return caps;
}

void PrepareColors(DrawContext& c) {
  const bool screenTable =
      (c.kind == SURFACE_SCREEN && !c.options.previewPrinterColors) || c.kind == SURFACE_METAFILE;
  const ColorTable& table = screenTable ? c.settings.screenColors : c.settings.printerColors;
  c.palette = OwnedObject(
      c.surface, c.surface.CreatePalette(table.data(), COLOR_TABLE_SIZE, c.kind == SURFACE_SCREEN));
  if (c.palette) c.surface.Select(c.palette.Get());
  bool anyColor = false;
  for (int i = 0; i < COLOR_TABLE_SIZE; ++i) {
    const SurfaceColor rgb = table[static_cast<std::size_t>(i)] & 0xFFFFFFu;
    anyColor = anyColor || rgb != COLOR_BLACK;
    if (c.kind == SURFACE_METAFILE)
      c.colors[static_cast<std::size_t>(i)] = rgb | PALETTE_RELATIVE_FLAG;
    else if (c.caps.paletteDevice && c.palette)
      c.colors[static_cast<std::size_t>(i)] = PALETTE_INDEX_FLAG + static_cast<SurfaceColor>(i);
    else
      c.colors[static_cast<std::size_t>(i)] = rgb;
  }
  c.gridColor = anyColor ? LIGHT_GREY : COLOR_BLACK;
  if (c.kind == SURFACE_PRINTER && c.caps.colorCount > 0 && c.caps.colorCount <= 2)
    c.gridColor = COLOR_BLACK;
  if (c.kind == SURFACE_SCREEN && c.gridColor == LIGHT_GREY &&
      (c.surface.NearestColor(LIGHT_GREY) & 0xFFFFFFu) == (c.options.windowBackground & 0xFFFFFFu))
    c.gridColor = COLOR_BLACK;
  c.axisColor = c.kind == SURFACE_SCREEN ? c.options.windowText : COLOR_BLACK;
}

OwnedObject MakePen(DrawContext& c, int width, SurfaceColor color) {
  PenSpec pen;
  pen.width = c.kind == SURFACE_PLOTTER ? 1 : width;
  pen.style = c.kind == SURFACE_PLOTTER ? PEN_STYLE_SOLID : PEN_STYLE_INSIDE_FRAME;
  pen.color = color;
  return OwnedObject(c.surface, c.surface.CreatePen(pen));
}

void PreparePens(DrawContext& c) {
  c.axisWidth = DeviceLineWidth(c.caps, c.settings.axisLineWidth, c.layout.target.Width());
  c.gridWidth = DeviceLineWidth(c.caps, c.settings.gridLineWidth, c.layout.target.Width());
  c.axisPen = MakePen(c, c.axisWidth, c.axisColor);
  c.gridPen = MakePen(c, c.gridWidth, c.gridColor);
  c.thinGridPen = MakePen(c, 1, c.gridColor);
  c.blackPen = MakePen(c, 1, COLOR_BLACK);
}

// Colours, fonts (the mode's own in data-processing mode), pens, and the
// scaled layout of the target.
void PrepareScaledLayout(DrawContext& c, PlotDocument& d, DrawingSurface& surface,
                         const SurfaceRect& target, const DrawOptions& options) {
  PrepareColors(c);
  const auto& fontTable = d.processMode != 0 ? c.settings.processingFonts : d.fonts;
  c.fonts.Create(surface, fontTable, c.caps, 1.0);
  c.layout.target = target;  // the pens need it
  PreparePens(c);
  ScaleAxes(d, surface, target, c.fonts, fontTable, options, c.layout);
  c.layout.caps = c.caps;
  c.layout.surfaceKind = c.kind;
}

void PrepareClipping(DrawContext& c, const SurfaceRect& target) {
  const PlotFrame& f = c.layout.frame;
  const int shrink = c.layout.gridType == GRID_AXES_ONLY ? c.axisWidth / 2 : c.axisWidth;
  c.plotArea =
      SurfaceRect{static_cast<int>(f.left) + shrink, static_cast<int>(f.top) + shrink,
                  static_cast<int>(f.right) - shrink + 1, static_cast<int>(f.bottom) - shrink + 1};
  if (c.plotArea.right <= c.plotArea.left) c.plotArea.right = c.plotArea.left + 1;
  if (c.plotArea.bottom <= c.plotArea.top) c.plotArea.bottom = c.plotArea.top + 1;
  c.ownClipping = c.kind == SURFACE_METAFILE || c.settings.useMervaClipping;
  if (c.ownClipping) return;
  c.plotRegion = OwnedObject(c.surface, c.surface.CreateRectRegion(c.plotArea));
  SurfaceRect whole = target;
  whole.right += 1;
  whole.bottom += 1;
  c.targetRegion = OwnedObject(c.surface, c.surface.CreateRectRegion(whole));
  c.ClipToTarget();
}

void DrawStamps(DrawContext& c, const SurfaceRect& target) {
  const std::string today = DateStampText(c.doc, c.options);
  if (!today.empty()) {
    c.UseText(FONT_NUMBERS);
    c.Text(target.right, target.top, ALIGN_RIGHT | ALIGN_TOP, today);
  }
  if (c.options.caption && !c.doc.fileTitle.IsBlank()) {
    c.UseText(FONT_NUMBERS);
    c.Text(target.right, target.bottom, ALIGN_RIGHT | ALIGN_BOTTOM, c.doc.fileTitle.Trimmed());
  }
}

}  // namespace

double DashUnit(const SurfaceCaps& caps, double printScale) {
  const double s = printScale > 0.0 ? printScale : 1.0;
  const double perMM = caps.technology == SURFACE_METAFILE
                           ? 100.0 * s
                           : static_cast<double>(caps.horzRes) * s / std::max(caps.horzSizeMM, 1);
  const double power = std::pow(2.0, static_cast<double>(std::llround(std::log2(perMM))));
  return std::max(power, 16.0) / 16.0;
}

int DeviceLineWidth(const SurfaceCaps& caps, int thousandths, int targetWidth) {
  int horzRes = caps.horzRes;
  int horzSize = caps.horzSizeMM;
  if (caps.technology == SURFACE_METAFILE) {
    horzRes = targetWidth + 1;
    horzSize = std::max(1, horzRes / 100);
  }
  const long long w = std::llround(static_cast<double>(horzRes) * thousandths /
                                   (std::max(horzSize, 1) * THOUSANDTHS_PER_MM));
  return static_cast<int>(std::max<long long>(w, 1));
}

// --- DrawContext ---

SurfaceColor DrawContext::CurveColor(int curve) const {
  const int i = ((curve - 1) % COLOR_TABLE_SIZE + COLOR_TABLE_SIZE) % COLOR_TABLE_SIZE;
  return colors[static_cast<std::size_t>(i)];
}

int DrawContext::CurvePenWidth(int curve) const {
  if (kind == SURFACE_PLOTTER) return 1;
  return DeviceLineWidth(caps, doc.lineWidth[curve], layout.target.Width());
}

SurfaceColor DrawContext::DeviceColor(SurfaceColor rgb) const {
  return kind == SURFACE_METAFILE ? (rgb & 0xFFFFFFu) | PALETTE_RELATIVE_FLAG : rgb & 0xFFFFFFu;
}

void DrawContext::SelectPen(const OwnedObject& pen) {
  if (pen)
    surface.Select(pen.Get());
  else
    surface.SelectStock(STOCK_BLACK_PEN);
}

void DrawContext::UseText(int element) {
  fonts.Select(surface, element);
  UseTextColor(doc.fontColors[static_cast<std::size_t>(element - 1)]);
}

void DrawContext::UseTextColor(SurfaceColor rgb) { surface.SetTextColor(DeviceColor(rgb)); }

void DrawContext::ClipToPlot() {
  if (plotRegion) surface.Select(plotRegion.Get());
}

void DrawContext::ClipToTarget() {
  if (targetRegion) surface.Select(targetRegion.Get());
}

bool DrawContext::AbortRequested() {
  if (kind != SURFACE_SCREEN || !options.abortRequested) return false;
  return options.abortRequested();
}

void DrawContext::Line(int x0, int y0, int x1, int y1) {
  const DevicePoint p[2] = {{x0, y0}, {x1, y1}};
  surface.Polyline(p, 2);
}

void DrawContext::Text(int x, int y, int alignment, std::string_view text) {
  surface.SetTextAlign(alignment);
  surface.TextOut(x, y, text);
}

std::string DrawContext::Fitted(const std::string& text, int space) {
  return layout.textFallback ? FittedText(surface, text, space) : text;
}

// --- titles ---

namespace {

SurfaceRect TextBox(int x, int y, int alignment, TextSize size) {
  SurfaceRect r;
  const int h = alignment & ALIGN_HORIZONTAL_MASK;
  r.left = h == ALIGN_CENTER ? x - size.width / 2 : h == ALIGN_RIGHT ? x - size.width : x;
  r.right = r.left + size.width;
  const int v = alignment & ALIGN_VERTICAL_MASK;
  r.top = v == ALIGN_BOTTOM ? y - size.height : y;
  r.bottom = r.top + size.height;
  return r;
}

}  // namespace

void DrawTitles(DrawContext& c) {
  PlotDocument& d = c.doc;
  const PlotLayout& L = c.layout;
  const PlotFrame& f = L.frame;
  const bool screen = c.kind == SURFACE_SCREEN;
  const bool polar = L.scaleType == SCALE_POLAR;
  const bool grain = L.scaleType == SCALE_GRAIN_SIZE;
  c.surface.SetBackgroundTransparent(true);

  const AxisTitles titles = ShownAxisTitles(d, L);
  const bool secondary = titles.secondaryShown;

  if (!polar && !titles.x.empty()) {
    const int x = static_cast<int>(std::trunc((f.left + f.right) / 2));
    const int space = XTitleSpace(d, L, c.surface, c.fonts, c.options, x);
    c.UseText(FONT_X_AXIS);
    const std::string xTitle = c.Fitted(titles.x, space);
    // One lower when the tick labels above it are (their offset rounds up).
    const int y = static_cast<int>(std::trunc(f.bottom + 1.5 * L.hN + L.hX)) + L.hN % 2;
    c.Text(x, y, ALIGN_CENTER | ALIGN_BOTTOM, xTitle);
    if (screen)
      c.result.textRects[RECT_X_LABEL] =
          TextBox(x, y, ALIGN_CENTER | ALIGN_BOTTOM, c.surface.GetTextExtent(xTitle));
  }
  if (!titles.x2.empty()) {
    const int x = static_cast<int>(std::trunc((f.left + f.right) / 2));
    c.UseText(FONT_X_AXIS);
    const std::string x2Title =
        c.Fitted(titles.x2, XTitleSpace(d, L, c.surface, c.fonts, c.options, x));
    // Descenders stay off the labels under it.
    const int labelsTop = static_cast<int>(f.top) - (L.hN + 1) / 2 - L.hN;
    const int y = std::min(static_cast<int>(std::trunc(f.top - 1.5 * L.hN)),
                           labelsTop - c.fonts.Metrics(FONT_X_AXIS).descent);
    c.Text(x, y, ALIGN_CENTER | ALIGN_BASELINE, x2Title);
  }
  auto rotatedTitle = [&](const std::string& full, bool right, SurfaceColor deviceColor, int rect) {
    c.fonts.Select(c.surface, FONT_Y_AXIS);
    c.surface.SetTextColor(deviceColor);
    const std::string text = c.Fitted(full, static_cast<int>(std::trunc(f.bottom - f.top)));
    if (text.empty()) return;
    const TextSize size = c.surface.GetTextExtent(text);
    int x;
    if (!right) {
      x = static_cast<int>(std::trunc(f.left - L.widestLeftLabel - 2.5 * L.wN - L.hY));
      x = std::max(x, L.target.left);
    } else {
      x = static_cast<int>(std::trunc(f.right + L.widestRightLabel + 2.5 * L.wN + L.hY));
      x = std::min(x, L.target.right);
    }
    const int y = static_cast<int>(std::trunc((f.bottom + f.top + size.width) / 2));
    // Rotated to read upward: the text's top side faces left.
    c.Text(x, y, ALIGN_LEFT | (right ? ALIGN_BOTTOM : ALIGN_TOP), text);
    if (screen) {
      SurfaceRect r;
      r.left = right ? x - size.height : x;
      r.right = r.left + size.height;
      r.bottom = y;
      r.top = y - size.width;
      c.result.textRects[static_cast<std::size_t>(rect)] = r;
    }
  };
  const bool processing = d.processMode != 0 && L.firstCurve > 0;
  const SurfaceColor yColor = c.DeviceColor(d.fontColors[FONT_Y_AXIS - 1]);
  if (!polar && !titles.y.empty())
    rotatedTitle(titles.y, false, processing ? c.CurveColor(L.firstCurve) : yColor, RECT_Y_LABEL);
  if (!polar && secondary && !titles.y2.empty())
    rotatedTitle(titles.y2, true, processing ? c.CurveColor(L.lastCurve) : yColor, RECT_Y2_LABEL);

  const int x = static_cast<int>(std::trunc((L.target.left + L.target.right) / 2.0));
  int y = static_cast<int>(std::trunc(f.top - L.hN - L.hT1));
  if (!d.title2.IsBlank()) y -= L.hT2;
  if (!d.title3.IsBlank()) y -= L.hT2;
  if (grain) y -= 2 * L.hN;
  y -= L.topLabelRoom;
  y = std::max(y, L.target.top);
  c.titlesBottom = L.target.top;
  const int titleSpace = TitleSpace(d, L, c.surface, c.fonts, c.options);
  auto titleLine = [&](const std::string& full, int element, int rect) {
    if (full.empty()) return;
    c.UseText(element);
    c.UseText(element);
    const std::string text = c.Fitted(full, titleSpace);
    c.Text(x, y, ALIGN_CENTER | ALIGN_TOP, text);
    c.titlesBottom = std::max(c.titlesBottom, y + c.fonts.LineHeight(element));
    if (screen)
      c.result.textRects[static_cast<std::size_t>(rect)] =
          TextBox(x, y, ALIGN_CENTER | ALIGN_TOP, c.surface.GetTextExtent(text));
  };
  titleLine(d.title1.Str(), FONT_TITLE1, RECT_TITLE1);
  y += L.hT1;
  titleLine(d.title2.Str(), FONT_TITLE2, RECT_TITLE2);
  if (!d.title2.IsBlank()) y += L.hT2;
  titleLine(d.title3.Str(), FONT_TITLE2, RECT_TITLE3);
}

// --- drawing items ---

void DrawDrawingItems(DrawContext& c) {
  if (c.doc.drawItems.empty()) return;
  OwnedObject pen = MakePen(c, 1, COLOR_BLACK);
  c.SelectPen(pen);
  int penX = 0, penY = 0;
  for (const std::string& item : c.doc.drawItems) {
    std::size_t i = 0;
    while (i < item.size()) {
      if (item[i] != '[') {
        ++i;
        continue;
      }
      const std::size_t open = item.find('(', i);
      if (open == std::string::npos) break;
      const std::string name = ToLower(std::string_view(item).substr(i + 1, open - i - 1));
      if (name != "moveto" && name != "lineto") {
        ++i;
        continue;
      }
      const std::size_t close = item.find(')', open);
      const std::string_view numbers = std::string_view(item).substr(
          open + 1, (close == std::string::npos ? item.size() : close) - open - 1);
      FreeFormReader reader(numbers);
      double x = 0.0, y = 0.0;
      if (!reader.Next(x) || !reader.Next(y)) return;
      const int px = DataToDeviceX(c.layout, x);
      const int py = DataToDeviceY(c.layout, y, 1);
      if (name == "lineto") c.Line(penX, penY, px, py);
      penX = px;
      penY = py;
      i = close == std::string::npos ? item.size() : close + 1;
    }
  }
  c.surface.SelectStock(STOCK_BLACK_PEN);
}

// --- DrawPlot ---

// Stock objects back into the surface, then the draw's own clip regions,
// pens and fonts freed.
static void ReleaseDrawingObjects(DrawContext& c) {
  c.surface.RemoveClip();
  c.surface.SelectStock(STOCK_BLACK_PEN);
  c.surface.SelectStock(STOCK_WHITE_BRUSH);
  c.surface.SelectStock(STOCK_VARIABLE_FONT);
  c.plotRegion.Reset();
  c.targetRegion.Reset();
  c.axisPen.Reset();
  c.gridPen.Reset();
  c.thinGridPen.Reset();
  c.blackPen.Reset();
  c.fonts.Release();
}

DrawResult DrawPlot(DrawingSurface& surface, PlotDocument& d, const SurfaceRect& target,
                    const DrawOptions& options) {
  DrawContext c(surface, d, options, SettingsOf(options));
  // 1. surface kind and resolution
  c.caps = EffectiveCaps(surface, target);
  c.kind = c.caps.technology;
  // A printer that scales its output by 2^x has that much coarser units.
  const double divisor = c.kind == SURFACE_PRINTER && c.caps.scalingFactor > 0
                             ? std::ldexp(1.0, c.caps.scalingFactor)
                             : 1.0;
  c.dashUnit = DashUnit(c.caps, options.printScale / divisor);
  // 2. screen text rectangles; the screen view's state elsewhere
  const AxisLimits savedWindow = d.plotWindow;
  const PlotFrame savedFrame = d.plotFrame;
  const int savedValid = d.extents.valid;
  // 3.-6. palette and colours, fonts, pens, scale and layout
  PrepareScaledLayout(c, d, surface, target, options);
  // 7. fixed picture dimensions
  if (options.viewportWidth > 0 && options.viewportHeight > 0)
    surface.SetPictureMapping(target.Width(), target.Height(), options.viewportWidth,
                              options.viewportHeight);
  // 8. clipping
  PrepareClipping(c, target);
  c.result.plotArea = c.plotArea;
  // 9. date stamp and caption
  DrawStamps(c, target);
  // 10. titles
  DrawTitles(c);
  // 11. axes and grids
  DrawAxes(c);
  bool completed = true;
  if (c.layout.curvesShown > 0) {
    // 12. fills, 13. bars
    if (c.layout.scaleType != SCALE_POLAR && c.layout.scaleType != SCALE_BAR_CHART) DrawFills(c);
    if (c.layout.scaleType == SCALE_BAR_CHART) DrawBars(c);
    // 14., 15. curves and curve labels
    completed = DrawCurves(c);
  }
  if (completed) {
    // 16. point labels
    DrawPointLabels(c);
    // 17. the frame over the curves
    DrawFrameLines(c);
    // 18. legend and note
    DrawLegend(c);
    DrawNote(c);
  }
  c.result.aborted = !completed;
  // 19. clean-up
  ReleaseDrawingObjects(c);
  surface.SetBackgroundTransparent(false);
  // 20. drawing commands, with the layout of this draw
  if (completed) DrawDrawingItems(c);
  c.palette.Reset();
  if (c.kind != SURFACE_SCREEN) {
    d.plotWindow = savedWindow;
    d.plotFrame = savedFrame;
    if (savedValid != EXTENTS_STALE) d.extents.valid = savedValid;
  }
  return c.result;
}

bool DrawLastSegment(DrawingSurface& surface, PlotDocument& d, const SurfaceRect& target,
                     const DrawOptions& options, int curve) {
  DrawContext c(surface, d, options, SettingsOf(options));
  c.caps = EffectiveCaps(surface, target);
  c.kind = c.caps.technology;
  c.dashUnit = DashUnit(c.caps, options.printScale);
  PrepareScaledLayout(c, d, surface, target, options);
  PrepareClipping(c, target);
  const bool drawn = DrawLastCurveSegment(c, curve);
  ReleaseDrawingObjects(c);
  c.palette.Reset();
  return drawn;
}

}  // namespace merva
