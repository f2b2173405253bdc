#pragma once

// Macros: the Macro dialog, the shortcut keys with the keyboard hook, help
// keys, and starting the macro editor.

#include <string>

namespace merva::app {

// The Macro dialog ("MACRO"); 1 when a macro was started.
int MacroDialog();

// Reloads the macro shortcut keys from the settings file.
void LoadMacroShortcuts();

void InstallKeyboardHook();
void RemoveKeyboardHook();

// Starts "MVMAC95.EXE" from the program's folder with the arguments;
// false when it cannot be started.
bool StartMacroEditor(const std::string& arguments);

}  // namespace merva::app
