#include "processing/curve_slots.h"

#include "core/array_sizing.h"
#include "processing/curve_fixture.h"
#include "processing/curve_states.h"

namespace merva {
namespace {

PointLabel Label(int curve) {
  PointLabel label;
  label.curve = curve;
  return label;
}

class CurveSlots : public CurveFixture {
 protected:
  CurveSlots() { curves_ = 4; }
};

TEST_F(CurveSlots, FreeSlotGrowsTheArraysKeepingEveryCurve) {
  Add({{1, 2}, {3, 4}});
  Add({{5, 6}});
  Add({});
  Add({});
  int slot = 0;
  ASSERT_TRUE(TakeFreeCurveSlot(Doc(), 150, slot).Ok());
  EXPECT_EQ(slot, 5);
  EXPECT_EQ(Doc().maxCurves, 5);
  EXPECT_EQ(Doc().maxPoints, 150);
  EXPECT_EQ(Doc().curveCount, 4);  // the caller counts it
  EXPECT_EQ(Of(1), (Points{{1, 2}, {3, 4}}));
  EXPECT_EQ(Of(2), (Points{{5, 6}}));
}

TEST_F(CurveSlots, AHundredCurvesLeaveNoSlot) {
  PlotDocument& d = Doc();
  ASSERT_TRUE(Reallocate(d, 100, 10).Ok() || d.curveCount == 0);
  d.curveCount = 100;
  int slot = 0;
  const Status status = TakeFreeCurveSlot(d, 2, slot);
  EXPECT_FALSE(status.Ok());
  EXPECT_EQ(status.Text(), NO_FREE_CURVE_SLOT_TEXT);
  EXPECT_EQ(slot, 0);
}

TEST_F(CurveSlots, CommandRangeIsClamped) {
  for (int i = 0; i < 4; ++i) Add({{0, 0}});
  auto range = [&](int first, int last) {
    const CurveRange r = CommandCurveRange(Doc(), first, last);
    return std::make_pair(r.first, r.last);
  };
  EXPECT_EQ(range(-1, 0), std::make_pair(1, 4));
  EXPECT_EQ(range(0, 0), std::make_pair(1, 1));
  EXPECT_EQ(range(9, 2), std::make_pair(4, 4));
  EXPECT_EQ(range(2, 1), std::make_pair(2, 2));
  EXPECT_EQ(range(2, 70), std::make_pair(2, 4));
}

TEST_F(CurveSlots, RemovingCurvesMovesAttributesAndLabels) {
  for (int i = 1; i <= 4; ++i) Add(Points(static_cast<std::size_t>(i), {float(i), float(-i)}));
  PlotDocument& d = Doc();
  d.lineType[4] = 7;
  d.curveTag[4].Set("T4");
  d.pointLabels.push_back(Label(2));
  d.pointLabels.push_back(Label(4));
  d.fillRegions.push_back(FillRegion{3, 4});
  d.fillRegions.push_back(FillRegion{1, 2});
  EXPECT_EQ(RemoveCurves(d, {false, false, true, false, false}), 1);
  ASSERT_EQ(d.curveCount, 3);
  EXPECT_EQ(Of(2), (Points(3, {3.f, -3.f})));
  EXPECT_EQ(d.lineType[3], 7);
  EXPECT_EQ(d.curveTag[3].Str(), "T4");
  EXPECT_EQ(d.legendText[3].Str(), "c4");
  EXPECT_TRUE(d.legendText[4].IsBlank());
  EXPECT_TRUE(d.curveTag[4].IsBlank());
  ASSERT_EQ(d.pointLabels.size(), 1u);
  EXPECT_EQ(d.pointLabels[0].curve, 3);
  ASSERT_EQ(d.fillRegions.size(), 1u);  // the one on the erased curve goes
  EXPECT_EQ(d.fillRegions[0].first, 2);
  EXPECT_EQ(d.fillRegions[0].second, 3);
}

TEST_F(CurveSlots, MoveToFrontAndBack) {
  for (int i = 1; i <= 3; ++i) Add({{float(i), 0}});
  PlotDocument& d = Doc();
  d.pointLabels.push_back(Label(1));
  MoveCurve(d, 1, 3);
  EXPECT_EQ(d.legendText[1].Str(), "c2");
  EXPECT_EQ(d.legendText[3].Str(), "c1");
  EXPECT_EQ(Of(3), (Points{{1, 0}}));
  EXPECT_EQ(d.pointLabels[0].curve, 3);
  EXPECT_EQ(d.curveCount, 3);
  MoveCurve(d, 3, 1);
  EXPECT_EQ(d.legendText[1].Str(), "c1");
  EXPECT_EQ(d.legendText[2].Str(), "c2");
  EXPECT_EQ(d.pointLabels[0].curve, 1);
}

TEST_F(CurveSlots, StateRules) {
  const int c = Add({{1, 1}, {2, 2}});
  PlotDocument& d = Doc();
  d.monotonicState[c] = d.spacingState[c] = STATE_YES;
  ApplyStateRule(d, c, CurveEdit::Truncate);
  EXPECT_EQ(d.monotonicState[c], STATE_YES);
  EXPECT_EQ(d.spacingState[c], STATE_UNKNOWN);
  ApplyStateRule(d, c, CurveEdit::SwapXY);
  EXPECT_EQ(d.monotonicState[c], STATE_UNKNOWN);
  ApplyStateRule(d, c, CurveEdit::EqualIntervals);
  EXPECT_EQ(d.monotonicState[c], STATE_YES);
  EXPECT_EQ(d.spacingState[c], STATE_YES);
  ApplyStateRule(d, c, CurveEdit::Sort);
  EXPECT_EQ(d.monotonicState[c], STATE_YES);
  EXPECT_EQ(d.spacingState[c], STATE_UNKNOWN);
}

}  // namespace
}  // namespace merva
