// Control identifiers of the library's dialog templates; shared by the
// resource script, the dialog code and the tests.
#pragma once

// "ABOUT"
#define KU_ABOUT_NAME_VERSION 256
#define KU_ABOUT_TEXT 257
#define KU_ABOUT_DISCLAIMER 259
#define KU_ABOUT_ICON 267

// "OPTIONS": icons 512-517, radio buttons 528-533
#define KU_OPTIONS_GROUP 255
#define KU_OPTIONS_FIRST_ICON 512
#define KU_OPTIONS_FIRST_RADIO 528
#define KU_OPTIONS_HELP_BUTTON 544
#define KU_OPTIONS_SLOTS 6

// "PROGRESS00".."PROGRESS07"
#define KU_PROGRESS_TITLE 288
#define KU_PROGRESS_BAR 289
#define KU_PROGRESS_FIRST_LINE 290
#define KU_PROGRESS_LINES 5

// "FILENOTFOUND"
#define KU_NOTFOUND_PROGRAM 256
#define KU_NOTFOUND_PATH 257
#define KU_NOTFOUND_BROWSE 258

// Animation bitmaps 1..8
#define KU_ANIMATION_FRAMES 8
