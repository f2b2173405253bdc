#pragma once

// The status bar (class "MERVASTATUS"): the hint text on the left and the
// active document's array capacity on the right.

#include <windows.h>

#include <string>

namespace merva::app {

LRESULT CALLBACK StatusBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the bar along the frame's bottom (shown per the settings).
HWND CreateStatusBar(HWND frame);
// Shows the numbered string; 0 clears the hint.
void SetStatusHint(int stringId);
void SetStatusText(const std::string& text);
// The capacity part follows the active document.
void RefreshStatusBar();
void ShowStatusBar(bool visible);

// The MDI client takes the frame's client area less the status bar.
void LayoutFrame();

// "Max. size: " + curves + "x" + points.
std::string CapacityText(int curves, int points);

}  // namespace merva::app
