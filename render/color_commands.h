#pragma once

// The colour commands of the Options menu: they rewrite the printer table
// (and, for the defaults, both tables).

#include "files/settings.h"

namespace merva {

enum ColorCommand : int {
  COLORS_BLACK_AND_WHITE = 1,
  COLORS_GRAY_SCALE = 2,
  COLORS_COPY_DISPLAY = 3,
  COLORS_RESTORE_DEFAULTS = 4,
};

void ApplyColorCommand(ProgramSettings& settings, int command);

}  // namespace merva
