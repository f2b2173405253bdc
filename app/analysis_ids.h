#pragma once

// Control identifiers of the analysis dialogs (analysis_dialogs.rc).

// READONLY
#define IDC_READONLY_TEXT 128
#define IDC_READONLY_COPY 7001
#define IDC_ANALYSIS_HELP 7002

// FUNCY
#define IDC_FUNCY_Y1 144
#define IDC_FUNCY_Y2 145
#define IDC_FUNCY_ADD 48
#define IDC_FUNCY_SUBTRACT 49
#define IDC_FUNCY_MULTIPLY 50
#define IDC_FUNCY_DIVIDE 51

// POLYNOMIAL: C0..C8
#define IDC_POLY_C0 128
#define IDC_POLY_C8 136

// SCANPOINTS
#define IDC_SCAN_CURVE 7010
#define IDC_SCAN_POINT 7011
#define IDC_SCAN_X 7012
#define IDC_SCAN_Y 7013
#define IDC_SCAN_KEYS 7014
