#include "app/data_processing_commands.h"

#include <string>

#include "app/curve_pickers.h"
#include "app/data_processing_ids.h"
#include "app/dialog_helpers.h"
#include "app/document_window.h"
#include "app/plot_dialogs.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "automation/changed_curves.h"
#include "automation/parameter_cells.h"
#include "core/messages.h"
#include "processing/data_processing.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

constexpr char CAPTION[] = "MERVA95";

bool CommandMode() { return TheParameterCells().macroCommandActive != 0; }

// The changed document is told to its links and redrawn.
int Changed(int slot, const Status& status) {
  Ui().ShowStatus(status, CAPTION);
  PlotDocument& d = Documents().Document(slot);
  if (d.curveCount > 0) MarkCurvesChanged(slot, 1, d.curveCount);
  RedrawDocument(slot);
  return status.Ok() ? 1 : 0;
}

// --- Data Processing dialog ---

void InitMode(HWND dialog, ProcessingChoice* c) {
  CheckRadioButton(dialog, IDC_STATE_OFF, IDC_STATE_ON, IDC_STATE_OFF + c->state);
  CheckRadioButton(dialog, IDC_TYPE_FIRST, IDC_TYPE_LAST, IDC_TYPE_FIRST + c->dataType);
  CheckRadioButton(dialog, IDC_FORMAT_FIRST, IDC_FORMAT_LAST, IDC_FORMAT_FIRST + c->format);
  SetChecked(dialog, IDC_GENERATED_LABELS, c->generatedLabels);
}

int CheckedOf(HWND dialog, int first, int last) {
  for (int id = first; id <= last; ++id)
    if (Checked(dialog, id)) return id - first;
  return 0;
}

INT_PTR CALLBACK ModeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ProcessingChoice* c = DialogState<ProcessingChoice>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      InitMode(dialog, c);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        c->state = Checked(dialog, IDC_STATE_ON) ? 1 : 0;
        c->dataType = CheckedOf(dialog, IDC_TYPE_FIRST, IDC_TYPE_LAST);
        c->format = CheckedOf(dialog, IDC_FORMAT_FIRST, IDC_FORMAT_LAST);
        c->generatedLabels = Checked(dialog, IDC_GENERATED_LABELS);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      return CancelOrHelp(dialog, wParam, IDM_DATA_PROCESSING) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

// Message 112 before curves may go; No returns to the dialog.
bool ReallocationAccepted(const PlotDocument& d, const ProcessingChoice& choice) {
  if (!ProcessingAsksReallocation(d, choice)) return true;
  return Ui().Ask(MessageText(MSG_REALLOCATION_LOSS), "Data Processing", MB_YESNO | MB_ICONQUESTION,
                  IDYES) == IDYES;
}

bool ChooseMode(const PlotDocument& d, ProcessingChoice& choice) {
  const ParameterCells& cells = TheParameterCells();
  if (CommandMode()) {
    choice.state = cells.processState;
    choice.dataType = cells.processRecordType;
    choice.format = cells.processOption;
    return ReallocationAccepted(d, choice);
  }
  do {
    if (RunDialog("DATAPROCESS", ModeProc, reinterpret_cast<LPARAM>(&choice)) != IDOK) return false;
  } while (!ReallocationAccepted(d, choice));
  return true;
}

int DataProcessing(int slot) {
  PlotDocument& d = Documents().Document(slot);
  if (CommandMode() && TheParameterCells().processReset) {
    d.processState = ProcessState{};
    d.processState.generatedLabels = Settings().mervaLabels;
  }
  ProcessingChoice choice = StoredProcessingChoice(d);
  if (!ChooseMode(d, choice)) return 0;
  const Status status = ApplyProcessingChoice(d, choice);
  if (status.fatal) {
    Ui().ShowStatus(status, CAPTION);
    CloseDocumentWindow(slot, false);
    return 0;
  }
  return Changed(slot, status);
}

// --- Baseline Shift dialog ---

struct ShiftEdit {
  ShiftRequest request;
  int dataType = DATA_PRESSURE;
};

