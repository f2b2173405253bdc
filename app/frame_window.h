#pragma once

// The frame window (class "MERVA/W"): the menu bar, the MDI client, the
// status bar, menu hints, help mode, dropped files, the hand-off messages
// and the closing sequence.

#include <windows.h>

namespace merva::app {

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks every document window in turn to close; false when one refused.
// When all closed, the settings are written and the frame is destroyed.
// `askDocuments` false: the system's shutdown query asked them already.
bool ClosingSequence(HWND frame, bool askDocuments = true);

}  // namespace merva::app
