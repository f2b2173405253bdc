#pragma once

// The dialogs of the curve-editing operations. Each returns false when
// cancelled; values are shown with "%.7G".

#include <string>
#include <vector>

#include "processing/curve_arithmetic.h"
#include "processing/decimation.h"

namespace merva::app {

// EDIT_REAL: caption and prompt from one text split at the first
// backslash ("Edit\&Add to X:"); any single-precision number.
bool EditRealDialog(const char* captionAndPrompt, double& value);

// EDIT_Y: the value and the "From X =" / "To X =" limits (put in order).
bool EditYDialog(const std::string& caption, const char* prompt, double& value, XLimits& limits);

// REALLIMITS "Truncation Limits".
bool TruncationLimitsDialog(XLimits& limits);

// CONSTANTDX.
struct EqualIntervalChoice {
  double interval = 0.0;
  int method = 1;
  bool replace = false;
  bool showReplace = true;
};
bool ConstantDxDialog(EqualIntervalChoice& choice);

// SKIPPOINTS (average or skip) and DEPOPULATE.
enum class DecimationKind { Average, Skip, Depopulate };
struct DecimationChoice {
  DecimationKind kind = DecimationKind::Average;
  double value = 2.0;  // n, or the fidelity in percent
  int maxEvery = 2;    // upper bound of n
  DecimationRange range;
  bool replace = false;
  bool showReplace = true;
};
bool DecimationDialog(DecimationChoice& choice);

// DATAEDIT: the rows (at most 1024) edited in place.
inline constexpr int MAX_EDIT_ROWS = 1024;
bool DataEditDialog(std::vector<double>& x, std::vector<double>& y);

}  // namespace merva::app
