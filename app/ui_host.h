#pragma once

// The user-interface host: every message box of the program goes through
// it, so that the command language can switch them off.

#include <windows.h>

#include <string>

#include "core/status.h"

namespace merva::app {

class UserInterfaceHost {
 public:
  // A message box owned by the frame; while messages are off nothing is
  // shown and `silentAnswer` is returned.
  int Ask(const std::string& text, const std::string& caption, UINT flags, int silentAnswer);
  // A message with an OK button (exclamation icon unless `flags` says).
  void Show(const std::string& text, const std::string& caption = "MERVA95",
            UINT flags = MB_ICONEXCLAMATION);
  // Every message of a status, one box each.
  void ShowStatus(const Status& status, const std::string& caption = "MERVA95");

  void SetMessagesEnabled(bool enabled) { messagesEnabled_ = enabled; }
  bool MessagesEnabled() const { return messagesEnabled_; }

 private:
  bool messagesEnabled_ = true;
};

UserInterfaceHost& Ui();

// A modal dialog run by this program: counts as an open dialog (help mode
// and the keyboard hook look at it) and keeps the frame disabled meanwhile.
INT_PTR RunDialog(const char* templateName, DLGPROC procedure, LPARAM parameter);

}  // namespace merva::app
