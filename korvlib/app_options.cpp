// KUAppOptions: the start-up "options" dialog.

#include <windowsx.h>

#include <algorithm>

#include "korvlib/korv32.h"
#include "korvlib/korv_module.h"
#include "korvlib/options_list.h"
#include "korvlib/resource_ids.h"
#include "korvlib/window_texts.h"

namespace {

struct OptionsDialog {
  KUOPTIONSREQUEST request;
  korv::OptionList list;
};

HWND OwnerOf(const KUOPTIONSREQUEST& request) {
  const HWND owner = KU_OWNER_HANDLE(request.owner);
  return IsWindow(owner) ? owner : nullptr;
}

RECT ChildRect(HWND dialog, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void HideControl(HWND dialog, int id) {
  const HWND control = GetDlgItem(dialog, id);
  EnableWindow(control, FALSE);
  ShowWindow(control, SW_HIDE);
}

// Fewer than six options: the group box and the dialog lose the unused
// rows. The dialog keeps its visible buttons inside, which the rows might
// not leave room for.
void ShrinkToOptions(HWND dialog, int count, bool helpShown) {
  if (count >= KU_OPTIONS_SLOTS) return;
  const LONG rowDistance = ChildRect(dialog, KU_OPTIONS_FIRST_RADIO + 1).top -
                           ChildRect(dialog, KU_OPTIONS_FIRST_RADIO).top;
  const LONG cut = rowDistance * (KU_OPTIONS_SLOTS - count);

  const RECT group = ChildRect(dialog, KU_OPTIONS_GROUP);
  SetWindowPos(GetDlgItem(dialog, KU_OPTIONS_GROUP), nullptr, 0, 0, group.right - group.left,
               group.bottom - group.top - cut, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  RECT client{};
  GetClientRect(dialog, &client);
  const RECT lowest = ChildRect(dialog, helpShown ? KU_OPTIONS_HELP_BUTTON : IDCANCEL);
  const LONG margin = client.bottom - group.bottom;
  const LONG dialogCut = std::min(cut, client.bottom - (lowest.bottom + margin));
  if (dialogCut <= 0) return;
  RECT frame{};
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top - dialogCut, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FillOptions(HWND dialog, OptionsDialog& state) {
  const HWND owner = OwnerOf(state.request);
  const std::string title = korv::CutWindowTitle(owner);
  if (!title.empty()) SetWindowTextA(dialog, title.c_str());

  const korv::OptionList& list = state.list;
  for (int i = 0; i < KU_OPTIONS_SLOTS; ++i) {
    if (i < list.count) {
      SetDlgItemTextA(dialog, KU_OPTIONS_FIRST_RADIO + i, list.options[i].label);
      if (const HICON icon = LoadIconA(korv::Module(), list.options[i].iconName))
        SendDlgItemMessageA(dialog, KU_OPTIONS_FIRST_ICON + i, STM_SETICON,
                            reinterpret_cast<WPARAM>(icon), 0);
    } else {
      HideControl(dialog, KU_OPTIONS_FIRST_RADIO + i);
      HideControl(dialog, KU_OPTIONS_FIRST_ICON + i);
    }
  }
  CheckRadioButton(dialog, KU_OPTIONS_FIRST_RADIO, KU_OPTIONS_FIRST_RADIO + list.count - 1,
                   KU_OPTIONS_FIRST_RADIO + list.selected);
  const bool helpShown = (state.request.flags & KU_OPTIONS_HELP) != 0;
  if (!helpShown) HideControl(dialog, KU_OPTIONS_HELP_BUTTON);
  ShrinkToOptions(dialog, list.count, helpShown);
  korv::CentreOverOwnerClient(dialog, owner);
}

int CheckedOption(HWND dialog, const korv::OptionList& list) {
  for (int i = 0; i < list.count; ++i)
    if (IsDlgButtonChecked(dialog, KU_OPTIONS_FIRST_RADIO + i) == BST_CHECKED)
      return list.options[i].value;
  return list.options[list.selected].value;
}

// The listed option whose icon holds the point (dialog client coordinates).
int OptionAtIcon(HWND dialog, const korv::OptionList& list, POINT point) {
  for (int i = 0; i < list.count; ++i) {
    const RECT icon = ChildRect(dialog, KU_OPTIONS_FIRST_ICON + i);
    if (PtInRect(&icon, point)) return i;
  }
  return -1;
}

bool ClickIcon(HWND dialog, const OptionsDialog& state, WPARAM keys, LPARAM position,
               bool doubleClick) {
  if (keys != MK_LBUTTON) return false;
  const POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  const int index = OptionAtIcon(dialog, state.list, point);
  if (index < 0) return false;
  CheckRadioButton(dialog, KU_OPTIONS_FIRST_RADIO, KU_OPTIONS_FIRST_RADIO + state.list.count - 1,
                   KU_OPTIONS_FIRST_RADIO + index);
  SetFocus(GetDlgItem(dialog, KU_OPTIONS_FIRST_RADIO + index));
  if (doubleClick) EndDialog(dialog, state.list.options[index].value);
  return true;
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<OptionsDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      FillOptions(dialog, *reinterpret_cast<OptionsDialog*>(lParam));
      SetFocus(GetDlgItem(dialog, KU_OPTIONS_FIRST_RADIO +
                                      reinterpret_cast<OptionsDialog*>(lParam)->list.selected));
      return FALSE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return state && ClickIcon(dialog, *state, wParam, lParam, message == WM_LBUTTONDBLCLK);
    case WM_COMMAND:
      if (!state) return FALSE;
      switch (LOWORD(wParam)) {
        case IDOK:
          EndDialog(dialog, CheckedOption(dialog, state->list));
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
        case KU_OPTIONS_HELP_BUTTON:
          if (const HWND owner = OwnerOf(state->request))
            SendMessageA(owner, RegisterWindowMessageA(KU_HELP_MESSAGE_NAME), 0, 0);
          return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

extern "C" int WINAPI KUAppOptions(const KUOPTIONSREQUEST* request) {
  if (!request) return 0;
  // The size first: a shorter record must not be read past its end.
  if (request->size != KU_OPTIONS_REQUEST_SIZE) return -1;
  OptionsDialog state{};
  korv::CopyOptionsRequest(request, state.request);
  state.list = korv::ListOptions(state.request.flags, state.request.noun);
  if (state.list.count == 0) return -1;
  const INT_PTR result = DialogBoxParamA(korv::Module(), "OPTIONS", OwnerOf(state.request),
                                         OptionsProc, reinterpret_cast<LPARAM>(&state));
  return result > 0 ? static_cast<int>(result) : 0;
}
