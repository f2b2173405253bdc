#include <windows.h>
// after windows.h
#include <commdlg.h>

#include "app/dialog_helpers.h"
#include "app/dialogs.h"
#include "app/document_window.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/program.h"
#include "app/ui_host.h"

namespace merva::app {

namespace {

// The screen palette's entries are reserved for animation: while the
// dialog is open the windows show the table being edited (on every display,
// also without a palette, by drawing them again), and colours move in the
// windows while the chooser's values change. Cancel puts the table back.
struct ColorEdit {
  ColorTable table{};
  ColorTable original{};
  bool printer = false;
  int index = 0;  // 0-based
  HBRUSH swatch = nullptr;
};

ColorTable& LiveTable(const ColorEdit& e) {
  return e.printer ? Settings().printerColors : Settings().screenColors;
}

void Preview(ColorEdit& e) {
  if (LiveTable(e) == e.table) return;
  LiveTable(e) = e.table;
  RedrawAllDocuments();
}

void ShowIndex(HWND dialog, ColorEdit& e) {
  CheckRadioButton(dialog, IDC_COLOR_INDEX_FIRST, IDC_COLOR_INDEX_LAST,
                   IDC_COLOR_INDEX_FIRST + e.index);
  if (e.swatch) DeleteObject(e.swatch);
  e.swatch = CreateSolidBrush(e.table[static_cast<std::size_t>(e.index)]);
  InvalidateRect(GetDlgItem(dialog, IDC_COLOR_SWATCH), nullptr, TRUE);
}

// The colour chooser's red, green and blue fields.
constexpr int CHOOSER_RED = 706, CHOOSER_GREEN = 707, CHOOSER_BLUE = 708;

struct ChooserState {
  ColorEdit* edit = nullptr;
  HWND owner = nullptr;
  COLORREF before = 0;
};

UINT_PTR CALLBACK ChooserHook(HWND chooser, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* cc = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    SetWindowLongPtrA(chooser, DWLP_USER, static_cast<LONG_PTR>(cc->lCustData));
    return TRUE;
  }
  auto* state = reinterpret_cast<ChooserState*>(GetWindowLongPtrA(chooser, DWLP_USER));
  if (!state || message != WM_COMMAND || HIWORD(wParam) != EN_CHANGE) return FALSE;
  const int id = LOWORD(wParam);
  if (id != CHOOSER_RED && id != CHOOSER_GREEN && id != CHOOSER_BLUE) return FALSE;
  BOOL ok[3] = {};
  const UINT r = GetDlgItemInt(chooser, CHOOSER_RED, &ok[0], FALSE);
  const UINT g = GetDlgItemInt(chooser, CHOOSER_GREEN, &ok[1], FALSE);
  const UINT b = GetDlgItemInt(chooser, CHOOSER_BLUE, &ok[2], FALSE);
  if (!ok[0] || !ok[1] || !ok[2] || r > 255 || g > 255 || b > 255) return FALSE;
  ColorEdit& e = *state->edit;
  e.table[static_cast<std::size_t>(e.index)] = RGB(r, g, b);
  ShowIndex(state->owner, e);
  Preview(e);
  return FALSE;
}

void ChangeColor(HWND dialog, ColorEdit& e) {
  static COLORREF custom[16] = {};
  ChooserState state{&e, dialog, e.table[static_cast<std::size_t>(e.index)]};
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = dialog;
  cc.rgbResult = state.before;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
  cc.lpfnHook = ChooserHook;
  cc.lCustData = reinterpret_cast<LPARAM>(&state);
  const bool chosen = ChooseColorA(&cc) != 0;
  if (!chosen) ShowCommonDialogError(CommDlgExtendedError());  // nothing for Cancel
  e.table[static_cast<std::size_t>(e.index)] = chosen ? cc.rgbResult & 0x00FFFFFF : state.before;
  ShowIndex(dialog, e);
  Preview(e);
}

INT_PTR CALLBACK ColorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* e = DialogState<ColorEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(dialog, e->printer ? "Select Printer Colors" : "Select Display Colors");
      ShowIndex(dialog, *e);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (e && e->swatch && reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_COLOR_SWATCH))
        return reinterpret_cast<INT_PTR>(e->swatch);
      return FALSE;
    case WM_DESTROY:
      // Closed without OK: the windows go back to the stored colours.
      if (e && LiveTable(*e) != e->original) {
        e->table = e->original;
        Preview(*e);
      }
      if (e && e->swatch) {
        DeleteObject(e->swatch);
        e->swatch = nullptr;
      }
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= IDC_COLOR_INDEX_FIRST && id <= IDC_COLOR_INDEX_LAST) {
        e->index = id - IDC_COLOR_INDEX_FIRST;
        ShowIndex(dialog, *e);
      } else if (id == IDC_COLOR_CHANGE) {
        ChangeColor(dialog, *e);
      } else if (id == IDOK) {
        e->original = e->table;
        EndDialog(dialog, id);
      } else if (id == IDCANCEL) {
        EndDialog(dialog, id);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

int CurveColorsDialog(bool printer) {
  ColorEdit edit;
  edit.printer = printer;
  edit.table = LiveTable(edit);
  edit.original = edit.table;
  const bool ok = RunDialog("MYCHOOSECOLOR", ColorProc, reinterpret_cast<LPARAM>(&edit)) == IDOK;
  // Whatever ended the dialog, the table is the one it was left with.
  LiveTable(edit) = ok ? edit.table : edit.original;
  RedrawAllDocuments();
  return ok ? 1 : 0;
}

}  // namespace merva::app
