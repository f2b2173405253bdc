// Reduced curves cover the same pixels as curves drawn segment by segment:
// both drawings are rasterised here the way a device draws thin lines (each
// line's last pixel left out) and compared pixel for pixel.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/curve_reduction.h"
#include "render/curve_summary.h"
#include "render_test_support.h"

namespace merva {
namespace {

using test::NewDocument;
using test::SetCurve;

class PixelGrid {
 public:
  PixelGrid(int width, int height)
      : width_(width), height_(height), bits_((std::size_t(width) * height + 63) / 64) {}
  void Set(int x, int y, const RecordedOperation& op) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    if (op.clipped &&
        (x < op.clip.left || x >= op.clip.right || y < op.clip.top || y >= op.clip.bottom))
      return;
    const std::size_t i = std::size_t(y) * width_ + x;
    bits_[i / 64] |= uint64_t{1} << (i % 64);
  }
  // Bresenham, the last pixel left out.
  void Line(DevicePoint a, DevicePoint b, const RecordedOperation& op) {
    int x = a.x, y = a.y;
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    while (x != b.x || y != b.y) {
      Set(x, y, op);
      const int e2 = 2 * error;
      if (e2 >= dy) error += dy, x += sx;
      if (e2 <= dx) error += dx, y += sy;
    }
  }
  void Draw(const RecordedOperation& op) {
    const std::vector<DevicePoint>& p = op.points;
    switch (op.kind) {
      case RECORD_POLYLINE:
        for (std::size_t i = 1; i < p.size(); ++i) Line(p[i - 1], p[i], op);
        break;
      case RECORD_POLYGON:
        for (std::size_t i = 0; i < p.size(); ++i) Line(p[i], p[(i + 1) % p.size()], op);
        break;
      case RECORD_RECTANGLE:
        for (int y = p[0].y; y < p[1].y; ++y)
          for (int x = p[0].x; x < p[1].x; ++x) Set(x, y, op);
        break;
      default:
        break;
    }
  }
  bool operator==(const PixelGrid& o) const { return bits_ == o.bits_; }
  long long Count() const {
    long long n = 0;
    for (uint64_t w : bits_) n += __builtin_popcountll(w);
    return n;
  }

