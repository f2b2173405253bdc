#include "app/dialog_helpers.h"
#include "app/document_mouse.h"
#include "app/document_window.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "core/messages.h"
#include "render/draw_plot.h"
#include "render/plot_interaction.h"
#include "render/point_labels.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

struct PointChoice {
  PlotDocument* document = nullptr;
  int curve = 1;
  int point = 1;
};

void InitLabelPoint(HWND dialog, PointChoice* c) {
  SetInteger(dialog, IDC_LABEL_CURVE, c->curve);
  SetInteger(dialog, IDC_LABEL_POINT, c->point);
}

bool AcceptLabelPoint(HWND dialog, PointChoice* c) {
  const PlotDocument& d = *c->document;
  int curve = 0, point = 0;
  if (!ReadInteger(dialog, IDC_LABEL_CURVE, 1, d.curveCount, curve)) return false;
  const int points = d.pointCount[curve] > 0 ? d.pointCount[curve] : 1;
  if (!ReadInteger(dialog, IDC_LABEL_POINT, 1, points, point)) return false;
  c->curve = curve;
  c->point = point;
  return true;
}

void InitPointLabel(HWND dialog, PointLabel* label) {
  SetText(dialog, IDC_LABEL_WHICH,
          "Curve " + std::to_string(label->curve) + ", point " + std::to_string(label->point));
  SendDlgItemMessageA(dialog, IDC_LABEL_TEXT, EM_LIMITTEXT, POINT_LABEL_TEXT_WIDTH, 0);
  SetText(dialog, IDC_LABEL_TEXT, std::string(label->text.Trimmed()));
  SetChecked(dialog, IDC_LABEL_AMPLITUDE, (label->attributes & POINT_LABEL_AMPLITUDE_ONLY) != 0);
  SetChecked(dialog, IDC_LABEL_FRAME, (label->attributes & POINT_LABEL_FRAME) != 0);
  SetChecked(dialog, IDC_LABEL_OPAQUE, (label->attributes & POINT_LABEL_OPAQUE) != 0);
}

bool AcceptPointLabel(HWND dialog, PointLabel* label) {
  label->text.Set(Text(dialog, IDC_LABEL_TEXT));
  int flags = 0;
  if (Checked(dialog, IDC_LABEL_AMPLITUDE)) flags |= POINT_LABEL_AMPLITUDE_ONLY;
  if (Checked(dialog, IDC_LABEL_FRAME)) flags |= POINT_LABEL_FRAME;
  if (Checked(dialog, IDC_LABEL_OPAQUE)) flags |= POINT_LABEL_OPAQUE;
  label->attributes = flags;
  return true;
}

// The label waiting for its place: the next click in its window puts it
// there; any other button or Escape gives it up.
struct Placement {
  HWND window = nullptr;
  WNDPROC previous = nullptr;
  int slot = 0;
  PointLabel label;
};
Placement placement;

void EndPlacement() {
  if (!placement.window) return;
  SetWindowLongPtrA(placement.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(placement.previous));
  placement.window = nullptr;
  SetMouseEditing(true);
  SetStatusText("");
}

void PlaceLabel(int x, int y) {
  const int slot = placement.slot;
  PointLabel label = placement.label;
  EndPlacement();
  if (!Documents().IsOpen(slot)) return;
  PlotDocument& d = Documents().Document(slot);
  if (!DeviceToData(d, x, y, label.x, label.y, CurveAxisOfLabel(d, label.curve))) return;
  if (RunDialog("POINTLABEL", FieldsDialogProc<PointLabel, InitPointLabel, AcceptPointLabel>,
                reinterpret_cast<LPARAM>(&label)) != IDOK)
    return;
  const Status added = AddPointLabel(d, label);
  if (!added.Ok()) {
    Ui().ShowStatus(added);
    return;
  }
  d.MarkChanged();
  RedrawDocument(slot);
}

LRESULT CALLBACK PlacementProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previous = placement.previous;
  switch (message) {
    case WM_LBUTTONDOWN:
      PlaceLabel(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_RBUTTONDOWN:
    case WM_DESTROY:
      EndPlacement();
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        EndPlacement();
        return 0;
      }
      break;
    case WM_SETCURSOR:
      SetCursor(LoadCursor(nullptr, IDC_CROSS));
      return TRUE;
    default:
      break;
  }
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

// The label of the point the user names (or the mouse chose); -1 if none.
int ChosenLabel(PlotDocument& d) {
  const int fromMouse = MousePointLabel();
  if (fromMouse >= 0 && fromMouse < static_cast<int>(d.pointLabels.size())) return fromMouse;
  if (d.pointLabels.empty() || d.curveCount < 1) return -1;
  PointChoice choice{&d, d.pointLabels[0].curve, d.pointLabels[0].point};
  if (RunDialog("LABELPOINT", FieldsDialogProc<PointChoice, InitLabelPoint, AcceptLabelPoint>,
                reinterpret_cast<LPARAM>(&choice)) != IDOK)
    return -1;
  for (std::size_t i = 0; i < d.pointLabels.size(); ++i)
    if (d.pointLabels[i].curve == choice.curve && d.pointLabels[i].point == choice.point)
      return static_cast<int>(i);
  MessageBeep(MB_ICONEXCLAMATION);
  return -1;
}

}  // namespace

int CurveAxisOfLabel(const PlotDocument& document, int curve) {
  const int axis = document.yAxisMode == 2 ? document.curveAxis[curve] : 1;
  return axis >= 1 && axis <= MAX_Y_AXES ? axis : 1;
}

int AddLabelCommand(PlotDocument& document) {
  const int slot = ActiveSlot();
  if (document.pointLabels.size() >= static_cast<std::size_t>(MAX_POINT_LABELS)) {
    Ui().ShowStatus(Status::Failure(std::string("Too many labels.  Maximum = 20")));
    return 0;
  }
  PointChoice choice{&document, 1, 1};
  if (RunDialog("LABELPOINT", FieldsDialogProc<PointChoice, InitLabelPoint, AcceptLabelPoint>,
                reinterpret_cast<LPARAM>(&choice)) != IDOK)
    return 0;
  EndPlacement();
  HWND window = SlotWindow(slot);
  if (!window) return 0;
  placement.slot = slot;
  placement.label = PointLabel{};
  placement.label.curve = choice.curve;
  placement.label.point = choice.point;
  placement.window = window;
  placement.previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PlacementProc)));
  SetMouseEditing(false);
  SetStatusText(MessageText(MSG_STATUS_LABEL_LOCATION));
  return 0;  // the click finishes it
}

int EditLabelCommand(PlotDocument& document) {
  const int index = ChosenLabel(document);
  if (index < 0) return 0;
  PointLabel label = document.pointLabels[static_cast<std::size_t>(index)];
  if (RunDialog("POINTLABEL", FieldsDialogProc<PointLabel, InitPointLabel, AcceptPointLabel>,
                reinterpret_cast<LPARAM>(&label)) != IDOK)
    return 0;
  document.pointLabels[static_cast<std::size_t>(index)] = label;
  return 1;
}

int DeleteLabelCommand(PlotDocument& document) {
  const int index = ChosenLabel(document);
  if (index < 0) return 0;
  document.pointLabels.erase(document.pointLabels.begin() + index);
  return 1;
}

}  // namespace merva::app
