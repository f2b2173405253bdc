#include "render/color_commands.h"

#include <gtest/gtest.h>

namespace merva {
namespace {

TEST(ColorCommands, RewriteThePrinterTable) {
  ProgramSettings s;
  s.screenColors[3] = 0x123456;
  ApplyColorCommand(s, COLORS_BLACK_AND_WHITE);
  for (uint32_t c : s.printerColors) EXPECT_EQ(c, 0u);
  EXPECT_EQ(s.screenColors[3], 0x123456u);
  ApplyColorCommand(s, COLORS_GRAY_SCALE);
  EXPECT_EQ(s.printerColors[0], 0u);
  EXPECT_EQ(s.printerColors[15], 0xC3C3C3u);
  ApplyColorCommand(s, COLORS_COPY_DISPLAY);
  EXPECT_EQ(s.printerColors, s.screenColors);
  ApplyColorCommand(s, COLORS_RESTORE_DEFAULTS);
  EXPECT_EQ(s.screenColors, DefaultScreenColors());
  EXPECT_EQ(s.printerColors, DefaultPrinterColors());
  EXPECT_EQ(s.screenColors[0], 0x0000FFu);
}

}  // namespace
}  // namespace merva
