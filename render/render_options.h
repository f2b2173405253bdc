#pragma once

// What drawing needs besides the document and the surface.

#include <functional>

#include "files/settings.h"
#include "render/drawing_surface.h"
#include "render/number_format.h"

namespace merva {

struct DrawOptions {
  // Colour tables, line widths of axes and grid, clipping choice, flags.
  const ProgramSettings* settings = nullptr;  // nullptr: compiled-in settings
  NumberFormatContext numbers;
  // The window's background and text colours (screen).
  SurfaceColor windowBackground = COLOR_WHITE;
  SurfaceColor windowText = COLOR_BLACK;
  // Polled between point batches; true ends the drawing (the window layer
  // connects it to the Escape key check).
  std::function<bool()> abortRequested;
  // Today's date for the date stamp; the stamp is left out while year is 0.
  int todayYear = 0;
  int todayMonth = 0;
  int todayDay = 0;
  bool dateStamp = false;  // "&Date"
  bool caption = false;    // "Print &Caption"
  // "Preview Pri&nter Colors": the screen shows the printer table.
  bool previewPrinterColors = false;
  // Print scale factor (1 on the screen).
  double printScale = 1.0;
  // Fixed picture dimensions of metafiles and bitmaps: the logical size
  // mapped onto this viewport size (0: none).
  int viewportWidth = 0;
  int viewportHeight = 0;
  // Drawing for the document window: a window too small for the chosen
  // fonts may shrink them and shorten texts (never on pages or pictures).
  bool windowView = false;
  // Long curves hand the surface only what the device can show (the same
  // picture); false draws every segment, for comparisons.
  bool reduceCurves = true;
};

}  // namespace merva
