#pragma once

// Constants and formulas of the special grids.

#include <string>

#include "render/tripartite_units.h"

namespace merva {

constexpr int SIEVE_COUNT = 21;
extern const double SIEVE_OPENINGS_MM[SIEVE_COUNT];
// The labels as one string of 5-character fields.
extern const char SIEVE_LABELS[];
// Label of sieve i (0-based), without its trailing blanks.
std::string SieveLabel(int index);
constexpr int FIRST_NUMBERED_SIEVE = 9;  // the first nine are in inches

constexpr int SOIL_BOUNDARY_COUNT = 8;
extern const double SOIL_BOUNDARIES_MM[SOIL_BOUNDARY_COUNT];

// Displacement (45 degree lines) and acceleration (135 degree lines) of a
// frequency x and a velocity y.
inline double TripartiteDisplacement(const TripartiteUnits& u, double x, double y) {
  return u.a * y / x;
}
inline double TripartiteAcceleration(const TripartiteUnits& u, double x, double y) {
  return u.b * x * y;
}

}  // namespace merva
