#include "app/editing_dialogs.h"

#include <windows.h>

#include <cfloat>
#include <cstdio>
#include <string>

#include "app/dialog_helpers.h"
#include "app/editing_dialogs_ids.h"
#include "app/plot_dialogs.h"
#include "app/ui_host.h"
#include "core/dialog_values.h"
#include "core/messages.h"
#include "processing/equal_intervals.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

// Every value a single-precision point can hold.
bool ReadAnyReal(HWND dialog, int control, double& value) {
  return ReadReal(dialog, control, -FLT_MAX, FLT_MAX, value);
}

struct RealRequest {
  std::string caption;
  std::string prompt;
  double value = 0.0;
  XLimits limits;
  bool withLimits = false;
};

void InitReal(HWND dialog, RealRequest* r) {
  SetWindowTextA(dialog, r->caption.c_str());
  SetText(dialog, IDC_EDIT_PROMPT, r->prompt);
  SetReal(dialog, IDC_EDIT_VALUE, r->value);
  if (r->withLimits) {
    SetReal(dialog, IDC_EDIT_FROM, r->limits.from);
    SetReal(dialog, IDC_EDIT_TO, r->limits.to);
  }
}

bool AcceptReal(HWND dialog, RealRequest* r) {
  double value = 0, from = 0, to = 0;
  if (!ReadAnyReal(dialog, IDC_EDIT_VALUE, value)) return false;
  if (r->withLimits &&
      (!ReadAnyReal(dialog, IDC_EDIT_FROM, from) || !ReadAnyReal(dialog, IDC_EDIT_TO, to)))
    return false;
  r->value = value;
  if (r->withLimits) r->limits = from <= to ? XLimits{from, to} : XLimits{to, from};
  return true;
}

void InitLimits(HWND dialog, XLimits* limits) {
  SetReal(dialog, IDC_EDIT_VALUE, limits->from);
  SetReal(dialog, IDC_EDIT_FROM, limits->to);
}

bool AcceptLimits(HWND dialog, XLimits* limits) {
  double lower = 0, upper = 0;
  if (!ReadAnyReal(dialog, IDC_EDIT_VALUE, lower) || !ReadAnyReal(dialog, IDC_EDIT_FROM, upper))
    return false;
  *limits = lower <= upper ? XLimits{lower, upper} : XLimits{upper, lower};
  return true;
}

void InitSpacing(HWND dialog, EqualIntervalChoice* c) {
  SetReal(dialog, IDC_EDIT_VALUE, c->interval);
  CheckRadioButton(dialog, IDC_METHOD_FIRST, IDC_METHOD_LAST, IDC_METHOD_FIRST + c->method - 1);
  SetChecked(dialog, IDC_REPLACE_CURVE, c->replace);
  ShowWindow(GetDlgItem(dialog, IDC_REPLACE_CURVE), c->showReplace ? SW_SHOW : SW_HIDE);
}

bool AcceptSpacing(HWND dialog, EqualIntervalChoice* c) {
  double interval = 0;
  if (!ParseDialogReal(Text(dialog, IDC_EDIT_VALUE), interval) || !(interval > 0.0)) {
    Refuse(dialog, IDC_EDIT_VALUE, Status::Failure(SPACING_NOT_POSITIVE_TEXT),
           OUT_OF_RANGE_CAPTION);
    return false;
  }
  if (!ReadReal(dialog, IDC_EDIT_VALUE, FLT_MIN, FLT_MAX, interval)) return false;
  c->interval = interval;
  for (int m = METHOD_LINEAR; m <= METHOD_SPLINE; ++m)
    if (Checked(dialog, IDC_METHOD_FIRST + m - 1)) c->method = m;
  c->replace = Checked(dialog, IDC_REPLACE_CURVE);
  return true;
}

void ShowRange(HWND dialog) {
  const bool range = !Checked(dialog, IDC_ALL_POINTS);
  EnableWindow(GetDlgItem(dialog, IDC_RANGE_START), range);
  EnableWindow(GetDlgItem(dialog, IDC_RANGE_END), range);
}

