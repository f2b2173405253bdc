#include <vector>

#include "app/dialog_helpers.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/ui_host.h"
#include "core/dialog_values.h"
#include "core/messages.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

struct TitleField {
  int control;
  int limit;
};

constexpr TitleField kTitleFields[] = {
    {IDC_TITLE1, TITLE_WIDTH},     {IDC_TITLE2, TITLE_WIDTH},    {IDC_TITLE3, TITLE_WIDTH},
    {IDC_X_LABEL, X_LABEL_WIDTH},  {IDC_Y_LABEL, Y_LABEL_WIDTH}, {IDC_Y2_LABEL, Y_LABEL_WIDTH},
    {IDC_X2_LABEL, X_LABEL_WIDTH},
};

std::string TitleOf(const PlotDocument& d, int control) {
  switch (control) {
    case IDC_TITLE1:
      return std::string(d.title1.Trimmed());
    case IDC_TITLE2:
      return std::string(d.title2.Trimmed());
    case IDC_TITLE3:
      return std::string(d.title3.Trimmed());
    case IDC_X_LABEL:
      return std::string(d.xAxisLabel.Trimmed());
    case IDC_Y_LABEL:
      return std::string(d.yAxisLabel.Trimmed());
    case IDC_X2_LABEL:
      return std::string(d.x2AxisLabel.Trimmed());
    default:
      return std::string(d.y2AxisLabel.Trimmed());
  }
}

void SetTitle(PlotDocument& d, int control, const std::string& text) {
  switch (control) {
    case IDC_TITLE1:
      d.title1.Set(text);
      break;
    case IDC_TITLE2:
      d.title2.Set(text);
      break;
    case IDC_TITLE3:
      d.title3.Set(text);
      break;
    case IDC_X_LABEL:
      d.xAxisLabel.Set(text);
      break;
    case IDC_Y_LABEL:
      d.yAxisLabel.Set(text);
      break;
    case IDC_X2_LABEL:
      d.x2AxisLabel.Set(text);
      break;
    default:
      d.y2AxisLabel.Set(text);
      break;
  }
}

// In data-processing mode the third line (and with generated labels all
// but the first two lines) belongs to the mode.
bool Editable(const PlotDocument& d, int control) {
  if (!d.processMode) return true;
  if (d.processState.generatedLabels) return control == IDC_TITLE1 || control == IDC_TITLE2;
  return control != IDC_TITLE3;
}

void InitTitles(HWND dialog, PlotDocument* d) {
  for (const TitleField& f : kTitleFields) {
    SendDlgItemMessageA(dialog, f.control, EM_LIMITTEXT, static_cast<WPARAM>(f.limit), 0);
    SetText(dialog, f.control, TitleOf(*d, f.control));
  }
}

bool AcceptTitles(HWND dialog, PlotDocument* d) {
  for (const TitleField& f : kTitleFields) {
    if (!Editable(*d, f.control) && Text(dialog, f.control) != TitleOf(*d, f.control)) {
      Refuse(dialog, f.control, Status::Failure(MSG_CANNOT_EDIT_PROCESSING), "MERVA95");
      return false;
    }
  }
  for (const TitleField& f : kTitleFields) SetTitle(*d, f.control, Text(dialog, f.control));
  return true;
}

struct LegendEdit {
  PlotDocument* document = nullptr;
  int curve = 1;
  std::vector<std::string> texts;  // index = curve - 1
  std::vector<std::string> tags;
};

void ShowLegendCurve(HWND dialog, const LegendEdit& e) {
  SetText(dialog, IDC_LEGEND_CURVE, "Curve " + std::to_string(e.curve));
  SetText(dialog, IDC_LEGEND_TEXT, e.texts[static_cast<std::size_t>(e.curve - 1)]);
  SetText(dialog, IDC_CURVE_TAG, e.tags[static_cast<std::size_t>(e.curve - 1)]);
  EnableWindow(GetDlgItem(dialog, IDC_NEXT), e.curve < CurvesOf(*e.document));
  EnableWindow(GetDlgItem(dialog, IDC_PREVIOUS), e.curve > 1);
}

