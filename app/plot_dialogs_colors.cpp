#include "app/document_window.h"
#include "app/plot_dialogs.h"
#include "app/program.h"
#include "render/color_commands.h"

namespace merva::app {

namespace {

constexpr int IDM_BLACK_AND_WHITE = 4194;
constexpr int IDM_RESTORE_DEFAULTS = 4197;
constexpr int IDM_PREVIEW_PRINTER_COLORS = 4198;

}  // namespace

void RedrawAllDocuments() {
  // The tables are program-wide: every window is drawn again.
  for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot)
    if (Documents().IsOpen(slot)) InvalidatePicture(slot);
}

int ColorCommand(int commandId) {
  if (commandId == IDM_BLACK_AND_WHITE - 2) return CurveColorsDialog(false);
  if (commandId == IDM_BLACK_AND_WHITE - 1) return CurveColorsDialog(true);
  if (commandId == IDM_PREVIEW_PRINTER_COLORS) {
    TheProgram().previewPrinterColors = !TheProgram().previewPrinterColors;
    RedrawAllDocuments();
    return 1;
  }
  if (commandId < IDM_BLACK_AND_WHITE || commandId > IDM_RESTORE_DEFAULTS) return 0;
  ApplyColorCommand(Settings(), COLORS_BLACK_AND_WHITE + (commandId - IDM_BLACK_AND_WHITE));
  RedrawAllDocuments();
  return 1;
}

}  // namespace merva::app
