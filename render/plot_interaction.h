#pragma once

// What lies under the mouse in a drawn plot, the cursor read-out in data
// units, and the zoom stack.

#include <string>

#include "core/plot_document.h"
#include "render/draw_plot.h"

namespace merva {

enum HoverKind : int {
  HOVER_NONE = 0,
  HOVER_LEGEND,
  HOVER_TITLE,
  HOVER_X_LABEL,
  HOVER_Y_LABEL,
  HOVER_NOTE,
  HOVER_PLOT,
  HOVER_POINT_LABEL,
};

struct HoverHit {
  int kind = HOVER_NONE;
  int pointLabel = -1;  // index into pointLabels for HOVER_POINT_LABEL
};

// The first element under (x, y), in the order the hints are given. A
// button-activated note is left to its button window.
HoverHit HitTestPlot(const PlotDocument& document, const DrawResult& drawn, int x, int y);

// Only the elements that can be dragged or edited (no plot area).
HoverHit HitTestEditable(const PlotDocument& document, const DrawResult& drawn, int x, int y);

// The status text number of a hit; 0 for the plot area and no hit.
int HoverHintNumber(int kind);

// Device point to data values of the shown window (Y of `axis`); false when
// the frame is empty or the point cannot be converted.
bool DeviceToData(const PlotDocument& document, double px, double py, double& x, double& y,
                  int axis = 1);

// Data values to a device point of the shown window; false when they
// cannot be mapped.
bool DataToDevice(const PlotDocument& document, double x, double y, double& px, double& py,
                  int axis = 1);

// "X=%.7G, Y=%.7G".
std::string ReadoutText(double x, double y);
// Tripartite grid: the displacement Z1 = A*Y/X and acceleration Z2 = B*X*Y
// of a frequency X and velocity Y in the document's unit set; false for
// another scale or a point off the grid (X or Y not positive).
bool TripartiteDiagonals(const PlotDocument& document, double x, double y, double& displacement,
                         double& acceleration);
// The same for the document's axes: an axis with calendar-date numbers
// shows its value as a date of the document's pattern (or `shortDate`); a
// tripartite grid adds ", Z1=" and ", Z2=" with the diagonal values and
// their unit labels.
std::string ReadoutText(const PlotDocument& document, double x, double y,
                        const std::string& shortDate);

// Zooms to the device rectangle between the two corners. False (nothing
// changed) for a rectangle without width or height.
bool ZoomToRectangle(PlotDocument& document, int x0, int y0, int x1, int y1);
// Pushes a view; the oldest of ZOOM_STACK_DEPTH views is dropped first.
void PushZoomView(PlotDocument& document, const AxisLimits& view);
// Back one view; false when not zoomed.
bool ZoomOutView(PlotDocument& document);
// Leaves the zoom.
void ClearZoom(PlotDocument& document);

// A device point as a fraction of the plot frame (legend and note places).
void DeviceToFrameFraction(const PlotFrame& frame, int x, int y, double& fx, double& fy);

}  // namespace merva
