#pragma once

// Drawing of one document onto one surface: titles, axes and grids, fills,
// bars, curves with their line types and symbols, labels, the legend and
// the note.

#include <array>

#include "core/plot_document.h"
#include "render/drawing_surface.h"
#include "render/render_options.h"

namespace merva {

// The seven text rectangles kept for mouse interaction, in this order.
enum TextRectangle : int {
  RECT_NOTE = 0,
  RECT_TITLE1,
  RECT_TITLE2,
  RECT_TITLE3,
  RECT_X_LABEL,
  RECT_Y_LABEL,
  RECT_Y2_LABEL,
  TEXT_RECTANGLES,
};

struct DrawResult {
  bool aborted = false;       // ended early by the abort request
  bool axisNotDrawn = false;  // a logarithmic limit is not m * 10^e: the caller beeps
  std::array<SurfaceRect, TEXT_RECTANGLES> textRects{};  // screen only; empty when not drawn
  SurfaceRect legendRect;
  SurfaceRect noteRect;  // every surface; empty when no note is shown
  SurfaceRect plotArea;
};

// Draws the document into `target` (device units of the surface). The
// scaling state of the document (PlotWindow, PlotFrame) is that of this
// draw on the screen and restored afterwards on every other surface.
DrawResult DrawPlot(DrawingSurface& surface, PlotDocument& document, const SurfaceRect& target,
                    const DrawOptions& options);

// A point just added to `curve` with the axes fixed: only the segment that
// joins it and its symbol, laid out as DrawPlot lays out the whole picture
// on the same target. False when the curve is not drawn segment by segment
// there (the caller then redraws the whole picture).
bool DrawLastSegment(DrawingSurface& surface, PlotDocument& document, const SurfaceRect& target,
                     const DrawOptions& options, int curve);

// Line types: the dash unit in device units for a surface.
double DashUnit(const SurfaceCaps& caps, double printScale);
// Pen width in device units of a width in thousandths of an inch.
int DeviceLineWidth(const SurfaceCaps& caps, int thousandths, int targetWidth);

// A symbol code and its "Fill symbol" flag, as kept in `symbolType`: the
// flag is the value 256 (old files' filled codes 9-12 read as 261-264).
// Earlier builds of this program wrote the flag as 100; such codes are
// still read as filled shapes.
constexpr int SYMBOL_FILLED_OFFSET = 256;
constexpr int SYMBOL_FILLED_OFFSET_EARLIER = 100;
inline int SymbolShape(int symbolType) {
  if (symbolType >= SYMBOL_FILLED_OFFSET) return symbolType - SYMBOL_FILLED_OFFSET;
  if (symbolType >= SYMBOL_FILLED_OFFSET_EARLIER) return symbolType - SYMBOL_FILLED_OFFSET_EARLIER;
  return symbolType;
}
inline bool SymbolFilled(int symbolType) { return symbolType >= SYMBOL_FILLED_OFFSET_EARLIER; }

// Point label flag bits.
constexpr int POINT_LABEL_OPAQUE = 1;
constexpr int POINT_LABEL_AMPLITUDE_ONLY = 2;
constexpr int POINT_LABEL_FRAME = 4;

// Note attribute bits (first attribute); the second attribute holds the
// tab stop interval in characters.
constexpr int NOTE_SHOWN = 1;
constexpr int NOTE_FRAME = 2;
constexpr int NOTE_OPAQUE = 4;
constexpr int NOTE_BUTTON = 8;

}  // namespace merva