void ShowRange(HWND dialog, bool shown) {
  for (int id : {IDC_SHIFT_START_TEXT, IDC_SHIFT_START, IDC_SHIFT_START_UNIT, IDC_SHIFT_END_TEXT,
                 IDC_SHIFT_END, IDC_SHIFT_END_UNIT})
    ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

void InitShift(HWND dialog, ShiftEdit* e) {
  // Velocity for an acceleration record; the impulse is in psi-sec, as the
  // plot shows it.
  const bool velocity = e->dataType == DATA_ACCELERATION;
  SetText(dialog, IDC_SHIFT_VALUE_TEXT, velocity ? "Shift &Velocity to:" : "Shift &Impulse to:");
  SetText(dialog, IDC_SHIFT_VALUE_UNIT, velocity ? "feet/sec" : "psi-sec");
  SetReal(dialog, IDC_SHIFT_TIME, e->request.targetTime);
  SetReal(dialog, IDC_SHIFT_VALUE, e->request.targetValue);
  SetReal(dialog, IDC_SHIFT_START, e->request.startTime);
  SetReal(dialog, IDC_SHIFT_END, e->request.endTime);
  SetChecked(dialog, IDC_CONSTANT_SHIFT, e->request.constant);
  ShowRange(dialog, !e->request.constant);
}

bool ReadAny(HWND dialog, int control, double& value) {
  return ReadReal(dialog, control, -1.0E300, 1.0E300, value);
}

bool AcceptShift(HWND dialog, ShiftEdit* e) {
  ShiftRequest r = e->request;
  r.constant = Checked(dialog, IDC_CONSTANT_SHIFT);
  if (!ReadAny(dialog, IDC_SHIFT_TIME, r.targetTime) ||
      !ReadAny(dialog, IDC_SHIFT_VALUE, r.targetValue))
    return false;
  if (!r.constant) {
    if (!ReadAny(dialog, IDC_SHIFT_START, r.startTime) ||
        !ReadAny(dialog, IDC_SHIFT_END, r.endTime))
      return false;
    const Status times = CheckShiftTimes(r);
    if (!times.Ok()) {
      const bool start = times.messages.front().number == MSG_START_TIME_ORDER;
      Refuse(dialog, start ? IDC_SHIFT_START : IDC_SHIFT_END, times, CAPTION);
      return false;
    }
  }
  e->request = r;
  return true;
}

INT_PTR CALLBACK ShiftProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ShiftEdit* e = DialogState<ShiftEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      InitShift(dialog, e);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (AcceptShift(dialog, e)) EndDialog(dialog, IDOK);
          return TRUE;
        case IDC_CONSTANT_SHIFT:
          ShowRange(dialog, !Checked(dialog, IDC_CONSTANT_SHIFT));
          return TRUE;
        default:
          return CancelOrHelp(dialog, wParam, IDM_BASELINE_SHIFT) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

int Baseline(int slot) {
  PlotDocument& d = Documents().Document(slot);
  const Status allowed =
      CheckShiftAllowed(d.processMode != 0, d.processState.dataType, d.processState.shiftCount);
  if (!allowed.Ok()) {
    Ui().ShowStatus(allowed, CAPTION);
    return 0;
  }
  ShiftEdit edit{StoredShiftRequest(d), d.processState.dataType};
  if (CommandMode()) {
    const ParameterCells& cells = TheParameterCells();
    edit.request = {cells.shiftTime, cells.shiftValue, cells.shiftStart, cells.shiftStop,
                    cells.constantShift != 0};
  } else if (RunDialog("BASELINESHIFT", ShiftProc, reinterpret_cast<LPARAM>(&edit)) != IDOK) {
    return 0;
  }
  StoreShiftRequest(d, edit.request);
  return Changed(slot, ShiftBaseline(d, edit.request));
}

int ListShifts(int slot) {
  const PlotDocument& d = Documents().Document(slot);
  std::string text;
  const Status status = ListEditions(d.processMode != 0, d.processState, text);
  if (!status.Ok()) {
    Ui().ShowStatus(status, CAPTION);
    return 0;
  }
  Ui().Show(text, "List Editions", MB_ICONINFORMATION);
  return 1;
}

int Undo(int slot) {
  PlotDocument& d = Documents().Document(slot);
  if (d.processMode == 0) return 0;
  return Changed(slot, UndoLastShift(d));
}

// --- Integrate and Differentiate ---

// The curve of a command, or the picked one (no picker for a single curve).
bool OperationCurve(const PlotDocument& d, const char* prompt, int& curve) {
  if (CommandMode()) {
    curve = TheParameterCells().firstCurve;
    return curve >= 1 && curve <= d.curveCount;
  }
  curve = 1;
  return d.curveCount == 1 || PickOneCurve(d, prompt, curve);
}

// A new curve was made (or refused).
int Added(int slot, const Status& status, int curve) {
  Ui().ShowStatus(status, CAPTION);
  if (!status.Ok()) return 0;
  MarkCurvesChanged(slot, curve, curve);
  RedrawDocument(slot);
  return 1;
}

int Integrate(int slot) {
  PlotDocument& d = Documents().Document(slot);
  int curve = 0, result = 0;
  if (!OperationCurve(d, "Integrate which curve?", curve)) return 0;
  SetStatusHint(MSG_STATUS_INTEGRATING);
  const Status status = IntegrateCurve(d, curve, result);
  SetStatusHint(0);
  return Added(slot, status, result);
}

struct DifferentiateEdit {
  int method = DIFFERENTIATE_TRAPEZOID;
  double initial = 0.0;
  bool choice = true;  // evenly spaced X allows both methods
};

void ShowInitialValue(HWND dialog) {
  const int shown = Checked(dialog, IDC_TRAPEZOIDAL) ? SW_SHOW : SW_HIDE;
  ShowWindow(GetDlgItem(dialog, IDC_INITIAL_VALUE_TEXT), shown);
  ShowWindow(GetDlgItem(dialog, IDC_INITIAL_VALUE), shown);
}

INT_PTR CALLBACK DifferentiateProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DifferentiateEdit* e = DialogState<DifferentiateEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      CheckRadioButton(dialog, IDC_TRAPEZOIDAL, IDC_QUADRATIC,
                       e->method == DIFFERENTIATE_QUADRATIC ? IDC_QUADRATIC : IDC_TRAPEZOIDAL);
      EnableWindow(GetDlgItem(dialog, IDC_TRAPEZOIDAL), e->choice);
      EnableWindow(GetDlgItem(dialog, IDC_QUADRATIC), e->choice);
      SetReal(dialog, IDC_INITIAL_VALUE, e->initial);
      ShowInitialValue(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          e->method =
              Checked(dialog, IDC_QUADRATIC) ? DIFFERENTIATE_QUADRATIC : DIFFERENTIATE_TRAPEZOID;
          if (e->method == DIFFERENTIATE_TRAPEZOID &&
              !ReadReal(dialog, IDC_INITIAL_VALUE, -1.0E300, 1.0E300, e->initial))
            return TRUE;
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDC_TRAPEZOIDAL:
        case IDC_QUADRATIC:
          ShowInitialValue(dialog);
          return TRUE;
        default:
          return CancelOrHelp(dialog, wParam, IDM_DIFFERENTIATE) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

int Differentiate(int slot) {
  PlotDocument& d = Documents().Document(slot);
  int curve = 0, result = 0;
  if (!OperationCurve(d, "Differentiate which curve?", curve)) return 0;
  const bool even = SpacingState(d, curve) == STATE_YES;
  DifferentiateEdit edit;
  if (CommandMode()) {
    edit.method = even ? DIFFERENTIATE_QUADRATIC : DIFFERENTIATE_TRAPEZOID;
  } else {
    edit.choice = even;
    if (RunDialog("DIFFERENTIATE", DifferentiateProc, reinterpret_cast<LPARAM>(&edit)) != IDOK)
      return 0;
  }
  SetStatusHint(MSG_STATUS_DIFFERENTIATING);
  const Status status = DifferentiateCurve(d, curve, edit.method, edit.initial, result);
  SetStatusHint(0);
  return Added(slot, status, result);
}

int SwitchView(int slot) {
  if (!SwitchRecordView(Documents().Document(slot))) return 0;
  RedrawDocument(slot);
  return 1;
}

}  // namespace

int DataProcessingCommand(HWND, int commandId, LPARAM) {
  const int slot = ActiveSlot();
  if (slot == 0) return 0;
  switch (commandId) {
    case IDM_DATA_PROCESSING:
      return DataProcessing(slot);
    case IDM_BASELINE_SHIFT:
      return Baseline(slot);
    case IDM_LIST_EDITIONS:
      return ListShifts(slot);
    case IDM_UNDO_SHIFT:
      return Undo(slot);
    case IDM_INTEGRATE:
      return Integrate(slot);
    case IDM_DIFFERENTIATE:
      return Differentiate(slot);
    case IDM_SWITCH_PLOTS:
      return SwitchView(slot);
    default:
      return 0;
  }
}

int FinishRecordEdit(int slot, bool wasShift) {
  PlotDocument& d = Documents().Document(slot);
  if (d.processMode == 0) return 1;
  return Changed(slot, AfterRecordEdit(d, wasShift));
}

std::string RecordViewMenuText(const PlotDocument* d) {
  if (!d || d->processMode == 0 || d->processState.dataType != DATA_ACCELERATION) return {};
  return d->processView == VIEW_INTEGRALS ? "A&cceleration\tShift+TAB"
                                          : "&Velocity/Displacement\tShift+TAB";
}

}  // namespace merva::app
