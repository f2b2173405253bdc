#pragma once

// DrawPlot onto the GDI targets: a window through an off-screen bitmap, a
// memory bitmap, a Windows metafile and an enhanced metafile.

#include <windows.h>

#include <string>

#include "core/plot_document.h"
#include "render/draw_plot.h"
#include "render/render_options.h"

namespace merva {
namespace win32 {

// Draws into a bitmap as large as the client area, filled with `background`,
// and copies it to the window. With `keepPicture` the bitmap is handed to
// the caller (the document's cached picture); otherwise it is deleted.
// Without memory for the bitmap the plot is drawn straight into the window.
DrawResult DrawToWindow(HWND window, PlotDocument& document, const DrawOptions& options,
                        COLORREF background, HBITMAP* keepPicture = nullptr);

// A bitmap of width x height pixels compatible with `reference` (the screen
// when null); the caller owns it. Null when it cannot be created.
HBITMAP DrawToBitmap(HDC reference, int width, int height, PlotDocument& document,
                     const DrawOptions& options, COLORREF background, DrawResult* result = nullptr);

// An enhanced metafile of the given size in 1/2540 inch; the caller owns it.
HENHMETAFILE DrawToEnhancedMetafile(HDC reference, int width, int height,
                                    const std::string& description, PlotDocument& document,
                                    const DrawOptions& options, DrawResult* result = nullptr);

// A Windows metafile whose logical size is width x height (1/2540 inch).
HMETAFILE DrawToMetafile(int width, int height, PlotDocument& document, const DrawOptions& options,
                         DrawResult* result = nullptr);

// Draws the last segment of a curve onto a picture made by DrawToBitmap
// for the same size (see DrawLastSegment); false when it could not.
bool DrawLastSegmentOnBitmap(HDC reference, HBITMAP picture, int width, int height,
                             PlotDocument& document, const DrawOptions& options, int curve);

}  // namespace win32
}  // namespace merva
