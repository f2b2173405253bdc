// KUAboutBox: the family's common About box.

#include "korvlib/korv32.h"
#include "korvlib/korv_module.h"
#include "korvlib/resource_ids.h"
#include "korvlib/window_texts.h"

namespace {

struct AboutRequest {
  HWND owner;
  LPCSTR text;
};

void FillAboutBox(HWND dialog, const AboutRequest& request) {
  const std::string name = korv::CutWindowTitle(request.owner);
  SetWindowTextA(dialog, ("About " + name).c_str());
  const auto ownerModule =
      reinterpret_cast<HMODULE>(GetWindowLongPtrA(request.owner, GWLP_HINSTANCE));
  const std::string version = korv::ModuleVersionString(ownerModule);
  SetDlgItemTextA(dialog, KU_ABOUT_NAME_VERSION, (name + " Version " + version).c_str());
  if (request.text) SetDlgItemTextA(dialog, KU_ABOUT_TEXT, request.text);
  if (const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(request.owner, GCLP_HICON)))
    SendDlgItemMessageA(dialog, KU_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  korv::CentreOverOwnerClient(dialog, request.owner);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FillAboutBox(dialog, *reinterpret_cast<const AboutRequest*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

extern "C" int WINAPI KUAboutBox(HWND owner, LPCSTR text) {
  // No owner or an untitled one: nothing to name the box after.
  if (!owner || !IsWindow(owner) || korv::CutWindowTitle(owner).empty()) return 0;
  const AboutRequest request{owner, text};
  const INT_PTR result = DialogBoxParamA(korv::Module(), "ABOUT", owner, AboutProc,
                                         reinterpret_cast<LPARAM>(&request));
  return result == 1 ? 1 : 0;
}
