#include "app/import_dialogs.h"

#include <commdlg.h>

#include <cstdio>

#include "app/dialog_helpers.h"
#include "app/dialogs.h"
#include "app/import_ids.h"
#include "app/plot_dialogs.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "automation/parameter_cells.h"

namespace merva::app {

namespace {

namespace f = dialog_fields;

struct ColumnsState {
  const ColumnPattern* pattern;
  ColumnChoice* choice;
};

// The choice is offered again while files have as many columns.
ColumnChoice rememberedChoice;
int rememberedColumns = 0;

void InitColumns(HWND dialog, ColumnsState* s) {
  const int columns = s->pattern->columns;
  f::SetInteger(dialog, IDC_X_COLUMN, s->choice->xColumn);
  for (int n = 1; n <= MAX_DATA_COLUMNS; ++n) {
    char caption[32];
    std::snprintf(caption, sizeof caption, "Column %ld", static_cast<long>(n));
    const int control = IDC_Y_COLUMN_FIRST + n - 1;
    SetDlgItemTextA(dialog, control, caption);
    EnableWindow(GetDlgItem(dialog, control), n <= columns);
    f::SetChecked(dialog, control, false);
  }
  for (int column : s->choice->yColumns)
    f::SetChecked(dialog, IDC_Y_COLUMN_FIRST + column - 1, true);
  f::SetChecked(dialog, IDC_USE_Y_COLUMNS, rememberedColumns == columns);
}

bool AcceptColumns(HWND dialog, ColumnsState* s) {
  const int columns = s->pattern->columns;
  int x = 0;
  if (!f::ReadInteger(dialog, IDC_X_COLUMN, 0, columns, x)) return false;
  ColumnChoice choice;
  choice.xColumn = x;
  const bool chosen = f::Checked(dialog, IDC_USE_Y_COLUMNS);
  for (int n = 1; n <= columns; ++n)
    if (chosen ? f::Checked(dialog, IDC_Y_COLUMN_FIRST + n - 1) : n != x)
      choice.yColumns.push_back(n);
  if (choice.yColumns.empty()) {
    f::Refuse(dialog, IDC_Y_COLUMN_FIRST, Status::Failure(std::string("Choose a column for Y.")),
              "Specify Columns to Plot");
    return false;
  }
  *s->choice = choice;
  if (chosen) {
    rememberedChoice = choice;
    rememberedColumns = columns;
  } else {
    rememberedColumns = 0;
  }
  return true;
}

void InitTimes(HWND dialog, TimeWindow* w) {
  f::SetReal(dialog, IDC_START_TIME, w->start);
  f::SetReal(dialog, IDC_FINISH_TIME, w->finish);
}

bool AcceptTimes(HWND dialog, TimeWindow* w) {
  TimeWindow entered;
  if (!f::ReadReal(dialog, IDC_START_TIME, -1e30, 1e30, entered.start) ||
      !f::ReadReal(dialog, IDC_FINISH_TIME, -1e30, 1e30, entered.finish))
    return false;
  *w = entered;
  return true;
}

bool IsRecorderType(int type) {
  return type == FILE_TYPE_DIGITIZER_9820 || type == FILE_TYPE_KESTRA_OLD ||
         type == FILE_TYPE_KESTRA_NEW || type == FILE_TYPE_HDAS;
}

}  // namespace

bool ColumnsDialog(const ColumnPattern& pattern, ColumnChoice& choice) {
  if (rememberedColumns == pattern.columns) choice = rememberedChoice;
  ColumnsState state{&pattern, &choice};
  return RunDialog("USECOLUMNS", FieldsDialogProc<ColumnsState, InitColumns, AcceptColumns>,
                   reinterpret_cast<LPARAM>(&state)) == IDOK;
}

bool TimeLimitsDialog(TimeWindow& window) {
  ParameterCells& cells = TheParameterCells();
  window = {cells.processStart, cells.processStop};
  if (RunDialog("TIMELIMITS", FieldsDialogProc<TimeWindow, InitTimes, AcceptTimes>,
                reinterpret_cast<LPARAM>(&window)) != IDOK)
    return false;
  cells.processStart = window.start;
  cells.processStop = window.finish;
  return true;
}

Status ImportWithDialogs(PlotDocument& document, const std::string& path, int fileType,
                         int firstCurve) {
  const ParameterCells& cells = TheParameterCells();
  const bool commandMode = cells.macroCommandActive != 0;
  ImportOptions options;
  options.showStatus = [](int number) { SetStatusHint(number); };
  if (!commandMode) options.chooseColumns = ColumnsDialog;
  if (IsRecorderType(fileType)) {
    if (commandMode)
      options.window = {cells.processStart, cells.processStop};
    else if (!TimeLimitsDialog(options.window))
      return Status::Failure();
  }
  return ImportFile(document, path, fileType, firstCurve, options);
}

UINT_PTR CALLBACK OpenDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_FILE_TYPES_BUTTON) {
    auto* dialogData = reinterpret_cast<OPENFILENAMEA*>(GetWindowLongPtrA(dialog, DWLP_USER));
    int* fileType = dialogData ? reinterpret_cast<int*>(dialogData->lCustData) : nullptr;
    int chosen = fileType ? *fileType : 1;
    if (fileType && FileTypesDialog(chosen)) *fileType = chosen;
    return TRUE;
  }
  return FALSE;
}

int FilterIndexOfType(int fileType) {
  switch (fileType) {
    case FILE_TYPE_PLOT:
      return 1;
    case FILE_TYPE_COLUMNS:
      return 3;
    case FILE_TYPE_NICOLET:
      return 4;
    default:
      return 2;
  }
}

}  // namespace merva::app
