#pragma once

// "&Filter...": a digital filter over one curve, its settings from the
// FILTER dialog or from the command language's parameter cells.

#include <windows.h>

namespace merva::app {

// 1 when a curve was filtered.
int FilterCommand(HWND frame, int commandId, LPARAM parameter);

}  // namespace merva::app
