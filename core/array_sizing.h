#pragma once

// Shape changes of a document's point matrices.

#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// Allocates both matrices with the given shape (nothing is kept). On
// failure the insufficient-memory message is added and the previous shape
// is allocated again; if that fails too, message 143 is added and the
// status is fatal. The result is 1 only when the new shape was allocated.
Status Allocate(PlotDocument& document, int curves, int points);

// Like Allocate, but keeps curves 1..curveCount through a temporary file.
// A shape below what the document holds is refused with the resize
// messages; a temporary file that cannot be written gives message 142 and
// leaves the document as it was.
Status Reallocate(PlotDocument& document, int curves, int points);

// "Insufficient memory for " + curves x points in 11 columns + " data points."
std::string InsufficientMemoryText(int curves, int points);

// Lower bounds of the shape of an existing document.
struct ArrayShape {
  int curves = 0;
  int points = 0;
};
ArrayShape MinimumShape(const PlotDocument& document);
// The values the resize dialog shows when it opens.
ArrayShape InitialResizeShape(const PlotDocument& document);
// The resize dialog's check of the entered values; failure keeps it open.
Status CheckResizeShape(const PlotDocument& document, int curves, int points);
// After a confirmed resize dialog: Reallocate, or Allocate for an empty
// document (message 108 when that fails).
Status ApplyResize(PlotDocument& document, int curves, int points);
// The check of the insufficient-memory dialog of a new window.
Status CheckNewWindowShape(int curves, int points);

// The folder of the temporary file; empty means the system's temporary
// directory. Tests point it elsewhere.
void SetTemporaryDirectory(const std::string& directory);

}  // namespace merva
