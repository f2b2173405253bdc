#pragma once

// Dialogs and switches of the plot's text, styles, scaling, number formats
// and colours. Each edits the active document and returns 1 when it
// changed something (the caller redraws), 0 on cancel.

#include <windows.h>

#include <string>
#include <type_traits>

#include "app/dialog_helpers.h"
#include "app/plot_dialogs_ids.h"
#include "core/plot_document.h"
#include "core/status.h"

namespace merva::app {

int TitlesDialog(PlotDocument& document);
int LegendDialog(PlotDocument& document);
int SymbolsDialog(PlotDocument& document);
int ManualScaleDialog(PlotDocument& document);
int PhysicalSizeDialog(PlotDocument& document);
int MultipleAxesDialog(PlotDocument& document);
int NumberFormatsDialog(PlotDocument& document);
// The unit dialog of the document's special grid (tripartite, grain size,
// polar); a beep for the other scales.
int UnitsDialog(PlotDocument& document);
// "Fonts" (MERVAFONT), and the system font dialog for one text element.
int FontsDialog(PlotDocument& document);
int ElementFontDialog(PlotDocument& document, int element);
int NoteDialog(PlotDocument& document);
// Point labels: "Add a Label" asks for the point (LABELPOINT), then waits
// for a click at the label's place (status 522) and asks for its text
// (POINTLABEL); edit and delete act on a clicked or named label.
int AddLabelCommand(PlotDocument& document);
int EditLabelCommand(PlotDocument& document);
int DeleteLabelCommand(PlotDocument& document);
int CurveAxisOfLabel(const PlotDocument& document, int curve);
// "Fill Between Curves" (FILL): up to 20 fills, edited one at a time.
int FillDialog(PlotDocument& document);

// The scale type `type` through the validity check: a refused type falls
// back and its message is shown while the document is not drawn.
void SelectScaleType(PlotDocument& document, int type);
// Runs the validity check and reports a refusal; false when refused.
bool CheckScaleAndReport(PlotDocument& document);

// "Curve Colors" (MYCHOOSECOLOR) for the display or the printer table.
int CurveColorsDialog(bool printer);
// Black & White, Gray Scale, Copy Display, Restore Defaults and the
// Preview Printer Colors switch (menu ids).
int ColorCommand(int commandId);
// Every open window is drawn again (the colour tables changed).
void RedrawAllDocuments();

// The curves a per-curve dialog steps through: one even before any exists.
inline int CurvesOf(const PlotDocument& d) { return d.curveCount > 0 ? d.curveCount : 1; }
// The curve the Next or Previous button moves to; it stays within the curves.
inline int SteppedCurve(const PlotDocument& d, int curve, bool forward) {
  const int next = curve + (forward ? 1 : -1);
  return next >= 1 && next <= CurvesOf(d) ? next : curve;
}
// Next or Previous: the shown curve's fields are kept (a refused field
// keeps the dialog on its curve), then the neighbouring curve is shown.
template <class Edit, class Keep, class Show>
void StepCurve(HWND dialog, Edit& e, bool forward, Keep keep, Show show) {
  if constexpr (std::is_same_v<decltype(keep(dialog, e)), bool>) {
    if (!keep(dialog, e)) return;
  } else {
    keep(dialog, e);
  }
  e.curve = SteppedCurve(*e.document, e.curve, forward);
  show(dialog, e);
}

// The buttons of a per-curve dialog: OK applies (a refusal keeps it open),
// Next and Previous step through the curves, Cancel ends it.
template <class Edit, class Accept, class Keep, class Show>
INT_PTR CurveDialogCommand(HWND dialog, WPARAM wParam, Edit& e, Accept accept, Keep keep,
                           Show show) {
  switch (LOWORD(wParam)) {
    case IDOK:
      if (accept(dialog, e)) EndDialog(dialog, IDOK);
      return TRUE;
    case IDC_NEXT:
    case IDC_PREVIOUS:
      StepCurve(dialog, e, LOWORD(wParam) == IDC_NEXT, keep, show);
      return TRUE;
    default:
      return EndOnCancel(dialog, wParam) ? TRUE : FALSE;
  }
}

namespace dialog_fields {

// Field helpers shared by the dialogs.
std::string Text(HWND dialog, int control);
void SetText(HWND dialog, int control, const std::string& text);
void SetReal(HWND dialog, int control, double value);  // "%.7G"
void SetInteger(HWND dialog, int control, int value);
// A number within [low, high]; otherwise the "Out of range" box, the field
// gets the focus and false.
bool ReadReal(HWND dialog, int control, double low, double high, double& value);
bool ReadInteger(HWND dialog, int control, int low, int high, int& value);
// Refused input: the message box and the focus on the field.
void Refuse(HWND dialog, int control, const Status& status, const char* caption);
bool Checked(HWND dialog, int control);
void SetChecked(HWND dialog, int control, bool checked);

}  // namespace dialog_fields

}  // namespace merva::app
