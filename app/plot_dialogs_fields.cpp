#include <cmath>

#include "app/plot_dialogs.h"
#include "app/ui_host.h"
#include "core/dialog_values.h"
#include "core/number_text.h"

namespace merva::app::dialog_fields {

std::string Text(HWND dialog, int control) {
  const int length = GetWindowTextLengthA(GetDlgItem(dialog, control));
  std::string text(static_cast<std::size_t>(length > 0 ? length + 1 : 1), '\0');
  GetDlgItemTextA(dialog, control, text.data(), static_cast<int>(text.size()));
  text.resize(std::char_traits<char>::length(text.c_str()));
  return text;
}

void SetText(HWND dialog, int control, const std::string& text) {
  SetDlgItemTextA(dialog, control, text.c_str());
}

void SetReal(HWND dialog, int control, double value) { SetText(dialog, control, FormatG(value)); }

void SetInteger(HWND dialog, int control, int value) {
  SetText(dialog, control, std::to_string(value));
}

void Refuse(HWND dialog, int control, const Status& status, const char* caption) {
  Ui().ShowStatus(status, caption);
  SetFocus(GetDlgItem(dialog, control));
  SendDlgItemMessageA(dialog, control, EM_SETSEL, 0, -1);
}

bool ReadReal(HWND dialog, int control, double low, double high, double& value) {
  double number = 0.0;
  if (!ParseDialogReal(Text(dialog, control), number)) number = std::nan("");
  const Status status = CheckRealRange(number, low, high);
  if (!status.Ok()) {
    Refuse(dialog, control, status, OUT_OF_RANGE_CAPTION);
    return false;
  }
  value = number;
  return true;
}

bool ReadInteger(HWND dialog, int control, int low, int high, int& value) {
  int number = 0;
  const bool read = ParseDialogInteger(Text(dialog, control), number);
  const Status status =
      read ? CheckIntegerRange(number, low, high) : Status::Failure(RangeMessage(low, high));
  if (!status.Ok()) {
    Refuse(dialog, control, status, OUT_OF_RANGE_CAPTION);
    return false;
  }
  value = number;
  return true;
}

bool Checked(HWND dialog, int control) {
  return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void SetChecked(HWND dialog, int control, bool checked) {
  CheckDlgButton(dialog, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace merva::app::dialog_fields
