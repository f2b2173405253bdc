#include "render/win32/gdi_targets.h"

#include "render/win32/gdi_handles.h"
#include "render/win32/gdi_surface.h"

namespace merva {
namespace win32 {

namespace {

void Fill(HDC dc, int width, int height, COLORREF color) {
  BrushHandle brush(::CreateSolidBrush(color));
  const RECT r{0, 0, width, height};
  if (brush) ::FillRect(dc, &r, brush.Get());
}

}  // namespace

HBITMAP DrawToBitmap(HDC reference, int width, int height, PlotDocument& document,
                     const DrawOptions& options, COLORREF background, DrawResult* result) {
  WindowDc screen(nullptr);
  HDC compatible = reference ? reference : screen.Get();
  BitmapHandle bitmap(::CreateCompatibleBitmap(compatible, width, height));
  if (!bitmap) return nullptr;
  MemoryDc memory(compatible);
  if (!memory.Get()) return nullptr;
  {
    Selection selected(memory.Get(), bitmap.Get());
    Fill(memory.Get(), width, height, background);
    GdiSurface surface(memory.Get());
    const DrawResult r =
        DrawPlot(surface, document, SurfaceRect{0, 0, width - 1, height - 1}, options);
    if (result) *result = r;
  }
  return bitmap.Release();
}

DrawResult DrawToWindow(HWND window, PlotDocument& document, const DrawOptions& options,
                        COLORREF background, HBITMAP* keepPicture) {
  RECT client{};
  ::GetClientRect(window, &client);
  const int width = client.right - client.left, height = client.bottom - client.top;
  WindowDc dc(window);
  DrawResult result;
  BitmapHandle picture(
      DrawToBitmap(dc.Get(), width, height, document, options, background, &result));
  if (!picture) {
    Fill(dc.Get(), width, height, background);
    GdiSurface surface(dc.Get());
    return DrawPlot(surface, document, SurfaceRect{0, 0, width - 1, height - 1}, options);
  }
  MemoryDc memory(dc.Get());
  {
    Selection selected(memory.Get(), picture.Get());
    ::BitBlt(dc.Get(), 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
  }
  if (keepPicture) *keepPicture = picture.Release();
  return result;
}

HENHMETAFILE DrawToEnhancedMetafile(HDC reference, int width, int height,
                                    const std::string& description, PlotDocument& document,
                                    const DrawOptions& options, DrawResult* result) {
  const RECT frame{0, 0, width, height};  // 1/2540 inch = 0.01 mm
  EnhancedMetafileDc dc(reference, &frame, description.empty() ? nullptr : description.c_str());
  if (!dc.Get()) return nullptr;
  {
    // Logical units of 1/2540 inch on the reference device.
    WindowDc screen(nullptr);
    HDC ref = reference ? reference : screen.Get();
    const int pixelsX = ::GetDeviceCaps(ref, HORZRES), pixelsY = ::GetDeviceCaps(ref, VERTRES);
    const int mmX = ::GetDeviceCaps(ref, HORZSIZE), mmY = ::GetDeviceCaps(ref, VERTSIZE);
    ::SetMapMode(dc.Get(), MM_ANISOTROPIC);
    ::SetWindowExtEx(dc.Get(), mmX * 100, mmY * 100, nullptr);
    ::SetViewportExtEx(dc.Get(), pixelsX, pixelsY, nullptr);
    GdiSurface surface(dc.Get());
    const DrawResult r =
        DrawPlot(surface, document, SurfaceRect{0, 0, width - 1, height - 1}, options);
    if (result) *result = r;
  }
  return dc.Close();
}

HMETAFILE DrawToMetafile(int width, int height, PlotDocument& document, const DrawOptions& options,
                         DrawResult* result) {
  MetafileDc dc;
  if (!dc.Get()) return nullptr;
  ::SetMapMode(dc.Get(), MM_ANISOTROPIC);
  ::SetWindowOrgEx(dc.Get(), 0, 0, nullptr);
  ::SetWindowExtEx(dc.Get(), width, height, nullptr);
  {
    GdiSurface surface(dc.Get());
    const DrawResult r =
        DrawPlot(surface, document, SurfaceRect{0, 0, width - 1, height - 1}, options);
    if (result) *result = r;
  }
  return dc.Close();
}

bool DrawLastSegmentOnBitmap(HDC reference, HBITMAP picture, int width, int height,
                             PlotDocument& document, const DrawOptions& options, int curve) {
  if (!picture) return false;
  MemoryDc memory(reference);
  if (!memory.Get()) return false;
  Selection selected(memory.Get(), picture);
  GdiSurface surface(memory.Get());
  return DrawLastSegment(surface, document, SurfaceRect{0, 0, width - 1, height - 1}, options,
                         curve);
}

}  // namespace win32
}  // namespace merva
