#include <gtest/gtest.h>
#include <windows.h>

#include "render/win32/gdi_handles.h"
#include "render/win32/gdi_surface.h"
#include "render/win32/gdi_targets.h"
#include "tests/render/example_plots.h"
#include "tests/win32/bitmap_pixels.h"

namespace merva {
namespace {

DWORD GdiObjectsInUse() { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); }

int CountNonWhite(HBITMAP bitmap, int width, int height) {
  const std::vector<uint32_t> pixels = test::BitmapPixels(bitmap, width, height);
  int count = 0;
  for (uint32_t p : pixels)
    if ((p & 0xFFFFFF) != 0xFFFFFF) ++count;
  return count;
}

TEST(GdiSurface, ExamplesDrawIntoABitmapWithoutLeaks) {
  for (const test::ExamplePlot& example : test::ExamplePlots()) {
    auto d = test::NewDocument();
    example.fill(*d);
    // Warm-up: the first use of fonts and stock objects allocates for good.
    ::DeleteObject(win32::DrawToBitmap(nullptr, 64, 48, *d, DrawOptions{}, RGB(255, 255, 255)));
    const DWORD before = GdiObjectsInUse();
    DrawResult result;
    HBITMAP bitmap =
        win32::DrawToBitmap(nullptr, 800, 600, *d, DrawOptions{}, RGB(255, 255, 255), &result);
    ASSERT_NE(bitmap, nullptr) << example.name;
    EXPECT_FALSE(result.aborted);
    EXPECT_GT(CountNonWhite(bitmap, 800, 600), 2000) << example.name;
    ::DeleteObject(bitmap);
    EXPECT_EQ(GdiObjectsInUse(), before) << example.name;
  }
}

// GetGuiResources counts nothing under Wine; the surface's own count shows
// that DrawPlot deleted every object it made before the surface ends.
TEST(GdiSurface, DrawPlotDeletesEveryObjectItMade) {
  for (const test::ExamplePlot& example : test::ExamplePlots()) {
    auto d = test::NewDocument();
    example.fill(*d);
    win32::WindowDc screen(nullptr);
    win32::MemoryDc memory(screen.Get());
    win32::BitmapHandle bitmap(::CreateCompatibleBitmap(screen.Get(), 640, 480));
    win32::Selection selected(memory.Get(), bitmap.Get());
    win32::GdiSurface surface(memory.Get());
    DrawPlot(surface, *d, SurfaceRect{0, 0, 639, 479}, DrawOptions{});
    EXPECT_EQ(surface.LiveObjects(), 0) << example.name;
    const RECT frame{0, 0, 15240, 11430};
    win32::EnhancedMetafileDc emf(screen.Get(), &frame, nullptr);
    win32::GdiSurface recorder(emf.Get());
    DrawPlot(recorder, *d, SurfaceRect{0, 0, 15239, 11429}, DrawOptions{});
    EXPECT_EQ(recorder.LiveObjects(), 0) << example.name;
  }
}

TEST(GdiSurface, EnhancedMetafileAndMetafileWithoutLeaks) {
  auto d = test::NewDocument();
  test::ExamplePlots()[7].fill(*d);
  ::DeleteEnhMetaFile(
      win32::DrawToEnhancedMetafile(nullptr, 15240, 11430, "MERVA95", *d, DrawOptions{}));
  const DWORD before = GdiObjectsInUse();
  HENHMETAFILE emf =
      win32::DrawToEnhancedMetafile(nullptr, 15240, 11430, "MERVA95", *d, DrawOptions{});
  ASSERT_NE(emf, nullptr);
  ENHMETAHEADER header{};
  ASSERT_GT(::GetEnhMetaFileHeader(emf, sizeof header, &header), 0u);
  EXPECT_GT(header.nRecords, 100u);
  ::DeleteEnhMetaFile(emf);
  HMETAFILE wmf = win32::DrawToMetafile(15240, 11430, *d, DrawOptions{});
  ASSERT_NE(wmf, nullptr);
  EXPECT_GT(::GetMetaFileBitsEx(wmf, 0, nullptr), 1000u);
  ::DeleteMetaFile(wmf);
  EXPECT_EQ(GdiObjectsInUse(), before);
}

TEST(GdiSurface, DeletesWhatIsLeftAndRestoresTheContext) {
  win32::WindowDc screen(nullptr);
  win32::MemoryDc memory(screen.Get());
  HGDIOBJ originalPen = ::GetCurrentObject(memory.Get(), OBJ_PEN);
  const DWORD before = GdiObjectsInUse();
  {
    win32::GdiSurface surface(memory.Get());
    PenSpec pen;
    pen.width = 3;
    const SurfaceObject a = surface.CreatePen(pen);
    BrushSpec brush;
    brush.kind = BRUSH_PATTERN;
    brush.pattern = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    const SurfaceObject b = surface.CreateBrush(brush);
    EXPECT_NE(a, 0);
    EXPECT_NE(b, 0);
    surface.Select(a);
    surface.Select(b);
    EXPECT_EQ(surface.LiveObjects(), 2);
    surface.DeleteObject(a);
    EXPECT_EQ(surface.LiveObjects(), 1);
    FontSpec font;
    font.faceName = "Arial";
    surface.Select(surface.CreateFont(font));
    EXPECT_GT(surface.GetTextExtent("Hello").width, 10);
    EXPECT_GT(surface.GetTextMetrics().averageWidth, 2);
  }
  EXPECT_EQ(::GetCurrentObject(memory.Get(), OBJ_PEN), originalPen);
  EXPECT_EQ(GdiObjectsInUse(), before);
}

TEST(GdiSurface, ReportsTheDeviceKind) {
  win32::WindowDc screen(nullptr);
  win32::MemoryDc memory(screen.Get());
  win32::GdiSurface surface(memory.Get());
  const SurfaceCaps caps = surface.Capabilities();
  EXPECT_EQ(caps.technology, SURFACE_SCREEN);
  EXPECT_GT(caps.logPixelsY, 0);
  const RECT frame{0, 0, 1000, 1000};
  win32::EnhancedMetafileDc emf(nullptr, &frame, nullptr);
  win32::GdiSurface recorder(emf.Get());
  EXPECT_TRUE(recorder.Capabilities().enhancedMetafileRecorder);
  win32::MetafileDc wmf;
  win32::GdiSurface metafile(wmf.Get());
  EXPECT_EQ(metafile.Capabilities().technology, SURFACE_METAFILE);
  // Pictures are recorded in hundredths of a millimetre: inches of a
  // physical plot size become 2540 units each, not the screen's pixels.
  EXPECT_EQ(metafile.Capabilities().logPixelsX, 2540);
  EXPECT_EQ(metafile.Capabilities().logPixelsY, 2540);
  EXPECT_EQ(recorder.Capabilities().logPixelsX, 2540);
  EXPECT_EQ(recorder.Capabilities().logPixelsY, 2540);
}

}  // namespace
}  // namespace merva
