#pragma once

// Reading a curve point by point: the point nearest a device position of
// the drawn plot, and the texts the scan box shows for a point.

#include <string>

#include "core/plot_document.h"
#include "render/number_format.h"

namespace merva {

// The 1-based point of `curve` whose drawn position lies nearest (px, py)
// in the document's last drawn frame; 0 when none can be placed.
int NearestPoint(const PlotDocument& document, int curve, double px, double py);

struct ScanTexts {
  std::string curve;  // "Curve n: " and its name
  std::string point;  // "n of N"
  std::string x;      // in the X number format
  std::string y;      // in the Y number format
};
ScanTexts ScanPointTexts(const PlotDocument& document, int curve, int point,
                         const NumberFormatContext& numbers);

}  // namespace merva
