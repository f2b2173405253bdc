#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "core/number_text.h"
#include "example_plots.h"
#include "render/axis_ticks.h"
#include "render/draw_plot.h"
#include "render/line_writer.h"
#include "render/point_labels.h"
#include "render/probability.h"
#include "render/special_grids.h"

namespace merva {
namespace {

using test::NewDocument;
using test::OperationsOf;
using test::SetCurve;

DrawResult Draw(RecordingSurface& s, PlotDocument& d, DrawOptions options = DrawOptions{}) {
  return DrawPlot(s, d, SurfaceRect{0, 0, 800, 600}, options);
}

TEST(Examples, EveryScaleKindDrawsAndCleansUp) {
  const char* out = std::getenv("MERVA_RENDER_OUT");
  for (const test::ExamplePlot& example : test::ExamplePlots()) {
    auto d = NewDocument();
    example.fill(*d);
    RecordingSurface s(800, 600, test::ScreenCaps());
    const DrawResult r = Draw(s, *d);
    EXPECT_FALSE(r.aborted) << example.name;
    EXPECT_EQ(s.LiveObjects(), 0) << example.name;
    EXPECT_GT(s.Operations().size(), 20u) << example.name;
    if (out) s.WriteSvg(std::string(out) + "/" + example.name + ".svg");
  }
}

TEST(Curves, NoLineAndNoSymbolDrawsNothing) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 1, 2}, {0, 1, 0});
  d->lineType[1] = 0;
  d->symbolType[1] = 0;
  d->gridType = 0;
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d);
  for (const RecordedOperation* op : OperationsOf(s, RECORD_POLYLINE))
    EXPECT_NE(op->pen.color, 0x0000FFu) << "a curve-coloured line was drawn";
}

TEST(Curves, DottedLineAtFourUnitsPerDash) {
  // 64 device units per millimetre give a dash unit of 4.
  SurfaceCaps caps = test::ScreenCaps();
  caps.technology = SURFACE_PRINTER;
  caps.horzRes = 6400;
  caps.horzSizeMM = 100;
  EXPECT_DOUBLE_EQ(DashUnit(caps, 1.0), 4.0);
  EXPECT_DOUBLE_EQ(DashUnit(test::ScreenCaps(), 1.0), 1.0);
  RecordingSurface s(800, 600, caps);
  LineWriter w(s, 0x55555555u, 4.0, nullptr);
  w.MoveTo(0, 10);
  w.LineTo(40, 10);
  w.Flush();
  const auto lines = OperationsOf(s, RECORD_POLYLINE);
  ASSERT_EQ(lines.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(lines[static_cast<std::size_t>(i)]->points.front().x, 8 * i);
    EXPECT_EQ(lines[static_cast<std::size_t>(i)]->points.back().x, 8 * i + 4);
  }
}

TEST(Curves, DashPhaseContinuesAcrossSegmentsAndRestartsAtMoves) {
  RecordingSurface s(100, 100);
  LineWriter w(s, 0x0FFF0FFFu, 1.0, nullptr);  // 12 on, 4 off
  w.MoveTo(0, 0);
  w.LineTo(6, 0);
  w.LineTo(20, 0);  // on to 12, off to 16, on again
  w.MoveTo(0, 50);
  w.LineTo(5, 50);
  w.Flush();
  const auto lines = OperationsOf(s, RECORD_POLYLINE);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0]->points.back().x, 12);
  EXPECT_EQ(lines[1]->points.front().x, 16);
  EXPECT_EQ(lines[1]->points.back().x, 20);
  EXPECT_EQ(lines[2]->points.front().x, 0);
  EXPECT_EQ(lines[2]->points.back().x, 5);
}

TEST(Curves, OwnClippingCutsAtThePlotArea) {
  RecordingSurface s(100, 100);
  const ClipBox box{10, 10, 50, 50};
  LineWriter w(s, 0xFFFFFFFFu, 1.0, &box);
  w.MoveTo(0, 30);
  w.LineTo(100, 30);
  w.Flush();
  const auto lines = OperationsOf(s, RECORD_POLYLINE);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->points.front().x, 10);
  EXPECT_EQ(lines[0]->points.back().x, 50);
}

const RecordedOperation* CurveShape(const RecordingSurface& s, int kind, SurfaceColor color) {
  for (const RecordedOperation& op : s.Operations())
    if (op.kind == kind && op.pen.color == color) return &op;
  return nullptr;
}

