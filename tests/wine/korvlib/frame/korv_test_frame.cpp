// A stand-in for the plotting program's frame window, for the library's
// hand-off tests. It answers "Plot MERVA File" with the real receiving
// code and shows in its title what it was handed:
// "requests=N text=ATOM TEXT lparam=0xHEX".
// Switches: /class=NAME (default "MERVA/W"), /reply=N (always answer N),
// /exit (end at once without a window).

#include <windows.h>

#include <cstdio>
#include <string>

#include "automation/win32/handoff_messages.h"

namespace {

constexpr UINT WM_TEST_DISABLE = WM_APP + 1;
constexpr UINT WM_TEST_ENABLE = WM_APP + 2;

int fixedReply = -1;
int requestCount = 0;

std::string Switch(const std::string& commandLine, const std::string& name) {
  const std::size_t at = commandLine.find(name);
  if (at == std::string::npos) return {};
  const std::size_t start = at + name.size();
  return commandLine.substr(start, commandLine.find(' ', start) - start);
}

void ShowRequest(HWND frame, WPARAM atom, LPARAM lParam) {
  char text[300] = {};
  GlobalGetAtomNameA(static_cast<ATOM>(atom), text, sizeof text);
  char title[400];
  std::snprintf(title, sizeof title, "requests=%d text=%s lparam=0x%lx", ++requestCount, text,
                static_cast<unsigned long>(lParam));
  SetWindowTextA(frame, title);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto& messages = merva::win32::RegisterHandoffMessages();
  if (message == messages.plotFile) {
    ShowRequest(frame, wParam, lParam);
    if (fixedReply >= 0) return fixedReply;
  }
  static const merva::win32::HandoffActions actions;
  LRESULT result = 0;
  if (merva::win32::HandleHandoffMessage(frame, message, wParam, lParam, actions, result))
    return result;
  switch (message) {
    case WM_TEST_DISABLE:
      EnableWindow(frame, FALSE);
      return 0;
    case WM_TEST_ENABLE:
      EnableWindow(frame, TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(frame, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const std::string arguments = commandLine;
  if (arguments.find("/exit") != std::string::npos) return 0;
  const std::string reply = Switch(arguments, "/reply=");
  if (!reply.empty()) fixedReply = std::atoi(reply.c_str());
  std::string className = Switch(arguments, "/class=");
  if (className.empty()) className = "MERVA/W";

  merva::win32::RegisterHandoffMessages();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.lpszClassName = className.c_str();
  if (!RegisterClassA(&wc)) return 1;
  const HWND frame = CreateWindowA(className.c_str(), "requests=0", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                   200, nullptr, nullptr, instance, nullptr);
  if (!frame) return 2;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
