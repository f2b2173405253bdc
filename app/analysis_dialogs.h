#pragma once

// Dialogs of the curve analysis and generated curves: the read-only report
// box, Y3 = f(Y1,Y2), the polynomial coefficients and the point scan.

#include <windows.h>

#include <string>

#include "core/plot_document.h"
#include "processing/polynomial.h"
#include "render/number_format.h"

namespace merva::app {

// The number formats of the document's labels, for reports.
NumberFormatContext ReportNumbers(const PlotDocument& document);

// "READONLY": the text with OK, "&Copy" (the text to the clipboard) and
// "&Help" (the help page of `helpContext`).
void ReadOnlyBox(const std::string& caption, const std::string& text, int helpContext);

// Puts the text on the clipboard; false when the clipboard cannot be had.
bool CopyTextToClipboard(HWND owner, const std::string& text);

// "FUNCY": the two curves and the operator, starting from the last choice.
// False on Cancel, and when no curve qualifies (after its message).
struct CurveFunctionChoice {
  int y1 = 1;
  int y2 = 1;
  int operation = 1;
};
bool CurveFunctionDialog(PlotDocument& document, CurveFunctionChoice& choice);

// "POLYNOMIAL": C0..C8; false on Cancel.
bool PolynomialDialog(PolynomialCoefficients& coefficients);

// EDIT_REAL with its range check armed: caption and prompt from one text
// split at the first backslash; a value outside low..high is refused with
// "Value must be in the range". False on Cancel.
bool RangedRealDialog(const char* captionAndPrompt, double& value, double low, double high);
// EDIT_REAL for any real number.
bool AnyRealDialog(const char* captionAndPrompt, double& value);

// REALLIMITS with its caption; the limits are returned in order.
bool XLimitsDialog(const char* caption, double& lower, double& upper);

// "SCANPOINTS": follows the curve's point nearest the mouse in the slot's
// window; the arrow keys step through the points.
void ScanPointsDialog(int slot, int curve);

}  // namespace merva::app
