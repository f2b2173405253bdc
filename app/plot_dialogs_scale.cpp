#include <cfloat>
#include <vector>

#include "app/dialog_helpers.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/ui_host.h"
#include "automation/parameter_cells.h"
#include "core/dialog_values.h"
#include "render/scale_check.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

// Limits are drawn in single precision.
constexpr double LIMIT = FLT_MAX;

void InitManualScale(HWND dialog, PlotDocument* d) {
  // Without limits of its own the dialog starts from what is shown.
  const AxisLimits& shown = d->manualScale ? d->manualLimits : d->plotWindow;
  SetReal(dialog, IDC_SCALE_LOW_FIRST, shown.xLow);
  SetReal(dialog, IDC_SCALE_HIGH_FIRST, shown.xHigh);
  for (int axis = 0; axis < MAX_Y_AXES; ++axis) {
    SetReal(dialog, IDC_SCALE_LOW_FIRST + 1 + axis, shown.yLow[static_cast<std::size_t>(axis)]);
    SetReal(dialog, IDC_SCALE_HIGH_FIRST + 1 + axis, shown.yHigh[static_cast<std::size_t>(axis)]);
  }
}

bool AcceptManualScale(HWND dialog, PlotDocument* d) {
  AxisLimits limits;
  if (!ReadReal(dialog, IDC_SCALE_LOW_FIRST, -LIMIT, LIMIT, limits.xLow) ||
      !ReadReal(dialog, IDC_SCALE_HIGH_FIRST, -LIMIT, LIMIT, limits.xHigh))
    return false;
  for (std::size_t axis = 0; axis < MAX_Y_AXES; ++axis) {
    const int row = 1 + static_cast<int>(axis);
    if (!ReadReal(dialog, IDC_SCALE_LOW_FIRST + row, -LIMIT, LIMIT, limits.yLow[axis]) ||
        !ReadReal(dialog, IDC_SCALE_HIGH_FIRST + row, -LIMIT, LIMIT, limits.yHigh[axis]))
      return false;
  }
  d->manualLimits = limits;
  d->plotWindow = limits;
  return true;
}

struct SizeEdit {
  PlotDocument* document = nullptr;
  bool millimetres = false;
};

void ShowSize(HWND dialog, const SizeEdit& e) {
  const double k = e.millimetres ? MILLIMETRES_PER_INCH : 1.0;
  SetReal(dialog, IDC_PLOT_WIDTH, e.document->plotWidth * k);
  SetReal(dialog, IDC_PLOT_HEIGHT, e.document->plotHeight * k);
}

// Up to 100 inches of paper, 1..100 tick intervals.
constexpr double MAX_PLOT_INCHES = 100.0;

