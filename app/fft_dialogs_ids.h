#pragma once

// Controls of the dialogs "FFT" and "SMOOTH".

#define IDC_FFT_PHASE 32
#define IDC_FFT_DONT_SHOW 33
#define IDC_FFT_COUNT_TEXT 80
#define IDC_FFT_FACTORS 81
#define IDC_FFT_RUN_TIME 82
#define IDC_FFT_PAD_TEXT 83
#define IDC_FFT_AS_IS_TEXT 84
#define IDC_FFT_DONT_SHOW_TEXT 85
#define IDC_FFT_PAD 86
#define IDC_FFT_AS_IS 87

#define IDC_SMOOTH_REPLACE 32
#define IDC_SMOOTH_WINDOW 128
