#pragma once

// Writing of plot files (*.grf). The save dialog lives in the app; the
// checks and state changes around the write are here for it to call.

#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// The plot-file text of a document, CR LF line ends. The "dx" form is
// chosen when every saved curve is known to be evenly spaced.
std::string FormatPlotFile(const PlotDocument& document);

// Step 1 of saving: "There is no data to save!" when there are no curves.
Status CheckDataToSave(const PlotDocument& document);

// Step 2 for a chosen name: a read-only file is refused (the app then
// returns to the save dialog); an existing writable file is deleted, and
// a failed delete gives the "Error deleting" report.
Status CheckReadOnlyTarget(const std::string& path);
Status DeleteExistingTarget(const std::string& path);

// Steps 1-4 without the dialog: checks, writes the file, and on success
// marks the document saved under `path`. The file is written under a
// temporary name beside `path` and then takes its place, so that a failed
// write leaves an existing file untouched; where no file can be made
// there, the old file is deleted and the new one written in place. A
// write error gives the standard file-error report and result 0.
Status WritePlotFile(PlotDocument& document, const std::string& path);

// The state after a successful save: changed = 0, filePath and fileTitle.
void MarkSaved(PlotDocument& document, const std::string& path);

// The file-name part of a path (after the last "\", "/" or ":").
std::string FileTitleOf(const std::string& path);

}  // namespace merva
