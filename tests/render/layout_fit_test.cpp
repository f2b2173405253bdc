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
  bool slanted = false;  // along a diagonal grid line
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
  b.slanted = op.font.escapement % 900 != 0;
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
  DrawOptions options;
  options.windowView = !size.printer;  // pages follow the chosen sizes
  out->result = DrawPlot(out->surface, d, out->target, options);
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
  // The legend and the note stand where the user put them, over any text.
  for (const Box& b : texts)
    EXPECT_TRUE(b.Inside(drawn.target)) << name << ": " << Describe(b) << " outside the target";
  // Labels along diagonal grid lines lie under what is drawn in the frame.
  const SurfaceRect& area = drawn.result.plotArea;
  const int slack = std::max(2, drawn.target.Width() / 200);
  const SurfaceRect frame{area.left - slack, area.top - slack, area.right + slack,
                          area.bottom + slack};
  const Box frameBox{frame.left, frame.top, frame.right, frame.bottom, "(frame)"};
  auto underneath = [&](const Box& a, const Box& b) {
    return (a.slanted && !b.slanted && b.Intersects(frameBox)) ||
           (b.slanted && !a.slanted && a.Intersects(frameBox));
  };
  for (std::size_t i = 0; i < texts.size(); ++i)
    for (std::size_t j = i + 1; j < texts.size(); ++j)
      if (!underneath(texts[i], texts[j]))
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

// A printer driver whose metrics are tighter than the glyphs it prints:
// cell height 0.925 of the character height, no external leading.
class TightMetricsSurface : public RecordingSurface {
 public:
  using RecordingSurface::RecordingSurface;
  TextMetrics GetTextMetrics() override {
    TextMetrics m = RecordingSurface::GetTextMetrics();
    const int em = CurrentFont().height < 0 ? -CurrentFont().height : m.height;
    m.height = static_cast<int>(std::lround(em * 0.925));
    m.ascent = static_cast<int>(std::lround(em * 0.718));
    m.descent = m.height - m.ascent;
    m.externalLeading = 0;
    return m;
  }
};

const RecordedOperation* TextStarting(const RecordingSurface& s, const std::string& start) {
  for (const RecordedOperation& op : s.Operations())
    if (op.kind == RECORD_TEXT && op.text.rfind(start, 0) == 0) return &op;
  return nullptr;
}

std::unique_ptr<PlotDocument> SimplePlot() {
  auto d = NewDocument();
  std::vector<double> x, y;
  for (int i = 0; i <= 50; ++i) {
    x.push_back(i * 2.0);
    y.push_back(40.0 + 30.0 * std::sin(i / 6.0));
  }
  SetCurve(*d, 1, x, y);
  d->title1.Set("Title of the plot");
  d->title2.Set("Subtitle of the plot");
  d->xAxisLabel.Set("Time, seconds");
  d->yAxisLabel.Set("Pressure, psi");
  return d;
}

TEST(LayoutFit, TitleLinesAndNoteLinesApartOnTightPrinterMetrics) {
  auto d = SimplePlot();
  d->note.text = "First line of the note\nSecond line";
  d->note.attribute1 = 1 | 2;
  d->note.x = 0.1;
  d->note.y = 0.1;
  TightMetricsSurface s(5100, 6600, PrinterCaps(5100, 6600));
  DrawPlot(s, *d, SurfaceRect{0, 0, 5100, 6600}, DrawOptions{});
  const RecordedOperation* t1 = test::TextOp(s, "Title of the plot");
  const RecordedOperation* t2 = test::TextOp(s, "Subtitle of the plot");
  ASSERT_NE(t1, nullptr);
  ASSERT_NE(t2, nullptr);
  const int em1 = -t1->font.height;
  EXPECT_EQ(em1, 150);  // 18 points at 600 dpi
  EXPECT_GE(t2->points[0].y - t1->points[0].y, std::lround(1.15 * em1));
  const RecordedOperation* n1 = test::TextOp(s, "First line of the note");
  const RecordedOperation* n2 = test::TextOp(s, "Second line");
  ASSERT_NE(n1, nullptr);
  ASSERT_NE(n2, nullptr);
  EXPECT_GE(n2->points[0].y - n1->points[0].y, std::lround(1.15 * -n1->font.height));
  // The frame leaves room for the title lines as drawn.
  EXPECT_GE(d->plotFrame.top, 0.0);
}

