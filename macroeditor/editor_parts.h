#pragma once

// The editor's commands and parts, one file each.

#include <windows.h>

namespace merva::macro {

// macro saving (editor.cpp)
bool SaveCommand();
void TellMervaToReloadMacros();
// print_text.cpp
void PrintCommand();
// find_replace.cpp
void OpenFindDialog(bool replace);
void FindNextCommand();
// tool_bar.cpp
HWND CreateEditorToolBar(HWND parent);
LRESULT ToolBarNotify(NMHDR* header);
bool RegisterToolTipClass(HINSTANCE instance);
void ToolTipTimer();
void DestroyToolTip();

}  // namespace merva::macro
