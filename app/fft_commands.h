#pragma once

// The FFT (new document of amplitudes and phases) and smoothing commands.

#include <windows.h>

namespace merva::app {

// IDM_FFT and IDM_SMOOTH.
int FftCommand(HWND frame, int commandId, LPARAM);

}  // namespace merva::app