TEST(Symbols, SquareOutlinedOrFilledAndPlus) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 1, 2}, {0, 1, 0});
  d->lineType[1] = 0;
  d->symbolType[1] = 5;  // F
  d->symbolSize[1] = 100;
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d);
  const RecordedOperation* square = CurveShape(s, RECORD_RECTANGLE, 0x0000FFu);
  ASSERT_NE(square, nullptr);
  EXPECT_EQ(square->brush.kind, BRUSH_HOLLOW);
  // 100 thousandths of an inch at 1024/270 px per mm: 62/64 of 9.6 units.
  EXPECT_NEAR(square->points[1].x - square->points[0].x, 9.3 + 1, 1.0);
  int squares = 0;
  for (const RecordedOperation& op : s.Operations())
    if (op.kind == RECORD_RECTANGLE && op.pen.color == 0x0000FFu) ++squares;
  EXPECT_EQ(squares, 3);

  d->symbolType[1] = 5 + SYMBOL_FILLED_OFFSET;
  RecordingSurface filled(800, 600, test::ScreenCaps());
  Draw(filled, *d);
  square = CurveShape(filled, RECORD_RECTANGLE, 0x0000FFu);
  ASSERT_NE(square, nullptr);
  EXPECT_EQ(square->brush.kind, BRUSH_SOLID);
  EXPECT_EQ(square->brush.color, 0x0000FFu);

  d->symbolType[1] = 2 + SYMBOL_FILLED_OFFSET;  // C ignores the fill flag
  RecordingSurface plus(800, 600, test::ScreenCaps());
  Draw(plus, *d);
  int strokes = 0;
  for (const RecordedOperation& op : plus.Operations())
    if (op.kind == RECORD_POLYLINE && op.pen.color == 0x0000FFu && op.points.size() == 2) ++strokes;
  // The end points lie on the frame line; their symbols are still drawn.
  EXPECT_EQ(strokes, 6);
  EXPECT_EQ(CurveShape(plus, RECORD_POLYGON, 0x0000FFu), nullptr);
}

// A point added with fixed axes: the joining segment and its symbol only,
// where the whole picture draws them.
TEST(Curves, LastSegmentAloneWhereTheWholeDrawPutsIt) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 1, 2}, {0, 1, 0.5});
  d->symbolType[1] = 5;
  d->symbolSize[1] = 100;
  RecordingSurface whole(800, 600, test::ScreenCaps());
  Draw(whole, *d);
  const RecordedOperation* line = CurveShape(whole, RECORD_POLYLINE, 0x0000FFu);
  ASSERT_NE(line, nullptr);
  ASSERT_EQ(line->points.size(), 3u);

  RecordingSurface segment(800, 600, test::ScreenCaps());
  ASSERT_TRUE(DrawLastSegment(segment, *d, SurfaceRect{0, 0, 800, 600}, DrawOptions{}, 1));
  int lines = 0, squares = 0, texts = 0;
  for (const RecordedOperation& op : segment.Operations()) {
    if (op.kind == RECORD_TEXT) ++texts;
    if (op.kind == RECORD_RECTANGLE && op.pen.color == 0x0000FFu) ++squares;
    if (op.kind != RECORD_POLYLINE || op.pen.color != 0x0000FFu) continue;
    ++lines;
    ASSERT_EQ(op.points.size(), 2u);
    EXPECT_EQ(op.points[0].x, line->points[1].x);
    EXPECT_EQ(op.points[0].y, line->points[1].y);
    EXPECT_EQ(op.points[1].x, line->points[2].x);
    EXPECT_EQ(op.points[1].y, line->points[2].y);
  }
  EXPECT_EQ(lines, 1);
  EXPECT_EQ(squares, 1);
  EXPECT_EQ(texts, 0);
  // One point is no segment.
  d->pointCount[1] = 1;
  RecordingSurface none(800, 600, test::ScreenCaps());
  EXPECT_FALSE(DrawLastSegment(none, *d, SurfaceRect{0, 0, 800, 600}, DrawOptions{}, 1));
}

