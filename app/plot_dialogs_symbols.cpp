#include <vector>

#include "app/dialog_helpers.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/program.h"
#include "app/ui_host.h"
#include "core/dialog_values.h"
#include "render/draw_plot.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

// Widths up to half an inch, symbols up to one inch.
constexpr double MAX_LINE_WIDTH_INCHES = 0.5;
constexpr double MAX_SYMBOL_SIZE_INCHES = 1.0;

struct CurveStyle {
  int lineType = 1;
  int symbolType = 0;  // with SYMBOL_FILLED_OFFSET for "Fill symbol"
  int lineWidth = 0;
  int symbolSize = 0;
};

struct SymbolsEdit {
  PlotDocument* document = nullptr;
  int curve = 1;
  std::vector<CurveStyle> styles;  // index = curve - 1
};

void ShowCurve(HWND dialog, const SymbolsEdit& e) {
  const CurveStyle& s = e.styles[static_cast<std::size_t>(e.curve - 1)];
  SetText(dialog, IDC_SYMBOL_CURVE, "Curve " + std::to_string(e.curve));
  const int line = s.lineType >= 0 && s.lineType <= 6 ? s.lineType : 1;
  const int shape = SymbolShape(s.symbolType) >= 0 && SymbolShape(s.symbolType) <= 12
                        ? SymbolShape(s.symbolType)
                        : 0;
  CheckRadioButton(dialog, IDC_LINE_TYPE_FIRST, IDC_LINE_TYPE_LAST, IDC_LINE_TYPE_FIRST + line);
  CheckRadioButton(dialog, IDC_SYMBOL_TYPE_FIRST, IDC_SYMBOL_TYPE_LAST,
                   IDC_SYMBOL_TYPE_FIRST + shape);
  SetChecked(dialog, IDC_FILL_SYMBOL, SymbolFilled(s.symbolType));
  SetReal(dialog, IDC_CURVE_WIDTH, ThousandthsToInches(s.lineWidth));
  SetReal(dialog, IDC_SYMBOL_SIZE, ThousandthsToInches(s.symbolSize));
  EnableWindow(GetDlgItem(dialog, IDC_NEXT), e.curve < CurvesOf(*e.document));
  EnableWindow(GetDlgItem(dialog, IDC_PREVIOUS), e.curve > 1);
}

int CheckedIn(HWND dialog, int first, int last) {
  for (int id = first; id <= last; ++id)
    if (Checked(dialog, id)) return id - first;
  return 0;
}

// The shown curve's fields into the working copy; false when refused.
bool KeepCurve(HWND dialog, SymbolsEdit& e) {
  double width = 0.0, size = 0.0;
  if (!ReadReal(dialog, IDC_CURVE_WIDTH, 0.0, MAX_LINE_WIDTH_INCHES, width)) return false;
  if (!ReadReal(dialog, IDC_SYMBOL_SIZE, 0.0, MAX_SYMBOL_SIZE_INCHES, size)) return false;
  CurveStyle& s = e.styles[static_cast<std::size_t>(e.curve - 1)];
  s.lineType = CheckedIn(dialog, IDC_LINE_TYPE_FIRST, IDC_LINE_TYPE_LAST);
  s.symbolType = CheckedIn(dialog, IDC_SYMBOL_TYPE_FIRST, IDC_SYMBOL_TYPE_LAST);
  if (Checked(dialog, IDC_FILL_SYMBOL)) s.symbolType += SYMBOL_FILLED_OFFSET;
  s.lineWidth = InchesToThousandths(width);
  s.symbolSize = InchesToThousandths(size);
  return true;
}

bool Accept(HWND dialog, SymbolsEdit& e) {
  if (!KeepCurve(dialog, e)) return false;
  double axes = 0.0, grid = 0.0;
  if (!ReadReal(dialog, IDC_AXES_WIDTH, 0.0, MAX_LINE_WIDTH_INCHES, axes)) return false;
  if (!ReadReal(dialog, IDC_GRID_WIDTH, 0.0, MAX_LINE_WIDTH_INCHES, grid)) return false;
  PlotDocument& d = *e.document;
  for (int c = 1; c <= CurvesOf(d); ++c) {
    const CurveStyle& s = e.styles[static_cast<std::size_t>(c - 1)];
    d.lineType[c] = s.lineType;
    d.symbolType[c] = s.symbolType;
    d.lineWidth[c] = s.lineWidth;
    d.symbolSize[c] = s.symbolSize;
  }
  Settings().axisLineWidth = InchesToThousandths(axes);
  Settings().gridLineWidth = InchesToThousandths(grid);
  return true;
}

INT_PTR CALLBACK SymbolsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* e = DialogState<SymbolsEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      SetReal(dialog, IDC_AXES_WIDTH, ThousandthsToInches(Settings().axisLineWidth));
      SetReal(dialog, IDC_GRID_WIDTH, ThousandthsToInches(Settings().gridLineWidth));
      ShowCurve(dialog, *e);
      return TRUE;
    case WM_COMMAND:
      return CurveDialogCommand(dialog, wParam, *e, Accept, KeepCurve, ShowCurve);
    default:
      return FALSE;
  }
}

}  // namespace

int SymbolsDialog(PlotDocument& document) {
  SymbolsEdit edit;
  edit.document = &document;
  for (int c = 1; c <= CurvesOf(document); ++c)
    edit.styles.push_back({document.lineType[c], document.symbolType[c], document.lineWidth[c],
                           document.symbolSize[c]});
  return RunDialog("SYMBOLS", SymbolsProc, reinterpret_cast<LPARAM>(&edit)) == IDOK ? 1 : 0;
}

}  // namespace merva::app
