#pragma once

// Drives the library's modal dialogs from a helper thread while the test
// thread sits in the modal call.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace korv::test {

// A visible dialog window (class "#32770") of this process; null if none.
HWND FindProcessDialog();

class DialogDriver {
 public:
  // Waits up to `timeoutMs` for a dialog of this process and runs `action`
  // on it. A dialog the action leaves open is cancelled after a while so
  // that a failing test does not hang.
  explicit DialogDriver(std::function<void(HWND dialog)> action, DWORD timeoutMs = 10000);
  ~DialogDriver() { Wait(); }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Joins the helper; true when a dialog appeared.
  bool Wait();

 private:
  std::atomic<bool> found_{false};
  std::thread thread_;
};

std::string ControlText(HWND dialog, int id);
bool Checked(HWND dialog, int id);
bool Visible(HWND dialog, int id);
// Presses a button as a click would, without waiting for the result.
void Press(HWND dialog, int id);
// The rectangle of a control in the dialog's client coordinates.
RECT ControlRect(HWND dialog, int id);

// A message box's text (its static control 0xFFFF).
std::string MessageBoxText(HWND box);

}  // namespace korv::test
