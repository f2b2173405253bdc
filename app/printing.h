#pragma once

// Printing, page setup, pictures on the clipboard and picture files.

#include <windows.h>

#include <string>
#include <vector>

#include "core/plot_document.h"
#include "core/status.h"
#include "render/print_layout.h"
#include "render/render_options.h"

namespace merva::app {

// WM_COMMAND lParam of the print command: print on the default printer
// without the print dialog (the hand-off's print request).
constexpr LPARAM PRINT_WITHOUT_DIALOG = 1;

// The options of a draw onto a printer or a picture.
DrawOptions PictureOptions(const PlotDocument& document);

int PrintCommand(LPARAM parameter);
int PageSetupCommand();
int CopyPictureCommand();
int CopyDimensionsCommand();
// Save As "Windows Metafile" / "Enhanced Metafile" of the slot's document.
int SavePictureCommand(int slot, bool enhanced);

// The default printer from the `device` entry of the `windows` section.
Status OpenDefaultPrinter(HDC& printer);

// "Multiple Plots": the chosen slots in check-box order; false on Cancel.
bool MultiplePrintDialog(std::vector<int>& slots, MultiplePlotArrangement& arrangement,
                         double& spaceInches);

// The picture files; the dimensions are the stored 1/2540-inch values.
Status WriteMetafileFile(PlotDocument& document, const std::string& path);
Status WriteEnhancedMetafileFile(PlotDocument& document, const std::string& path);

// The picture dimensions now in force (program-wide).
void PictureDimensions(int& metafileWidth, int& metafileHeight, int& bitmapWidth,
                       int& bitmapHeight);
void SetPictureDimensions(int metafileWidth, int metafileHeight, int bitmapWidth, int bitmapHeight);

}  // namespace merva::app