 private:
  int width_, height_;
  std::vector<uint64_t> bits_;
};

struct Case {
  std::string name;
  SurfaceCaps caps = test::ScreenCaps();
  int width = 800, height = 600;
};

// Pixels of what both drawings draw in the curve's colour, and the calls.
void ExpectSamePixels(PlotDocument& d, const Case& k, double fewerThan = 1.0) {
  long long calls[2] = {0, 0}, points[2] = {0, 0};
  std::vector<PixelGrid> grids;
  for (bool reduce : {false, true}) {
    RecordingSurface s(k.width, k.height, k.caps);
    DrawOptions options;
    options.reduceCurves = reduce;
    DrawPlot(s, d, SurfaceRect{0, 0, k.width - 1, k.height - 1}, options);
    PixelGrid grid(k.width, k.height);
    for (const RecordedOperation& op : s.Operations()) {
      if (op.kind == RECORD_TEXT || op.inPath) continue;
      grid.Draw(op);
      if (op.kind == RECORD_POLYLINE) {
        ++calls[reduce];
        points[reduce] += static_cast<long long>(op.points.size());
      }
    }
    grids.push_back(std::move(grid));
  }
  EXPECT_TRUE(grids[0] == grids[1])
      << k.name << ": " << grids[0].Count() << " vs " << grids[1].Count() << " pixels";
  EXPECT_GT(grids[0].Count(), 1000) << k.name;
  EXPECT_LE(points[1], points[0] * fewerThan) << k.name;
}

std::vector<double> Noise(int n, unsigned seed, double scale) {
  std::vector<double> v(static_cast<std::size_t>(n));
  for (double& e : v) {
    seed = seed * 1103515245u + 12345u;
    e = scale * (static_cast<int>((seed >> 8) % 20001) - 10000) / 10000.0;
  }
  return v;
}

std::vector<double> Ramp(int n, double from, double to) {
  std::vector<double> v(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) v[std::size_t(i)] = from + (to - from) * i / (n - 1);
  return v;
}

TEST(CurveReduction, NoisyMonotonicAndTurningCurvesOnScreenPageAndBitmap) {
  const int n = 60000;
  auto d = NewDocument(4, n);
  std::vector<double> y = Noise(n, 7, 100.0);
  SetCurve(*d, 1, Ramp(n, 0, 10), y);
  // Spikes of one point.
  for (int i = 5000; i < n; i += 9973) d->Y(1, i) = (i % 2 ? 1000.0f : -1000.0f);
  d->zoomed = 1;  // the spikes leave the window
  d->plotWindow.xLow = 0;
  d->plotWindow.xHigh = 10;
  d->plotWindow.yLow[0] = -300;
  d->plotWindow.yHigh[0] = 300;
  Case screen{"noisy on the screen"};
  ExpectSamePixels(*d, screen, 0.2);
  SurfaceCaps bitmap = test::ScreenCaps();
  ExpectSamePixels(*d, Case{"bitmap 2000 x 1500", bitmap, 2000, 1500}, 0.3);
  SurfaceCaps page;
  page.technology = SURFACE_PRINTER;
  page.logPixelsX = page.logPixelsY = 600;
  page.horzRes = 4800;
  page.vertRes = 6600;
  page.horzSizeMM = 203;
  page.vertSizeMM = 279;
  ExpectSamePixels(*d, Case{"600 dpi page", page, 4800, 6600}, 0.9);

  // A sine sweep, increasing X: runs in columns, then rows where steep.
  auto s = NewDocument(2, n);
  std::vector<double> x = Ramp(n, 0, 1), v(std::size_t(n), 0.0);
  for (int i = 0; i < n; ++i)
    v[std::size_t(i)] = std::sin(40.0 * x[std::size_t(i)] * x[std::size_t(i)] * 6.3);
  SetCurve(*s, 1, x, v);
  ExpectSamePixels(*s, Case{"monotonic sweep"}, 0.2);
  // Turning back and forth: a Lissajous figure.
  for (int i = 0; i < n; ++i) {
    x[std::size_t(i)] = std::sin(i * 0.0013);
    v[std::size_t(i)] = std::cos(i * 0.00071);
  }
  SetCurve(*s, 1, x, v);
  ExpectSamePixels(*s, Case{"non-monotonic"});
}

TEST(CurveReduction, AxesKindsZoomDashesWidePensAndSymbols) {
  const int n = 40000;
  auto d = NewDocument(3, n);
  std::vector<double> x = Ramp(n, 1, 1000), y = Noise(n, 3, 40.0);
  for (double& v : y) v += 50.0;  // 10..90, positive for log and probability
  SetCurve(*d, 1, x, y);
  for (int type : {SCALE_LOG_LOG, SCALE_LOG_PROBABILITY, SCALE_LINEAR_LINEAR}) {
    d->scaleType = type;
    d->extents.valid = EXTENTS_STALE;
    ExpectSamePixels(*d, Case{"scale " + std::to_string(type)}, 0.3);
  }
  d->zoomed = 1;
  d->plotWindow.xLow = 400;
  d->plotWindow.xHigh = 410;
  d->plotWindow.yLow[0] = 20;
  d->plotWindow.yHigh[0] = 80;
  ExpectSamePixels(*d, Case{"zoomed"});
  d->zoomed = 0;
  d->lineType[1] = 2;
  ExpectSamePixels(*d, Case{"dashed"});
  d->lineType[1] = 1;
  d->lineWidth[1] = 30;
  ExpectSamePixels(*d, Case{"wide pen"});
  d->lineWidth[1] = 0;
  d->symbolType[1] = 5;
  d->symbolSize[1] = 40;
  ExpectSamePixels(*d, Case{"symbols"}, 0.3);
}

TEST(CurveReduction, MetafileAtItsOwnResolutionWithOwnClipping) {
  const int n = 40000;
  auto d = NewDocument(2, n);
  SetCurve(*d, 1, Ramp(n, 0, 1), Noise(n, 11, 1.0));
  d->zoomed = 1;  // the program clips the parts outside
  d->plotWindow.xLow = 0;
  d->plotWindow.xHigh = 1;
  d->plotWindow.yLow[0] = -0.5;
  d->plotWindow.yHigh[0] = 0.5;
  SurfaceCaps metafile;
  metafile.technology = SURFACE_METAFILE;
  ExpectSamePixels(*d, Case{"metafile", metafile, 6001, 4501});
}

TEST(CurveReduction, LastPixelOfTheLineAsTheWholeRunDrawsIt) {
  // Runs in one column ending on a pixel visited before, or not.
  const std::vector<std::vector<double>> runs = {
      {5, 7, 3, 4, 3}, {5, 3, 3, 3}, {3, 5, 3}, {5, 3, 4, 3}, {5, 7, 3, 3, 4, 4, 3}};
  for (const std::vector<double>& ys : runs) {
    PolylineReducer reducer;
    reducer.Add(0, 0);
    for (double y : ys) reducer.Add(10, y);
    reducer.Finish();
    auto pixels = [](const std::vector<DeviceVertex>& line) {
      RecordedOperation op;
      PixelGrid grid(20, 20);
      std::vector<DevicePoint> p;
      for (const DeviceVertex& v : line) {
        const DevicePoint q{RoundDevice(v.x), RoundDevice(v.y)};
        if (p.empty() || p.back().x != q.x || p.back().y != q.y) p.push_back(q);
      }
      for (std::size_t i = 1; i < p.size(); ++i) grid.Line(p[i - 1], p[i], op);
      return grid;
    };
    std::vector<DeviceVertex> full{{0, 0}};
    for (double y : ys) full.push_back({10, y});
    EXPECT_TRUE(pixels(full) == pixels(reducer.Ready())) << ys.size();
  }
}

}  // namespace
}  // namespace merva

