#include "app/curve_fit_dialogs.h"

#include <windows.h>

#include <cmath>
#include <string>

#include "app/curve_fit_ids.h"
#include "app/dialog_helpers.h"
#include "app/plot_dialogs.h"
#include "app/resource_ids.h"
#include "app/ui_host.h"
#include "core/dialog_values.h"
#include "core/number_text.h"

namespace merva::app {

namespace {

const char* const TOO_FEW_POINTS_TEXT = "The number of points must be > 1.";
const char* const CURVE_FIT_CAPTION = "Curve Fit";
// The largest single-precision number: the limits are stored as X values.
constexpr double LARGEST_LIMIT = 3.4e38;

struct OrderEdit {
  int order;
  int highest;
};

INT_PTR CALLBACK OrderProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  OrderEdit* e = DialogState<OrderEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      dialog_fields::SetInteger(dialog, IDC_FIT_ORDER, e->order);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        if (dialog_fields::ReadInteger(dialog, IDC_FIT_ORDER, 0, e->highest, e->order))
          EndDialog(dialog, IDOK);
        return TRUE;
      }
      return CancelOrHelp(dialog, wParam, IDM_CURVE_FIT);
    default:
      return FALSE;
  }
}

struct PointsEdit {
  long long points;
  double lower;
  double upper;
};

// A whole number of points; anything else is refused as too few.
bool ReadPoints(HWND dialog, long long& points) {
  double number = 0.0;
  const std::string text = dialog_fields::Text(dialog, IDC_FIT_POINTS);
  if (!ParseDialogReal(text, number) || !(number > 1.0) || number != std::floor(number) ||
      number > 9.0e18) {
    dialog_fields::Refuse(dialog, IDC_FIT_POINTS, Status::Failure(TOO_FEW_POINTS_TEXT),
                          CURVE_FIT_CAPTION);
    return false;
  }
  points = static_cast<long long>(number);
  return true;
}

INT_PTR CALLBACK PointsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PointsEdit* e = DialogState<PointsEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      dialog_fields::SetText(dialog, IDC_FIT_POINTS, std::to_string(e->points));
      dialog_fields::SetReal(dialog, IDC_FIT_LOWER, e->lower);
      dialog_fields::SetReal(dialog, IDC_FIT_UPPER, e->upper);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        if (ReadPoints(dialog, e->points) &&
            dialog_fields::ReadReal(dialog, IDC_FIT_LOWER, -LARGEST_LIMIT, LARGEST_LIMIT,
                                    e->lower) &&
            dialog_fields::ReadReal(dialog, IDC_FIT_UPPER, -LARGEST_LIMIT, LARGEST_LIMIT, e->upper))
          EndDialog(dialog, IDOK);
        return TRUE;
      }
      return CancelOrHelp(dialog, wParam, IDM_CURVE_FIT);
    default:
      return FALSE;
  }
}

}  // namespace

bool FitOrderDialog(int& order, int highest) {
  OrderEdit e{order, highest};
  if (RunDialog("LEASTSQUARES", OrderProc, reinterpret_cast<LPARAM>(&e)) != IDOK) return false;
  order = e.order;
  return true;
}

bool GeneratePointsDialog(long long& points, double& lower, double& upper) {
  PointsEdit e{points, lower, upper};
  if (RunDialog("GENERATEPOINTS", PointsProc, reinterpret_cast<LPARAM>(&e)) != IDOK) return false;
  points = e.points;
  lower = e.lower;
  upper = e.upper;
  return true;
}

}  // namespace merva::app
