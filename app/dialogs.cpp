#include "app/dialogs.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/dialog_helpers.h"
#include "app/help.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/ui_host.h"
#include "io/import_file.h"
#include "core/array_sizing.h"
#include "core/messages.h"

namespace merva::app {

namespace {

struct ShapeRequest {
  int curves = 0;
  int points = 0;
  int slot = 0;  // ARRAYSIZE: the document
  bool resize = false;
};

void SetNumber(HWND dialog, int control, int value) {
  SetDlgItemTextA(dialog, control, std::to_string(value).c_str());
}

// An integer field; false when it does not read as one.
bool GetNumber(HWND dialog, int control, int& value) {
  char text[32] = {};
  GetDlgItemTextA(dialog, control, text, sizeof text);
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  while (end && *end == ' ') ++end;
  if (end == text || (end && *end != '\0') || number < -2147483647L || number > 2147483647L)
    return false;
  value = static_cast<int>(number);
  return true;
}

// Refused input: the message, and the field keeps the focus.
void Refuse(HWND dialog, const Status& status, int control) {
  Ui().ShowStatus(status);
  SetFocus(GetDlgItem(dialog, control));
  SendDlgItemMessageA(dialog, control, EM_SETSEL, 0, -1);
}

void InitShape(HWND dialog, const ShapeRequest& request) {
  SetNumber(dialog, IDC_CURVES, request.curves);
  SetNumber(dialog, IDC_POINTS, request.points);
  SendDlgItemMessageA(dialog, IDC_CURVES, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessageA(dialog, IDC_POINTS, EM_LIMITTEXT, 10, 0);
}

// Reads both fields and runs the check; true when the dialog may close.
bool AcceptShape(HWND dialog, ShapeRequest& request) {
  int curves = 0, points = 0;
  if (!GetNumber(dialog, IDC_CURVES, curves)) curves = -1;
  if (!GetNumber(dialog, IDC_POINTS, points)) points = -1;
  const Status status = request.resize
                            ? CheckResizeShape(Documents().Document(request.slot), curves, points)
                            : CheckNewWindowShape(curves, points);
  if (!status.Ok()) {
    const bool curvesWrong = status.Text().find("curves") != std::string::npos;
    Refuse(dialog, status, curvesWrong ? IDC_CURVES : IDC_POINTS);
    return false;
  }
  request.curves = curves;
  request.points = points;
  return true;
}

// NEWWINDOW and ARRAYSIZE; only ARRAYSIZE has a Help button.
INT_PTR CALLBACK ShapeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* request = DialogState<ShapeRequest>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      InitShape(dialog, *request);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        if (AcceptShape(dialog, *request)) EndDialog(dialog, IDOK);
        return TRUE;
      }
      return CancelOrHelp(dialog, wParam, HELP_ARRAY_SIZE) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

struct ChoiceRequest {
  int first = 0;  // control of choice 1
  int count = 0;
  int choice = 1;
  bool (*available)(int) = nullptr;
  int helpContext = 0;
};

INT_PTR CALLBACK ChoiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* request = DialogState<ChoiceRequest>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      if (!request->available(request->choice)) request->choice = 1;
      for (int n = 1; n <= request->count; ++n)
        EnableWindow(GetDlgItem(dialog, request->first + n - 1), request->available(n));
      const int checked = request->first + request->choice - 1;
      CheckRadioButton(dialog, request->first, request->first + request->count - 1, checked);
      SetFocus(GetDlgItem(dialog, checked));
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          for (int n = 1; n <= request->count; ++n)
            if (IsDlgButtonChecked(dialog, request->first + n - 1) == BST_CHECKED)
              request->choice = n;
          EndDialog(dialog, IDOK);
          return TRUE;
        default:
          return CancelOrHelp(dialog, wParam, request->helpContext) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

int lastFileType = 1;  // the chosen type is offered again next time

}  // namespace

bool InsufficientMemoryDialog(int& curves, int& points) {
  ShapeRequest request{curves, points, 0, false};
  if (RunDialog("NEWWINDOW", ShapeProc, reinterpret_cast<LPARAM>(&request)) != IDOK) return false;
  curves = request.curves;
  points = request.points;
  return true;
}

bool ResizeArraysDialog(int slot) {
  if (!Documents().IsOpen(slot)) return false;
  PlotDocument& document = Documents().Document(slot);
  const ArrayShape shown = InitialResizeShape(document);
  ShapeRequest request{shown.curves, shown.points, slot, true};
  if (RunDialog("ARRAYSIZE", ShapeProc, reinterpret_cast<LPARAM>(&request)) != IDOK) return false;
  if (request.curves == document.maxCurves && request.points == document.maxPoints) return false;
  if (document.curveCount > 0 && Ui().Ask(MessageText(MSG_REALLOCATION_LOSS), "Resize Arrays",
                                          MB_YESNO | MB_ICONQUESTION, IDYES) != IDYES)
    return false;
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const Status status = ApplyResize(document, request.curves, request.points);
  SetCursor(old);
  Ui().ShowStatus(status, "Resize Arrays");
  if (status.fatal) PostQuitMessage(0);
  return status.Ok();
}

bool FileTypeAvailable(int fileType) { return ImportTypeKnown(fileType); }
bool FileFormatAvailable(int choice) { return choice >= 1 && choice <= 6; }

bool FileTypesDialog(int& fileType) {
  ChoiceRequest request{IDC_FILE_TYPE_FIRST, 10, lastFileType, FileTypeAvailable, HELP_FILE_TYPES};
  if (RunDialog("FILETYPES", ChoiceProc, reinterpret_cast<LPARAM>(&request)) != IDOK) return false;
  fileType = lastFileType = request.choice;
  return true;
}

bool FileFormatDialog(int& choice) {
  ChoiceRequest request{IDC_FORMAT_FIRST, 6, 1, FileFormatAvailable, HELP_FILE_FORMAT};
  if (RunDialog("FILEFORMAT", ChoiceProc, reinterpret_cast<LPARAM>(&request)) != IDOK) return false;
  choice = request.choice;
  return true;
}

void ShowCommonDialogError(unsigned long errorCode) {
  if (errorCode == 0) return;
  // The texts live in the library; it is loaded only for the box.
  char text[512] = {};
  if (HMODULE library = LoadLibraryA("KORV32.DLL")) {
    LoadStringA(library, static_cast<UINT>(errorCode), text, sizeof text);
    FreeLibrary(library);
  }
  std::string message = "Application error.";
  if (text[0])
    message += std::string(" ") + text;
  else
    message += " Error code " + std::to_string(errorCode) + ".";
  Ui().Show(message + " Contact application developer.", "Common Dialog Box Error", MB_ICONSTOP);
}

}  // namespace merva::app
