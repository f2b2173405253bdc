#include "automation/macro_shortcuts.h"

#include <gtest/gtest.h>

#include <set>

namespace merva {
namespace {

TEST(MacroShortcuts, ListOrderAndCodes) {
  EXPECT_EQ(ShortcutName(0), "none");
  EXPECT_EQ(ShortcutKeyCode(0), 0);
  EXPECT_EQ(ShortcutName(1), "Ctrl+A");
  EXPECT_EQ(ShortcutKeyCode(1), 512 + 'A');
  EXPECT_EQ(ShortcutName(3), "Ctrl+D");  // no C: it copies
  EXPECT_EQ(ShortcutName(19), "Ctrl+Z");
  EXPECT_EQ(ShortcutName(20), "Ctrl+F1");
  EXPECT_EQ(ShortcutKeyCode(20), 512 + 0x70);
  EXPECT_EQ(ShortcutName(23), "Ctrl+F5");
  EXPECT_EQ(ShortcutName(24), "Ctrl+F7");
  EXPECT_EQ(ShortcutName(29), "Ctrl+F12");
  EXPECT_EQ(ShortcutName(30), "Shift+F2");
  EXPECT_EQ(ShortcutKeyCode(30), 256 + 0x71);
  EXPECT_EQ(ShortcutName(32), "Shift+F6");
  EXPECT_EQ(ShortcutName(38), "Shift+F12");
  EXPECT_EQ(ShortcutName(39), "Ctrl+Shift+F1");
  EXPECT_EQ(ShortcutKeyCode(39), 768 + 0x70);
  EXPECT_EQ(ShortcutName(50), "Ctrl+Shift+F12");
}

TEST(MacroShortcuts, OutsideTheListIsNoKeyAndCodesAreDistinct) {
  EXPECT_EQ(ShortcutKeyCode(51), 0);
  EXPECT_EQ(ShortcutKeyCode(-1), 0);
  EXPECT_EQ(ShortcutName(51), "");
  std::set<int> codes;
  for (int i = 1; i < SHORTCUT_COUNT; ++i) codes.insert(ShortcutKeyCode(i));
  EXPECT_EQ(codes.size(), 50u);
  EXPECT_EQ(KeyCode(0x74, false, true), ShortcutKeyCode(23));
  EXPECT_EQ(KeyCode(0x170, true, false), 256 + 0x70);
}

}  // namespace
}  // namespace merva
