#pragma once

// The library's own module (its resources) and its message boxes.

#include <windows.h>

#include <string>

namespace korv {

HINSTANCE Module();
void SetModule(HINSTANCE module);

// A message box captioned "KORV32"; the button pressed.
int KorvMessage(const std::string& text, UINT style);

}  // namespace korv
