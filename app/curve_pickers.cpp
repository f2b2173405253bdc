#include "app/curve_pickers.h"

#include <windows.h>

#include <string>

#include "app/curve_pickers_ids.h"
#include "app/dialog_helpers.h"
#include "app/ui_host.h"
#include "automation/parameter_cells.h"

namespace merva::app {

namespace {

enum class PickKind { One, Range, Many };

struct PickRequest {
  const PlotDocument* document = nullptr;
  const char* prompt = "";
  PickKind kind = PickKind::One;
  bool offerNewCurve = false;
  int curve = 1;         // One, and Range with "One curve only"
  bool all = false;      // Range: "All curves"
  std::vector<int> set;  // Many
};

void FillList(HWND dialog, const PickRequest& request) {
  HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
  for (int c = 1; c <= request.document->curveCount; ++c)
    SendMessageA(list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(CurveListText(*request.document, c).c_str()));
  if (request.offerNewCurve)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("New curve"));
  if (request.kind == PickKind::Many) return;
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(request.curve - 1), 0);
}

void InitPicker(HWND dialog, PickRequest& request) {
  SetDlgItemTextA(dialog, IDC_PICK_PROMPT, request.prompt);
  FillList(dialog, request);
  if (request.kind == PickKind::Range)
    CheckRadioButton(dialog, IDC_PICK_ONE, IDC_PICK_ALL, request.all ? IDC_PICK_ALL : IDC_PICK_ONE);
}

bool AcceptPicker(HWND dialog, PickRequest& request) {
  HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
  if (request.kind == PickKind::Many) {
    request.set.clear();
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
      if (SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0)
        request.set.push_back(i + 1);
    return true;
  }
  const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  request.all =
      request.kind == PickKind::Range && IsDlgButtonChecked(dialog, IDC_PICK_ALL) == BST_CHECKED;
  if (selected == LB_ERR && !request.all) {
    MessageBeep(MB_ICONEXCLAMATION);
    return false;
  }
  if (selected != LB_ERR) request.curve = static_cast<int>(selected) + 1;
  return true;
}

INT_PTR CALLBACK PickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* request = DialogState<PickRequest>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      InitPicker(dialog, *request);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PICK_LIST:
          // Choosing a curve means one curve; a double-click is OK.
          if (HIWORD(wParam) == LBN_SELCHANGE && request->kind == PickKind::Range)
            CheckRadioButton(dialog, IDC_PICK_ONE, IDC_PICK_ALL, IDC_PICK_ONE);
          if (HIWORD(wParam) == LBN_DBLCLK && request->kind != PickKind::Many &&
              AcceptPicker(dialog, *request))
            EndDialog(dialog, IDOK);
          return TRUE;
        case IDOK:
          if (AcceptPicker(dialog, *request)) EndDialog(dialog, IDOK);
          return TRUE;
        default:
          return EndOnCancel(dialog, wParam) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

PickRequest Request(const PlotDocument& d, const char* prompt, PickKind kind) {
  PickRequest request;
  request.document = &d;
  request.prompt = prompt;
  request.kind = kind;
  return request;
}

bool RunPicker(const char* templateName, PickRequest& request) {
  return RunDialog(templateName, PickerProc, reinterpret_cast<LPARAM>(&request)) == IDOK;
}

}  // namespace

std::string CurveListText(const PlotDocument& d, int curve) {
  std::string text = std::to_string(curve);
  const std::string legend = d.legendText[curve].Str();
  if (!legend.empty()) text += "  " + legend;
  return text;
}

bool PickCurveRange(const PlotDocument& d, const char* prompt, CurveRange& range) {
  if (d.curveCount < 1) return false;
  if (d.curveCount == 1) {
    range = {1, 1};
    return true;
  }
  PickRequest request = Request(d, prompt, PickKind::Range);
  if (!RunPicker("PICKCURVE2", request)) return false;
  range = request.all ? CurveRange{1, d.curveCount} : CurveRange{request.curve, request.curve};
  return true;
}

bool PickOneCurve(const PlotDocument& d, const char* prompt, int& curve, bool offerNewCurve) {
  if (d.curveCount < 1 && !offerNewCurve) return false;
  if (d.curveCount == 1 && !offerNewCurve) {
    curve = 1;
    return true;
  }
  PickRequest request = Request(d, prompt, PickKind::One);
  request.offerNewCurve = offerNewCurve;
  if (!RunPicker("PICKCURVE1", request)) return false;
  curve = request.curve;
  return true;
}

bool PickCurves(const PlotDocument& d, const char* prompt, std::vector<int>& curves) {
  if (d.curveCount < 1) return false;
  PickRequest request = Request(d, prompt, PickKind::Many);
  if (!RunPicker("MULTIPICK", request) || request.set.empty()) return false;
  curves = request.set;
  return true;
}

bool OperationCurves(const PlotDocument& d, const char* prompt, bool oneCurve, CurveRange& range) {
  if (d.curveCount < 1) return false;
  const ParameterCells& cells = TheParameterCells();
  if (cells.macroCommandActive) {
    range = CommandCurveRange(d, cells.firstCurve, cells.lastCurve);
    if (oneCurve) range.last = range.first;
    return !range.Empty();
  }
  if (!oneCurve) return PickCurveRange(d, prompt, range);
  int curve = 1;
  if (!PickOneCurve(d, prompt, curve)) return false;
  range = {curve, curve};
  return true;
}

}  // namespace merva::app
