#pragma once

// The dialogs of the file import and the reading of a file of any type.

#include <windows.h>

#include <string>

#include "core/plot_document.h"
#include "core/status.h"
#include "io/import_file.h"

namespace merva::app {

// "Specify Columns to Plot" (USECOLUMNS); false on cancel.
bool ColumnsDialog(const ColumnPattern& pattern, ColumnChoice& choice);

// "Start/Finish Time" (TIMELIMITS), starting from the command language's
// start and finish times; OK keeps the entered ones there too.
bool TimeLimitsDialog(TimeWindow& window);

// Reads a file of the type into the document from `firstCurve` on: the
// dialogs a reader needs when a user reads it, the parameter cells when a
// command does. A cancelled dialog gives result 0 without messages.
Status ImportWithDialogs(PlotDocument& document, const std::string& path, int fileType,
                         int firstCurve);

// The open dialog's hook: its "File &Types" button runs the FILETYPES
// dialog; the OPENFILENAME's lCustData points at the file type.
UINT_PTR CALLBACK OpenDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The filter entry (1-based) that shows files of the type.
int FilterIndexOfType(int fileType);

}  // namespace merva::app
