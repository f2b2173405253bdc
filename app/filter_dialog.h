#pragma once

// FILTER "Filter Parameters": the filter type, the rejection frequency and
// bandwidth, the time scale, two-pass and replace, and the coefficients.

#include "processing/digital_filter.h"

namespace merva::app {

struct FilterChoice {
  FilterSettings settings;
  bool replace = false;
  bool showReplace = true;  // data-processing mode always replaces
  double spacing = 0.0;     // the curve's X spacing, in X units
};

// False when cancelled. OK with a rejection type checks f0 against the
// Nyquist frequency and keeps the dialog open on a refusal.
bool FilterDialog(FilterChoice& choice);

}  // namespace merva::app