TEST(Curves, LogPointsLeftOutJoinNeighbours) {
  auto d = NewDocument();
  SetCurve(*d, 1, {1, 2, 3, 4}, {10, 20, 30, 40});
  d->scaleType = SCALE_LINEAR_LOG;
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d);
  d->Y(1, 3) = -5.0f;  // drawn data is not checked again here
  RecordingSurface s2(800, 600, test::ScreenCaps());
  Draw(s2, *d);
  const RecordedOperation* line = CurveShape(s2, RECORD_POLYLINE, 0x0000FFu);
  ASSERT_NE(line, nullptr);
  ASSERT_EQ(line->points.size(), 3u);
  const RecordedOperation* full = CurveShape(s, RECORD_POLYLINE, 0x0000FFu);
  ASSERT_EQ(full->points.size(), 4u);
  EXPECT_EQ(line->points[1].x, full->points[1].x);
  EXPECT_EQ(line->points[2].x, full->points[3].x);
}

TEST(Grid, GreyUnlessTheTableIsAllBlack) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 1}, {0, 1});
  d->gridType = 1;
  ProgramSettings settings;
  DrawOptions options;
  options.settings = &settings;
  RecordingSurface grey(800, 600, test::ScreenCaps());
  Draw(grey, *d, options);
  bool sawGrey = false;
  for (const RecordedOperation* op : OperationsOf(grey, RECORD_POLYLINE))
    sawGrey = sawGrey || op->pen.color == 0xC0C0C0u;
  EXPECT_TRUE(sawGrey);
  settings.screenColors.fill(0);
  RecordingSurface black(800, 600, test::ScreenCaps());
  Draw(black, *d, options);
  for (const RecordedOperation* op : OperationsOf(black, RECORD_POLYLINE))
    EXPECT_EQ(op->pen.color, 0u);
}

TEST(Grid, LogAxisTicksAndLabels) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0.3, 870}, {1, 2});
  d->scaleType = SCALE_LOG_LINEAR;
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d);
  for (const char* label : {"0.2", "1", "10", "100", "1000", "0.5", "5", "50", "500"})
    EXPECT_NE(test::TextOp(s, label), nullptr) << label;
  EXPECT_EQ(test::TextOp(s, "3"), nullptr);
}

TEST(Grid, ProbabilityLevelsAndFormats) {
  EXPECT_EQ(ProbabilityLabel(50.0, 1), " 50.");
  EXPECT_EQ(ProbabilityLabel(1.0, 2), "  1.");
  EXPECT_EQ(ProbabilityLabel(99.9, 3), " 99.9");
  EXPECT_EQ(ProbabilityLabel(0.01, 4), "  0.01");
  EXPECT_EQ(ProbabilityLabel(0.001, 5), "  0.001");
  AxisScale axis = RoundProbabilityAxis(0.5, 99.9);
  const auto ticks = ProbabilityTicks(axis, true);
  std::vector<double> values;
  for (const AxisTick& t : ticks) values.push_back(t.value);
  const std::vector<double> expected = {0.1, 0.5, 1,  5,  10, 20, 30,   40,  50,
                                        60,  70,  80, 90, 95, 99, 99.5, 99.9};
  ASSERT_EQ(values.size(), expected.size());
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_NEAR(values[i], expected[i], 1e-9);
  EXPECT_EQ(ProbabilityTicks(axis, false).size(), expected.size() - 4);
}

TEST(ProbabilityDeviate, KnownValues) {
  EXPECT_EQ(ProbabilityDeviate(50.0), 0.0);
  EXPECT_NEAR(ProbabilityDeviate(84.13), 1.0, 1e-3);
  EXPECT_NEAR(ProbabilityDeviate(0.1), -3.09, 5e-3);
  EXPECT_NEAR(ProbabilityDeviate(97.72499), 2.0, 1e-4);
  const double z = ProbabilityDeviate(70.0);
  EXPECT_LT(std::fabs(0.5 * (1.0 - ApproximateErfc(z / std::sqrt(2.0))) - 0.2), 1e-6);
  std::string error;
  EXPECT_EQ(ProbabilityDeviate(120.0, &error), 0.0);
  EXPECT_EQ(error.substr(0, 12), "ERROR: CDF =");
}

