// Reduced curves against curves drawn segment by segment, through GDI:
// bitmaps, and an enhanced metafile played back at its own resolution,
// must match pixel for pixel.

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/win32/gdi_handles.h"
#include "render/win32/gdi_targets.h"
#include "tests/render/render_test_support.h"
#include "tests/win32/bitmap_pixels.h"

namespace merva {
namespace {

std::vector<uint32_t> DrawnPixels(PlotDocument& d, int width, int height, bool reduce) {
  DrawOptions options;
  options.reduceCurves = reduce;
  HBITMAP bitmap = win32::DrawToBitmap(nullptr, width, height, d, options, RGB(255, 255, 255));
  std::vector<uint32_t> pixels = test::BitmapPixels(bitmap, width, height);
  ::DeleteObject(bitmap);
  return pixels;
}

std::size_t Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
  return n;
}

void ExpectSameBitmaps(PlotDocument& d, int width, int height, const std::string& name) {
  const std::vector<uint32_t> full = DrawnPixels(d, width, height, false);
  const std::vector<uint32_t> reduced = DrawnPixels(d, width, height, true);
  EXPECT_EQ(Differences(full, reduced), 0u) << name;
}

std::unique_ptr<PlotDocument> NoisyCurve(int n) {
  auto d = test::NewDocument(2, n);
  std::vector<double> x(static_cast<std::size_t>(n)), y(x.size());
  unsigned seed = 5;
  for (int i = 0; i < n; ++i) {
    seed = seed * 1103515245u + 12345u;
    x[std::size_t(i)] = 1.0 + i * 0.01;
    y[std::size_t(i)] = 50.0 + 40.0 * (static_cast<int>((seed >> 8) % 20001) - 10000) / 10000.0 +
                        (i % 7919 == 0 ? 400.0 : 0.0);
  }
  test::SetCurve(*d, 1, x, y);
  return d;
}

TEST(CurveReductionGdi, BitmapsMatchTheFullDrawing) {
  auto d = NoisyCurve(60000);
  ExpectSameBitmaps(*d, 800, 600, "noisy");
  ExpectSameBitmaps(*d, 2000, 1500, "2000 x 1500");
  ExpectSameBitmaps(*d, 240, 180, "narrow: whole blocks in one column");
  d->scaleType = SCALE_LOG_LOG;
  d->extents.valid = EXTENTS_STALE;
  ExpectSameBitmaps(*d, 800, 600, "log-log");
  ExpectSameBitmaps(*d, 240, 180, "narrow log-log");
  d->scaleType = SCALE_LINEAR_PROBABILITY;
  d->extents.valid = EXTENTS_STALE;
  ExpectSameBitmaps(*d, 800, 600, "probability");
  d->scaleType = SCALE_LINEAR_LINEAR;
  d->zoomed = 1;
  d->plotWindow.xLow = 100;
  d->plotWindow.xHigh = 110;
  d->plotWindow.yLow[0] = 20;
  d->plotWindow.yHigh[0] = 80;
  ExpectSameBitmaps(*d, 800, 600, "zoomed");
  d->zoomed = 0;
  d->lineType[1] = 4;
  ExpectSameBitmaps(*d, 800, 600, "dash-dot");
  d->lineType[1] = 1;
  d->lineWidth[1] = 25;
  ExpectSameBitmaps(*d, 800, 600, "wide pen");
  d->lineWidth[1] = 0;
  d->symbolType[1] = 7 + SYMBOL_FILLED_OFFSET;
  d->symbolSize[1] = 30;
  ExpectSameBitmaps(*d, 800, 600, "symbols");
}

TEST(CurveReductionGdi, EnhancedMetafilePlayedAtItsOwnResolution) {
  auto d = NoisyCurve(40000);
  const int w = 3000, h = 2250;                            // hundredths of a millimetre
  for (FontDescription& font : d->fonts) font.height = 2;  // room for the frame
  std::vector<uint32_t> pictures[2];
  UINT sizes[2] = {0, 0};
  for (bool reduce : {false, true}) {
    DrawOptions options;
    options.reduceCurves = reduce;
    HENHMETAFILE emf = win32::DrawToEnhancedMetafile(nullptr, w, h, "MERVA95", *d, options);
    ASSERT_NE(emf, nullptr);
    sizes[reduce] = ::GetEnhMetaFileBits(emf, 0, nullptr);
    win32::WindowDc screen(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen.Get(), w, h);
    HDC memory = ::CreateCompatibleDC(screen.Get());
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    const RECT all{0, 0, w, h};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::PlayEnhMetaFile(memory, emf, &all);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    pictures[reduce] = test::BitmapPixels(bitmap, w, h);
    ::DeleteObject(bitmap);
    ::DeleteEnhMetaFile(emf);
  }
  EXPECT_EQ(Differences(pictures[0], pictures[1]), 0u);
  EXPECT_LT(sizes[1], sizes[0]);
}

}  // namespace
}  // namespace merva
