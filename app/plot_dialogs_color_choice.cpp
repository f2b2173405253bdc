#include <windows.h>
// after windows.h
#include <commdlg.h>

#include "app/document_window.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/program.h"
#include "app/ui_host.h"

namespace merva::app {

namespace {

// The changes are previewed on a swatch of the chosen entry; the windows
// show them after OK.
struct ColorEdit {
  ColorTable table{};
  bool printer = false;
  int index = 0;  // 0-based
  HBRUSH swatch = nullptr;
};

void ShowIndex(HWND dialog, ColorEdit& e) {
  CheckRadioButton(dialog, IDC_COLOR_INDEX_FIRST, IDC_COLOR_INDEX_LAST,
                   IDC_COLOR_INDEX_FIRST + e.index);
  if (e.swatch) DeleteObject(e.swatch);
  e.swatch = CreateSolidBrush(e.table[static_cast<std::size_t>(e.index)]);
  InvalidateRect(GetDlgItem(dialog, IDC_COLOR_SWATCH), nullptr, TRUE);
}

void ChangeColor(HWND dialog, ColorEdit& e) {
  static COLORREF custom[16] = {};
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = dialog;
  cc.rgbResult = e.table[static_cast<std::size_t>(e.index)];
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&cc)) return;
  e.table[static_cast<std::size_t>(e.index)] = cc.rgbResult & 0x00FFFFFF;
  ShowIndex(dialog, e);
}

INT_PTR CALLBACK ColorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* e = reinterpret_cast<ColorEdit*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      e = reinterpret_cast<ColorEdit*>(lParam);
      SetWindowTextA(dialog, e->printer ? "Select Printer Colors" : "Select Display Colors");
      ShowIndex(dialog, *e);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (e && e->swatch && reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_COLOR_SWATCH))
        return reinterpret_cast<INT_PTR>(e->swatch);
      return FALSE;
    case WM_DESTROY:
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
      } else if (id == IDOK || id == IDCANCEL) {
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
  edit.table = printer ? Settings().printerColors : Settings().screenColors;
  if (RunDialog("MYCHOOSECOLOR", ColorProc, reinterpret_cast<LPARAM>(&edit)) != IDOK) return 0;
  (printer ? Settings().printerColors : Settings().screenColors) = edit.table;
  for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot)
    if (Documents().IsOpen(slot)) InvalidatePicture(slot);
  return 1;
}

}  // namespace merva::app
