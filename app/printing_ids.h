#pragma once

// Control ids of the printing and picture dialogs (app/printing.rc).

#define IDC_MARGIN_TOP 3501
#define IDC_MARGIN_BOTTOM 3502
#define IDC_MARGIN_LEFT 3503
#define IDC_MARGIN_RIGHT 3504
#define IDC_MARGIN_DEFAULTS 3505

#define IDC_MULTIPLE_FIRST 3510  // eight document check boxes
#define IDC_MULTIPLE_VERTICAL 3520
#define IDC_MULTIPLE_HORIZONTAL 3521
#define IDC_MULTIPLE_TWO_COLUMNS 3522
#define IDC_MULTIPLE_SPACE 3523

#define IDC_METAFILE_WIDTH 3530
#define IDC_METAFILE_HEIGHT 3531
#define IDC_BITMAP_WIDTH 3532
#define IDC_BITMAP_HEIGHT 3533

#define IDC_ABORT_TEXT 3540

#define IDC_PRINT_MULTIPLE 3550  // "Multiple Plots" in the print dialog
