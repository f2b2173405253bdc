#include "app/analysis_dialogs.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/analysis_ids.h"
#include "app/dialog_helpers.h"
#include "app/editing_dialogs_ids.h"
#include "app/help.h"
#include "app/plot_dialogs.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/ui_host.h"
#include "core/number_text.h"
#include "processing/curve_functions.h"
#include "processing/scan_points.h"
#include "render/plot_interaction.h"

namespace merva::app {

namespace {

using dialog_fields::SetText;
using dialog_fields::Text;

// --- READONLY ---

struct ReadOnlyState {
  const std::string* caption;
  const std::string* text;
  int helpContext;
};

INT_PTR CALLBACK ReadOnlyProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ReadOnlyState* s = DialogState<ReadOnlyState>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(dialog, s->caption->c_str());
      SetText(dialog, IDC_READONLY_TEXT, *s->text);
      SetFocus(GetDlgItem(dialog, IDOK));
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        case IDC_READONLY_COPY:
          if (!CopyTextToClipboard(dialog, *s->text)) MessageBeep(MB_ICONEXCLAMATION);
          return TRUE;
        case IDC_ANALYSIS_HELP:
          OpenHelpContext(s->helpContext);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

// --- FUNCY ---

struct FunctionEdit {
  PlotDocument* document;
  CurveFunctionChoice* choice;
};

void FillCurveList(HWND dialog, int control, const PlotDocument& d, int selected) {
  for (int c = 1; c <= d.curveCount; ++c) {
    if (!CurveQualifiesForFunction(d, c)) continue;
    const LRESULT index =
        SendDlgItemMessageA(dialog, control, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(FunctionListEntry(d, c).c_str()));
    SendDlgItemMessageA(dialog, control, LB_SETITEMDATA, static_cast<WPARAM>(index), c);
    if (c == selected)
      SendDlgItemMessageA(dialog, control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  if (SendDlgItemMessageA(dialog, control, LB_GETCURSEL, 0, 0) == LB_ERR)
    SendDlgItemMessageA(dialog, control, LB_SETCURSEL, 0, 0);
}

int SelectedCurve(HWND dialog, int control) {
  const LRESULT index = SendDlgItemMessageA(dialog, control, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return 0;
  return static_cast<int>(
      SendDlgItemMessageA(dialog, control, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

INT_PTR CALLBACK FunctionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  FunctionEdit* e = DialogState<FunctionEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      FillCurveList(dialog, IDC_FUNCY_Y1, *e->document, e->choice->y1);
      FillCurveList(dialog, IDC_FUNCY_Y2, *e->document, e->choice->y2);
      const int op = e->choice->operation >= FIRST_CURVE_OPERATOR &&
                             e->choice->operation <= LAST_CURVE_OPERATOR
                         ? e->choice->operation
                         : FIRST_CURVE_OPERATOR;
      CheckRadioButton(dialog, IDC_FUNCY_ADD, IDC_FUNCY_DIVIDE, IDC_FUNCY_ADD + op - 1);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: {
          e->choice->y1 = SelectedCurve(dialog, IDC_FUNCY_Y1);
          e->choice->y2 = SelectedCurve(dialog, IDC_FUNCY_Y2);
          for (int id = IDC_FUNCY_ADD; id <= IDC_FUNCY_DIVIDE; ++id)
            if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
              e->choice->operation = id - IDC_FUNCY_ADD + 1;
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDC_ANALYSIS_HELP:
          OpenHelpContext(IDM_CURVE_FUNCTION);
          return TRUE;
        default:
          return EndOnCancel(dialog, wParam);
      }
    default:
      return FALSE;
  }
}

// --- POLYNOMIAL ---

void InitPolynomial(HWND dialog, PolynomialCoefficients* c) {
  for (int k = 0; k < POLYNOMIAL_COEFFICIENTS; ++k)
    dialog_fields::SetReal(dialog, IDC_POLY_C0 + k, (*c)[static_cast<std::size_t>(k)]);
}

bool AcceptPolynomial(HWND dialog, PolynomialCoefficients* c) {
  PolynomialCoefficients read{};
  for (int k = 0; k < POLYNOMIAL_COEFFICIENTS; ++k) {
    // Any single-precision number; a blank or unreadable field is refused.
    if (!dialog_fields::ReadReal(dialog, IDC_POLY_C0 + k, -3.4e38, 3.4e38,
                                 read[static_cast<std::size_t>(k)]))
      return false;
  }
  *c = read;
  return true;
}

INT_PTR CALLBACK PolynomialProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_ANALYSIS_HELP) {
    OpenHelpContext(IDM_POLY);
    return TRUE;
  }
  return FieldsDialogProc<PolynomialCoefficients, InitPolynomial, AcceptPolynomial>(dialog, message,
                                                                                    wParam, lParam);
}

// --- EDIT_REAL and REALLIMITS ---

constexpr double ANY_REAL = 3.4e38;  // single-precision range

struct RealRequest {
  std::string caption;
  std::string prompt;
  double value = 0.0;
  double low = -ANY_REAL;
  double high = ANY_REAL;
};

void InitRealRequest(HWND dialog, RealRequest* r) {
  SetWindowTextA(dialog, r->caption.c_str());
  SetText(dialog, IDC_EDIT_PROMPT, r->prompt);
  dialog_fields::SetReal(dialog, IDC_EDIT_VALUE, r->value);
}

bool AcceptRealRequest(HWND dialog, RealRequest* r) {
  return dialog_fields::ReadReal(dialog, IDC_EDIT_VALUE, r->low, r->high, r->value);
}

bool RunRealRequest(const char* captionAndPrompt, double& value, double low, double high) {
  const std::string text = captionAndPrompt;
  const std::size_t split = text.find('\\');
  RealRequest r;
  r.caption = text.substr(0, split);
  r.prompt = split == std::string::npos ? std::string() : text.substr(split + 1);
  r.value = value;
  r.low = low;
  r.high = high;
  if (RunDialog("EDIT_REAL", FieldsDialogProc<RealRequest, InitRealRequest, AcceptRealRequest>,
                reinterpret_cast<LPARAM>(&r)) != IDOK)
    return false;
  value = r.value;
  return true;
}

struct LimitsRequest {
  std::string caption;
  double lower = 0.0;
  double upper = 0.0;
};

void InitLimits(HWND dialog, LimitsRequest* l) {
  SetWindowTextA(dialog, l->caption.c_str());
  dialog_fields::SetReal(dialog, IDC_EDIT_VALUE, l->lower);
  dialog_fields::SetReal(dialog, IDC_EDIT_FROM, l->upper);
}

bool AcceptLimits(HWND dialog, LimitsRequest* l) {
  double lower = 0.0, upper = 0.0;
  if (!dialog_fields::ReadReal(dialog, IDC_EDIT_VALUE, -ANY_REAL, ANY_REAL, lower) ||
      !dialog_fields::ReadReal(dialog, IDC_EDIT_FROM, -ANY_REAL, ANY_REAL, upper))
    return false;
  l->lower = std::min(lower, upper);
  l->upper = std::max(lower, upper);
  return true;
}

// --- SCANPOINTS ---

constexpr UINT_PTR SCAN_TIMER = 1;
constexpr UINT SCAN_PERIOD_MS = 80;
constexpr int SCAN_MARK = 4;  // half size of the marker, device units
constexpr char SCAN_STATE_PROPERTY[] = "MervaScan";

struct ScanState {
  int slot = 0;
  int curve = 1;
  int point = 0;
  POINT lastCursor{-1, -1};
  bool marked = false;
  POINT mark{};
  WNDPROC buttonProc = nullptr;
};

RECT MarkRect(const ScanState& s) {
  return {s.mark.x - SCAN_MARK, s.mark.y - SCAN_MARK, s.mark.x + SCAN_MARK + 1,
          s.mark.y + SCAN_MARK + 1};
}

// The marker is drawn inverted over the window's picture.
void DrawMark(ScanState& s) {
  HWND window = SlotWindow(s.slot);
  if (!window) return;
  HDC dc = GetDC(window);
  const int oldRop = SetROP2(dc, R2_NOT);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const RECT r = MarkRect(s);
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, oldBrush);
  SetROP2(dc, oldRop);
  ReleaseDC(window, dc);
  s.marked = true;
}

// The window paints the place again from its kept picture, whatever was
// drawn over it meanwhile.
void EraseMark(ScanState& s) {
  HWND window = SlotWindow(s.slot);
  if (!s.marked || !window) return;
  const RECT r = MarkRect(s);
  InvalidateRect(window, &r, FALSE);
  UpdateWindow(window);
  s.marked = false;
}

void ShowPoint(HWND dialog, ScanState& s, int point) {
  const PlotDocument& d = Documents().Document(s.slot);
  if (point < 1 || point > d.pointCount[s.curve]) return;
  s.point = point;
  const ScanTexts texts = ScanPointTexts(d, s.curve, point, ReportNumbers(d));
  SetText(dialog, IDC_SCAN_CURVE, texts.curve);
  SetText(dialog, IDC_SCAN_POINT, texts.point);
  SetText(dialog, IDC_SCAN_X, texts.x);
  SetText(dialog, IDC_SCAN_Y, texts.y);
  EraseMark(s);
  const int axis = d.yAxisMode == 2 ? d.curveAxis[s.curve] : 1;
  double px = 0.0, py = 0.0;
  if (DataToDevice(d, d.X(s.curve, point), d.Y(s.curve, point), px, py, axis) &&
      std::fabs(px) < 32767.0 && std::fabs(py) < 32767.0) {
    s.mark = {static_cast<LONG>(px), static_cast<LONG>(py)};
    DrawMark(s);
  }
}

void FollowCursor(HWND dialog, ScanState& s) {
  HWND window = SlotWindow(s.slot);
  POINT cursor{};
  if (!window || !GetCursorPos(&cursor)) return;
  if (cursor.x == s.lastCursor.x && cursor.y == s.lastCursor.y) return;
  s.lastCursor = cursor;
  // The document window is disabled with the frame while the box is open,
  // so the test is by its rectangle; the box itself may lie over it.
  RECT box{};
  GetWindowRect(dialog, &box);
  if (PtInRect(&box, cursor)) return;
  RECT client{};
  GetClientRect(window, &client);
  ScreenToClient(window, &cursor);
  if (!PtInRect(&client, cursor)) return;
  const int point = NearestPoint(Documents().Document(s.slot), s.curve, cursor.x, cursor.y);
  if (point != 0 && point != s.point) ShowPoint(dialog, s, point);
}

// The Close button takes the arrow keys, so that they step the scan.
LRESULT CALLBACK ScanKeysProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND dialog = GetParent(button);
  auto* s = static_cast<ScanState*>(GetPropA(dialog, SCAN_STATE_PROPERTY));
  if (!s) return DefWindowProcA(button, message, wParam, lParam);
  if (message == WM_GETDLGCODE)
    return CallWindowProcA(s->buttonProc, button, message, wParam, lParam) | DLGC_WANTARROWS;
  if (message == WM_KEYDOWN) {
    const int n = Documents().Document(s->slot).pointCount[s->curve];
    int step = 0;
    if (wParam == VK_RIGHT || wParam == VK_DOWN) step = 1;
    if (wParam == VK_LEFT || wParam == VK_UP) step = -1;
    if (wParam == VK_HOME) step = 1 - s->point;
    if (wParam == VK_END) step = n - s->point;
    if (step != 0) {
      ShowPoint(dialog, *s, std::min(std::max(s->point + step, 1), n));
      return 0;
    }
  }
  return CallWindowProcA(s->buttonProc, button, message, wParam, lParam);
}

INT_PTR CALLBACK ScanProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ScanState* s = DialogState<ScanState>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      SetPropA(dialog, SCAN_STATE_PROPERTY, s);
      HWND keys = GetDlgItem(dialog, IDC_SCAN_KEYS);
      s->buttonProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(keys, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ScanKeysProc)));
      // Beside the frame's top right corner, away from the plot.
      RECT frame{}, box{};
      GetWindowRect(TheProgram().frame, &frame);
      GetWindowRect(dialog, &box);
      SetWindowPos(dialog, nullptr, frame.right - (box.right - box.left) - 16, frame.top + 48, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
      ShowPoint(dialog, *s, 1);
      SetTimer(dialog, SCAN_TIMER, SCAN_PERIOD_MS, nullptr);
      SetFocus(keys);
      return FALSE;
    }
    case WM_TIMER:
      FollowCursor(dialog, *s);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_SCAN_KEYS:
        case IDOK:
        case IDCANCEL:
          KillTimer(dialog, SCAN_TIMER);
          EraseMark(*s);
          SetWindowLongPtrA(GetDlgItem(dialog, IDC_SCAN_KEYS), GWLP_WNDPROC,
                            reinterpret_cast<LONG_PTR>(s->buttonProc));
          RemovePropA(dialog, SCAN_STATE_PROPERTY);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDC_ANALYSIS_HELP:
          OpenHelpContext(IDM_SCAN);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

