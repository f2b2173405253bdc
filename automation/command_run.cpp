#include "automation/command_run.h"

#include "automation/changed_curves.h"

namespace merva {

int ClampInt(int value, int low, int high) {
  return value < low ? low : (value > high ? high : value);
}

PlotDocument* CommandRun::Document() {
  DocumentTable& documents = host.Documents();
  return documents.IsOpen(conversation.docSlot) ? &documents.Document(conversation.docSlot)
                                                : nullptr;
}

int CommandRun::CurveAtLeastOne() const {
  return conversation.selectedCurve < 1 ? 1 : conversation.selectedCurve;
}

void CommandRun::SetCurveRange() {
  if (conversation.selectedCurve < 0) {
    const PlotDocument* d = Document();
    cells.firstCurve = 1;
    cells.lastCurve = d ? d->curveCount : 0;
  } else {
    cells.firstCurve = CurveAtLeastOne();
    cells.lastCurve = cells.firstCurve;
  }
}

bool CommandRun::RunMenu(int commandId, long messageParameter) {
  host.ActivateDocument(conversation.docSlot);
  cells.macroCommandActive = 1;
  const bool done = host.SendMenuCommand(commandId, messageParameter);
  cells.macroCommandActive = 0;
  if (done) MarkCurvesChanged(conversation.docSlot, cells.firstCurve, cells.lastCurve);
  return done;
}

bool CommandRun::RunMenuEachCurve(int commandId) {
  const int last = cells.lastCurve;
  for (int curve = cells.firstCurve; curve <= last; ++curve) {
    cells.firstCurve = curve;
    cells.lastCurve = last;
    if (!RunMenu(commandId)) return false;
  }
  return true;
}

bool CommandRun::Toggle(int wanted, int current, int commandId) {
  wanted = ClampInt(wanted, 0, 1);
  if (wanted == (current != 0 ? 1 : 0)) return true;
  return RunMenu(commandId);
}

void CommandRun::FlushRedraw() {
  if (redrawPending && conversation.postponeRedraw == 0 && Document())
    host.RedrawDocument(conversation.docSlot);
  redrawPending = false;
}

}  // namespace merva