TEST(LayoutFit, FullSizeWindowsKeepThePointSizes) {
  for (const Size& size : {Size{800, 600, false}, Size{576, 432, false}}) {
    auto d = SimplePlot();
    auto drawn = DrawAt(*d, size);
    const RecordedOperation* t1 = test::TextOp(drawn->surface, "Title of the plot");
    const RecordedOperation* x = test::TextOp(drawn->surface, "Time, seconds");
    ASSERT_NE(t1, nullptr);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(t1->font.height, -24) << SizeName(size);  // 18 points at 96 dpi
    EXPECT_EQ(x->font.height, -16) << SizeName(size);   // 12 points
    ExpectNothingCollides(*drawn, SizeName(size));
  }
}

TEST(LayoutFit, SmallWindowsShrinkTheFontsInProportionButNotBelowSevenPoints) {
  auto d = SimplePlot();
  // A quarter of the full-size area: half the size, 9 instead of 18 points.
  auto drawn = DrawAt(*d, Size{288, 216, false});
  const RecordedOperation* t1 = test::TextOp(drawn->surface, "Title of the plot");
  ASSERT_NE(t1, nullptr);
  EXPECT_EQ(t1->font.height, -12);
  // 10-point numbers stop at 7 points (9.3 pixels).
  for (const RecordedOperation& op : drawn->surface.Operations())
    if (op.kind == RECORD_TEXT && op.text == "20") EXPECT_EQ(op.font.height, -9);
  ExpectNothingCollides(*drawn, "288x216");
}

TEST(LayoutFit, LongTitlesShrinkAndAreCutToTheWindow) {
  auto d = SimplePlot();
  d->title1.Set("Pressure history of the third test series at gauge station 14, corrected");
  d->yAxisLabel.Set("Reflected overpressure at the wall gauge, pounds per square inch");
  for (const Size& size : {Size{256, 384, false}, Size{512, 192, false}, Size{160, 120, false}}) {
    auto drawn = DrawAt(*d, size);
    const RecordedOperation* t1 = TextStarting(drawn->surface, "Pressure history");
    ASSERT_NE(t1, nullptr) << SizeName(size);
    EXPECT_GE(-t1->font.height, 8) << SizeName(size);  // not below 6 points
    const RecordedOperation* y = TextStarting(drawn->surface, "Reflected");
    ASSERT_NE(y, nullptr) << SizeName(size);
    EXPECT_TRUE(y->text == d->yAxisLabel.Str() || y->text.substr(y->text.size() - 3) == "...")
        << SizeName(size) << ": " << y->text;
    const Box yBox = TextCell(*y);
    EXPECT_GE(yBox.top, static_cast<int>(d->plotFrame.top) - 1) << SizeName(size);
    EXPECT_LE(yBox.bottom, static_cast<int>(d->plotFrame.bottom) + 1) << SizeName(size);
    ExpectNothingCollides(*drawn, SizeName(size));
  }
}

TEST(LayoutFit, TickLabelsOfShortAxesAreSkippedNotCrowded) {
  auto d = SimplePlot();
  d->scaleType = SCALE_LOG_LOG;
  SetCurve(*d, 1, {0.3, 3, 30, 300, 870}, {0.2, 5, 40, 400, 4000});
  for (const Size& size : {Size{512, 150, false}, Size{200, 400, false}}) {
    auto drawn = DrawAt(*d, size);
    ExpectNothingCollides(*drawn, SizeName(size));
    int labels = 0;
    for (const RecordedOperation& op : drawn->surface.Operations())
      if (op.kind == RECORD_TEXT && op.font.height == -9 && op.font.escapement == 0) ++labels;
    EXPECT_GE(labels, 4) << SizeName(size);  // some labels stay on both axes
  }
  d->scaleType = SCALE_LINEAR_LINEAR;
  d->gridType = 2;
  d->yAxisMode = 1;  // secondary axis on the right
  d->y2Factor = 14.5;
  d->y2Offset = 1000;
  ExpectNothingCollides(*DrawAt(*d, Size{512, 150, false}), "secondary axis 512x150");
}

