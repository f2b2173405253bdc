#include "render/color_commands.h"

namespace merva {

void ApplyColorCommand(ProgramSettings& settings, int command) {
  switch (command) {
    case COLORS_BLACK_AND_WHITE:
      settings.printerColors.fill(0);
      break;
    case COLORS_GRAY_SCALE:
      settings.printerColors = DefaultPrinterColors();
      break;
    case COLORS_COPY_DISPLAY:
      settings.printerColors = settings.screenColors;
      break;
    case COLORS_RESTORE_DEFAULTS:
      settings.screenColors = DefaultScreenColors();
      settings.printerColors = DefaultPrinterColors();
      break;
    default:
      break;
  }
}

}  // namespace merva
