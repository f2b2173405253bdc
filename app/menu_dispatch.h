#pragma once

// The one entry point of menu commands: menus, accelerators, the tool bar
// and the command language all end here.

#include <windows.h>

namespace merva::app {

constexpr int MENU_COMMAND_FIRST = 4096;
constexpr int MENU_COMMAND_LAST = 4370;

// Runs the command on the active document. 1 when it was carried out, 0
// when it was cancelled, failed, or is not part of the program (yet).
// `parameter` is the message parameter (Insert Link: -1 = from a command).
int ExecuteMenuCommand(HWND frame, int commandId, LPARAM parameter = 0);

// Whether the program carries the command out at all.
bool CommandWired(int commandId);
// Whether it can be chosen now (wired, and its document and curves exist).
bool CommandEnabled(int commandId);

}  // namespace merva::app
