#pragma once

// Control identifiers of the curve-fit dialogs (curve_fit_dialogs.rc).

// LEASTSQUARES
#define IDC_FIT_ORDER 7101
// GENERATEPOINTS
#define IDC_FIT_POINTS 7102
#define IDC_FIT_LOWER 7103
#define IDC_FIT_UPPER 7104
