// [XY(, [SelectCurve( and [FileArrays(: points and array shapes.

#include <cmath>

#include "automation/changed_curves.h"
#include "automation/command_arguments.h"
#include "automation/command_handlers.h"
#include "automation/menu_ids.h"
#include "core/array_sizing.h"
#include "core/messages.h"

namespace merva::commands {

namespace {

// Resizes the document's arrays; a loss of the data closes the program.
bool Resize(CommandRun& run, PlotDocument& d, int curves, int points) {
  Status status;
  if (d.curveCount > 0) {
    status = Reallocate(d, curves, points);
  } else {
    status = CheckNewWindowShape(curves, points);
    if (status.Ok()) status = Allocate(d, curves, points);
  }
  if (status.Ok()) {
    run.host.ArraysResized(run.conversation.docSlot);
    return true;
  }
  for (const Message& m : status.messages) run.failure.messages.push_back(m);
  if (status.fatal) run.host.CloseFrame();
  return false;
}

// Curves curveCount+1..n come into use, empty. A document that had no
// curves had no topic either: now it gets one.
void ExtendCurves(CommandRun& run, PlotDocument& d, int n) {
  const bool hadNone = d.curveCount == 0;
  for (int c = d.curveCount + 1; c <= n; ++c) {
    d.pointCount[c] = 0;
    d.InvalidateCurveStates(c);
  }
  d.curveCount = n;
  if (hadNone && n > 0) run.host.NameUnnamedDocument(run.conversation.docSlot);
}

// Moves the X window right by half its width as often as x needs.
bool ShiftWindowTo(AxisLimits& limits, double x) {
  const double half = (limits.xHigh - limits.xLow) / 2.0;
  if (!(half > 0) || !std::isfinite(half) || !std::isfinite(x)) return false;
  const double steps = std::ceil((x - limits.xHigh) / half);
  if (!std::isfinite(steps) || steps < 1) return false;
  limits.xLow += steps * half;
  limits.xHigh += steps * half;
  return true;
}

bool Inside(const AxisLimits& w, double x, double y) {
  const double xl = std::fmin(w.xLow, w.xHigh), xh = std::fmax(w.xLow, w.xHigh);
  const double yl = std::fmin(w.yLow[0], w.yHigh[0]), yh = std::fmax(w.yLow[0], w.yHigh[0]);
  return x >= xl && x <= xh && y >= yl && y <= yh;
}

}  // namespace

bool FileArrays(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int curves = 0, points = 0;
  if (!d || !ArgumentReader(a).I(curves).I(points).Ok()) return false;
  return Resize(run, *d, curves, points);
}

bool SelectCurve(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int n = 0;
  if (!d || !ArgumentReader(a).I(n).Ok() || n == 0) return false;
  if (n > MAX_CURVE_SLOTS) return false;
  if (n > d->curveCount) {
    if (n > d->maxCurves && !Resize(run, *d, n, d->maxPoints)) return false;
    ExtendCurves(run, *d, n);
  }
  run.conversation.selectedCurve = n;
  return true;
}

bool XY(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  float x = 0, y = 0;
  if (!d || !ArgumentReader(a).F(x).F(y).Ok()) return false;
  const int curve = run.CurveAtLeastOne();
  if (curve > d->maxCurves || !d->HasMatrices()) return false;
  if (curve > d->curveCount) ExtendCurves(run, *d, curve);
  if (d->pointCount[curve] >= d->maxPoints) return run.Fail(MSG_CURVE_FULL);
  const int point = ++d->pointCount[curve];
  d->X(curve, point) = x;
  d->Y(curve, point) = y;
  // Any appended X may break what the caches say.
  d->InvalidateCurveStates(curve);
  d->MarkChanged();
  MarkCurveChanged(run.conversation.docSlot, curve);

  if (d->manualScale && x > d->manualLimits.xHigh) {
    if (ShiftWindowTo(d->manualLimits, x)) {
      run.cells.firstCurve = run.cells.lastCurve = curve;
      return run.RunMenu(MENU_MANUAL_SCALE);
    }
    run.redrawPending = true;
  } else if (run.conversation.postponeRedraw == 0 && d->manualScale && point > 1 &&
             Inside(d->plotWindow, x, y)) {
    run.host.DrawLastSegment(run.conversation.docSlot, curve);
  } else {
    run.redrawPending = true;
  }
  return true;
}

}  // namespace merva::commands
