#pragma once

// Menu, tool bar and dialog identifiers of the macro editor.

#define IDM_RUN 256
#define IDM_STEP 257
#define IDM_STOP 258
#define IDM_SAVE 259
#define IDM_PRINT 260
#define IDM_CUT 261
#define IDM_COPY 262
#define IDM_PASTE 263
#define IDM_FIND 264
#define IDM_EXIT 768
#define IDM_SELECT_ALL 769
#define IDM_CLEAR_ALL 770
#define IDM_FIND_NEXT 771
#define IDM_REPLACE 772
#define IDM_HELP 773

// Child windows of the main window.
#define IDC_MACRO_LABEL 100
#define IDC_MACRO_COMBO 101
#define IDC_SHORTCUT_LABEL 102
#define IDC_SHORTCUT_COMBO 103
#define IDC_EDIT 104
#define IDC_TOOLBAR 105

// Find and Replace dialogs.
#define IDC_FIND_TEXT 200
#define IDC_REPLACE_TEXT 201
#define IDC_WHOLE_WORD 202
#define IDC_MATCH_CASE 203
#define IDC_UP 204
#define IDC_DOWN 205
#define IDC_REPLACE_ONE 206
#define IDC_REPLACE_ALL 207
