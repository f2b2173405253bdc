#include "app/dialog_helpers.h"

#include "app/help.h"
#include "app/resource_ids.h"

namespace merva::app {

bool EndOnCancel(HWND dialog, WPARAM wParam) {
  if (LOWORD(wParam) != IDCANCEL) return false;
  EndDialog(dialog, IDCANCEL);
  return true;
}

bool CancelOrHelp(HWND dialog, WPARAM wParam, int helpContext) {
  if (EndOnCancel(dialog, wParam)) return true;
  switch (LOWORD(wParam)) {
    case IDC_HELP_BUTTON:
      OpenHelpContext(helpContext);
      return true;
    default:
      return false;
  }
}

}  // namespace merva::app
