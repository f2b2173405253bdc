#pragma once

// Baseline shifts of a data-processing record: the constant that moves
// the first integral to a chosen value at a chosen time, its application
// to the record, the shift list and its one-step undo. Plain arrays in,
// status with a message number out; the caller recomputes the integrals.

#include <string>

#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// The dialog's values (times in msec).
struct ShiftRequest {
  double targetTime = 0.0;   // T
  double targetValue = 0.0;  // V
  double startTime = 0.0;    // S
  double endTime = 0.0;      // E
  bool constant = false;     // the whole record
};

// 88 outside the mode or for a record without integrals, 116 with the
// list full.
Status CheckShiftAllowed(bool processingOn, int dataType, int shiftCount);

// 105 when S >= T, 106 when E <= S (a constant shift is not checked).
Status CheckShiftTimes(const ShiftRequest& request);

// The shift that brings integral(T) to V, from the record's times x[0..n)
// and its first integral. shift.value 0 means there is nothing to do.
// 117 when T is outside the record, 106 when the effective range
// [max(x[0], S), min(T, E)] is empty, 85 when the constant is not a
// finite single-precision value.
Status PlanBaselineShift(int dataType, const float* x, const float* integral, int n,
                         const ShiftRequest& request, BaselineShift& shift);

// Adds (or with a negated value removes) a shift: y[i] += value where
// S <= x[i] <= E, compared in single precision.
void ApplyBaselineShift(const float* x, float* y, int n, const BaselineShift& shift);

// Appends to the list; false when it is full.
bool RecordBaselineShift(ProcessState& state, const BaselineShift& shift);

// Takes the last shift off the list for undoing: 119 with none, 118 when
// it may no longer be undone. Outside the mode a silent failure.
Status TakeLastShift(bool processingOn, ProcessState& state, bool canUndo, BaselineShift& last);

// The List Editions text, one shift a line (CR): 88 outside the mode, 98
// with none recorded.
Status ListEditions(bool processingOn, const ProcessState& state, std::string& text);

}  // namespace merva