TEST(LayoutFit, LegendNoteAndLabelsStayInsideTheirCell) {
  auto d = SimplePlot();
  SetCurve(*d, 2, {0, 100}, {40, 40});
  d->legendText[1].Set("Gauge 14");
  d->legendText[2].Set("Mean");
  d->curveTag[1].Set("G14");
  d->curveTag[2].Set("M");
  SetCurve(*d, 1, {0, 50, 100}, {10, 25, 40});  // both curves end at the same point
  d->legendFrame = 1;
  d->legendX = 1.4;  // right of the frame, off the cell
  d->legendY = -0.5;
  d->note.text = "A note placed near the right edge of the frame";
  d->note.attribute1 = 1 | 2;
  d->note.x = 0.9;  // runs off the cell's right edge
  d->note.y = 0.9;
  PointLabel label;
  label.curve = 1;
  label.point = 2;
  label.x = 50;
  label.y = 110;  // above the frame, in the titles
  label.attributes = POINT_LABEL_FRAME;
  label.text.Set("Peak");
  d->pointLabels.push_back(label);
  // The right half of a page holding two plots side by side.
  const SurfaceRect cell{2600, 300, 5000, 3200};
  RecordingSurface s(5100, 6600, PrinterCaps(5100, 6600));
  Drawn drawn{std::move(s), DrawResult{}, cell};
  drawn.result = DrawPlot(drawn.surface, *d, cell, DrawOptions{});
  ExpectNothingCollides(drawn, "cell");
  const RecordedOperation* peakText = test::TextOp(drawn.surface, "Peak");
  const RecordedOperation* subtitleText = test::TextOp(drawn.surface, "Subtitle of the plot");
  ASSERT_NE(peakText, nullptr);
  ASSERT_NE(subtitleText, nullptr);
  const Box peak = TextCell(*peakText), subtitle = TextCell(*subtitleText);
  EXPECT_GE(peak.top, subtitle.bottom);
  for (const Size& size : {Size{256, 384, false}, Size{512, 192, false}})
    ExpectNothingCollides(*DrawAt(*d, size), SizeName(size));
}

TEST(LayoutFit, DateStampAndCaptionKeepTheTitlesOffTheCorners) {
  auto d = SimplePlot();
  d->title1.Set("Pressure history of the third test series, gauge 14");
  d->xAxisLabel.Set("Time after detonation of the second charge, milliseconds");
  d->fileTitle.Set("SERIES3_GAUGE14.GRF");
  DrawOptions options;
  options.dateStamp = true;
  options.todayYear = 2026;
  options.todayMonth = 12;
  options.todayDay = 9;
  options.caption = true;
  options.windowView = true;
  for (const Size& size : {Size{1000, 700, false}, Size{500, 350, false}, Size{256, 384, false}}) {
    const SurfaceRect target{0, 0, size.width, size.height};
    Drawn drawn{RecordingSurface(size.width, size.height, test::ScreenCaps()), DrawResult{},
                target};
    drawn.result = DrawPlot(drawn.surface, *d, target, options);
    ASSERT_NE(TextStarting(drawn.surface, "SERIES3"), nullptr);
    ExpectNothingCollides(drawn, SizeName(size));
  }
}

TEST(LayoutFit, EveryScaleTypeAndAxisModeAtEverySize) {
  for (int type = 1; type <= 13; ++type) {
    for (int mode = 0; mode <= 2; ++mode) {
      auto d = NewDocument();
      std::vector<double> x, y1, y2;
      for (int i = 1; i <= 40; ++i) {
        x.push_back(i * 2.4);
        y1.push_back(2.0 + i * 2.3);
        y2.push_back(95.0 - i * 2.2);
      }
      SetCurve(*d, 1, x, y1);
      SetCurve(*d, 2, x, y2);
      d->scaleType = type;
      d->yAxisMode = mode;
      d->y2Offset = 32.0;
      d->y2Factor = 1.8;
      d->curveAxis[2] = 2;
      d->gridType = mode == 1 ? 2 : 1;
      d->title1.Set("Temperature and humidity");
      d->title2.Set("Station 7, hourly means");
      d->title3.Set("Third title line");
      d->xAxisLabel.Set("Hours since the start of the record");
      d->yAxisLabel.Set("Temperature, degrees Celsius");
      d->y2AxisLabel.Set("Relative humidity, percent");
      if (type != SCALE_POLAR) {  // where its corners hold the angle labels
        d->legendText[1].Set("Temperature");
        d->legendText[2].Set("Humidity");
      }
      // No curve labels: at the curve ends they may meet tick labels.
      d->legendFrame = 1;
      d->legendX = 0.05;
      d->legendY = 0.05;
      // Probability X labels repeated above a grid share the line under
      // the titles, as laid out.
      if (type >= SCALE_PROBABILITY_LINEAR && d->gridType != GRID_AXES_ONLY) continue;
      for (const Size& size : SIZES) {
        auto drawn = DrawAt(*d, size);
        ExpectNothingCollides(*drawn, "type " + std::to_string(type) + " mode " +
                                          std::to_string(mode) + " at " + SizeName(size));
      }
    }
  }
}

