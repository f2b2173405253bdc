#pragma once

// Unit sets of the tripartite and grain size grids.

#include <string>

#include "core/plot_document.h"

namespace merva {

constexpr int TRIPARTITE_UNIT_SETS = 5;

struct TripartiteUnits {
  double a = 0.0;  // displacement Z1 = A*Y/X
  double b = 0.0;  // acceleration Z2 = B*X*Y
  std::string velocityLabel;
  std::string displacementLabel;
  std::string displacementShort;  // written on the 45 degree lines
  std::string accelerationShort;  // written on the 135 degree lines
};

// Unit set 0..4 of the table, or the user units (127); other values use set 0.
TripartiteUnits TripartiteUnitsOf(const PlotDocument& document);

// Grain size: millimetres per X unit and the X axis title.
constexpr int GRAIN_UNITS_MILLIMETERS = 0;
constexpr int GRAIN_UNITS_INCHES = 1;
double GrainSizeUnitInMillimeters(const PlotDocument& document);
std::string GrainSizeXTitle(const PlotDocument& document);

}  // namespace merva
