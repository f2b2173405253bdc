// Symbols of old files, legend samples, curve label sides, text sizes on
// every target, polar circles and printer scaling, as the plot is meant to
// look.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "render/line_writer.h"
#include "render_test_support.h"

namespace merva {
namespace {

using test::NewDocument;
using test::SetCurve;

constexpr SurfaceColor RED = 0x0000FFu;  // screen colour of curve 1

SurfaceCaps PrinterCaps(int width, int height) {
  SurfaceCaps caps;
  caps.technology = SURFACE_PRINTER;
  caps.logPixelsX = caps.logPixelsY = 600;
  caps.horzRes = width;
  caps.vertRes = height;
  caps.horzSizeMM = static_cast<int>(std::lround(width / 600.0 * 25.4));
  caps.vertSizeMM = static_cast<int>(std::lround(height / 600.0 * 25.4));
  return caps;
}

TEST(OldSymbols, FilledCodesOfOldFilesDrawFilledShapes) {
  // Old codes 9-12 read as 261-264: filled square, diamond, triangle, octagon.
  const int vertices[] = {0, 4, 3, 8};
  for (int code = 262; code <= 264; ++code) {
    auto d = NewDocument();
    SetCurve(*d, 1, {0, 1, 2}, {0, 1, 0});
    d->lineType[1] = 0;
    d->symbolType[1] = code;
    d->symbolSize[1] = 100;
    RecordingSurface s(800, 600, test::ScreenCaps());
    DrawPlot(s, *d, test::Target(), DrawOptions{});
    int shapes = 0;
    for (const RecordedOperation* op : test::OperationsOf(s, RECORD_POLYGON)) {
      if (op->pen.color != RED) continue;
      ++shapes;
      EXPECT_EQ(op->brush.kind, BRUSH_SOLID) << code;
      EXPECT_EQ(op->points.size(), static_cast<std::size_t>(vertices[code - 261])) << code;
    }
    EXPECT_EQ(shapes, 3) << code;
  }
  EXPECT_EQ(SymbolShape(261), 5);
  EXPECT_TRUE(SymbolFilled(261));
  // Codes of earlier builds of this program stay filled shapes.
  EXPECT_EQ(SymbolShape(106), 6);
  EXPECT_TRUE(SymbolFilled(106));
  EXPECT_FALSE(SymbolFilled(12));
}

TEST(LegendSamples, DashedAndDottedCurvesShowTheirPattern) {
  for (int type : {1, 2, 3}) {
    auto d = NewDocument();
    SetCurve(*d, 1, {0, 1}, {0, 1});
    d->lineType[1] = type;
    d->legendText[1].Set("dashes");
    RecordingSurface s(800, 600, test::ScreenCaps());
    const DrawResult r = DrawPlot(s, *d, test::Target(), DrawOptions{});
    int pieces = 0, lit = 0;
    for (const RecordedOperation* op : test::OperationsOf(s, RECORD_POLYLINE)) {
      if (!op->inPath || op->points.front().y < r.legendRect.top ||
          op->points.front().y > r.legendRect.bottom)
        continue;
      ++pieces;
      lit += op->points.back().x - op->points.front().x;
    }
    const int length = static_cast<int>(std::lround(d->legendLineLength * 96));
    if (type == 1) {
      EXPECT_EQ(pieces, 1);
      EXPECT_EQ(lit, length);
    } else {
      EXPECT_GT(pieces, 1) << type;
      EXPECT_LT(lit, length) << type;
    }
  }
}

// The box of a curve label leaving the plot area from (5,5) towards (x,y).
struct LabelPlace {
  SurfaceRect box;
  SurfaceRect area;
};
LabelPlace LabelLeavingTowards(double x, double y) {
  auto d = NewDocument();
  SetCurve(*d, 1, {5, x}, {5, y});
  d->curveTag[1].Set("AB");
  d->zoomed = 1;
  d->plotWindow.xLow = 0;
  d->plotWindow.xHigh = 10;
  d->plotWindow.yLow[0] = 0;
  d->plotWindow.yHigh[0] = 10;
  RecordingSurface s(800, 600, test::ScreenCaps());
  const DrawResult r = DrawPlot(s, *d, test::Target(), DrawOptions{});
  const RecordedOperation* tag = test::TextOp(s, "AB");
  LabelPlace place;
  place.area = r.plotArea;
  if (!tag) return place;
  const TextSize size{RecordingSurface::TextWidth(tag->font, "AB"),
                      RecordingSurface::MetricsOf(tag->font).height};
  place.box = SurfaceRect{tag->points[0].x, tag->points[0].y, tag->points[0].x + size.width,
                          tag->points[0].y + size.height};
  return place;
}

TEST(CurveLabels, OutsideTheEdgeWhereTheLineLeaves) {
  LabelPlace left = LabelLeavingTowards(-5, 5);
  EXPECT_LT(left.box.right, left.area.left);
  EXPECT_LT(std::abs((left.box.top + left.box.bottom) / 2 - (left.area.top + left.area.bottom) / 2),
            3);
  LabelPlace top = LabelLeavingTowards(5, 20);
  EXPECT_LE(top.box.bottom, top.area.top);
  EXPECT_LT(std::abs((top.box.left + top.box.right) / 2 - (top.area.left + top.area.right) / 2), 3);
  LabelPlace bottom = LabelLeavingTowards(5, -20);
  EXPECT_GE(bottom.box.top, bottom.area.bottom - 1);
  LabelPlace right = LabelLeavingTowards(20, 5);
  EXPECT_GE(right.box.left, right.area.right);
}

const RecordedOperation& TextOf(const RecordingSurface& s, const std::string& text) {
  const RecordedOperation* op = test::TextOp(s, text);
  EXPECT_NE(op, nullptr) << text;
  static const RecordedOperation none;
  return op ? *op : none;
}

TEST(SmallTargets, PagesAndPicturesKeepTheChosenFontsAndWholeTexts) {
  const std::string longTitle(70, 'W');
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 1}, {0, 1});
  d->title1.Set(longTitle);
  d->legendText[1].Set("A legend text that is rather long");
  d->legendX = 0.0;
  d->legendY = -1.0;  // dragged up beyond the titles
  // A 2 x 1.5 inch cell of a 600 dpi page, and the full page.
  RecordingSurface cell(1200, 900, PrinterCaps(5100, 6600));
  const DrawResult small = DrawPlot(cell, *d, SurfaceRect{0, 0, 1200, 900}, DrawOptions{});
  RecordingSurface page(5100, 6600, PrinterCaps(5100, 6600));
  DrawPlot(page, *d, SurfaceRect{0, 0, 5100, 6600}, DrawOptions{});
  EXPECT_EQ(TextOf(cell, longTitle).font.height, TextOf(page, longTitle).font.height);
  const RecordedOperation& legend = TextOf(cell, "A legend text that is rather long");
  EXPECT_EQ(legend.font.height, TextOf(page, "A legend text that is rather long").font.height);
  // The legend stays where it was put, moved only into the target.
  EXPECT_EQ(small.legendRect.top, 0);

