#include "app/filter_dialog.h"

#include <windows.h>

#include <cfloat>

#include "app/dialog_helpers.h"
#include "app/filter_ids.h"
#include "app/help.h"
#include "app/plot_dialogs.h"
#include "app/resource_ids.h"
#include "app/ui_host.h"
#include "core/dialog_values.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

const char* const FILTER_CAPTION = "Filter";

double* CoefficientSlot(RecursiveCoefficients& k, int index) {
  double* slots[] = {&k.c0, &k.c1, &k.c2, &k.d1, &k.d2};
  return slots[index];
}

int SelectedType(HWND dialog) {
  const LRESULT index = SendDlgItemMessageA(dialog, IDC_FILTER_TYPE, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? FILTER_TYPE_USER : static_cast<int>(index);
}

double SampleIntervalOf(HWND dialog, const FilterChoice& c) {
  return Checked(dialog, IDC_FILTER_MILLISECONDS) ? c.spacing * 0.001 : c.spacing;
}

// A field read without complaint: the value, or `fallback` when it is not a number.
double Lenient(HWND dialog, int control, double fallback) {
  double value = 0.0;
  return ParseDialogReal(Text(dialog, control), value) ? value : fallback;
}

// The user's coefficients are kept while another type shows its own.
void KeepUserCoefficients(HWND dialog, FilterChoice& c) {
  for (int i = 0; i < 5; ++i) {
    double* slot = CoefficientSlot(c.settings.coefficients, i);
    *slot = Lenient(dialog, IDC_FILTER_C0 + i, *slot);
  }
}

void ShowCoefficients(HWND dialog, FilterChoice& c, int type) {
  const bool recursive = IsRecursiveFilter(type);
  FilterSettings s = c.settings;
  s.type = type;
  s.rejectFrequency = Lenient(dialog, IDC_FILTER_FREQUENCY, s.rejectFrequency);
  s.bandwidth = Lenient(dialog, IDC_FILTER_BANDWIDTH, s.bandwidth);
  const double dt = SampleIntervalOf(dialog, c);
  const bool designed =
      !NeedsRejectFrequency(type) || RejectionFrequencyValid(s.rejectFrequency, dt);
  RecursiveCoefficients k = CoefficientsOf(s, dt);
  for (int i = 0; i < 5; ++i) {
    // The user's own coefficients are left as typed.
    if (type != FILTER_TYPE_USER && recursive && designed)
      SetReal(dialog, IDC_FILTER_C0 + i, *CoefficientSlot(k, i));
    else if (type != FILTER_TYPE_USER)
      SetText(dialog, IDC_FILTER_C0 + i, "");
    EnableWindow(GetDlgItem(dialog, IDC_FILTER_C0 + i), type == FILTER_TYPE_USER);
  }
  EnableWindow(GetDlgItem(dialog, IDC_FILTER_FREQUENCY), NeedsRejectFrequency(type));
  EnableWindow(GetDlgItem(dialog, IDC_FILTER_BANDWIDTH), type == FILTER_TYPE_PRESS);
  const bool timed = NeedsRejectFrequency(type);
  EnableWindow(GetDlgItem(dialog, IDC_FILTER_SECONDS), timed);
  EnableWindow(GetDlgItem(dialog, IDC_FILTER_MILLISECONDS), timed);
  EnableWindow(GetDlgItem(dialog, IDC_FILTER_TWO_PASS), type != FILTER_TYPE_SPIKES);
}

void Init(HWND dialog, FilterChoice& c) {
  for (const char* name : FILTER_TYPE_NAMES)
    SendDlgItemMessageA(dialog, IDC_FILTER_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  const int type = c.settings.type >= 0 && c.settings.type < FILTER_TYPE_COUNT ? c.settings.type
                                                                               : FILTER_TYPE_USER;
  SendDlgItemMessageA(dialog, IDC_FILTER_TYPE, CB_SETCURSEL, static_cast<WPARAM>(type), 0);
  SetReal(dialog, IDC_FILTER_FREQUENCY, c.settings.rejectFrequency);
  SetReal(dialog, IDC_FILTER_BANDWIDTH, c.settings.bandwidth);
  CheckRadioButton(dialog, IDC_FILTER_SECONDS, IDC_FILTER_MILLISECONDS,
                   c.settings.milliseconds ? IDC_FILTER_MILLISECONDS : IDC_FILTER_SECONDS);
  SetChecked(dialog, IDC_FILTER_TWO_PASS, c.settings.twoPass);
  SetChecked(dialog, IDC_FILTER_REPLACE, c.replace || !c.showReplace);
  EnableWindow(GetDlgItem(dialog, IDC_FILTER_REPLACE), c.showReplace);
  for (int i = 0; i < 5; ++i)
    SetReal(dialog, IDC_FILTER_C0 + i, *CoefficientSlot(c.settings.coefficients, i));
  ShowCoefficients(dialog, c, type);
}

bool Accept(HWND dialog, FilterChoice& c) {
  FilterSettings s = c.settings;
  s.type = SelectedType(dialog);
  s.milliseconds = Checked(dialog, IDC_FILTER_MILLISECONDS);
  s.twoPass = Checked(dialog, IDC_FILTER_TWO_PASS);
  const double dt = SampleIntervalOf(dialog, c);
  if (NeedsRejectFrequency(s.type)) {
    double f0 = 0.0;
    if (!ParseDialogReal(Text(dialog, IDC_FILTER_FREQUENCY), f0) ||
        !RejectionFrequencyValid(f0, dt)) {
      Refuse(dialog, IDC_FILTER_FREQUENCY, Status::Failure(RejectionFrequencyText(dt)),
             FILTER_CAPTION);
      return false;
    }
    s.rejectFrequency = f0;
  }
  if (s.type == FILTER_TYPE_PRESS &&
      !ReadReal(dialog, IDC_FILTER_BANDWIDTH, DBL_MIN, DBL_MAX, s.bandwidth))
    return false;
  if (s.type == FILTER_TYPE_USER) {
    for (int i = 0; i < 5; ++i)
      if (!ReadReal(dialog, IDC_FILTER_C0 + i, -DBL_MAX, DBL_MAX,
                    *CoefficientSlot(s.coefficients, i)))
        return false;
  }
  c.settings = s;
  c.replace = !c.showReplace || Checked(dialog, IDC_FILTER_REPLACE);
  return true;
}

INT_PTR CALLBACK FilterProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  FilterChoice* c = DialogState<FilterChoice>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog, *c);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (Accept(dialog, *c)) EndDialog(dialog, IDOK);
          return TRUE;
        case IDC_FILTER_HELP:
          OpenHelpContext(IDM_FILTER);
          return TRUE;
        case IDC_FILTER_TYPE:
          if (HIWORD(wParam) != CBN_SELCHANGE) return FALSE;
          if (IsWindowEnabled(GetDlgItem(dialog, IDC_FILTER_C0))) KeepUserCoefficients(dialog, *c);
          if (SelectedType(dialog) == FILTER_TYPE_USER) {
            for (int i = 0; i < 5; ++i)
              SetReal(dialog, IDC_FILTER_C0 + i, *CoefficientSlot(c->settings.coefficients, i));
          }
          ShowCoefficients(dialog, *c, SelectedType(dialog));
          return TRUE;
        case IDC_FILTER_SECONDS:
        case IDC_FILTER_MILLISECONDS:
          ShowCoefficients(dialog, *c, SelectedType(dialog));
          return TRUE;
        case IDC_FILTER_FREQUENCY:
        case IDC_FILTER_BANDWIDTH:
          if (HIWORD(wParam) == EN_KILLFOCUS) ShowCoefficients(dialog, *c, SelectedType(dialog));
          return TRUE;
        default:
          return EndOnCancel(dialog, wParam) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

bool FilterDialog(FilterChoice& choice) {
  return RunDialog("FILTER", FilterProc, reinterpret_cast<LPARAM>(&choice)) == IDOK;
}

}  // namespace merva::app
