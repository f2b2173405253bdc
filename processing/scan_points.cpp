#include "processing/scan_points.h"

#include <cmath>

#include "processing/curve_analysis.h"
#include "render/plot_interaction.h"

namespace merva {

int NearestPoint(const PlotDocument& d, int curve, double px, double py) {
  const int axis = d.yAxisMode == 2 ? d.curveAxis[curve] : 1;
  int best = 0;
  double bestDistance = 0.0;
  for (int i = 1; i <= d.pointCount[curve]; ++i) {
    double x = 0.0, y = 0.0;
    if (!DataToDevice(d, d.X(curve, i), d.Y(curve, i), x, y, axis)) continue;
    const double distance = (x - px) * (x - px) + (y - py) * (y - py);
    if (!std::isfinite(distance)) continue;
    if (best == 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

ScanTexts ScanPointTexts(const PlotDocument& d, int curve, int point,
                         const NumberFormatContext& numbers) {
  ScanTexts texts;
  texts.curve = "Curve " + std::to_string(curve) + ": " + CurveName(d, curve);
  if (point < 1 || point > d.pointCount[curve]) return texts;
  texts.point = std::to_string(point) + " of " + std::to_string(d.pointCount[curve]);
  texts.x = FormatAxisNumber(d.X(curve, point), 0.0, d.xNumberFormat, numbers);
  texts.y = FormatAxisNumber(d.Y(curve, point), 0.0, d.yNumberFormat, numbers);
  return texts;
}

}  // namespace merva
