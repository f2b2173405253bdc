#pragma once

// Scaling and layout of one draw: the limits shown, the tick division of
// every axis, the plot frame on the surface, and the mapping from data
// values to device coordinates.

#include <array>
#include <string>
#include <vector>

#include "core/plot_document.h"
#include "render/axis_scale.h"
#include "render/axis_ticks.h"
#include "render/drawing_surface.h"
#include "render/plot_fonts.h"
#include "render/render_options.h"

namespace merva {

constexpr double DEVICE_MIN = -32768.0;
constexpr double DEVICE_MAX = 32767.0;

struct AxisMapping {
  int kind = AXIS_LINEAR;
  double origin = 0.0;  // transformed low limit
  double factor = 1.0;  // device units per transformed unit
  double device = 0.0;  // device coordinate of the low limit
};

struct PlotLayout {
  SurfaceCaps caps;
  int surfaceKind = SURFACE_SCREEN;
  SurfaceRect target;
  PlotFrame frame;
  int scaleType = SCALE_LINEAR_LINEAR;
  int gridType = 1;  // effective style of this draw
  int firstCurve = 0, lastCurve = 0, curvesShown = 0;

  AxisScale x;
  std::array<AxisScale, MAX_Y_AXES> y{};
  int leftAxis = 1;
  int rightAxis = 0;         // independent axis shown on the right, 0 none
  bool y2Transform = false;  // "Y2 = C + D*Y1" shown
  bool y2OwnTicks = false;
  AxisScale y2;              // transformed limits of the secondary axis
  bool x2Transform = false;  // "X2 = A + B*X1" shown above the frame

  std::vector<AxisTick> xTicks;
  std::vector<AxisTick> leftTicks;
  std::vector<AxisTick> rightTicks;  // values in the right axis's own units
  std::vector<AxisTick> topTicks;    // at the X ticks, labelled with A + B*x
  bool xDrawable = true, leftDrawable = true, rightDrawable = true;
  std::vector<std::string> polarLabels;  // angle labels, from the first spoke after 0
  int topLabelRoom = 0;                  // above the frame for labels repeated on top
  int widestLeftLabel = 0;
  int widestRightLabel = 0;

  // Font measures: numbers (N), titles (T1, T2), axis titles (X, Y), legend (L).
  int wN = 0, hN = 0, hT1 = 0, hT2 = 0, hX = 0, hY = 0, wL = 0, hL = 0;

  // Fonts and the legend's sample line are shrunk by this factor in small
  // document windows (1 at full size and on every other target).
  double areaScale = 1.0;
  // A small document window: texts too long for their room are shortened.
  bool textFallback = false;

  AxisMapping xMap;
  std::array<AxisMapping, MAX_Y_AXES> yMap{};
  AxisMapping y2Map;  // secondary transformed axis (own ticks)
};

// Fills the PlotWindow, the ticks of every axis and the PlotFrame of the
// document for a draw into `target`; may re-create the fonts (WYSIWYG).
void ScaleAxes(PlotDocument& document, DrawingSurface& surface, const SurfaceRect& target,
               PlotFonts& fonts, const std::array<FontDescription, TEXT_ELEMENT_COUNT>& fontTable,
               const DrawOptions& options, PlotLayout& layout);

// The axis titles shown (grain size plots have defaults).
struct AxisTitles {
  std::string x, y, y2, x2;
  bool secondaryShown = false;  // the right axis and its title
};
AxisTitles ShownAxisTitles(const PlotDocument& document, const PlotLayout& layout);

// The date stamp's text ("&Date"), empty when it is not shown.
std::string DateStampText(const PlotDocument& document, const DrawOptions& options);
// Room for the title lines (centred on the target) and for the X axis title
// centred at `centre`, clear of the date stamp and the caption in the
// corners.
int TitleSpace(const PlotDocument& document, const PlotLayout& layout, DrawingSurface& surface,
               const PlotFonts& fonts, const DrawOptions& options);
int XTitleSpace(const PlotDocument& document, const PlotLayout& layout, DrawingSurface& surface,
                const PlotFonts& fonts, const DrawOptions& options, double centre);

// `text` as it fits into `space` device units in the current font: cut at
// the end with "..." when too long (nothing when not even that fits).
std::string FittedText(DrawingSurface& surface, const std::string& text, int space);

// Recomputes the mappings from the frame and the axis limits.
void UpdateMapping(PlotLayout& layout);

// Device coordinates, clamped to the 16-bit range; -1 for a value that
// cannot be mapped (<= 0 on a logarithmic axis).
int DataToDeviceX(const PlotLayout& layout, double x);
int DataToDeviceY(const PlotLayout& layout, double y, int axis = 1);
// The same before rounding; NaN for a value that cannot be mapped.
double MapX(const PlotLayout& layout, double x);
double MapY(const PlotLayout& layout, double y, int axis = 1);
double MapAxis(const AxisMapping& mapping, double value);

// Polar plots: a point (angle, radius) about the frame's centre.
DevicePoint PolarToDevice(const PlotLayout& layout, double angle, double radius, bool degrees);
bool PolarDegrees(const PlotDocument& document);

// nearest() with the 16-bit clamp.
int ClampDevice(double value);

}  // namespace merva
