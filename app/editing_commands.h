#pragma once

// The menu commands of curve editing (Edit menu): each takes its curves
// from a picker and its values from a dialog, or both from the command
// language's parameter cells while macroCommandActive is set.

#include <windows.h>

namespace merva::app {

// Handles the editing command `commandId` on the active document; 1 when
// something changed.
int EditingCommand(HWND frame, int commandId, LPARAM parameter);

}  // namespace merva::app
