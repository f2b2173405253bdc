#include "automation/macro_shortcuts.h"

namespace merva {

namespace {

constexpr int VK_F1_CODE = 0x70;  // F2..F12 follow
constexpr char kLetters[] = "ABDEGHIJKLMQRTUWXYZ";
constexpr int kCtrlFunctionKeys[] = {1, 2, 3, 5, 7, 8, 9, 10, 11, 12};
constexpr int kShiftFunctionKeys[] = {2, 3, 6, 7, 8, 9, 10, 11, 12};

struct Shortcut {
  int code = 0;
  std::string name;
};

Shortcut Entry(int index) {
  if (index < 1 || index >= SHORTCUT_COUNT) return {};
  int i = index - 1;
  if (i < 19) return {SHORTCUT_CTRL + kLetters[i], std::string("Ctrl+") + kLetters[i]};
  i -= 19;
  if (i < 10) {
    const int f = kCtrlFunctionKeys[i];
    return {SHORTCUT_CTRL + VK_F1_CODE + f - 1, "Ctrl+F" + std::to_string(f)};
  }
  i -= 10;
  if (i < 9) {
    const int f = kShiftFunctionKeys[i];
    return {SHORTCUT_SHIFT + VK_F1_CODE + f - 1, "Shift+F" + std::to_string(f)};
  }
  i -= 9;
  const int f = i + 1;
  return {SHORTCUT_CTRL + SHORTCUT_SHIFT + VK_F1_CODE + f - 1, "Ctrl+Shift+F" + std::to_string(f)};
}

}  // namespace

int ShortcutKeyCode(int index) { return Entry(index).code; }

std::string ShortcutName(int index) {
  if (index == 0) return "none";
  return Entry(index).name;
}

}  // namespace merva
