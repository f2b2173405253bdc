#include "app/data_processing_commands.h"
#include "app/filter_command.h"

#include "app/curve_pickers.h"
#include "app/document_window.h"
#include "app/filter_dialog.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "automation/changed_curves.h"
#include "automation/parameter_cells.h"
#include "core/messages.h"

namespace merva::app {

namespace {

inline constexpr char PROMPT_FILTER[] = "Filter which curve?";

// The dialog's settings, kept between uses for the whole program.
FilterChoice& LastFilter() {
  static FilterChoice choice;
  return choice;
}

// A command's settings: the coefficients of types 1 to 3 are designed from
// the cut-offs (f0, B) when the filter runs.
FilterChoice FromCells(const ParameterCells& cells) {
  FilterChoice c;
  c.settings.type = cells.filterType;
  c.settings.twoPass = cells.filterTwoPass != 0;
  c.settings.rejectFrequency = cells.filterCutoffs[0];
  c.settings.bandwidth = cells.filterCutoffs[1];
  c.settings.milliseconds = cells.filterTimeScale == 1;
  const auto& k = cells.filterCoefficients;
  c.settings.coefficients = {k[0], k[1], k[2], k[3], k[4]};
  c.replace = cells.replaceCurve != 0;
  return c;
}

}  // namespace

int FilterCommand(HWND, int, LPARAM) {
  PlotDocument* document = ActiveDocument();
  if (!document || document->curveCount < 1) return 0;
  PlotDocument& d = *document;
  const bool commandMode = TheParameterCells().macroCommandActive != 0;
  int curve = 1;
  if (d.processMode == 0) {
    CurveRange range;
    if (!OperationCurves(d, PROMPT_FILTER, true, range) || range.Empty()) return 0;
    curve = range.first;
  }
  if (SpacingState(d, curve) != STATE_YES) {
    Ui().ShowStatus(Status::Failure(MSG_CONSTANT_SPACING), "Filter");
    return 0;
  }
  FilterChoice choice;
  if (commandMode) {
    choice = FromCells(TheParameterCells());
  } else {
    FilterChoice& last = LastFilter();
    last.showReplace = d.processMode == 0;
    last.spacing = SampleInterval(d, curve, false);
    if (!FilterDialog(last)) return 0;
    choice = last;
  }
  SetStatusHint(MSG_STATUS_FILTER);
  int result = 0;
  const Status status = ApplyFilter(d, curve, choice.settings, choice.replace, result);
  SetStatusHint(0);
  Ui().ShowStatus(status, "Filter");
  if (!status.Ok()) return 0;
  const int slot = ActiveSlot();
  MarkCurvesChanged(slot, result, result);
  if (d.processMode != 0) return FinishRecordEdit(slot, false);
  RedrawDocument(slot);
  return 1;
}

}  // namespace merva::app
