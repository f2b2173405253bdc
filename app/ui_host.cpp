#include "app/ui_host.h"

#include "app/program.h"

namespace merva::app {

namespace {

// The window that owns the box: an open modal dialog, else the frame.
HWND Owner() {
  HWND frame = TheProgram().frame;
  if (!frame) return nullptr;
  HWND popup = GetLastActivePopup(frame);
  return popup && IsWindowVisible(popup) ? popup : frame;
}

}  // namespace

int UserInterfaceHost::Ask(const std::string& text, const std::string& caption, UINT flags,
                           int silentAnswer) {
  if (!messagesEnabled_) return silentAnswer;
  Program& program = TheProgram();
  ++program.openDialogs;
  const int answer = MessageBoxA(Owner(), text.c_str(), caption.c_str(), flags);
  --program.openDialogs;
  return answer;
}

void UserInterfaceHost::Show(const std::string& text, const std::string& caption, UINT flags) {
  Ask(text, caption, MB_OK | flags, IDOK);
}

void UserInterfaceHost::ShowStatus(const Status& status, const std::string& caption) {
  for (const Message& message : status.messages)
    Show(message.text, caption, status.fatal ? MB_ICONSTOP : MB_ICONEXCLAMATION);
}

UserInterfaceHost& Ui() {
  static UserInterfaceHost host;
  return host;
}

INT_PTR RunDialog(const char* templateName, DLGPROC procedure, LPARAM parameter) {
  Program& program = TheProgram();
  ++program.openDialogs;
  const INT_PTR result =
      DialogBoxParamA(program.instance, templateName, program.frame, procedure, parameter);
  --program.openDialogs;
  return result;
}

}  // namespace merva::app
