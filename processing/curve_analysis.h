#pragma once

// Read-only analyses of the curves of a document: values at one X, the
// average amplitude between two X, extreme values and point counts. Each
// returns the text the program shows.

#include <string>

#include "core/plot_document.h"
#include "core/status.h"
#include "render/number_format.h"

namespace merva {

inline constexpr char INTERPOLATION_CAPTION[] = "Interpolation";
inline constexpr char PEAK_VALUES_CAPTION[] = "Peak Values";
inline constexpr char POINT_COUNT_CAPTION[] = "Number of Points";
inline constexpr char NO_POINTS_IN_RANGE[] = "No points in specified range!";

// The name a report gives a curve: its legend, else "Curve " and the number.
std::string CurveName(const PlotDocument& document, int curve);

// "At X = " x, then one line per curve that reaches x with its name and
// value, in the document's X and Y number formats. Lines end in CR LF.
std::string InterpolationText(PlotDocument& document, double x, const NumberFormatContext& numbers);

// The mean Y of the points of a curve with lower <= X <= upper (limits put
// in order); "No points in specified range!" when there are none. On
// success the status carries "Baseline = " and the mean.
Status FindBaseline(const PlotDocument& document, int curve, double lower, double upper,
                    double& mean);

// Every curve's maximum and minimum Y with the X where each first occurs.
std::string PeakValuesText(const PlotDocument& document, const NumberFormatContext& numbers);

// One line per curve with its name and point count.
std::string PointCountText(const PlotDocument& document);

}  // namespace merva
