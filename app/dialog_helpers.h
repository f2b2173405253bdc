#pragma once

// Pieces every dialog procedure of the program repeats.

#include <windows.h>

namespace merva::app {

// The edit state a dialog works on: the WM_INITDIALOG parameter, kept with
// the window and read back on every later message (null before it).
template <class T>
T* DialogState(HWND dialog, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  return reinterpret_cast<T*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Cancel ends the dialog with IDCANCEL, Help opens the help context; false
// for any other command.
bool CancelOrHelp(HWND dialog, WPARAM wParam, int helpContext);
// Cancel ends the dialog with IDCANCEL; false for any other command.
bool EndOnCancel(HWND dialog, WPARAM wParam);

// A dialog of fields with OK and Cancel: Init fills them from the state,
// Accept reads them back (false keeps the dialog open after a refusal).
template <class State, void (*Init)(HWND, State*), bool (*Accept)(HWND, State*)>
INT_PTR CALLBACK FieldsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  State* state = DialogState<State>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog, state);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        if (Accept(dialog, state)) EndDialog(dialog, IDOK);
      } else {
        EndOnCancel(dialog, wParam);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace merva::app
