#pragma once

// The pixels of a bitmap as 32-bit 0x00RRGGBB values, top row first.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "render/win32/gdi_handles.h"

namespace merva::test {

inline std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<std::size_t>(width) * height);
  win32::WindowDc screen(nullptr);
  ::GetDIBits(screen.Get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

}  // namespace merva::test
