#include "processing/data_processing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/array_sizing.h"
#include "core/messages.h"
#include "curve_fixture.h"
#include "files/plot_file_reader.h"
#include "files/plot_file_writer.h"

namespace merva {
namespace {

int MessageOf(const Status& s) { return s.messages.empty() ? 0 : s.messages.back().number; }

class RecordTest : public CurveFixture {
 protected:
  // A record y(t) at 0, 10, .., 10 (n - 1) msec.
  void Record(int n, float (*y)(float)) {
    Points p;
    for (int i = 0; i < n; ++i) p.emplace_back(10.0f * i, y(10.0f * i));
    Add(p);
  }
  Status On(int type, int format = RECORD_DEFAULT_SIZE) {
    return ApplyProcessingChoice(Doc(), {1, type, format, true});
  }
  float Last(int curve) { return Doc().Y(curve, Doc().pointCount[curve]); }
};

TEST_F(RecordTest, PressureRecordGetsItsImpulseAxesAndTitles) {
  Record(11, [](float) { return 10.0f; });
  Add({{0, 1}, {1, 2}});
  PlotDocument& d = Doc();
  EXPECT_TRUE(ProcessingAsksReallocation(d, {1, DATA_PRESSURE, 0, true}));
  ASSERT_TRUE(On(DATA_PRESSURE, RECORD_SQUARE).Ok());
  EXPECT_EQ(d.processMode, 1);
  EXPECT_EQ(d.curveCount, 2);
  EXPECT_EQ(d.maxCurves, 2);
  EXPECT_EQ(d.maxPoints, 500);     // the storage kept: 10 x 100 over 2
  EXPECT_FLOAT_EQ(Last(2), 1.0f);  // 10 psi over 100 msec
  EXPECT_EQ(d.xAxisLabel.Str(), "Time, msec");
  EXPECT_EQ(d.yAxisLabel.Str(), "Pressure, psi");
  EXPECT_EQ(d.y2AxisLabel.Str(), "Impulse, psi-sec");
  EXPECT_EQ(d.yAxisMode, 2);
  EXPECT_EQ(d.curveAxis[2], 2);
  EXPECT_DOUBLE_EQ(d.plotWidth, 5.15);
  EXPECT_EQ(d.xTickCount, 10);
  d.processState.calibration = 2.5;
  EXPECT_TRUE(RecomputeRecord(d).Ok());
  EXPECT_EQ(d.title3.Str(), "Cal val=2.5");
  SwitchProcessingOff(d);
  EXPECT_EQ(d.processMode, 0);
  EXPECT_EQ(d.yAxisMode, 2);  // a pressure record keeps its two axes
}

TEST_F(RecordTest, AccelerationViewsAndResize) {
  Record(11, [](float t) { return t < 1.0f ? 0.0f : 1.0f; });
  PlotDocument& d = Doc();
  ASSERT_TRUE(On(DATA_ACCELERATION, RECORD_WIDE).Ok());
  EXPECT_EQ(d.curveCount, 3);
  EXPECT_EQ(d.maxCurves, 3);
  EXPECT_EQ(d.curveAxis[3], 3);
  EXPECT_FLOAT_EQ(Last(2), 0.095f * 32.174f);
  EXPECT_DOUBLE_EQ(d.plotHeight, 3.69);
  EXPECT_TRUE(SwitchRecordView(d));
  EXPECT_EQ(d.processView, VIEW_INTEGRALS);
  // The arrays no longer hold the integrals: message 89 and the mode ends.
  d.curveCount = 1;
  ASSERT_TRUE(Reallocate(d, 2, 600).Ok());
  const Status s = RecomputeRecord(d);
  EXPECT_EQ(MessageOf(s), MSG_PROCESSING_ARRAYS_CHANGED);
  EXPECT_EQ(d.processMode, 0);
  EXPECT_EQ(d.yAxisMode, 0);
  EXPECT_FALSE(SwitchRecordView(d));
}

TEST_F(RecordTest, RefusalsKeepTheDocument) {
  Add({{0, 1}, {10, 2}, {5, 3}});
  Add({{0, 1}, {1, 1}});
  PlotDocument& d = Doc();
  EXPECT_EQ(MessageOf(On(DATA_PRESSURE)), MSG_NOT_MONOTONIC);
  EXPECT_EQ(d.processMode, 0);
  EXPECT_EQ(d.curveCount, 2);
  // A capacity that cannot change (no room for the temporary file).
  d.pointCount[1] = 2;
  d.InvalidateCurveStates(1);
  SetTemporaryDirectory("/nonexistent/folder");
  const Status s = On(DATA_ACCELERATION);
  SetTemporaryDirectory("");
  EXPECT_FALSE(s.Ok());
  EXPECT_EQ(d.processMode, 0);
  EXPECT_EQ(d.processState.dataType, DATA_UNKNOWN);
  EXPECT_EQ(d.curveCount, 2);
  EXPECT_EQ(d.maxCurves, 10);
  // Outside the mode.
  EXPECT_EQ(MessageOf(ShiftBaseline(d, {})), MSG_SHIFT_ONLY_PROCESSING);
  EXPECT_FALSE(UndoLastShift(d).Ok());
}

TEST_F(RecordTest, EmptyAndOnePointRecords) {
  PlotDocument& d = Doc();
  ASSERT_TRUE(On(DATA_ACCELERATION).Ok());
  EXPECT_EQ(d.curveCount, 0);
  Add({{5, 2}});
  ASSERT_TRUE(RecomputeRecord(d).Ok());
  EXPECT_EQ(d.curveCount, 3);
  EXPECT_EQ(d.pointCount[3], 1);
  EXPECT_EQ(Last(3), 0.0f);
}

TEST_F(RecordTest, ShiftsListUndoAndSaveRoundTrip) {
  Record(11, [](float t) { return 100.0f - t; });
  PlotDocument& d = Doc();
  ASSERT_TRUE(On(DATA_PRESSURE).Ok());
  // Target: impulse 0.1 psi-sec at 50 msec, shifting 0..100 msec.
  ASSERT_TRUE(ShiftBaseline(d, {50, 0.1, 0, 100, false}).Ok());
  EXPECT_EQ(d.bCanUndo, 1);
  double impulse = 0.0;  // independently, in double
  for (int i = 2; i <= 6; ++i)
    impulse += (d.X(1, i) - d.X(1, i - 1)) / 1000.0 * (d.Y(1, i) + d.Y(1, i - 1)) / 2.0;
  EXPECT_NEAR(impulse, 0.1, 1e-6);
  EXPECT_NEAR(d.Y(2, 6), 0.1, 1e-6);
  ASSERT_TRUE(UndoLastShift(d).Ok());
  EXPECT_EQ(MessageOf(UndoLastShift(d)), MSG_NO_SHIFTS_TO_UNDO);
  EXPECT_FLOAT_EQ(d.Y(1, 1), 100.0f);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(ShiftBaseline(d, {50, 0.5 + i, 0, 40, false}).Ok());
  ASSERT_TRUE(ShiftBaseline(d, {50, 0.1, 0, 0, true}).Ok());
  EXPECT_EQ(MessageOf(ShiftBaseline(d, {50, 0.0, 0, 0, true})), MSG_MAXIMUM_SHIFTS);
  EXPECT_EQ(MessageOf(ShiftBaseline(d, {50, 0.0, 0, 0, true})), MSG_MAXIMUM_SHIFTS);
  ASSERT_TRUE(AfterRecordEdit(d, false).Ok());
  EXPECT_EQ(MessageOf(UndoLastShift(d)), MSG_CANNOT_UNDO_SHIFT);
  EXPECT_EQ(d.title3.Str().rfind("CBS=", 0), 0u);
  d.processState.calibration = 3.0;

  PlotDocument back;
  ASSERT_TRUE(Allocate(back, 10, 100).Ok());
  ASSERT_TRUE(ReadPlotText(back, FormatPlotFile(d), "record.grf", 1).Ok());
  EXPECT_EQ(back.curveCount, 1);
  ASSERT_TRUE(ResumeProcessing(back).Ok());
  const ProcessState& a = d.processState;
  const ProcessState& b = back.processState;
  EXPECT_EQ(b.dataType, a.dataType);
  EXPECT_EQ(b.shiftCount, 4);
  EXPECT_EQ(b.calibration, 3.0);
  for (int i = 0; i < 4; ++i)  // the file keeps eight digits
    EXPECT_NEAR(b.shifts[i].value, a.shifts[i].value, 1e-6 * std::fabs(a.shifts[i].value));
  EXPECT_EQ(back.curveCount, 2);
  EXPECT_FLOAT_EQ(back.Y(2, 11), d.Y(2, 11));
  EXPECT_EQ(back.y2AxisLabel.Str(), "Impulse, psi-sec");
}

TEST_F(RecordTest, IntegrateThenDifferentiateGivesTheCurveBack) {
  Add({{0, 1}, {1, 4}, {2.5f, 2}, {3, -1}, {5, 0.5f}});
  PlotDocument& d = Doc();
  int integral = 0, slope = 0;
  ASSERT_TRUE(IntegrateCurve(d, 1, integral).Ok());
  EXPECT_EQ(integral, 2);
  EXPECT_FLOAT_EQ(Last(2), 2.5f + 4.5f + 0.25f - 0.5f);
  ASSERT_TRUE(DifferentiateCurve(d, 2, DIFFERENTIATE_TRAPEZOID, d.Y(1, 1), slope).Ok());
  for (int i = 1; i <= 5; ++i) EXPECT_NEAR(d.Y(3, i), d.Y(1, i), 1e-5) << i;
  d.scaleType = SCALE_LOG_LOG;
  EXPECT_EQ(MessageOf(IntegrateCurve(d, 1, integral)), MSG_INTEGRATE_LOG);
  d.scaleType = SCALE_LINEAR_PROBABILITY;
  EXPECT_EQ(MessageOf(IntegrateCurve(d, 1, integral)), MSG_INTEGRATE_PROBABILITY);
  EXPECT_EQ(d.curveCount, 3);
}

}  // namespace
}  // namespace merva
