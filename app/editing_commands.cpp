#include "app/editing_commands.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/curve_pickers.h"
#include "app/data_processing_commands.h"
#include "app/document_window.h"
#include "app/editing_dialogs.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/ui_host.h"
#include "automation/changed_curves.h"
#include "automation/parameter_cells.h"
#include "core/dialog_values.h"
#include "core/messages.h"
#include "processing/curve_arithmetic.h"
#include "processing/curve_slots.h"
#include "processing/decimation.h"
#include "processing/equal_intervals.h"

namespace merva::app {

namespace {

// "Replace existing curve" of the editing dialogs, for the whole program.
bool replaceExistingCurve = false;

bool CommandMode() { return TheParameterCells().macroCommandActive != 0; }

// After a change: the changed curves are told to their links, the document
// is redrawn (it is already marked changed); a refusal shows its messages.
// A data-processing record gets its integrals again; `shift` says the edit
// was recorded as a baseline shift.
int Finish(const Status& status, int first, int last, const char* caption = "MERVA95",
           bool shift = false) {
  Ui().ShowStatus(status, caption);
  if (!status.Ok()) return 0;
  const int slot = ActiveSlot();
  MarkCurvesChanged(slot, first, last);
  if (Documents().Document(slot).processMode != 0) return FinishRecordEdit(slot, shift);
  RedrawDocument(slot);
  return 1;
}

int AddOrMultiplyX(PlotDocument& d, bool add) {
  CurveRange range;
  if (!OperationCurves(d, PROMPT_EDIT, false, range)) return 0;
  double c = add ? 0.0 : 1.0;
  if (CommandMode())
    c = TheParameterCells().constantValue;
  else if (!EditRealDialog(add ? "Edit\\&Add to X:" : "Edit\\&Multiply X by:", c))
    return 0;
  const Status s = add ? AddToX(d, range, c) : MultiplyX(d, range, c);
  return Finish(s, range.first, range.last);
}

std::string EditYCaption(const PlotDocument& d) {
  if (d.processMode == 0) return "Edit";
  switch (d.processState.dataType) {
    case 1:
      return "Edit Pressure";
    case 2:
      return "Edit Stress";
    case 3:
      return "Edit Acceleration";
    default:
      return "Edit";
  }
}

int AddOrMultiplyY(PlotDocument& d, bool add) {
  CurveRange range;
  if (!OperationCurves(d, PROMPT_EDIT, false, range)) return 0;
  double c = add ? 0.0 : 1.0;
  XLimits limits;
  if (CommandMode()) {
    c = TheParameterCells().constantValue;
    limits = CommandYEditLimits(d);
  } else {
    limits = DefaultYEditLimits(d, range);
    if (!EditYDialog(EditYCaption(d), add ? "&Add to Y:" : "&Multiply Y by:", c, limits)) return 0;
  }
  const Status s = add ? AddToY(d, range, c, limits) : MultiplyY(d, range, c, limits);
  return Finish(s, range.first, range.last, "MERVA95", add && d.processMode != 0);
}

int Swap(PlotDocument& d) {
  CurveRange range;
  if (!OperationCurves(d, PROMPT_SWAP, false, range)) return 0;
  return Finish(SwapXY(d, range), range.first, range.last);
}

int Sort(PlotDocument& d) {
  CurveRange range;
  if (!OperationCurves(d, PROMPT_EDIT, false, range)) return 0;
  return Finish(SortCurves(d, range), range.first, range.last);
}

int Truncate(PlotDocument& d) {
  CurveRange range;
  if (!OperationCurves(d, PROMPT_TRUNCATE, false, range)) return 0;
  XLimits limits;
  if (CommandMode()) {
    const ParameterCells& cells = TheParameterCells();
    d.rangeStart = std::min(cells.rangeLow, cells.rangeHigh);
    d.rangeEnd = std::max(cells.rangeLow, cells.rangeHigh);
    limits = {d.rangeStart, d.rangeEnd};
  } else {
    limits = DefaultTruncateLimits(d, range);
    if (!TruncationLimitsDialog(limits)) return 0;
  }
  const int before = d.curveCount;
  int deleted = 0;
  const Status s = TruncateX(d, range, limits, deleted);
  // Deleted curves renumber every later one.
  return Finish(s, range.first, deleted > 0 ? before : range.last);
}

int Trend(PlotDocument& d) {
  CurveRange range;
  // The command language loops over the curves itself.
  if (!OperationCurves(d, PROMPT_REMOVE_TREND, CommandMode(), range)) return 0;
  return Finish(RemoveTrend(d, range), range.first, range.last);
}

int Spacing(PlotDocument& d) {
  CurveRange range;
  if (!OperationCurves(d, PROMPT_CONSTANT_SPACING, true, range)) return 0;
  // The record in data-processing mode: its integrals follow it.
  const int curve = d.processMode != 0 ? 1 : range.first;
  EqualIntervalChoice choice;
  choice.interval = DefaultInterval(d, curve);
  choice.replace = replaceExistingCurve;
  choice.showReplace = d.processMode == 0;
  if (CommandMode()) {
    const ParameterCells& cells = TheParameterCells();
    if (cells.constantValue != 0.0) choice.interval = cells.constantValue;
    choice.method = cells.intParameter;
    choice.replace = cells.replaceCurve != 0;
  } else {
    if (!ConstantDxDialog(choice)) return 0;
    replaceExistingCurve = choice.replace;
  }
  int result = 0;
  const Status s = EqualIntervals(d, curve, choice.interval, choice.method, choice.replace, result);
  return Finish(s, result, result, "Equal Intervals");
}

DecimationKind KindOf(int commandId) {
  if (commandId == IDM_AVERAGE_POINTS) return DecimationKind::Average;
  if (commandId == IDM_SKIP_POINTS) return DecimationKind::Skip;
  return DecimationKind::Depopulate;
}

// The decimation values of a command: p1 is n or the fidelity, p2..p3 the
// range; equal p2 and p3 mean all points.
void FromCells(PlotDocument& d, DecimationChoice& choice) {
  const ParameterCells& cells = TheParameterCells();
  choice.value = cells.decimation[0];
  d.rangeStart = std::min(cells.decimation[1], cells.decimation[2]);
  d.rangeEnd = std::max(cells.decimation[1], cells.decimation[2]);
  d.applyToAllPoints = d.rangeStart == d.rangeEnd ? 1 : 0;
  choice.range = {d.applyToAllPoints != 0, d.rangeStart, d.rangeEnd};
  choice.replace = cells.replaceCurve != 0;
}

// n of a decimation once checked; any n when none fits the curve.
int Whole(double every, int maxEvery) { return maxEvery >= 2 ? static_cast<int>(every) : 2; }

int Decimate(PlotDocument& d, int commandId) {
  const DecimationKind kind = KindOf(commandId);
  CurveRange range;
  const char* prompt = kind == DecimationKind::Depopulate ? PROMPT_DEPOPULATE : PROMPT_DECIMATE;
  if (d.processMode != 0)
    range = {1, 1};
  else if (!OperationCurves(d, prompt, true, range))
    return 0;
  const int curve = range.first;
  const int n = d.pointCount[curve];
  DecimationChoice choice;
  choice.kind = kind;
  choice.value = kind == DecimationKind::Depopulate ? d.depopulationFidelity : 2.0;
  choice.maxEvery = MaxKeepEvery(n);
  choice.range = {true, n > 0 ? d.X(curve, 1) : 0.0, n > 0 ? d.X(curve, n) : 0.0};
  choice.replace = replaceExistingCurve;
  choice.showReplace = d.processMode == 0;
  if (CommandMode()) {
    FromCells(d, choice);
  } else {
    if (kind != DecimationKind::Depopulate ? choice.maxEvery < 2 : n < 3) {
      Ui().Show("The curve has too few points to decimate.");
      return 0;
    }
    if (!DecimationDialog(choice)) return 0;
    replaceExistingCurve = choice.replace;
    d.applyToAllPoints = choice.range.allPoints ? 1 : 0;
    d.rangeStart = choice.range.start;
    d.rangeEnd = choice.range.end;
  }
  int result = 0;
  Status s;
  if (kind == DecimationKind::Depopulate) {
    if (choice.value > 0.0 && choice.value < 100.0) d.depopulationFidelity = choice.value;
    s = Depopulate(d, curve, choice.value, choice.range, choice.replace, result);
  } else {
    const double every = choice.value;
    // A curve too short for any n is the operation's own refusal.
    if (choice.maxEvery >= 2 &&
        (!(every >= 2 && every <= choice.maxEvery) || every != std::floor(every)))
      s = Status::Failure(RangeMessage(2, choice.maxEvery));
    else if (kind == DecimationKind::Average)
      s = AveragePoints(d, curve, Whole(every, choice.maxEvery), choice.range, choice.replace,
                        result);
    else
      s = SkipPoints(d, curve, Whole(every, choice.maxEvery), choice.range, choice.replace, result);
  }
  return Finish(s, result, result);
}

int Erase(PlotDocument& d) {
  std::vector<int> chosen;
  if (CommandMode()) {
    chosen.push_back(std::min(std::max(TheParameterCells().eraseCurve, 1), d.curveCount));
  } else if (d.curveCount == 1) {
    chosen.push_back(1);
  } else if (!PickCurves(d, PROMPT_ERASE, chosen)) {
    return 0;
  }
  std::vector<bool> removed(static_cast<std::size_t>(d.curveCount) + 1, false);
  for (int curve : chosen) removed[static_cast<std::size_t>(curve)] = true;
  const int before = d.curveCount;
  RemoveCurves(d, removed);
  d.MarkChanged();
  return Finish(Status::Success(), chosen.front(), before);
}

int Move(PlotDocument& d, bool toFront) {
  if (d.curveCount < 2) return 0;
  int curve = 0;
  if (CommandMode())
    curve = CommandCurveRange(d, TheParameterCells().firstCurve, 0).first;
  else if (!PickOneCurve(d, PROMPT_MOVE, curve))
    return 0;
  const int to = toFront ? d.curveCount : 1;
  if (curve == to) return 0;
  return Finish(MoveCurve(d, curve, to), std::min(curve, to), std::max(curve, to));
}

int EditData(PlotDocument& d) {
  int curve = 0;
  if (!PickOneCurve(d, PROMPT_EDIT, curve, true)) return 0;
  std::vector<double> x, y;
  if (curve <= d.curveCount) {
    const int n = d.pointCount[curve];
    if (n > MAX_EDIT_ROWS) {
      Ui().Show("The maximum number of points that may be edited is 1024.");
      return 0;
    }
    for (int i = 1; i <= n; ++i) {
      x.push_back(d.X(curve, i));
      y.push_back(d.Y(curve, i));
    }
  }
  if (!DataEditDialog(x, y)) return 0;
  return Finish(SetCurvePoints(d, curve, x, y), curve, curve);
}

}  // namespace

int EditingCommand(HWND, int commandId, LPARAM) {
  PlotDocument* document = ActiveDocument();
  if (!document) return 0;
  PlotDocument& d = *document;
  if (commandId == IDM_EDIT_DATA) return EditData(d);
  if (d.curveCount < 1) return 0;  // nothing to edit
  switch (commandId) {
    case IDM_ADD_TO_X:
      return AddOrMultiplyX(d, true);
    case IDM_MULTIPLY_X:
      return AddOrMultiplyX(d, false);
    case IDM_ADD_TO_Y:
      return AddOrMultiplyY(d, true);
    case IDM_MULTIPLY_Y:
      return AddOrMultiplyY(d, false);
    case IDM_SWAP_XY:
      return Swap(d);
    case IDM_SORT:
      return Sort(d);
    case IDM_TRUNCATE_X:
      return Truncate(d);
    case IDM_REMOVE_TREND:
      return Trend(d);
    case IDM_EQUAL_INTERVALS:
      return Spacing(d);
    case IDM_AVERAGE_POINTS:
    case IDM_SKIP_POINTS:
    case IDM_DEPOPULATE:
      return Decimate(d, commandId);
    case IDM_ERASE_CURVE:
      return Erase(d);
    case IDM_MOVE_TO_FRONT:
    case IDM_SEND_TO_BACK:
      return Move(d, commandId == IDM_MOVE_TO_FRONT);
    default:
      return 0;
  }
}

}  // namespace merva::app
