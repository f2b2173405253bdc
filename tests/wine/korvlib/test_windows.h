#pragma once

// Owner and parent windows for the library's dialogs.

#include <windows.h>

#include <string>

namespace korv::test {

// A top-level window of the test thread; counts the messages it is sent.
class TestWindow {
 public:
  // `module` becomes the window's instance handle (whose version the About
  // box shows); the class gets `icon` as its large icon.
  explicit TestWindow(const std::string& title, HMODULE module = nullptr, HICON icon = nullptr,
                      RECT frame = {100, 100, 600, 500});
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Get() const { return window_; }
  int Count(UINT message) const;
  void Reset();

 private:
  HWND window_ = nullptr;
  std::string className_;
  HMODULE module_;
};

// Dispatches this thread's pending messages.
void PumpMessages();

HMODULE Korv32Module();

}  // namespace korv::test
