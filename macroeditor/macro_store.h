#pragma once

// Macro files in "MACROS\" beside the program and the macro settings of
// mervaw.ini.

#include <string>
#include <vector>

#include "macroeditor/core/macro_file.h"

namespace merva::macro {

// The file of a macro given by name or by path.
std::string MacroPath(const std::string& nameOrPath);
enum class MacroLoad { Ok, Missing, NotAMacro, TooLong };
MacroLoad ReadMacro(const std::string& nameOrPath, std::string& text);
bool WriteMacro(const std::string& name, const std::string& text);

std::vector<std::string> MacroNames();
// The shortcut list index of a macro (0 = none).
int ShortcutIndexOf(const std::string& name);
// The macro other than `name` that holds the shortcut; empty when none.
std::string ShortcutHolder(int index, const std::string& name);
// Records the macro and its shortcut in the settings.
void RecordMacro(const std::string& name, int shortcutIndex);
// Characters a macro name cannot hold (it names a file).
bool ValidMacroName(const std::string& name);

}  // namespace merva::macro
