#pragma once

// The point labels of a document.

#include <string>

#include "core/plot_document.h"
#include "core/status.h"
#include "render/number_format.h"

namespace merva {

// Appends a label; the 21st is refused with "Too many labels.  Maximum = 20".
Status AddPointLabel(PlotDocument& document, const PointLabel& label);

// The text a label shows for a point (x, y).
std::string PointLabelText(const PlotDocument& document, const PointLabel& label, double x,
                           double y, double xReference, double yReference,
                           const NumberFormatContext& context);

// Legend and note positions are fractions of the plot frame (0,0 its
// top-left corner).
void FrameFractionToDevice(const PlotFrame& frame, double fx, double fy, int& x, int& y);

}  // namespace merva
