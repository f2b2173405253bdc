#pragma once

// Reading, range checks and unit conversions of the plot dialogs' fields.

#include <string>
#include <string_view>

#include "core/status.h"

namespace merva {

inline constexpr char OUT_OF_RANGE_CAPTION[] = "Out of range";

// One number filling the whole field (blanks around it allowed).
bool ParseDialogReal(std::string_view text, double& value);
bool ParseDialogInteger(std::string_view text, int& value);

// "Value must be in the range" with both bounds, or success.
Status CheckIntegerRange(int value, int low, int high);
Status CheckRealRange(double value, double low, double high);
// The text of the refusal.
std::string RangeMessage(double low, double high);

// The legend's row count and line length (inches).
Status CheckLegendLayout(int maxRows, double lineLengthInches);

// Widths and sizes are kept in thousandths of an inch, shown in inches.
int InchesToThousandths(double inches);
double ThousandthsToInches(int thousandths);
constexpr double MILLIMETRES_PER_INCH = 25.4;
inline double InchesToMillimetres(double inches) { return inches * MILLIMETRES_PER_INCH; }
inline double MillimetresToInches(double mm) { return mm / MILLIMETRES_PER_INCH; }

}  // namespace merva