TEST(LayoutFit, SecondaryXAxisAtEverySize) {
  for (int type : {SCALE_LINEAR_LINEAR, SCALE_LINEAR_LOG, SCALE_LOG_LINEAR, SCALE_LOG_LOG,
                   SCALE_LINEAR_PROBABILITY, SCALE_BAR_CHART, SCALE_LOG_PROBABILITY}) {
    for (int titled = 0; titled <= 1; ++titled) {
      auto d = NewDocument();
      std::vector<double> x, y;
      for (int i = 1; i <= 40; ++i) {
        x.push_back(i * 2.4);
        y.push_back(2.0 + i * 2.3);
      }
      SetCurve(*d, 1, x, y);
      d->scaleType = type;
      d->yAxisMode = 1;
      d->y2Offset = 32.0;
      d->y2Factor = 1.8;
      d->gridType = 2;
      d->xAxisMode = 1;
      d->x2Offset = 0.5;
      d->x2Factor = 24.0;
      d->title1.Set("Temperature and humidity");
      d->title2.Set("Station 7, hourly means");
      d->xAxisLabel.Set("Hours since the start of the record");
      d->yAxisLabel.Set("Temperature, degrees Celsius");
      if (titled) d->x2AxisLabel.Set("Minutes since the start, plus a half");
      for (const Size& size : SIZES) {
        auto drawn = DrawAt(*d, size);
        ExpectNothingCollides(*drawn, "type " + std::to_string(type) + " titled " +
                                          std::to_string(titled) + " at " + SizeName(size));
      }
    }
  }
}

TEST(LayoutFit, PhysicalSizeWithAndWithoutWysiwyg) {
  for (int wysiwyg = 0; wysiwyg <= 1; ++wysiwyg) {
    for (int type : {SCALE_LINEAR_LINEAR, SCALE_LOG_LOG, SCALE_LINEAR_PROBABILITY}) {
      auto d = SimplePlot();
      d->scaleType = type;
      d->manualTicks = 1;
      d->wysiwyg = wysiwyg;
      d->plotWidth = 6.0;
      d->plotHeight = 4.0;
      d->xTickCount = 10;
      d->yTickCount = 8;
      for (const Size& size : SIZES) {
        // Without WYSIWYG a frame larger than the window runs past it.
        if (!wysiwyg && !size.printer) continue;
        auto drawn = DrawAt(*d, size);
        for (const RecordedOperation& op : drawn->surface.Operations())
          if (op.kind == RECORD_TEXT)
            EXPECT_GE(-op.font.height, size.printer ? 50 : 8) << op.text << " " << SizeName(size);
        ExpectNothingCollides(*drawn, "type " + std::to_string(type) + " wysiwyg " +
                                          std::to_string(wysiwyg) + " at " + SizeName(size));
      }
    }
  }
}

TEST(LayoutFit, WideLegendsAreCutToTheDrawingArea) {
  auto d = SimplePlot();
  SetCurve(*d, 2, {0, 100}, {30, 50});
  SetCurve(*d, 3, {0, 100}, {50, 30});
  d->legendText[1].Set("Reflected overpressure at gauge 14, psi");
  d->legendText[2].Set("Incident overpressure at gauge 15, psi");
  d->legendText[3].Set("Mean of the two gauges");
  d->legendTitle.Set("Gauges of the third test series, north wall");
  d->legendFrame = 1;
  d->maxLegendRows = 2;  // two columns
  for (const Size& size : {Size{256, 384, false}, Size{512, 192, false}, Size{1000, 700, false}}) {
    auto drawn = DrawAt(*d, size);
    const SurfaceRect& legend = drawn->result.legendRect;
    EXPECT_LE(legend.right - legend.left, size.width) << SizeName(size);
    ExpectNothingCollides(*drawn, SizeName(size));
  }
}

}  // namespace
}  // namespace merva