void KeepLegendCurve(HWND dialog, LegendEdit& e) {
  e.texts[static_cast<std::size_t>(e.curve - 1)] = Text(dialog, IDC_LEGEND_TEXT);
  e.tags[static_cast<std::size_t>(e.curve - 1)] = Text(dialog, IDC_CURVE_TAG);
}

bool AcceptLegend(HWND dialog, LegendEdit& e) {
  KeepLegendCurve(dialog, e);
  int rows = 0;
  double length = 0.0;
  const bool rowsRead = ParseDialogInteger(Text(dialog, IDC_LEGEND_ROWS), rows);
  const bool lengthRead = ParseDialogReal(Text(dialog, IDC_LEGEND_LENGTH), length);
  const Status layout = CheckLegendLayout(rowsRead ? rows : 0, lengthRead ? length : 0.0);
  if (!layout.Ok()) {
    const bool rowsWrong = !rowsRead || rows <= 0;
    Refuse(dialog, rowsWrong ? IDC_LEGEND_ROWS : IDC_LEGEND_LENGTH, layout, "MERVA95");
    return false;
  }
  PlotDocument& d = *e.document;
  d.legendTitle.Set(Text(dialog, IDC_LEGEND_TITLE));
  for (int c = 1; c <= CurvesOf(d); ++c) {
    d.legendText[c].Set(e.texts[static_cast<std::size_t>(c - 1)]);
    d.curveTag[c].Set(e.tags[static_cast<std::size_t>(c - 1)]);
  }
  d.maxLegendRows = rows;
  d.legendLineLength = length;
  d.legendFrame = Checked(dialog, IDC_LEGEND_FRAME) ? 1 : 0;
  d.legendOpaque = Checked(dialog, IDC_LEGEND_OPAQUE) ? 1 : 0;
  return true;
}

INT_PTR CALLBACK LegendProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* e = DialogState<LegendEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      const PlotDocument& d = *e->document;
      SendDlgItemMessageA(dialog, IDC_LEGEND_TITLE, EM_LIMITTEXT, LEGEND_WIDTH, 0);
      SendDlgItemMessageA(dialog, IDC_LEGEND_TEXT, EM_LIMITTEXT, LEGEND_WIDTH, 0);
      SendDlgItemMessageA(dialog, IDC_CURVE_TAG, EM_LIMITTEXT, CURVE_TAG_WIDTH, 0);
      SetText(dialog, IDC_LEGEND_TITLE, std::string(d.legendTitle.Trimmed()));
      SetInteger(dialog, IDC_LEGEND_ROWS, d.maxLegendRows);
      SetReal(dialog, IDC_LEGEND_LENGTH, d.legendLineLength);
      SetChecked(dialog, IDC_LEGEND_FRAME, d.legendFrame != 0);
      SetChecked(dialog, IDC_LEGEND_OPAQUE, d.legendOpaque != 0);
      ShowLegendCurve(dialog, *e);
      return TRUE;
    }
    case WM_COMMAND:
      return CurveDialogCommand(dialog, wParam, *e, AcceptLegend, KeepLegendCurve, ShowLegendCurve);
    default:
      return FALSE;
  }
}

}  // namespace

int TitlesDialog(PlotDocument& document) {
  return RunDialog("TITLES", FieldsDialogProc<PlotDocument, InitTitles, AcceptTitles>,
                   reinterpret_cast<LPARAM>(&document)) == IDOK
             ? 1
             : 0;
}

int LegendDialog(PlotDocument& document) {
  LegendEdit edit;
  edit.document = &document;
  for (int c = 1; c <= CurvesOf(document); ++c) {
    edit.texts.emplace_back(document.legendText[c].Trimmed());
    edit.tags.emplace_back(document.curveTag[c].Trimmed());
  }
  return RunDialog("LEGEND", LegendProc, reinterpret_cast<LPARAM>(&edit)) == IDOK ? 1 : 0;
}

}  // namespace merva::app
