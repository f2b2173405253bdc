// DATAEDIT: the points of one curve as rows of a list box, edited through
// the X and Y fields below it.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/dialog_helpers.h"
#include "app/editing_dialogs.h"
#include "app/editing_dialogs_ids.h"
#include "app/plot_dialogs.h"
#include "app/ui_host.h"
#include "core/dialog_values.h"

namespace merva::app {

namespace {

struct Rows {
  std::vector<double> x;
  std::vector<double> y;
  int selected = 0;  // 0-based
};

std::string RowText(const Rows& rows, int row) {
  char text[96];
  std::snprintf(text, sizeof text, "%04ld%s%.6G%s%.6G", static_cast<long>(row + 1), "\t",
                rows.x[static_cast<std::size_t>(row)], "\t", rows.y[static_cast<std::size_t>(row)]);
  return text;
}

std::string Field(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.6G", value);
  return text;
}

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_ROW_LIST); }

void ShowRow(HWND dialog, const Rows& rows, int row) {
  HWND list = List(dialog);
  SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
  SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(RowText(rows, row).c_str()));
}

void Select(HWND dialog, Rows& rows, int row) {
  rows.selected = row;
  SendMessageA(List(dialog), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SetDlgItemTextA(dialog, IDC_ROW_X, Field(rows.x[static_cast<std::size_t>(row)]).c_str());
  SetDlgItemTextA(dialog, IDC_ROW_Y, Field(rows.y[static_cast<std::size_t>(row)]).c_str());
  const int count = static_cast<int>(rows.x.size());
  EnableWindow(GetDlgItem(dialog, IDC_ROW_ADD), count < MAX_EDIT_ROWS);
  EnableWindow(GetDlgItem(dialog, IDC_ROW_INSERT), count < MAX_EDIT_ROWS);
  EnableWindow(GetDlgItem(dialog, IDC_ROW_DELETE), count >= 2);
}

void FillList(HWND dialog, Rows& rows) {
  SendMessageA(List(dialog), LB_RESETCONTENT, 0, 0);
  for (int row = 0; row < static_cast<int>(rows.x.size()); ++row)
    SendMessageA(List(dialog), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(RowText(rows, row).c_str()));
  Select(dialog, rows, std::min(rows.selected, static_cast<int>(rows.x.size()) - 1));
}

// A field that was changed stores its value in the selected row, through
// single precision (an untouched field keeps the row's full value).
void StoreField(HWND dialog, Rows& rows, int control) {
  if (!SendDlgItemMessageA(dialog, control, EM_GETMODIFY, 0, 0)) return;
  SendDlgItemMessageA(dialog, control, EM_SETMODIFY, FALSE, 0);
  double value = 0;
  if (!ParseDialogReal(dialog_fields::Text(dialog, control), value)) return;
  std::vector<double>& column = control == IDC_ROW_X ? rows.x : rows.y;
  column[static_cast<std::size_t>(rows.selected)] = static_cast<float>(value);
  ShowRow(dialog, rows, rows.selected);
  SendMessageA(List(dialog), LB_SETCURSEL, static_cast<WPARAM>(rows.selected), 0);
}

void NewRow(HWND dialog, Rows& rows, int at) {
  if (static_cast<int>(rows.x.size()) >= MAX_EDIT_ROWS) {
    MessageBeep(MB_OK);
    return;
  }
  rows.x.insert(rows.x.begin() + at, 0.0);
  rows.y.insert(rows.y.begin() + at, 0.0);
  rows.selected = at;
  FillList(dialog, rows);
}

void DeleteRow(HWND dialog, Rows& rows) {
  if (rows.x.size() < 2) return;
  rows.x.erase(rows.x.begin() + rows.selected);
  rows.y.erase(rows.y.begin() + rows.selected);
  FillList(dialog, rows);
}

// Before anything else changes the rows or the selection.
void StoreFields(HWND dialog, Rows& rows) {
  StoreField(dialog, rows, IDC_ROW_X);
  StoreField(dialog, rows, IDC_ROW_Y);
}

INT_PTR CALLBACK DataEditProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  Rows* rows = DialogState<Rows>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      INT tabs[2] = {32, 96};
      SendMessageA(List(dialog), LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(tabs));
      FillList(dialog, *rows);
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if ((id == IDC_ROW_X || id == IDC_ROW_Y) && HIWORD(wParam) == EN_KILLFOCUS) {
        StoreField(dialog, *rows, id);
      } else if (id == IDC_ROW_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
        StoreFields(dialog, *rows);
        const LRESULT row = SendMessageA(List(dialog), LB_GETCURSEL, 0, 0);
        if (row != LB_ERR) Select(dialog, *rows, static_cast<int>(row));
      } else if (id == IDC_ROW_ADD) {
        StoreFields(dialog, *rows);
        NewRow(dialog, *rows, static_cast<int>(rows->x.size()));
      } else if (id == IDC_ROW_INSERT) {
        StoreFields(dialog, *rows);
        NewRow(dialog, *rows, rows->selected);
      } else if (id == IDC_ROW_DELETE) {
        StoreFields(dialog, *rows);
        DeleteRow(dialog, *rows);
      } else if (id == IDOK) {
        // The field being typed in has not lost the focus yet.
        StoreFields(dialog, *rows);
        EndDialog(dialog, IDOK);
      } else {
        EndOnCancel(dialog, wParam);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

bool DataEditDialog(std::vector<double>& x, std::vector<double>& y) {
  Rows rows{x, y, 0};
  if (rows.x.empty()) {
    rows.x.push_back(0.0);
    rows.y.push_back(0.0);
  }
  if (RunDialog("DATAEDIT", DataEditProc, reinterpret_cast<LPARAM>(&rows)) != IDOK) return false;
  x = rows.x;
  y = rows.y;
  return true;
}

}  // namespace merva::app