NumberFormatContext ReportNumbers(const PlotDocument& document) {
  NumberFormatContext numbers;
  numbers.regional = TheProgram().regional;
  numbers.delineateThousands = Settings().delineateThousands;
  numbers.dateFormat = document.dateFormat.Str();
  return numbers;
}

bool CopyTextToClipboard(HWND owner, const std::string& text) {
  // Another program may hold the clipboard for a moment.
  constexpr int OPEN_TRIES = 20;
  constexpr DWORD OPEN_PAUSE_MS = 25;
  int tries = 0;
  while (!OpenClipboard(owner)) {
    if (++tries == OPEN_TRIES) return false;
    Sleep(OPEN_PAUSE_MS);
  }
  EmptyClipboard();
  bool done = false;
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    if (void* bytes = GlobalLock(memory)) {
      std::memcpy(bytes, text.c_str(), text.size() + 1);
      GlobalUnlock(memory);
      // The clipboard owns the memory once it accepted it.
      done = SetClipboardData(CF_TEXT, memory) != nullptr;
    }
    if (!done) GlobalFree(memory);
  }
  CloseClipboard();
  return done;
}

void ReadOnlyBox(const std::string& caption, const std::string& text, int helpContext) {
  ReadOnlyState state{&caption, &text, helpContext};
  RunDialog("READONLY", ReadOnlyProc, reinterpret_cast<LPARAM>(&state));
}

