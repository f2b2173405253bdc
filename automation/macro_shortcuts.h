#pragma once

// The macro shortcut keys: the 51 entries of the shortcut list, as the
// settings file's "MacroShortcuts" section numbers them, and the key codes
// the keyboard hook compares (virtual key in the low byte, Shift adds 256,
// Ctrl adds 512).

#include <string>

namespace merva {

constexpr int SHORTCUT_COUNT = 51;
constexpr int SHORTCUT_SHIFT = 256;
constexpr int SHORTCUT_CTRL = 512;

// The key code of list entry `index` (0 = "none" and anything outside the
// list give 0).
int ShortcutKeyCode(int index);
// The name shown in lists, e.g. "Ctrl+F5"; empty outside the list.
std::string ShortcutName(int index);
// The key code of a key-down with the modifier states.
inline int KeyCode(int virtualKey, bool shift, bool ctrl) {
  return (virtualKey & 0xFF) + (shift ? SHORTCUT_SHIFT : 0) + (ctrl ? SHORTCUT_CTRL : 0);
}

}  // namespace merva
