#include "app/curve_fit_command.h"

#include <algorithm>

#include "app/analysis_dialogs.h"
#include "app/curve_fit_dialogs.h"
#include "app/curve_pickers.h"
#include "app/document_window.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "automation/changed_curves.h"
#include "automation/parameter_cells.h"
#include "core/messages.h"
#include "processing/curve_fit.h"
#include "processing/curve_fit_report.h"

namespace merva::app {

namespace {

const char* const CURVE_FIT_CAPTION = "Curve Fit";
// The order the dialog offers first.
constexpr int INITIAL_FIT_ORDER = 1;

bool Refused(const Status& status) {
  if (!status.messages.empty()) Ui().ShowStatus(status, CURVE_FIT_CAPTION);
  // The arrays could not be restored after a failed growth.
  if (status.fatal) PostQuitMessage(0);
  return !status.Ok();
}

}  // namespace

int CurveFitCommand(HWND, int, LPARAM) {
  const int slot = ActiveSlot();
  if (!Documents().IsOpen(slot)) return 0;
  PlotDocument& d = Documents().Document(slot);
  if (d.curveCount < 1) return 0;
  const bool commandMode = TheParameterCells().macroCommandActive != 0;
  int curve = 1;
  if (commandMode) {
    curve = TheParameterCells().firstCurve;
    if (curve < 1 || curve > d.curveCount) return 0;
  } else if (!PickOneCurve(d, "Curve fit ... which curve?", curve)) {
    return 0;
  }
  int order = TheParameterCells().intParameter;
  if (!commandMode) {
    const int highest = MaxDialogFitOrder(d.pointCount[curve]);
    order = std::min(INITIAL_FIT_ORDER, highest);
    if (!FitOrderDialog(order, highest)) return 0;
  }
  CurveFit fit;
  SetStatusHint(MSG_STATUS_CURVE_FIT);
  const Status fitted = FitCurve(d, curve, order, fit);
  SetStatusHint(0);
  if (Refused(fitted)) return 0;
  long long points = d.maxPoints;
  double lower = fit.lowX, upper = fit.highX;
  if (!commandMode) {
    ReadOnlyBox(CURVE_FIT_REPORT_CAPTION, CurveFitReport(fit), IDM_CURVE_FIT);
    points = fit.pointCount;
    if (!GeneratePointsDialog(points, lower, upper)) return 0;
  }
  int made = 0;
  if (Refused(GenerateFittedCurve(d, fit, points, lower, upper, made))) return 0;
  MarkCurveChanged(slot, made);
  RedrawDocument(slot);
  return 1;
}

}  // namespace merva::app
