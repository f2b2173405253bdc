#pragma once

// Controls of the curve-editing dialogs.

#define IDC_EDIT_PROMPT 127
#define IDC_EDIT_VALUE 128 /* EDIT_REAL, EDIT_Y, and the first field of the others */
#define IDC_EDIT_FROM 129  /* EDIT_Y "From X =", REALLIMITS upper */
#define IDC_EDIT_TO 130
#define IDC_METHOD_FIRST 131 /* CONSTANTDX: method n is 130 + n */
#define IDC_METHOD_LAST 134
#define IDC_REPLACE_CURVE 135
#define IDC_ALL_POINTS 136
#define IDC_RANGE_START 137
#define IDC_RANGE_END 138
#define IDC_DECIMATE_TEXT 139
#define IDC_ROW_ADD 140 /* DATAEDIT */
#define IDC_ROW_INSERT 141
#define IDC_ROW_DELETE 142
#define IDC_ROW_X 128
#define IDC_ROW_Y 129
#define IDC_ROW_LIST 144
