#pragma once

// The menu command "Curve Fit...": the least-squares fit of one curve, its
// report and the generated fitted curve.

#include <windows.h>

namespace merva::app {

// Runs it on the active document; 1 when a fitted curve was added.
int CurveFitCommand(HWND frame, int commandId, LPARAM parameter);

}  // namespace merva::app
