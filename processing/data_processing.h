#pragma once

// Data-processing mode: curve 1 is a measured record against time in msec
// and curves 2..K+1 are its running integrals, recomputed after every
// change of the record. Switching the mode, the recompute, baseline shifts
// with their one-step undo, and the stand-alone integration and
// differentiation of any curve.

#include "core/plot_document.h"
#include "core/record_units.h"
#include "core/status.h"
#include "processing/baseline_shift.h"

namespace merva {

// The values of the Data Processing dialog or command.
struct ProcessingChoice {
  int state = 0;  // 0 off, 1 on
  int dataType = DATA_UNKNOWN;
  int format = RECORD_SQUARE;
  bool generatedLabels = true;
};

// The document's block as the dialog opens it, out-of-range values clamped.
ProcessingChoice StoredProcessingChoice(const PlotDocument& document);

// Whether switching on with `choice` may lose curves or change the curve
// capacity, so that message 112 must be asked first.
bool ProcessingAsksReallocation(const PlotDocument& document, const ProcessingChoice& choice);

// Switches the mode on (keeping curve 1, sizing the arrays to K + 1
// curves, labelling, integrating) or off. A refused resize restores the
// previous mode; a fatal status means the data could not be restored.
Status ApplyProcessingChoice(PlotDocument& document, const ProcessingChoice& choice);

// Leaves the mode; the curves stay as ordinary curves.
void SwitchProcessingOff(PlotDocument& document);

// Sets up a document read from a file in the mode: capacity, axes,
// titles and integrals (the file holds the record only).
Status ResumeProcessing(PlotDocument& document);

// Rebuilds the third title line and the integrals from curve 1. Message
// 89, and the mode ends, when the arrays cannot hold K + 1 curves.
Status RecomputeRecord(PlotDocument& document);

// After an edit of the record: the recompute; only a shift may be undone.
Status AfterRecordEdit(PlotDocument& document, bool wasShift);

// Shows the record or its integrals (acceleration only); false otherwise.
bool SwitchRecordView(PlotDocument& document);

// The stored values of the Baseline Shift dialog (its range fields share
// the decimation dialogs' slots).
ShiftRequest StoredShiftRequest(const PlotDocument& document);
void StoreShiftRequest(PlotDocument& document, const ShiftRequest& request);

// Moves the record's baseline so that the first integral reaches the
// target value at the target time; records the shift for undo.
Status ShiftBaseline(PlotDocument& document, const ShiftRequest& request);

// Takes back the last shift while it may still be undone.
Status UndoLastShift(PlotDocument& document);

// Running integral of `curve` as a new curve (no unit conversion);
// `result` is the new curve's number.
Status IntegrateCurve(PlotDocument& document, int curve, int& result);

// Differentiation methods.
constexpr int DIFFERENTIATE_TRAPEZOID = 1;
constexpr int DIFFERENTIATE_QUADRATIC = 2;

// Slope of `curve` as a new curve.
Status DifferentiateCurve(PlotDocument& document, int curve, int method, double initial,
                          int& result);

}  // namespace merva
