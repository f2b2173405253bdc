#pragma once

// The tool bar (class "MERVATOOL"): 26 picture buttons that issue menu
// commands, docked along the frame's top or floating in a window of its
// own, with tool tips (class "MERVATOOLTIP").

#include <windows.h>

#include <string>

namespace merva::app {

inline constexpr char TOOLBAR_CLASS[] = "MERVATOOL";
inline constexpr char TOOLTIP_CLASS[] = "MERVATOOLTIP";
// Tool bar state bit that puts the buttons into the floating window.
constexpr int TOOLBAR_FLOATING = 2;

// The tool tip and menu command of a button (1..26); command 0 for the
// help tool.
const char* ToolButtonTip(int button);
int ToolButtonCommand(int button);

// Builds both containers per the settings (after they were read).
void CreateToolBar(HWND frame);
// Closes both containers and builds them again in the given state.
void RebuildToolBar(bool visible, bool largeButtons);
// The closing sequence: both containers go.
void CloseToolBar();
// Height taken from the frame's client area by the docked bar, 0 when
// hidden or floating.
int DockedToolBarHeight();
HWND DockedToolBar();
HWND FloatingToolBar();

// Greys the buttons whose menu commands are greyed (with the menu states).
void RefreshToolBarButtons();

// The tool-tip window with a text (lines split by CR LF) at a screen point;
// hidden again by HideToolTip.
void ShowToolTipAt(const std::string& text, POINT screen);
void HideToolTip();

// Commands 4225 (show/hide) and 4226 (large buttons).
int ToolBarCommand(HWND frame, int commandId, LPARAM parameter);

}  // namespace merva::app
