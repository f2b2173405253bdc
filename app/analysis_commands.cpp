#include "app/analysis_commands.h"

#include <algorithm>
#include <cmath>

#include "app/analysis_dialogs.h"
#include "app/curve_pickers.h"
#include "app/document_window.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "automation/changed_curves.h"
#include "automation/parameter_cells.h"
#include "core/messages.h"
#include "processing/average_curves.h"
#include "processing/curve_analysis.h"
#include "processing/curve_functions.h"
#include "processing/histogram.h"
#include "processing/polynomial.h"

namespace merva::app {

namespace {

// Choices kept for the whole program between uses.
CurveFunctionChoice& LastCurveFunction() {
  static CurveFunctionChoice choice;
  return choice;
}
PolynomialCoefficients& LastPolynomial() {
  static PolynomialCoefficients coefficients = [] {
    PolynomialCoefficients c{};
    c[1] = 1.0;
    return c;
  }();
  return coefficients;
}

bool CommandMode() { return TheParameterCells().macroCommandActive != 0; }

// A new curve was added: it is marked for the links and drawn.
int CurveAdded(int slot, const Status& status, const char* caption) {
  PlotDocument& d = Documents().Document(slot);
  if (!status.messages.empty()) Ui().ShowStatus(status, caption);
  // The arrays could not be restored after a failed growth.
  if (status.fatal) PostQuitMessage(0);
  if (!status.Ok()) return 0;
  MarkCurveChanged(slot, d.curveCount);
  RedrawDocument(slot);
  return 1;
}

// The one curve of an operation: the command's curve, else the picker.
bool OneCurve(const PlotDocument& d, const char* prompt, int& curve) {
  if (CommandMode()) {
    curve = TheParameterCells().firstCurve;
    return curve >= 1 && curve <= d.curveCount;
  }
  return PickOneCurve(d, prompt, curve);
}

int AverageAll(int slot) {
  SetStatusHint(MSG_STATUS_AVERAGING);
  const Status status = AverageAllCurves(Documents().Document(slot));
  SetStatusHint(0);
  return CurveAdded(slot, status, "Average All Curves");
}

int Polynomial(int slot) {
  PlotDocument& d = Documents().Document(slot);
  int curve = 1;
  if (d.curveCount > 1 && !OneCurve(d, "Which curve?", curve)) return 0;
  PolynomialCoefficients& c = LastPolynomial();
  if (!CommandMode() && !PolynomialDialog(c)) return 0;
  return CurveAdded(slot, PolynomialTransform(d, curve, c), "Polynomial Transformation");
}

int CurveFunction(int slot) {
  PlotDocument& d = Documents().Document(slot);
  CurveFunctionChoice& choice = LastCurveFunction();
  if (CommandMode()) {
    const ParameterCells& cells = TheParameterCells();
    choice = {cells.curveOpY1, cells.curveOpY2, cells.curveOp};
  } else if (!CurveFunctionDialog(d, choice)) {
    return 0;
  }
  return CurveAdded(slot, CombineCurves(d, choice.y1, choice.y2, choice.operation),
                    "Y3 = f(Y1,Y2)");
}

int Histogram(int slot) {
  const PlotDocument& source = Documents().Document(slot);
  int curve = 1;
  if (!OneCurve(source, "Histogram for which curve?", curve)) return 0;
  HistogramStatistics statistics;
  if (!ComputeHistogramStatistics(source, curve, statistics)) {
    Ui().Show(NO_FINITE_VALUES, "Histogram");
    return 0;
  }
  double interval = statistics.defaultInterval;
  // The window comes first; a cancelled dialog closes it again.
  const int target = NewDocumentWindow(false);
  if (target == 0) return 0;
  if (CommandMode()) {
    interval = TheParameterCells().constantValue;
  } else if (!AnyRealDialog("Histogram\\&Enter histogram interval:", interval)) {
    CloseDocumentWindow(target, false);
    ActivateDocumentWindow(slot);
    return 0;
  }
  PlotDocument& h = Documents().Document(target);
  const Status status = BuildHistogram(source, curve, interval, h);
  if (!status.Ok()) {
    Ui().ShowStatus(status, "Histogram");
    if (status.fatal) PostQuitMessage(0);
    CloseDocumentWindow(target, false);
    ActivateDocumentWindow(slot);
    return 0;
  }
  NameDocumentWindow(target, HISTOGRAM_TITLE);
  ActivateDocumentWindow(target);
  RedrawDocument(target);
  return 1;
}

int ListPeaks(int slot) {
  const PlotDocument& d = Documents().Document(slot);
  ReadOnlyBox(PEAK_VALUES_CAPTION, PeakValuesText(d, ReportNumbers(d)), IDM_LIST_PEAKS);
  return 1;
}

int NumberOfPoints(int slot) {
  ReadOnlyBox(POINT_COUNT_CAPTION, PointCountText(Documents().Document(slot)),
              IDM_NUMBER_OF_POINTS);
  return 1;
}

// The document's X range over every curve.
void XRange(const PlotDocument& d, double& low, double& high) {
  bool any = false;
  for (int c = 1; c <= d.curveCount; ++c)
    for (int i = 1; i <= d.pointCount[c]; ++i) {
      const double x = d.X(c, i);
      if (!std::isfinite(x)) continue;
      low = any ? std::min(low, x) : x;
      high = any ? std::max(high, x) : x;
      any = true;
    }
}

int Interpolate(int slot) {
  PlotDocument& d = Documents().Document(slot);
  double low = 0.0, high = 0.0;
  XRange(d, low, high);
  double x = low;
  if (!RangedRealDialog("Interpolate\\&X value:", x, low, high)) return 0;
  ReadOnlyBox(INTERPOLATION_CAPTION, InterpolationText(d, x, ReportNumbers(d)), IDM_INTERPOLATE);
  return 1;
}

int FindBaselineCommand(int slot) {
  const PlotDocument& d = Documents().Document(slot);
  int curve = 1;
  if (!OneCurve(d, "For which curve?", curve)) return 0;
  const int n = d.pointCount[curve];
  if (n < 1) {
    Ui().Show(NO_POINTS_IN_RANGE, "Find Baseline");
    return 0;
  }
  double lower = d.X(curve, 1), upper = d.X(curve, n);
  if (!XLimitsDialog("Find average value from ...", lower, upper)) return 0;
  double mean = 0.0;
  const Status status = FindBaseline(d, curve, lower, upper, mean);
  if (!status.Ok()) {
    Ui().ShowStatus(status, "Find Baseline");
    return 0;
  }
  Ui().Show(status.messages.front().text, "Find Baseline", MB_ICONINFORMATION);
  return 1;
}

int Scan(int slot) {
  const PlotDocument& d = Documents().Document(slot);
  int curve = 1;
  if (!OneCurve(d, "Scan which curve?", curve)) return 0;
  ScanPointsDialog(slot, curve);
  return 1;
}

}  // namespace

int AnalysisCommand(HWND, int commandId, LPARAM) {
  const int slot = ActiveSlot();
  if (!Documents().IsOpen(slot) || Documents().Document(slot).curveCount < 1) return 0;
  switch (commandId) {
    case IDM_AVERAGE_ALL:
      return AverageAll(slot);
    case IDM_POLY:
      return Polynomial(slot);
    case IDM_HISTOGRAM:
      return Histogram(slot);
    case IDM_CURVE_FUNCTION:
      return CurveFunction(slot);
    case IDM_LIST_PEAKS:
      return ListPeaks(slot);
    case IDM_INTERPOLATE:
      return Interpolate(slot);
    case IDM_SCAN:
      return Scan(slot);
    case IDM_FIND_BASELINE:
      return FindBaselineCommand(slot);
    case IDM_NUMBER_OF_POINTS:
      return NumberOfPoints(slot);
    default:
      return 0;
  }
}

}  // namespace merva::app
