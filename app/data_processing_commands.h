#pragma once

// The menu commands of the data-processing mode (Data Processing, Baseline
// Shift, List Editions, Undo Last Shift, the view switch) and of Integrate
// and Differentiate a Curve: values from their dialogs, or from the
// command language's parameter cells while macroCommandActive is set.

#include <windows.h>

#include <string>

#include "core/plot_document.h"

namespace merva::app {

// Handles `commandId` on the active document; 1 when something changed.
int DataProcessingCommand(HWND frame, int commandId, LPARAM parameter);

// After an operation changed curve 1 of a data-processing document: the
// integrals are recomputed and the change told (nothing outside the mode).
// `wasShift`: the edit was a baseline shift, which may be undone.
int FinishRecordEdit(int slot, bool wasShift);

// The View menu's switch item for the document; empty when it has none.
std::string RecordViewMenuText(const PlotDocument* document);

}  // namespace merva::app
