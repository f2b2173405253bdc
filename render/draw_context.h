#pragma once

// State shared by the drawing steps of one DrawPlot call.

#include <array>
#include <vector>

#include "core/plot_document.h"
#include "files/settings.h"
#include "render/draw_plot.h"
#include "render/drawing_surface.h"
#include "render/plot_fonts.h"
#include "render/plot_layout.h"
#include "render/render_options.h"

namespace merva {

struct DrawContext {
  DrawContext(DrawingSurface& s, PlotDocument& d, const DrawOptions& o, const ProgramSettings& ps)
      : surface(s), doc(d), options(o), settings(ps) {}

  DrawingSurface& surface;
  PlotDocument& doc;
  const DrawOptions& options;
  const ProgramSettings& settings;

  SurfaceCaps caps;
  int kind = SURFACE_SCREEN;
  int horzRes = 0;
  int horzSizeMM = 0;
  PlotLayout layout;
  PlotFonts fonts;

  std::array<SurfaceColor, COLOR_TABLE_SIZE> colors{};  // as passed to the device
  SurfaceColor axisColor = COLOR_BLACK;
  SurfaceColor gridColor = COLOR_BLACK;
  int axisWidth = 1;
  int gridWidth = 1;
  double dashUnit = 1.0;
  bool ownClipping = false;
  SurfaceRect plotArea;
  int titlesBottom = 0;                  // below the title lines written
  std::vector<SurfaceRect> curveLabels;  // boxes of the curve labels written

  OwnedObject palette;
  OwnedObject axisPen;
  OwnedObject gridPen;
  OwnedObject thinGridPen;
  OwnedObject blackPen;
  OwnedObject plotRegion;
  OwnedObject targetRegion;

  DrawResult result;

  SurfaceColor CurveColor(int curve) const;
  int CurvePenWidth(int curve) const;
  void SelectPen(const OwnedObject& pen);
  void UseText(int element);
  void UseTextColor(SurfaceColor rgb);
  SurfaceColor DeviceColor(SurfaceColor rgb) const;
  void ClipToPlot();
  void ClipToTarget();
  bool AbortRequested();
  // Line from (x0,y0) to (x1,y1) with the current pen.
  void Line(int x0, int y0, int x1, int y1);
  void Text(int x, int y, int alignment, std::string_view text);
  // `text` shortened to `space` in a small document window, else unchanged.
  std::string Fitted(const std::string& text, int space);
};

// The drawing steps.
void DrawTitles(DrawContext& context);
void DrawAxes(DrawContext& context);
void DrawFrameLines(DrawContext& context);
void DrawTripartiteGrid(DrawContext& context);
void DrawGrainSizeScales(DrawContext& context);
void DrawPolarGrid(DrawContext& context);
void DrawFills(DrawContext& context);
void DrawBars(DrawContext& context);
// False when the drawing was ended by the abort request.
bool DrawCurves(DrawContext& context);
void DrawPointLabels(DrawContext& context);
void DrawLegend(DrawContext& context);
void DrawNote(DrawContext& context);
void DrawDrawingItems(DrawContext& context);

// The segment from the curve's last point but one to its last point, and
// the last point's symbol; false when it cannot be drawn alone.
bool DrawLastCurveSegment(DrawContext& context, int curve);

// Symbols and dashed lines (also used by the legend).
void DrawSymbol(DrawContext& context, int curve, int x, int y);
double SymbolUnit(const DrawContext& context, int curve);

}  // namespace merva