TEST(Tripartite, UnitsAndDiagonalValues) {
  auto d = NewDocument();
  d->unitSystem = 0;
  const TripartiteUnits u = TripartiteUnitsOf(*d);
  EXPECT_NEAR(TripartiteDisplacement(u, 1.0, 10.0), 1.59, 0.005);
  EXPECT_NEAR(TripartiteAcceleration(u, 1.0, 10.0), 0.163, 0.0005);
  EXPECT_EQ(u.velocityLabel, "inches/sec");
  EXPECT_EQ(u.displacementShort, "in.");
  d->unitSystem = 4;
  EXPECT_EQ(TripartiteUnitsOf(*d).displacementLabel, "meters");
  EXPECT_DOUBLE_EQ(TripartiteUnitsOf(*d).b, 0.6407065926875729);
}

TEST(Tripartite, DiagonalLinesAreDrawnAndLabelled) {
  auto d = NewDocument();
  SetCurve(*d, 1, {1, 100}, {1, 100});
  d->scaleType = SCALE_TRIPARTITE;
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d);
  int rising = 0, falling = 0, labels = 0;
  for (const RecordedOperation& op : s.Operations()) {
    if (op.kind == RECORD_POLYLINE && op.pen.color == 0xC0C0C0u && op.points.size() == 2) {
      const int dx = op.points[1].x - op.points[0].x, dy = op.points[1].y - op.points[0].y;
      if (dx != 0 && dy != 0) ((dx > 0) == (dy < 0) ? rising : falling)++;
    }
    if (op.kind == RECORD_TEXT && op.font.escapement != 0 && op.font.escapement != 900) ++labels;
  }
  EXPECT_GT(rising, 4);
  EXPECT_GT(falling, 4);
  EXPECT_GT(labels, 4);
  EXPECT_NE(test::TextOp(s, "1 in."), nullptr);
}

TEST(GrainSize, SievesFourToTwoHundredInRange) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0.01, 10}, {5, 100});
  d->scaleType = SCALE_GRAIN_SIZE;
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d);
  for (const char* label : {"3/8", "4", "10", "40", "100", "200"})
    EXPECT_NE(test::TextOp(s, label), nullptr) << label;
  EXPECT_EQ(test::TextOp(s, "1/2"), nullptr);  // 12.7 mm is outside
  EXPECT_NE(test::TextOp(s, "Sieve Numbers"), nullptr);
  EXPECT_NE(test::TextOp(s, "Grain Size in Millimeters"), nullptr);
  EXPECT_NE(test::TextOp(s, "Percent Finer by Weight"), nullptr);
  EXPECT_NE(test::TextOp(s, "Percent Coarser by Weight"), nullptr);
  EXPECT_EQ(SieveLabel(4), "1-1/2");
  EXPECT_EQ(SieveLabel(20), "200");
}

TEST(Polar, FiveAmplitudeTicksGiveFourCircles) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 1, 2, 3}, {1, 4, 2, 3.5});
  d->scaleType = SCALE_POLAR;
  d->manualTicks = 1;
  d->wysiwyg = 0;
  d->yTickCount = 4;
  RecordingSurface s(800, 600, test::ScreenCaps());
  DrawOptions options;
  Draw(s, *d, options);
  // Amplitudes 0..4 with step 1: five ticks.
  EXPECT_DOUBLE_EQ(d->plotWindow.yHigh[0], 4.0);
  EXPECT_EQ(OperationsOf(s, RECORD_ELLIPSE).size(), 4u);
}

TEST(Bars, SideBySideSlices) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 1, 2}, {1, 2, 3});
  SetCurve(*d, 2, {0, 1, 2}, {3, 2, 1});
  d->scaleType = SCALE_BAR_CHART;
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d);
  std::vector<const RecordedOperation*> bars1, bars2;
  for (const RecordedOperation& op : s.Operations()) {
    if (op.kind != RECORD_RECTANGLE) continue;
    if (op.pen.color == 0x0000FFu) bars1.push_back(&op);
    if (op.pen.color == 0x5500FFu) bars2.push_back(&op);
  }
  ASSERT_EQ(bars1.size(), 3u);
  ASSERT_EQ(bars2.size(), 3u);
  for (int j = 0; j < 3; ++j) {
    // Curve 2's bar starts where curve 1's ends (the right edge is one unit further).
    EXPECT_NEAR(bars2[static_cast<std::size_t>(j)]->points[0].x,
                bars1[static_cast<std::size_t>(j)]->points[1].x - 1, 1);
    EXPECT_EQ(bars1[static_cast<std::size_t>(j)]->brush.kind, BRUSH_HOLLOW);
  }
}

