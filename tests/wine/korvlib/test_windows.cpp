#include "test_windows.h"

#include <map>

namespace korv::test {

namespace {

std::map<HWND, std::map<UINT, int>> received;
int classNumber = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++received[window][message];
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TestWindow::TestWindow(const std::string& title, HMODULE module, HICON icon, RECT frame)
    : className_("KorvTestWindow" + std::to_string(++classNumber)),
      module_(module ? module : GetModuleHandleA(nullptr)) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = module_;
  wc.hIcon = icon;
  wc.lpszClassName = className_.c_str();
  RegisterClassA(&wc);
  window_ = CreateWindowA(className_.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                          frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                          nullptr, nullptr, module_, nullptr);
}

TestWindow::~TestWindow() {
  if (window_) DestroyWindow(window_);
  received.erase(window_);
  UnregisterClassA(className_.c_str(), module_);
}

int TestWindow::Count(UINT message) const {
  const auto window = received.find(window_);
  if (window == received.end()) return 0;
  const auto count = window->second.find(message);
  return count == window->second.end() ? 0 : count->second;
}

void TestWindow::Reset() { received.erase(window_); }

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

HMODULE Korv32Module() { return GetModuleHandleA("KORV32.DLL"); }

}  // namespace korv::test