void InitDecimation(HWND dialog, DecimationChoice* c) {
  const bool depopulate = c->kind == DecimationKind::Depopulate;
  if (!depopulate) {
    const bool average = c->kind == DecimationKind::Average;
    SetWindowTextA(dialog, average ? "Average Points" : "Skip Points");
    SetText(
        dialog, IDC_DECIMATE_TEXT,
        average ? "Decimate curve by averaging amplitudes" : "Decimate curve by deleting points");
    SetInteger(dialog, IDC_EDIT_VALUE, static_cast<int>(c->value));
  } else {
    SetReal(dialog, IDC_EDIT_VALUE, c->value);
  }
  SetChecked(dialog, IDC_ALL_POINTS, c->range.allPoints);
  SetReal(dialog, IDC_RANGE_START, c->range.start);
  SetReal(dialog, IDC_RANGE_END, c->range.end);
  SetChecked(dialog, IDC_REPLACE_CURVE, c->replace);
  ShowWindow(GetDlgItem(dialog, IDC_REPLACE_CURVE), c->showReplace ? SW_SHOW : SW_HIDE);
  ShowRange(dialog);
}

bool AcceptDecimation(HWND dialog, DecimationChoice* c) {
  double value = 0;
  if (c->kind == DecimationKind::Depopulate) {
    if (!ParseDialogReal(Text(dialog, IDC_EDIT_VALUE), value) || !(value > 0.0 && value < 100.0)) {
      Refuse(dialog, IDC_EDIT_VALUE, Status::Failure(MSG_FIDELITY_RANGE), OUT_OF_RANGE_CAPTION);
      return false;
    }
  } else {
    int every = 0;
    if (!ReadInteger(dialog, IDC_EDIT_VALUE, 2, c->maxEvery, every)) return false;
    value = every;
  }
  DecimationRange range;
  range.allPoints = Checked(dialog, IDC_ALL_POINTS);
  if (!ReadAnyReal(dialog, IDC_RANGE_START, range.start) ||
      !ReadAnyReal(dialog, IDC_RANGE_END, range.end))
    return false;
  if (range.start > range.end) std::swap(range.start, range.end);
  c->value = value;
  c->range = range;
  c->replace = c->showReplace && Checked(dialog, IDC_REPLACE_CURVE);
  return true;
}

INT_PTR CALLBACK DecimationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_ALL_POINTS) {
    ShowRange(dialog);
    return TRUE;
  }
  return FieldsDialogProc<DecimationChoice, InitDecimation, AcceptDecimation>(dialog, message,
                                                                              wParam, lParam);
}

template <class T>
bool Run(const char* name, DLGPROC procedure, T& state) {
  return RunDialog(name, procedure, reinterpret_cast<LPARAM>(&state)) == IDOK;
}

}  // namespace

bool EditRealDialog(const char* captionAndPrompt, double& value) {
  const std::string text = captionAndPrompt;
  const std::size_t split = text.find('\\');
  RealRequest r;
  r.caption = text.substr(0, split);
  r.prompt = split == std::string::npos ? "" : text.substr(split + 1);
  r.value = value;
  if (!Run("EDIT_REAL", FieldsDialogProc<RealRequest, InitReal, AcceptReal>, r)) return false;
  value = r.value;
  return true;
}

bool EditYDialog(const std::string& caption, const char* prompt, double& value, XLimits& limits) {
  RealRequest r{caption, prompt, value, limits, true};
  if (!Run("EDIT_Y", FieldsDialogProc<RealRequest, InitReal, AcceptReal>, r)) return false;
  value = r.value;
  limits = r.limits;
  return true;
}

bool TruncationLimitsDialog(XLimits& limits) {
  return Run("REALLIMITS", FieldsDialogProc<XLimits, InitLimits, AcceptLimits>, limits);
}

bool ConstantDxDialog(EqualIntervalChoice& choice) {
  return Run("CONSTANTDX", FieldsDialogProc<EqualIntervalChoice, InitSpacing, AcceptSpacing>,
             choice);
}

bool DecimationDialog(DecimationChoice& choice) {
  const char* name = choice.kind == DecimationKind::Depopulate ? "DEPOPULATE" : "SKIPPOINTS";
  return Run(name, DecimationProc, choice);
}

}  // namespace merva::app