bool CurveFunctionDialog(PlotDocument& document, CurveFunctionChoice& choice) {
  bool any = false;
  for (int c = 1; c <= document.curveCount && !any; ++c) {
    MonotonicState(document, c);
    any = CurveQualifiesForFunction(document, c);
  }
  for (int c = 1; c <= document.curveCount; ++c) MonotonicState(document, c);
  if (!any) {
    Ui().Show(NO_MONOTONIC_CURVE_MESSAGE);
    return false;
  }
  FunctionEdit edit{&document, &choice};
  return RunDialog("FUNCY", FunctionProc, reinterpret_cast<LPARAM>(&edit)) == IDOK &&
         choice.y1 >= 1 && choice.y2 >= 1;
}

bool RangedRealDialog(const char* captionAndPrompt, double& value, double low, double high) {
  return RunRealRequest(captionAndPrompt, value, low, high);
}

bool AnyRealDialog(const char* captionAndPrompt, double& value) {
  return RunRealRequest(captionAndPrompt, value, -ANY_REAL, ANY_REAL);
}

bool XLimitsDialog(const char* caption, double& lower, double& upper) {
  LimitsRequest l{caption, lower, upper};
  if (RunDialog("REALLIMITS", FieldsDialogProc<LimitsRequest, InitLimits, AcceptLimits>,
                reinterpret_cast<LPARAM>(&l)) != IDOK)
    return false;
  lower = l.lower;
  upper = l.upper;
  return true;
}

bool PolynomialDialog(PolynomialCoefficients& coefficients) {
  return RunDialog("POLYNOMIAL", PolynomialProc, reinterpret_cast<LPARAM>(&coefficients)) == IDOK;
}

void ScanPointsDialog(int slot, int curve) {
  if (!Documents().IsOpen(slot)) return;
  const PlotDocument& d = Documents().Document(slot);
  if (curve < 1 || curve > d.curveCount || d.pointCount[curve] < 1) return;
  ScanState state;
  state.slot = slot;
  state.curve = curve;
  RunDialog("SCANPOINTS", ScanProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace merva::app