TEST(PointLabels, TwentyFirstIsRefusedAndTextsSubstituted) {
  auto d = NewDocument();
  PointLabel label;
  label.curve = 1;
  label.point = 1;
  for (int i = 0; i < MAX_POINT_LABELS; ++i) EXPECT_TRUE(AddPointLabel(*d, label).Ok());
  const Status s = AddPointLabel(*d, label);
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(s.Text(), "Too many labels.  Maximum = 20");
  EXPECT_EQ(d->pointLabels.size(), 20u);
  label.text.Set("x=$X, y=$y");
  NumberFormatContext nf;
  EXPECT_EQ(PointLabelText(*d, label, 1.5, 2.25, 0, 0, nf), "x=1.5, y=2.25");
  label.attributes = POINT_LABEL_AMPLITUDE_ONLY;
  EXPECT_EQ(PointLabelText(*d, label, 1.5, 2.25, 0, 0, nf), "2.25");
}

TEST(DrawItems, MoveToAndLineToInDataUnits) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 10}, {0, 10});
  d->drawItems.push_back("[MoveTo(1,1)][LineTo(5, 5)] junk [lineto(x,1)][lineto(9,9)]");
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d);
  const RecordedOperation& last = s.Operations().back();
  ASSERT_EQ(last.kind, RECORD_POLYLINE);
  EXPECT_EQ(last.pen.color, 0u);
  // The unreadable item ends the scan: the last line is the second item's.
  EXPECT_EQ(last.points[0].x, last.points[0].x);
  EXPECT_LT(last.points[0].x, last.points[1].x);
  EXPECT_GT(last.points[0].y, last.points[1].y);
}

TEST(Abort, EndsBetweenBatches) {
  auto d = NewDocument(1, 5000);
  std::vector<double> x, y;
  for (int i = 0; i < 5000; ++i) {
    x.push_back(i);
    y.push_back(i % 7);
  }
  SetCurve(*d, 1, x, y);
  int polls = 0;
  DrawOptions options;
  options.abortRequested = [&] { return ++polls == 2; };
  RecordingSurface s(800, 600, test::ScreenCaps());
  const DrawResult r = Draw(s, *d, options);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(polls, 2);
  EXPECT_EQ(s.LiveObjects(), 0);
}

TEST(Surfaces, PrinterDrawRestoresTheScreenView) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 10}, {0, 10});
  RecordingSurface screen(800, 600, test::ScreenCaps());
  Draw(screen, *d);
  const PlotFrame frame = d->plotFrame;
  SurfaceCaps printer = test::ScreenCaps();
  printer.technology = SURFACE_PRINTER;
  printer.logPixelsX = printer.logPixelsY = 600;
  printer.horzRes = 4800;
  printer.horzSizeMM = 203;
  RecordingSurface page(4800, 6000, printer);
  DrawPlot(page, *d, SurfaceRect{0, 0, 4800, 6000}, DrawOptions{});
  EXPECT_EQ(d->plotFrame.left, frame.left);
  EXPECT_EQ(d->plotFrame.right, frame.right);
  // Printer colours: grey ramp, curve 1 black.
  EXPECT_NE(CurveShape(page, RECORD_POLYLINE, 0x000000u), nullptr);
}

TEST(Surfaces, MetafileUsesPaletteRelativeColoursAndOwnClipping) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 10}, {0, 10});
  SurfaceCaps caps = test::ScreenCaps();
  caps.technology = SURFACE_METAFILE;
  RecordingSurface s(15240, 11430, caps);
  DrawPlot(s, *d, SurfaceRect{0, 0, 15240, 11430}, DrawOptions{});
  for (const RecordedOperation& op : s.Operations()) EXPECT_FALSE(op.clipped);
  EXPECT_NE(CurveShape(s, RECORD_POLYLINE, 0x0000FFu), nullptr);
  EXPECT_EQ(s.LiveObjects(), 0);
}

TEST(Monotonic, ZoomedViewStartsByBinarySearch) {
  auto d = NewDocument(1, 100000);
  std::vector<double> x, y;
  for (int i = 0; i < 100000; ++i) {
    x.push_back(i);
    y.push_back(std::sin(i * 0.01));
  }
  SetCurve(*d, 1, x, y);
  d->zoomed = 1;
  d->plotWindow.xLow = 50000.5;
  d->plotWindow.xHigh = 51000.5;
  d->plotWindow.yLow[0] = -1;
  d->plotWindow.yHigh[0] = 1;
  RecordingSurface s(800, 600, test::ScreenCaps(), RecordingSurface::RECORD_COUNTS_ONLY);
  Draw(s, *d);
  EXPECT_LT(s.PointCount(), 3000);
}

}  // namespace
}  // namespace merva

