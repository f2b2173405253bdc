#include "app/dialog_helpers.h"

#include "app/help.h"
#include "app/resource_ids.h"

namespace merva::app {

bool CancelOrHelp(HWND dialog, WPARAM wParam, int helpContext) {
  switch (LOWORD(wParam)) {
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return true;
    case IDC_HELP_BUTTON:
      OpenHelpContext(helpContext);
      return true;
    default:
      return false;
  }
}

}  // namespace merva::app
