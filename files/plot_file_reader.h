#pragma once

// Reading of plot files (*.grf): the "data" form, the extended reader of
// older files and the "dx" form, and the keyword records. The app shows
// status text 525 while it runs and redraws afterwards.

#include <string>
#include <string_view>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// Reads a plot file into the document, storing its curves from
// `firstCurveSlot` on (1 for a fresh document, curveCount + 1 to add
// curves). On success filePath/fileTitle name the file. On failure the
// document keeps the curves read completely before it, and the status
// holds the message.
Status ReadPlotFile(PlotDocument& document, const std::string& path, int firstCurveSlot);

// The same from a text in memory; `name` stands for the file name in the
// messages. filePath/fileTitle are left alone.
Status ReadPlotText(PlotDocument& document, std::string_view text, std::string_view name,
                    int firstCurveSlot);

}  // namespace merva
