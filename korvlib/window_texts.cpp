#include "korvlib/window_texts.h"

#include <cstdio>
#include <vector>

namespace korv {

std::string CutTitle(const std::string& title) {
  const std::size_t dash = title.find(" - ");
  return dash == std::string::npos ? title : title.substr(0, dash);
}

std::string CutWindowTitle(HWND window) {
  if (!window) return {};
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return CutTitle(text);
}

std::string VersionString(DWORD versionMS, DWORD versionLS) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(HIWORD(versionMS)),
                static_cast<int>(LOWORD(versionMS)), static_cast<int>(HIWORD(versionLS)),
                static_cast<int>(LOWORD(versionLS)));
  return text;
}

std::string FileVersionString(const std::string& path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return "?";
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return "?";
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
      fixedSize < sizeof(VS_FIXEDFILEINFO))
    return "?";
  return VersionString(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

std::string ModuleVersionString(HMODULE module) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "?";
  return FileVersionString(path);
}

namespace {

// Centred on [low, high], moved left or up so that it ends at `limit`,
// and never before 0.
LONG CentredCoordinate(LONG low, LONG high, LONG extent, LONG limit) {
  LONG position = (low + high - extent) / 2;
  if (position < 0) position = 0;
  if (position + extent > limit) position = limit - extent;
  return position;
}

}  // namespace

POINT CentreOnScreenClamped(const RECT& ownerClient, SIZE dialog, SIZE screen) {
  return {CentredCoordinate(ownerClient.left, ownerClient.right, dialog.cx, screen.cx),
          CentredCoordinate(ownerClient.top, ownerClient.bottom, dialog.cy, screen.cy)};
}

POINT CentreOnRectangle(const RECT& parent, SIZE dialog) {
  return {(parent.left + parent.right - dialog.cx) / 2,
          (parent.top + parent.bottom - dialog.cy) / 2};
}

void CentreOverOwnerClient(HWND dialog, HWND owner) {
  RECT client{};
  if (owner && GetClientRect(owner, &client)) {
    MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&client), 2);
  } else {
    client = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  RECT frame{};
  GetWindowRect(dialog, &frame);
  const POINT at =
      CentreOnScreenClamped(client, {frame.right - frame.left, frame.bottom - frame.top},
                            {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace korv