  // The document window may shrink and shorten texts that do not fit.
  DrawOptions window;
  window.windowView = true;
  RecordingSurface screen(200, 150, test::ScreenCaps());
  DrawPlot(screen, *d, SurfaceRect{0, 0, 200, 150}, window);
  EXPECT_EQ(test::TextOp(screen, longTitle), nullptr);
}

TEST(SmallTargets, PolarFramesAndProbabilityAxesAsLaidOut) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 90, 180}, {1, 2, 3});
  d->scaleType = SCALE_POLAR;
  RecordingSurface s(1000, 500, test::ScreenCaps());
  const DrawResult polar = DrawPlot(s, *d, SurfaceRect{0, 0, 1000, 500}, DrawOptions{});
  // The frame spans the target's width, not a square.
  EXPECT_GT(polar.plotArea.Width(), 3 * polar.plotArea.Height() / 2);

  auto p = NewDocument();
  SetCurve(*p, 1, {10, 50, 90}, {1, 2, 3});
  p->gridType = GRID_LINES;
  RecordingSurface linear(800, 600, test::ScreenCaps());
  const DrawResult a = DrawPlot(linear, *p, test::Target(), DrawOptions{});
  p->scaleType = SCALE_PROBABILITY_LINEAR;
  RecordingSurface probability(800, 600, test::ScreenCaps());
  const DrawResult b = DrawPlot(probability, *p, test::Target(), DrawOptions{});
  EXPECT_EQ(a.plotArea.top, b.plotArea.top);
}

TEST(PolarGrid, InnerCirclesBlackWithoutGridLines) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 90, 180}, {1, 2, 3});
  d->scaleType = SCALE_POLAR;
  for (int grid : {GRID_AXES_ONLY, GRID_LINES}) {
    d->gridType = grid;
    RecordingSurface s(800, 600, test::ScreenCaps());
    DrawPlot(s, *d, test::Target(), DrawOptions{});
    const auto ellipses = test::OperationsOf(s, RECORD_ELLIPSE);
    ASSERT_GE(ellipses.size(), 2u);
    const SurfaceColor inner = ellipses.front()->pen.color;
    EXPECT_EQ(inner, grid == GRID_AXES_ONLY ? COLOR_BLACK : 0xC0C0C0u) << grid;
  }
}

TEST(PrinterScaling, ScalingFactorCoarsensTheDashes) {
  // 600 dpi: 2 device units per dash unit; a printer scaling by 2^2 has 1.
  for (int factor : {0, 2}) {
    auto d = NewDocument();
    SetCurve(*d, 2, {0, 10}, {5, 5});
    d->lineType[2] = 5;  // 8 on, 8 off
    SurfaceCaps caps = PrinterCaps(4800, 6000);
    caps.horzSizeMM = 203;
    caps.scalingFactor = factor;
    RecordingSurface s(4800, 6000, caps);
    DrawPlot(s, *d, SurfaceRect{0, 0, 4800, 6000}, DrawOptions{});
    const SurfaceColor grey = 0x0D0D0Du;  // printer colour of curve 2
    const RecordedOperation* dash = nullptr;
    for (const RecordedOperation* op : test::OperationsOf(s, RECORD_POLYLINE))
      if (op->pen.color == grey) {
        dash = op;
        break;
      }
    ASSERT_NE(dash, nullptr);
    EXPECT_EQ(dash->points.back().x - dash->points.front().x, factor ? 8 : 16) << factor;
  }
}

}  // namespace
}  // namespace merva
