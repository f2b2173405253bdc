#pragma once

// The Filter operation: one of nine time-domain filters over the Y values
// of an evenly spaced curve, replacing it or making a new curve.

#include <array>

#include "core/plot_document.h"
#include "core/status.h"
#include "processing/recursive_filter.h"

namespace merva {

enum DigitalFilterType : int {
  FILTER_TYPE_USER = 0,
  FILTER_TYPE_CARLETON = 1,
  FILTER_TYPE_PRESS = 2,
  FILTER_TYPE_ZERO_FREQUENCY = 3,
  FILTER_TYPE_OPTION1 = 4,
  FILTER_TYPE_OPTION2 = 5,
  FILTER_TYPE_OPTION3 = 6,
  FILTER_TYPE_OPTION4 = 7,
  FILTER_TYPE_SPIKES = 8,
  FILTER_TYPE_COUNT = 9,
};

// The type list's entries, in the order of the type numbers.
extern const char* const FILTER_TYPE_NAMES[FILTER_TYPE_COUNT];

extern const char* const BANDWIDTH_NOT_POSITIVE_TEXT;

// The application-wide filter settings, kept between uses.
struct FilterSettings {
  int type = FILTER_TYPE_USER;
  bool twoPass = false;
  double rejectFrequency = 0.0;  // f0, Hertz
  double bandwidth = 0.0;        // B, Hertz
  bool milliseconds = false;     // X counts milliseconds
  RecursiveCoefficients coefficients;
};

// Types 0 to 3 run the recursive filter; 1 and 2 need a rejection frequency.
bool IsRecursiveFilter(int type);
bool NeedsRejectFrequency(int type);

// The sample interval in seconds: the curve's mean X spacing, times 0.001
// with milliseconds (0 for fewer than two points).
double SampleInterval(const PlotDocument& document, int curve, bool milliseconds);

// The coefficients of a recursive type: designed for types 1 to 3 from f0,
// B and dt, the settings' own for type 0.
RecursiveCoefficients CoefficientsOf(const FilterSettings& settings, double dt);

// Filters `curve` (in data-processing mode curve 1, always replaced). The
// coefficients of types 1 to 3 are designed afresh. `resultCurve` is the
// curve holding the result. Refusals change no curve.
Status ApplyFilter(PlotDocument& document, int curve, const FilterSettings& settings, bool replace,
                   int& resultCurve);

}  // namespace merva
