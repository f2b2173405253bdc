#pragma once

// Save As of curve data (single-curve text, comma-separated values,
// single-curve unformatted) and Copy of one curve's data values.

namespace merva::app {

// "Save As" choices 2-4 for the slot's document: the curve (picker or the
// command's curve), the save dialog of the choice and the writer. 1 when
// the file was written.
int SaveDataCommand(int slot, int format);

// Copy of one curve's values: plain text, "MERVAW" and the "Link"
// reference. 1 when the clipboard holds them.
int CopyDataCommand();

}  // namespace merva::app
