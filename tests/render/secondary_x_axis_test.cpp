// The secondary X axis "X2 = A + B*X1": labels repeated above the frame
// with the transformed values, the room it takes and its title.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "render/number_format.h"
#include "render/plot_layout.h"
#include "render_test_support.h"

namespace merva {
namespace {

using test::NewDocument;
using test::SetCurve;

struct Drawn {
  RecordingSurface surface{800, 600, test::ScreenCaps()};
  DrawResult result;
};

std::unique_ptr<Drawn> Draw(PlotDocument& d) {
  auto drawn = std::make_unique<Drawn>();
  drawn->result = DrawPlot(drawn->surface, d, test::Target(), DrawOptions{});
  return drawn;
}

void Lay(PlotDocument& d, PlotLayout& layout) {
  const SurfaceRect target = test::Target();
  RecordingSurface surface(target.Width(), target.Height(), test::ScreenCaps());
  PlotFonts fonts;
  fonts.Create(surface, d.fonts, surface.Capabilities());
  ScaleAxes(d, surface, target, fonts, d.fonts, DrawOptions{}, layout);
}

// Number labels written bottom-aligned above the frame (the top side).
std::vector<const RecordedOperation*> TopLabels(const RecordingSurface& s, int frameTop) {
  std::vector<const RecordedOperation*> out;
  for (const RecordedOperation& op : s.Operations())
    if (op.kind == RECORD_TEXT && (op.alignment & ALIGN_VERTICAL_MASK) == ALIGN_BOTTOM &&
        op.points[0].y < frameTop && op.font.escapement == 0)
      out.push_back(&op);
  return out;
}

std::unique_ptr<PlotDocument> Plot(int scaleType) {
  auto d = NewDocument();
  SetCurve(*d, 1, {1.0, 10.0, 100.0}, {1.0, 5.0, 9.0});
  d->scaleType = static_cast<uint8_t>(scaleType);
  d->title1.Set("Title");
  return d;
}

TEST(SecondaryXAxis, LabelsAboveTheFrameCarryTheTransformedValues) {
  for (int type : {SCALE_LINEAR_LINEAR, SCALE_LOG_LINEAR}) {
    auto d = Plot(type);
    d->xAxisMode = 1;
    d->x2Offset = 32.0;
    d->x2Factor = 1.8;
    PlotLayout L;
    Lay(*d, L);
    ASSERT_TRUE(L.x2Transform) << type;
    ASSERT_EQ(L.topTicks.size(), L.xTicks.size()) << type;
    for (std::size_t i = 0; i < L.xTicks.size(); ++i) {
      EXPECT_EQ(L.topTicks[i].value, L.xTicks[i].value);  // at the X1 ticks
      EXPECT_EQ(L.topTicks[i].labelled, L.xTicks[i].labelled);
    }
    auto drawn = Draw(*d);
    const int top = static_cast<int>(d->plotFrame.top);
    const auto labels = TopLabels(drawn->surface, top);
    ASSERT_GE(labels.size(), 2u) << type;
    // The first X tick is labelled and written; its top label is A + B*x.
    const AxisTick& first = L.xTicks.front();
    const std::string expected = L.topTicks.front().label;
    EXPECT_EQ(labels.front()->text, std::string(TrimLeft(expected))) << type;
    if (type == SCALE_LINEAR_LINEAR)
      EXPECT_EQ(labels.front()->text, FormatG(32.0 + 1.8 * first.value));
    if (type == SCALE_LOG_LINEAR) {
      EXPECT_EQ(first.value, 1.0);
      EXPECT_EQ(labels.front()->text, "33.8");
    }
    for (const RecordedOperation* op : labels)
      EXPECT_EQ(op->points[0].y, top - (L.hN + 1) / 2) << op->text;
    // Centred on the X1 tick positions, like the labels below.
    EXPECT_EQ(labels.front()->points[0].x, DataToDeviceX(L, first.value));
    EXPECT_EQ(labels.front()->alignment & ALIGN_HORIZONTAL_MASK, ALIGN_CENTER);
  }
}

TEST(SecondaryXAxis, NotShownInSingleModeNorOnSpecialScales) {
  auto d = Plot(SCALE_LINEAR_LINEAR);
  PlotLayout L;
  Lay(*d, L);
  EXPECT_FALSE(L.x2Transform);
  EXPECT_TRUE(L.topTicks.empty());
  auto drawn = Draw(*d);
  EXPECT_TRUE(TopLabels(drawn->surface, static_cast<int>(d->plotFrame.top)).empty());
  d->xAxisMode = 1;
  for (int type : {SCALE_TRIPARTITE, SCALE_GRAIN_SIZE, SCALE_POLAR, SCALE_PROBABILITY_LINEAR}) {
    d->scaleType = static_cast<uint8_t>(type);
    Lay(*d, L);
    EXPECT_FALSE(L.x2Transform) << type;
  }
}

TEST(SecondaryXAxis, TopMarginAndTitlePlaces) {
  auto d = Plot(SCALE_LINEAR_LINEAR);
  PlotLayout single;
  Lay(*d, single);
  d->xAxisMode = 1;
  d->x2Factor = 2.0;
  PlotLayout shown;
  Lay(*d, shown);
  EXPECT_EQ(shown.frame.top, single.frame.top + shown.hN);
  auto drawn = Draw(*d);
  const RecordedOperation* title = test::TextOp(drawn->surface, "Title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->points[0].y,
            static_cast<int>(std::trunc(shown.frame.top - shown.hN - shown.hT1)) - shown.hN);

  d->x2AxisLabel.Set("Temperature, degrees Fahrenheit");
  PlotLayout titled;
  Lay(*d, titled);
  EXPECT_EQ(titled.frame.top, single.frame.top + titled.hN + titled.hX);
  drawn = Draw(*d);
  const RecordedOperation* alt = test::TextOp(drawn->surface, "Temperature, degrees Fahrenheit");
  ASSERT_NE(alt, nullptr);
  EXPECT_EQ(alt->alignment & ALIGN_VERTICAL_MASK, ALIGN_BASELINE);
  EXPECT_EQ(alt->alignment & ALIGN_HORIZONTAL_MASK, ALIGN_CENTER);
  EXPECT_EQ(alt->points[0].x,
            static_cast<int>(std::trunc((titled.frame.left + titled.frame.right) / 2)));
  // Below trunc(top - 1.5 hN) only as far as the descent keeps it off the labels.
  const int labelsTop = static_cast<int>(titled.frame.top) - (titled.hN + 1) / 2 - titled.hN;
  const int descent = RecordingSurface::MetricsOf(alt->font).descent;
  EXPECT_EQ(alt->points[0].y,
            std::min(static_cast<int>(std::trunc(titled.frame.top - 1.5 * titled.hN)),
                     labelsTop - descent));
  EXPECT_LE(alt->points[0].y + descent, labelsTop);
  title = test::TextOp(drawn->surface, "Title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->points[0].y,
            static_cast<int>(std::trunc(titled.frame.top - titled.hN - titled.hT1)) - titled.hN -
                titled.hX);

  // The title is only for a shown secondary axis.
  d->xAxisMode = 0;
  drawn = Draw(*d);
  EXPECT_EQ(test::TextOp(drawn->surface, "Temperature, degrees Fahrenheit"), nullptr);
}

}  // namespace
}  // namespace merva
