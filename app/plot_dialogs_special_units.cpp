#include <cfloat>

#include "app/dialog_helpers.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/ui_host.h"
#include "core/dialog_values.h"
#include "render/tripartite_units.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

constexpr double LIMIT = FLT_MAX;

void EnableUser(HWND dialog, bool user, const int* controls, int count) {
  for (int i = 0; i < count; ++i) EnableWindow(GetDlgItem(dialog, controls[i]), user);
}

constexpr int kTripartiteUser[] = {IDC_UNIT_A, IDC_UNIT_B, IDC_UNIT_LABEL1, IDC_UNIT_LABEL2};
constexpr int kGrainUser[] = {IDC_GRAIN_FACTOR, IDC_GRAIN_LABEL};

INT_PTR CALLBACK TripartiteProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* d = DialogState<PlotDocument>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      const bool user = d->unitSystem == USER_UNITS;
      const int set = d->unitSystem < TRIPARTITE_UNIT_SETS ? d->unitSystem : 0;
      CheckRadioButton(dialog, IDC_UNIT_SET_FIRST, IDC_UNIT_USER,
                       user ? IDC_UNIT_USER : IDC_UNIT_SET_FIRST + set);
      SetReal(dialog, IDC_UNIT_A, d->unitFactor1);
      SetReal(dialog, IDC_UNIT_B, d->unitFactor2);
      SendDlgItemMessageA(dialog, IDC_UNIT_LABEL1, EM_LIMITTEXT, UNIT_LABEL_WIDTH, 0);
      SendDlgItemMessageA(dialog, IDC_UNIT_LABEL2, EM_LIMITTEXT, UNIT_LABEL_WIDTH, 0);
      SetText(dialog, IDC_UNIT_LABEL1, std::string(d->unitLabel1.Trimmed()));
      SetText(dialog, IDC_UNIT_LABEL2, std::string(d->unitLabel2.Trimmed()));
      EnableUser(dialog, user, kTripartiteUser, 4);
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= IDC_UNIT_SET_FIRST && id <= IDC_UNIT_USER) {
        EnableUser(dialog, id == IDC_UNIT_USER, kTripartiteUser, 4);
        return TRUE;
      }
      if (id == IDOK) {
        const bool user = Checked(dialog, IDC_UNIT_USER);
        double a = d->unitFactor1, b = d->unitFactor2;
        if (user && (!ReadReal(dialog, IDC_UNIT_A, -LIMIT, LIMIT, a) ||
                     !ReadReal(dialog, IDC_UNIT_B, -LIMIT, LIMIT, b)))
          return TRUE;
        int set = 0;
        for (int i = 0; i < TRIPARTITE_UNIT_SETS; ++i)
          if (Checked(dialog, IDC_UNIT_SET_FIRST + i)) set = i;
        d->unitSystem = static_cast<uint8_t>(user ? USER_UNITS : set);
        if (user) {
          d->unitFactor1 = a;
          d->unitFactor2 = b;
          d->unitLabel1.Set(Text(dialog, IDC_UNIT_LABEL1));
          d->unitLabel2.Set(Text(dialog, IDC_UNIT_LABEL2));
        }
        EndDialog(dialog, IDOK);
      } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK GrainSizeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* d = DialogState<PlotDocument>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      const int choice = d->unitSystem == USER_UNITS           ? IDC_GRAIN_USER
                         : d->unitSystem == GRAIN_UNITS_INCHES ? IDC_GRAIN_INCHES
                                                               : IDC_GRAIN_MM;
      CheckRadioButton(dialog, IDC_GRAIN_MM, IDC_GRAIN_USER, choice);
      SetReal(dialog, IDC_GRAIN_FACTOR, d->unitFactor1);
      SendDlgItemMessageA(dialog, IDC_GRAIN_LABEL, EM_LIMITTEXT, UNIT_LABEL_WIDTH, 0);
      SetText(dialog, IDC_GRAIN_LABEL, std::string(d->unitLabel1.Trimmed()));
      EnableUser(dialog, choice == IDC_GRAIN_USER, kGrainUser, 2);
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= IDC_GRAIN_MM && id <= IDC_GRAIN_USER) {
        EnableUser(dialog, id == IDC_GRAIN_USER, kGrainUser, 2);
        return TRUE;
      }
      if (id == IDOK) {
        const bool user = Checked(dialog, IDC_GRAIN_USER);
        double k = d->unitFactor1;
        if (user && !ReadReal(dialog, IDC_GRAIN_FACTOR, -LIMIT, LIMIT, k)) return TRUE;
        d->unitSystem =
            static_cast<uint8_t>(user                                ? USER_UNITS
                                 : Checked(dialog, IDC_GRAIN_INCHES) ? GRAIN_UNITS_INCHES
                                                                     : GRAIN_UNITS_MILLIMETERS);
        if (user) {
          d->unitFactor1 = k;
          d->unitLabel1.Set(Text(dialog, IDC_GRAIN_LABEL));
        }
        EndDialog(dialog, IDOK);
      } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK PolarProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* d = DialogState<PlotDocument>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      CheckRadioButton(dialog, IDC_RADIANS, IDC_DEGREES,
                       d->unitSystem == 1 ? IDC_DEGREES : IDC_RADIANS);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        d->unitSystem = Checked(dialog, IDC_DEGREES) ? 1 : 0;
        EndDialog(dialog, IDOK);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int UnitsDialog(PlotDocument& document) {
  const char* name = nullptr;
  DLGPROC procedure = nullptr;
  switch (document.scaleType) {
    case SCALE_TRIPARTITE:
      name = "TRIPARTITEUNITS";
      procedure = TripartiteProc;
      break;
    case SCALE_GRAIN_SIZE:
      name = "GRAINSIZEUNITS";
      procedure = GrainSizeProc;
      break;
    case SCALE_POLAR:
      name = "POLARCOORDS";
      procedure = PolarProc;
      break;
    default:
      // Only the special grids have units.
      MessageBeep(MB_ICONEXCLAMATION);
      return 0;
  }
  if (RunDialog(name, procedure, reinterpret_cast<LPARAM>(&document)) != IDOK) return 0;
  document.extents.valid = EXTENTS_STALE;
  CheckScaleAndReport(document);
  return 1;
}

}  // namespace merva::app