INT_PTR CALLBACK PhysicalSizeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* e = DialogState<SizeEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      CheckRadioButton(dialog, IDC_INCHES, IDC_MILLIMETRES, IDC_INCHES);
      ShowSize(dialog, *e);
      SetInteger(dialog, IDC_X_TICKS, e->document->xTickCount);
      SetInteger(dialog, IDC_Y_TICKS, e->document->yTickCount);
      SetChecked(dialog, IDC_WYSIWYG, e->document->wysiwyg != 0);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_INCHES:
        case IDC_MILLIMETRES: {
          // The fields are converted in place when the unit changes.
          const bool mm = LOWORD(wParam) == IDC_MILLIMETRES;
          if (mm == e->millimetres) return TRUE;
          double w = 0.0, h = 0.0;
          const double k = mm ? MILLIMETRES_PER_INCH : 1.0 / MILLIMETRES_PER_INCH;
          if (ParseDialogReal(Text(dialog, IDC_PLOT_WIDTH), w))
            SetReal(dialog, IDC_PLOT_WIDTH, w * k);
          if (ParseDialogReal(Text(dialog, IDC_PLOT_HEIGHT), h))
            SetReal(dialog, IDC_PLOT_HEIGHT, h * k);
          e->millimetres = mm;
          return TRUE;
        }
        case IDOK: {
          const double k = e->millimetres ? MILLIMETRES_PER_INCH : 1.0;
          double w = 0.0, h = 0.0;
          int xTicks = 0, yTicks = 0;
          const double smallest = 0.1 * k;
          if (!ReadReal(dialog, IDC_PLOT_WIDTH, smallest, MAX_PLOT_INCHES * k, w) ||
              !ReadReal(dialog, IDC_PLOT_HEIGHT, smallest, MAX_PLOT_INCHES * k, h) ||
              !ReadInteger(dialog, IDC_X_TICKS, 1, 100, xTicks) ||
              !ReadInteger(dialog, IDC_Y_TICKS, 1, 100, yTicks))
            return TRUE;
          PlotDocument& d = *e->document;
          d.plotWidth = w / k;
          d.plotHeight = h / k;
          d.xTickCount = xTicks;
          d.yTickCount = yTicks;
          d.wysiwyg = Checked(dialog, IDC_WYSIWYG) ? 1 : 0;
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        default:
          return EndOnCancel(dialog, wParam) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

struct AxesEdit {
  PlotDocument* document = nullptr;
  int curve = 1;
  std::vector<int> axes;  // index = curve - 1
};

void ShowAxesCurve(HWND dialog, const AxesEdit& e) {
  SetText(dialog, IDC_AXES_CURVE, "Curve " + std::to_string(e.curve));
  const int axis = e.axes[static_cast<std::size_t>(e.curve - 1)];
  CheckRadioButton(dialog, IDC_AXIS_Y1, IDC_AXIS_Y2, axis == 2 ? IDC_AXIS_Y2 : IDC_AXIS_Y1);
}

void KeepAxesCurve(HWND dialog, AxesEdit& e) {
  int& axis = e.axes[static_cast<std::size_t>(e.curve - 1)];
  // Axes 3 and 4 (set by commands) stay unless Y2 is picked here.
  if (Checked(dialog, IDC_AXIS_Y2))
    axis = 2;
  else if (axis == 2)
    axis = 1;
}

bool AcceptAxes(HWND dialog, AxesEdit& e) {
  double c = 0.0, dFactor = 0.0;
  if (!ReadReal(dialog, IDC_Y2_OFFSET, -LIMIT, LIMIT, c) ||
      !ReadReal(dialog, IDC_Y2_FACTOR, -LIMIT, LIMIT, dFactor))
    return false;
  double a = 0.0, b = 0.0;
  if (!ReadReal(dialog, IDC_X2_OFFSET, -LIMIT, LIMIT, a) ||
      !ReadReal(dialog, IDC_X2_FACTOR, -LIMIT, LIMIT, b))
    return false;
  KeepAxesCurve(dialog, e);
  PlotDocument& d = *e.document;
  d.yAxisMode = Checked(dialog, IDC_INDEPENDENT_Y) ? 2 : Checked(dialog, IDC_Y2_TRANSFORM) ? 1 : 0;
  d.y2Offset = c;
  d.y2Factor = dFactor;
  d.xAxisMode = Checked(dialog, IDC_X2_TRANSFORM) ? 1 : 0;
  d.x2Offset = a;
  d.x2Factor = b;
  for (int curve = 1; curve <= CurvesOf(d); ++curve)
    d.curveAxis[curve] = e.axes[static_cast<std::size_t>(curve - 1)];
  return true;
}

INT_PTR CALLBACK MultipleAxesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* e = DialogState<AxesEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      const PlotDocument& d = *e->document;
      const int mode = d.yAxisMode >= 0 && d.yAxisMode <= 2 ? d.yAxisMode : 0;
      CheckRadioButton(dialog, IDC_SINGLE_Y, IDC_INDEPENDENT_Y, IDC_SINGLE_Y + mode);
      SetReal(dialog, IDC_Y2_OFFSET, d.y2Offset);
      SetReal(dialog, IDC_Y2_FACTOR, d.y2Factor);
      CheckRadioButton(dialog, IDC_SINGLE_X, IDC_X2_TRANSFORM,
                       d.xAxisMode == 1 ? IDC_X2_TRANSFORM : IDC_SINGLE_X);
      SetReal(dialog, IDC_X2_OFFSET, d.x2Offset);
      SetReal(dialog, IDC_X2_FACTOR, d.x2Factor);
      ShowAxesCurve(dialog, *e);
      return TRUE;
    }
    case WM_COMMAND:
      return CurveDialogCommand(dialog, wParam, *e, AcceptAxes, KeepAxesCurve, ShowAxesCurve);
    default:
      return FALSE;
  }
}

}  // namespace

bool CheckScaleAndReport(PlotDocument& document) {
  const Status status = CheckScale(document);
  if (status.Ok()) return true;
  // No repaint with the refused scale may happen behind the box.
  const int curves = document.curveCount;
  document.curveCount = 0;
  MessageBeep(MB_ICONEXCLAMATION);
  Ui().ShowStatus(status);
  document.curveCount = curves;
  return false;
}

void SelectScaleType(PlotDocument& document, int type) {
  document.scaleType = static_cast<uint8_t>(type);
  document.zoomDepth = 0;
  document.zoomed = 0;
  document.extents.valid = EXTENTS_STALE;
  CheckScaleAndReport(document);
}

int ManualScaleDialog(PlotDocument& document) {
  // A command of the command language has put its limits in place already.
  if (TheParameterCells().macroCommandActive) {
    document.plotWindow = document.manualLimits;
  } else if (RunDialog("MANUALSCALE",
                       FieldsDialogProc<PlotDocument, InitManualScale, AcceptManualScale>,
                       reinterpret_cast<LPARAM>(&document)) != IDOK) {
    return 0;
  }
  document.manualScale = 1;
  document.zoomed = 0;
  document.zoomDepth = 0;
  CheckScaleAndReport(document);
  return 1;
}

int PhysicalSizeDialog(PlotDocument& document) {
  SizeEdit edit;
  edit.document = &document;
  if (RunDialog("SETPHYSICALSIZE", PhysicalSizeProc, reinterpret_cast<LPARAM>(&edit)) != IDOK)
    return 0;
  document.manualTicks = 1;
  return 1;
}

int MultipleAxesDialog(PlotDocument& document) {
  AxesEdit edit;
  edit.document = &document;
  for (int c = 1; c <= CurvesOf(document); ++c) edit.axes.push_back(document.curveAxis[c]);
  return RunDialog("MULTIPLEAXES", MultipleAxesProc, reinterpret_cast<LPARAM>(&edit)) == IDOK ? 1
                                                                                              : 0;
}

}  // namespace merva::app
