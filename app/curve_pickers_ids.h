#pragma once

// Controls of the curve pickers PICKCURVE1, PICKCURVE2 and MULTIPICK.

#define IDC_PICK_PROMPT 6800
#define IDC_PICK_LIST 6801
#define IDC_PICK_ONE 6802
#define IDC_PICK_ALL 6803
