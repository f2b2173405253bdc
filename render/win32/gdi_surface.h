#pragma once

// The drawing surface over a GDI device context: a window's off-screen
// bitmap, a memory bitmap, a printer page, a metafile or an enhanced
// metafile. Every object it creates is deleted by DeleteObject or, at the
// latest, when the surface ends; the context gets its original objects back.

#include <windows.h>

#include <map>

#include "render/drawing_surface.h"
#include "render/win32/gdi_handles.h"

namespace merva {
namespace win32 {

class GdiSurface : public DrawingSurface {
 public:
  explicit GdiSurface(HDC dc);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  SurfaceCaps Capabilities() override;
  SurfaceObject CreatePen(const PenSpec& spec) override;
  SurfaceObject CreateBrush(const BrushSpec& spec) override;
  SurfaceObject CreateFont(const FontSpec& spec) override;
  SurfaceObject CreateRectRegion(const SurfaceRect& rect) override;
  SurfaceObject CreatePalette(const uint32_t* colors, int count, bool reserved) override;
  void Select(SurfaceObject object) override;
  void SelectStock(StockObject object) override;
  void DeleteObject(SurfaceObject object) override;
  void RemoveClip() override;
  int LiveObjects() const override { return static_cast<int>(objects_.size()); }
  SurfaceColor NearestColor(SurfaceColor color) override;

  TextMetrics GetTextMetrics() override;
  TextSize GetTextExtent(std::string_view text) override;
  void SetTextAlign(int alignment) override;
  void SetTextColor(SurfaceColor color) override;
  void SetBackgroundTransparent(bool transparent) override;
  void TextOut(int x, int y, std::string_view text) override;

  void Polyline(const DevicePoint* points, int count) override;
  void Polygon(const DevicePoint* points, int count) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void FillRect(const SurfaceRect& rect, SurfaceObject brush) override;
  void BeginPath() override;
  void EndPath() override;
  void StrokePath() override;
  void SetPictureMapping(int windowWidth, int windowHeight, int viewportWidth,
                         int viewportHeight) override;

 private:
  enum Kind { KIND_PEN, KIND_BRUSH, KIND_FONT, KIND_REGION, KIND_PALETTE };
  struct Entry {
    Kind kind;
    HGDIOBJ handle;
    SurfaceColor patternColor;  // pattern brushes: the colour of the set bits
    bool pattern;
  };

  SurfaceObject Add(Kind kind, HGDIOBJ handle, SurfaceColor patternColor = 0, bool pattern = false);
  void SelectInto(Kind kind, HGDIOBJ handle);
  // The context text is measured on (a reference context for metafiles).
  HDC MeasuringDc();

  HDC dc_;
  bool windowsMetafile_;
  HDC measuringDc_ = nullptr;  // own, for Windows metafiles only
  std::map<SurfaceObject, Entry> objects_;
  SurfaceObject next_ = 1;
  SurfaceObject selectedPen_ = 0, selectedBrush_ = 0, selectedFont_ = 0, selectedPalette_ = 0;
  HGDIOBJ originalPen_ = nullptr, originalBrush_ = nullptr, originalFont_ = nullptr;
  HPALETTE originalPalette_ = nullptr;
  HGDIOBJ currentFont_ = nullptr;
};

}  // namespace win32
}  // namespace merva