namespace merva {
namespace {

TEST(CurveReduction, BlocksInOneColumnServeEverySizeUntilTheDataChange) {
  // 300 points and more per column: whole blocks fall into one column.
  const int n = 60000;
  auto d = NewDocument(2, n);
  SetCurve(*d, 1, Ramp(n, 0, 1), Noise(n, 21, 1.0));
  for (int i = 0; i < n; ++i) d->Y(1, i + 1) += static_cast<float>(std::sin(i * 0.0002) * 3.0);
  for (int width : {200, 320})
    ExpectSamePixels(*d, Case{"narrow", test::ScreenCaps(), width, 150}, 0.3);
  {
    // The program clips metafiles itself: blocks inside the frame only.
    const int m = 150000;
    auto e = NewDocument(2, m);
    SetCurve(*e, 1, Ramp(m, 0, 1), Noise(m, 5, 1.0));
    e->zoomed = 1;
    e->plotWindow.xLow = 0;
    e->plotWindow.xHigh = 1;
    e->plotWindow.yLow[0] = -3;
    e->plotWindow.yHigh[0] = 3;
    for (int i = 1000; i < m; i += 29999) e->Y(1, i) = 5.0f;  // out of the frame
    for (FontDescription& font : e->fonts) font.height = 1;
    SurfaceCaps metafile;
    metafile.technology = SURFACE_METAFILE;
    ExpectSamePixels(*e, Case{"small metafile", metafile, 600, 450}, 0.3);
  }
  const std::vector<CurveBlock>* kept = &CurveBlocks(*d, 1);
  const float* before = kept->data() ? &(*kept)[0].yHigh : nullptr;
  EXPECT_EQ(&CurveBlocks(*d, 1)[0].yHigh, before);  // kept between draws
  // A spike in the middle of a block: drawn once the data change is known.
  d->Y(1, 30000) = 50.0f;
  d->InvalidateCurveStates(1);
  ExpectSamePixels(*d, Case{"after a change", test::ScreenCaps(), 200, 150}, 0.3);
  EXPECT_EQ(CurveBlocks(*d, 1)[29999 / CURVE_BLOCK_POINTS].yHigh, 50.0f);
}

}  // namespace
}  // namespace merva
