#include "app/dialog_helpers.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/program.h"
#include "app/ui_host.h"
#include "core/messages.h"
#include "render/number_format.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

constexpr int FORMAT_KINDS = 7;
// The value the preview shows: a day number for the date kind.
constexpr double PREVIEW_VALUE = 1234.5678;
constexpr double PREVIEW_DAY = 35000.0;

struct FormatsEdit {
  PlotDocument* document = nullptr;
  int kinds[2] = {0, 0};  // X, Y
  int axis = 0;
};

NumberFormatContext ContextOf(HWND dialog) {
  NumberFormatContext context;
  context.regional = TheProgram().regional;
  context.delineateThousands = Checked(dialog, IDC_THOUSANDS);
  context.dateFormat = Text(dialog, IDC_DATE_FORMAT);
  return context;
}

void ShowPreview(HWND dialog, const FormatsEdit& e) {
  const int kind = e.kinds[e.axis];
  const NumberFormatContext context = ContextOf(dialog);
  const double value = kind == FORMAT_CALENDAR_DATE ? PREVIEW_DAY : PREVIEW_VALUE;
  SetText(dialog, IDC_FORMAT_PREVIEW, "Example: " + FormatAxisNumber(value, 0.0, kind, context));
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::string pattern = context.dateFormat.find_first_not_of(' ') == std::string::npos
                                  ? context.regional.sShortDate
                                  : context.dateFormat;
  SetText(dialog, IDC_TODAY,
          "Today's Date: " + FormatDate(pattern, now.wYear, now.wMonth, now.wDay));
}

void ShowAxis(HWND dialog, const FormatsEdit& e) {
  SendDlgItemMessageA(dialog, IDC_FORMAT_LIST, LB_SETCURSEL, static_cast<WPARAM>(e.kinds[e.axis]),
                      0);
  ShowPreview(dialog, e);
}

INT_PTR CALLBACK NumberFormatsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* e = DialogState<FormatsEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      for (int kind = 0; kind < FORMAT_KINDS; ++kind)
        SendDlgItemMessageA(
            dialog, IDC_FORMAT_LIST, LB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(MessageText(MSG_FORMAT_DEFAULT + kind).c_str()));
      SendDlgItemMessageA(dialog, IDC_DATE_FORMAT, EM_LIMITTEXT, DATE_FORMAT_WIDTH, 0);
      SetText(dialog, IDC_DATE_FORMAT, std::string(e->document->dateFormat.Trimmed()));
      SetChecked(dialog, IDC_THOUSANDS, Settings().delineateThousands);
      CheckRadioButton(dialog, IDC_FORMAT_X, IDC_FORMAT_Y, IDC_FORMAT_X);
      ShowAxis(dialog, *e);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_FORMAT_X:
        case IDC_FORMAT_Y:
          e->axis = LOWORD(wParam) == IDC_FORMAT_Y ? 1 : 0;
          ShowAxis(dialog, *e);
          return TRUE;
        case IDC_FORMAT_LIST:
          if (HIWORD(wParam) == LBN_SELCHANGE) {
            const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_FORMAT_LIST, LB_GETCURSEL, 0, 0);
            if (chosen >= 0 && chosen < FORMAT_KINDS) e->kinds[e->axis] = static_cast<int>(chosen);
            ShowPreview(dialog, *e);
          }
          return TRUE;
        case IDC_THOUSANDS:
          ShowPreview(dialog, *e);
          return TRUE;
        case IDC_DATE_FORMAT:
          if (HIWORD(wParam) == EN_CHANGE) ShowPreview(dialog, *e);
          return TRUE;
        case IDOK: {
          PlotDocument& d = *e->document;
          d.xNumberFormat = e->kinds[0];
          d.yNumberFormat = e->kinds[1];
          d.dateFormat.Set(Text(dialog, IDC_DATE_FORMAT));
          Settings().delineateThousands = Checked(dialog, IDC_THOUSANDS);
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

int KindOf(int kind) { return kind >= 0 && kind < FORMAT_KINDS ? kind : 0; }

}  // namespace

int NumberFormatsDialog(PlotDocument& document) {
  FormatsEdit edit;
  edit.document = &document;
  edit.kinds[0] = KindOf(document.xNumberFormat);
  edit.kinds[1] = KindOf(document.yNumberFormat);
  return RunDialog("NUMBERFORMATS", NumberFormatsProc, reinterpret_cast<LPARAM>(&edit)) == IDOK ? 1
                                                                                                : 0;
}

}  // namespace merva::app