namespace merva {
namespace {

TEST(Svg, EscapesTextAndWritesElements) {
  RecordingSurface s(200, 100);
  FontSpec font;
  font.height = -12;
  font.faceName = "Arial";
  font.escapement = 900;
  s.Select(s.CreateFont(font));
  s.SetTextAlign(ALIGN_CENTER | ALIGN_BOTTOM);
  s.TextOut(10, 50, "a<b & \"c\"");
  const DevicePoint line[2] = {{0, 0}, {10, 10}};
  s.Polyline(line, 2);
  const std::string svg = s.Svg();
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"100\""),
            std::string::npos);
  EXPECT_NE(svg.find("a&lt;b &amp; &quot;c&quot;"), std::string::npos);
  EXPECT_NE(svg.find("rotate(-90"), std::string::npos);
  EXPECT_NE(svg.find("text-anchor=\"middle\""), std::string::npos);
  EXPECT_NE(svg.find("<polyline fill=\"none\""), std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST(Svg, CountsOnlyModeRecordsNothing) {
  RecordingSurface s(200, 100, SurfaceCaps{}, RecordingSurface::RECORD_COUNTS_ONLY);
  const DevicePoint line[3] = {{0, 0}, {10, 10}, {20, 0}};
  s.Polyline(line, 3);
  EXPECT_TRUE(s.Operations().empty());
  EXPECT_EQ(s.PointCount(), 3);
  EXPECT_EQ(s.CallCount(), 1);
}

TEST(CurveLabels, AtTheRightEdgeWhenTheLineLeavesThere) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 10}, {0, 10});
  d->curveTag[1].Set("AB");
  d->manualScale = 1;
  d->manualLimits.xLow = 0;
  d->manualLimits.xHigh = 5;
  d->manualLimits.yLow[0] = 0;
  d->manualLimits.yHigh[0] = 10;
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d);
  const RecordedOperation* tag = test::TextOp(s, "AB");
  ASSERT_NE(tag, nullptr);
  EXPECT_EQ(tag->alignment & ALIGN_HORIZONTAL_MASK, ALIGN_LEFT);
  EXPECT_GT(tag->points[0].x, static_cast<int>(d->plotFrame.right));
}

TEST(Legend, ColumnsOfMaximumRows) {
  auto d = NewDocument();
  for (int c = 1; c <= 5; ++c) {
    SetCurve(*d, c, {0, 1}, {0, double(c)});
    d->legendText[c].Set("Curve " + std::to_string(c));
  }
  d->maxLegendRows = 2;
  RecordingSurface s(800, 600, test::ScreenCaps());
  const DrawResult r = Draw(s, *d);
  const RecordedOperation* first = test::TextOp(s, "Curve 1");
  const RecordedOperation* third = test::TextOp(s, "Curve 3");
  const RecordedOperation* second = test::TextOp(s, "Curve 2");
  ASSERT_TRUE(first && second && third);
  EXPECT_EQ(first->points[0].x, second->points[0].x);
  EXPECT_GT(third->points[0].x, first->points[0].x);
  EXPECT_EQ(third->points[0].y, first->points[0].y);
  EXPECT_GE(r.legendRect.left, 0);
  EXPECT_LE(r.legendRect.right, 800);
}

TEST(Stamps, DateAndCaption) {
  auto d = NewDocument();
  SetCurve(*d, 1, {0, 1}, {0, 1});
  d->fileTitle.Set("TEST.GRF");
  DrawOptions options;
  options.dateStamp = true;
  options.caption = true;
  options.todayYear = 1997;
  options.todayMonth = 3;
  options.todayDay = 4;
  RecordingSurface s(800, 600, test::ScreenCaps());
  Draw(s, *d, options);
  const RecordedOperation* date = test::TextOp(s, "3/4/97");
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(date->alignment, ALIGN_RIGHT | ALIGN_TOP);
  const RecordedOperation* caption = test::TextOp(s, "TEST.GRF");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->alignment, ALIGN_RIGHT | ALIGN_BOTTOM);
}

}  // namespace
}  // namespace merva
