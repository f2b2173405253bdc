#include "render/tripartite_units.h"

#include "core/constants.h"

namespace merva {

namespace {

constexpr double TWO_PI = 6.283185307179586;

struct UnitSet {
  const char* velocity;
  const char* displacement;
  const char* displacementShort;
  double b;
};

const UnitSet UNIT_SETS[TRIPARTITE_UNIT_SETS] = {
    {"inches/sec", "inches", "in.", 0.016273972014617357},
    {"feet/sec", "feet", "ft.", 0.19528766417540827},
    {"mm/sec", "millimeters", "mm", 0.0006407065926875728},
    {"cm/sec", "centimeters", "cm", 0.006407065926875729},
    {"meters/sec", "meters", "m", 0.6407065926875729},
};

}  // namespace

TripartiteUnits TripartiteUnitsOf(const PlotDocument& d) {
  TripartiteUnits units;
  units.accelerationShort = "g";
  if (d.unitSystem == USER_UNITS) {
    units.a = d.unitFactor1;
    units.b = d.unitFactor2;
    units.velocityLabel = "";
    units.displacementLabel = d.unitLabel1.Str();
    units.displacementShort = d.unitLabel1.Str();
    units.accelerationShort = d.unitLabel2.Str();
    return units;
  }
  const int choice = d.unitSystem < TRIPARTITE_UNIT_SETS ? d.unitSystem : 0;
  const UnitSet& set = UNIT_SETS[choice];
  units.a = 1.0 / TWO_PI;
  units.b = set.b;
  units.velocityLabel = set.velocity;
  units.displacementLabel = set.displacement;
  units.displacementShort = set.displacementShort;
  return units;
}

double GrainSizeUnitInMillimeters(const PlotDocument& d) {
  if (d.unitSystem == USER_UNITS) return d.unitFactor1 > 0.0 ? d.unitFactor1 : 1.0;
  if (d.unitSystem == GRAIN_UNITS_INCHES) return 25.4;
  return 1.0;
}

std::string GrainSizeXTitle(const PlotDocument& d) {
  if (d.unitSystem == USER_UNITS) return "Grain Size in " + d.unitLabel1.Str();
  if (d.unitSystem == GRAIN_UNITS_INCHES) return "Grain Size in Inches";
  return "Grain Size in Millimeters";
}

}  // namespace merva
