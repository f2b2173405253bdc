// The plot's texts, legend and note must not collide with each other nor
// run outside the drawing area, in small windows as on printed pages.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/plot_file_reader.h"
#include "render_test_support.h"

namespace merva {
namespace {

using test::NewDocument;
using test::SetCurve;

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  std::string what;
  bool Intersects(const Box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool Inside(const SurfaceRect& r) const {
    return left >= r.left && right <= r.right && top >= r.top && bottom <= r.bottom;
  }
};

std::string Describe(const Box& b) {
  return "\"" + b.what + "\" [" + std::to_string(b.left) + "," + std::to_string(b.top) + " - " +
         std::to_string(b.right) + "," + std::to_string(b.bottom) + "]";
}

// The cell of a recorded text in device units, rotated with its font.
Box TextCell(const RecordedOperation& op) {
  const TextMetrics m = RecordingSurface::MetricsOf(op.font);
  const int w = RecordingSurface::TextWidth(op.font, op.text);
  const int h = m.height;
  const int horizontal = op.alignment & ALIGN_HORIZONTAL_MASK;
  const int vertical = op.alignment & ALIGN_VERTICAL_MASK;
  const double a0 = horizontal == ALIGN_CENTER ? -(w / 2) : horizontal == ALIGN_RIGHT ? -w : 0.0;
  const double d0 = vertical == ALIGN_BOTTOM ? -h : vertical == ALIGN_BASELINE ? -m.ascent : 0.0;
  const double angle = op.font.escapement / 10.0 * 3.141592653589793 / 180.0;
  const double ax = std::cos(angle), ay = -std::sin(angle);  // along the text
  const double dx = std::sin(angle), dy = std::cos(angle);   // the text's downward side
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  for (double a : {a0, a0 + w})
    for (double d : {d0, d0 + h}) {
      const double x = op.points[0].x + a * ax + d * dx;
      const double y = op.points[0].y + a * ay + d * dy;
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  Box b;
  b.left = static_cast<int>(std::lround(minX));
  b.right = static_cast<int>(std::lround(maxX));
  b.top = static_cast<int>(std::lround(minY));
  b.bottom = static_cast<int>(std::lround(maxY));
  b.what = op.text;
  return b;
}

std::vector<Box> TextCells(const RecordingSurface& s) {
  std::vector<Box> boxes;
  for (const RecordedOperation& op : s.Operations())
    if (op.kind == RECORD_TEXT && !op.text.empty()) boxes.push_back(TextCell(op));
  return boxes;
}

SurfaceCaps PrinterCaps(int width, int height) {
  SurfaceCaps caps;
  caps.technology = SURFACE_PRINTER;
  caps.logPixelsX = caps.logPixelsY = 600;
  caps.horzRes = width;
  caps.vertRes = height;
  caps.horzSizeMM = static_cast<int>(std::lround(width / 600.0 * 25.4));
  caps.vertSizeMM = static_cast<int>(std::lround(height / 600.0 * 25.4));
  caps.colorCount = 2;
  return caps;
}

struct Size {
  int width, height;
  bool printer;
};

const Size SIZES[] = {{1000, 700, false}, {500, 350, false},  {256, 384, false},
                      {512, 192, false},  {5100, 6600, true}, {4960, 7016, true}};

std::string SizeName(const Size& size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height) +
         (size.printer ? "-printer" : "");
}

struct Drawn {
  RecordingSurface surface;
  DrawResult result;
  SurfaceRect target;
};

std::unique_ptr<Drawn> DrawAt(PlotDocument& d, const Size& size) {
  const SurfaceCaps caps = size.printer ? PrinterCaps(size.width, size.height) : test::ScreenCaps();
  auto out =
      std::unique_ptr<Drawn>(new Drawn{RecordingSurface(size.width, size.height, caps),
                                       DrawResult{}, SurfaceRect{0, 0, size.width, size.height}});
  out->result = DrawPlot(out->surface, d, out->target, DrawOptions{});
  return out;
}

// Every text, the legend and the note inside the target and apart; the
// texts of the legend and of the note lie inside their boxes.
void ExpectNothingCollides(const Drawn& drawn, const std::string& name) {
  const std::vector<Box> texts = TextCells(drawn.surface);
  std::vector<Box> blocks;
  const SurfaceRect& legend = drawn.result.legendRect;
  if (legend.right > legend.left)
    blocks.push_back(Box{legend.left, legend.top, legend.right, legend.bottom, "(legend)"});
  const SurfaceRect& note = drawn.result.noteRect;
  if (note.right > note.left)
    blocks.push_back(Box{note.left, note.top, note.right, note.bottom, "(note)"});
  for (const Box& b : blocks)
    EXPECT_TRUE(b.Inside(drawn.target)) << name << ": " << Describe(b) << " outside the target";
  for (std::size_t i = 0; i < blocks.size(); ++i)
    for (std::size_t j = i + 1; j < blocks.size(); ++j)
      EXPECT_FALSE(blocks[i].Intersects(blocks[j]))
          << name << ": " << Describe(blocks[i]) << " overlaps " << Describe(blocks[j]);
  for (const Box& b : texts) {
    EXPECT_TRUE(b.Inside(drawn.target)) << name << ": " << Describe(b) << " outside the target";
    for (const Box& block : blocks) {
      const SurfaceRect r{block.left, block.top, block.right, block.bottom};
      if (b.Inside(r)) continue;
      EXPECT_FALSE(b.Intersects(block))
          << name << ": " << Describe(b) << " overlaps " << Describe(block);
    }
  }
  for (std::size_t i = 0; i < texts.size(); ++i)
    for (std::size_t j = i + 1; j < texts.size(); ++j)
      EXPECT_FALSE(texts[i].Intersects(texts[j]))
          << name << ": " << Describe(texts[i]) << " overlaps " << Describe(texts[j]);
}

std::string ExamplePath(const std::string& name) {
  return std::string(MERVA_SOURCE_DIR) + "/examples/" + name + ".GRF";
}

TEST(LayoutFit, ExamplePlotsAtWindowAndPageSizes) {
  const char* out = std::getenv("MERVA_RENDER_OUT");
  for (int k = 1; k <= 8; ++k) {
    const std::string name = "EX0" + std::to_string(k);
    for (const Size& size : SIZES) {
      auto d = NewDocument(10, 2000);
      const Status read = ReadPlotFile(*d, ExamplePath(name), 1);
      ASSERT_TRUE(read.Ok()) << name << ": " << read.Text();
      auto drawn = DrawAt(*d, size);
      const std::string label = name + " at " + SizeName(size);
      ExpectNothingCollides(*drawn, label);
      if (out)
        drawn->surface.WriteSvg(std::string(out) + "/" + name + "-" + SizeName(size) + ".svg");
    }
  }
}

}  // namespace
}  // namespace merva
