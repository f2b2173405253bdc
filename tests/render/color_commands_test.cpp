#include "render/color_commands.h"

#include <gtest/gtest.h>

#include "render/render_options.h"
#include "render_test_support.h"

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

bool DrewLineIn(const RecordingSurface& s, SurfaceColor color) {
  for (const RecordedOperation& op : s.Operations())
    if (op.kind == RECORD_POLYLINE && op.pen.color == color) return true;
  return false;
}

TEST(ColorCommands, PreviewShowsThePrinterTableOnTheScreenOnly) {
  auto d = test::NewDocument();
  test::SetCurve(*d, 1, {0, 1, 2}, {0, 1, 0});
  ProgramSettings settings;
  settings.screenColors[0] = 0x0000FF;
  settings.printerColors[0] = 0x00AB12;
  DrawOptions options;
  options.settings = &settings;

  RecordingSurface screen(800, 600, test::ScreenCaps());
  DrawPlot(screen, *d, test::Target(), options);
  EXPECT_TRUE(DrewLineIn(screen, 0x0000FF));
  EXPECT_FALSE(DrewLineIn(screen, 0x00AB12));

  options.previewPrinterColors = true;
  RecordingSurface preview(800, 600, test::ScreenCaps());
  DrawPlot(preview, *d, test::Target(), options);
  EXPECT_TRUE(DrewLineIn(preview, 0x00AB12));
  EXPECT_FALSE(DrewLineIn(preview, 0x0000FF));

  // The printer has its own table whatever the switch says.
  SurfaceCaps printerCaps = test::ScreenCaps();
  printerCaps.technology = SURFACE_PRINTER;
  RecordingSurface printer(800, 600, printerCaps);
  DrawPlot(printer, *d, test::Target(), options);
  EXPECT_TRUE(DrewLineIn(printer, 0x00AB12));
}

}  // namespace
}  // namespace merva
