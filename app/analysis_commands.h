#pragma once

// The menu commands of the curve analysis and generated curves: Average
// All Curves, Y=Poly(Y), Histogram, Y=f(Y1,Y2), List Peak Values,
// Interpolate, Scan X, Y, Find Baseline and Number of Points.

#include <windows.h>

namespace merva::app {

// Runs one of them on the active document; 1 when it was carried out.
int AnalysisCommand(HWND frame, int commandId, LPARAM parameter);

}  // namespace merva::app
