#include "processing/baseline_shift.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/messages.h"
#include "processing/record_integration.h"
#include "processing/record_title_line.h"

namespace merva {
namespace {

int MessageOf(const Status& s) { return s.messages.empty() ? 0 : s.messages[0].number; }

// Impulse at t in psi-sec, integrated in double apart from the program's
// float recompute.
double ImpulseAt(const std::vector<float>& x, const std::vector<float>& y, double t) {
  double sum = 0.0;
  for (size_t i = 1; i < x.size() && x[i - 1] < t; ++i) {
    const double right = std::min<double>(x[i], t);
    const double yRight = y[i - 1] + (y[i] - y[i - 1]) * (right - x[i - 1]) / (x[i] - x[i - 1]);
    sum += (right - x[i - 1]) / 1000.0 * (y[i - 1] + yRight) * 0.5;
  }
  return sum;
}

// The impulse at 65 as the shift reads it: between the samples at 60, 70.
double ImpulseAt65(const std::vector<float>& x, const std::vector<float>& y) {
  return 0.5 * (ImpulseAt(x, y, 60) + ImpulseAt(x, y, 70));
}

class PressureRecord : public ::testing::Test {
 protected:
  void SetUp() override {
    const float y0[] = {0, 3, 8, 12, 9, 5, 2, -1, -2, -1, 0};
    for (int i = 0; i <= 10; ++i) x.push_back(10.0f * i), y.push_back(y0[i]);
    Recompute();
  }
  void Recompute() {
    impulse.assign(x.size(), 0.0f);
    float* out[2] = {impulse.data(), nullptr};
    IntegrateRecord(DATA_PRESSURE, x.data(), y.data(), N(), out);
  }
  int N() const { return static_cast<int>(x.size()); }
  Status Plan(const ShiftRequest& r, BaselineShift& s, int type = DATA_PRESSURE) {
    return PlanBaselineShift(type, x.data(), impulse.data(), N(), r, s);
  }
  std::vector<float> x, y, impulse;
};

TEST_F(PressureRecord, ConstantShiftBringsTheImpulseToTheTarget) {
  ShiftRequest r{50, 0.2, 0, 0, true};
  BaselineShift s;
  ASSERT_TRUE(Plan(r, s).Ok());
  EXPECT_DOUBLE_EQ(s.startTime, -1.0);
  EXPECT_DOUBLE_EQ(s.endTime, 101.0);
  ApplyBaselineShift(x.data(), y.data(), N(), s);
  EXPECT_NEAR(ImpulseAt(x, y, 50), 0.2, 1e-6);
  Recompute();
  EXPECT_NEAR(impulse[5], 0.2f, 1e-6f);
}

TEST_F(PressureRecord, WindowedShiftBetweenSamples) {
  // T between samples: the impulse there is interpolated. The constant is
  // spread over T - S, but the trapezoid ramps into the window over the
  // sample before S, so the impulse overshoots by half a sample's share.
  ShiftRequest r{65, -0.05, 10, 80, false};
  ASSERT_TRUE(CheckShiftTimes(r).Ok());
  BaselineShift s;
  ASSERT_TRUE(Plan(r, s).Ok());
  const std::vector<float> before = y;
  const double impulseBefore = ImpulseAt65(x, y);
  EXPECT_NEAR(s.value * 55 / 1000, -0.05 - impulseBefore, 1e-6);
  ApplyBaselineShift(x.data(), y.data(), N(), s);
  EXPECT_EQ(y[0], before[0]);
  EXPECT_EQ(y[9], before[9]);
  EXPECT_NE(y[1], before[1]);
  EXPECT_NEAR(ImpulseAt65(x, y), impulseBefore + s.value * 60 / 1000, 1e-6);
  // Taking it off again restores the record up to rounding.
  ApplyBaselineShift(x.data(), y.data(), N(), BaselineShift{-s.value, s.startTime, s.endTime});
  for (int i = 0; i < N(); ++i) EXPECT_NEAR(y[i], before[i], 1e-5f);
}

TEST_F(PressureRecord, AccelerationConstantIsInG) {
  // 1 ft/s more velocity over 500 msec: 2/32.174 g.
  std::vector<float> v(x.size(), 0.0f);
  ShiftRequest r{50, 1.0, 0, 0, true};
  BaselineShift s;
  ASSERT_TRUE(PlanBaselineShift(DATA_ACCELERATION, x.data(), v.data(), N(), r, s).Ok());
  EXPECT_DOUBLE_EQ(s.value, 1.0 / 50.0 * 1000.0 / 32.174f);
}

TEST_F(PressureRecord, RefusedAndEmptyShifts) {
  BaselineShift s;
  for (double t : {-0.5, 100.0, 150.0})
    EXPECT_EQ(MessageOf(Plan({t, 1, 0, 0, true}, s)), MSG_SHIFT_TIME_RANGE) << t;
  EXPECT_EQ(MessageOf(PlanBaselineShift(DATA_PRESSURE, x.data(), impulse.data(), 1,
                                        {0, 1, 0, 0, true}, s)),
            MSG_SHIFT_TIME_RANGE);
  EXPECT_EQ(MessageOf(PlanBaselineShift(DATA_PRESSURE, x.data(), impulse.data(), 0,
                                        {0, 1, 0, 0, true}, s)),
            MSG_SHIFT_TIME_RANGE);
  // A window wholly before the record: nothing to spread the change over.
  EXPECT_EQ(MessageOf(Plan({50, 1, -20, -10, false}, s)), MSG_STOP_TIME_ORDER);
  EXPECT_EQ(MessageOf(Plan({50, 1e40, 0, 0, true}, s)), MSG_REAL4_LIMIT);
  // Already at the target, or a type without integrals: nothing to do.
  ASSERT_TRUE(Plan({50, impulse[5], 0, 0, true}, s).Ok());
  EXPECT_EQ(s.value, 0.0);
  ASSERT_TRUE(Plan({50, 5, 0, 0, true}, s, DATA_DEFLECTION).Ok());
  EXPECT_EQ(s.value, 0.0);
}

TEST(BaselineShiftChecks, MessagesInOrder) {
  EXPECT_EQ(MessageOf(CheckShiftAllowed(false, DATA_PRESSURE, 0)), MSG_SHIFT_ONLY_PROCESSING);
  EXPECT_EQ(MessageOf(CheckShiftAllowed(true, DATA_STRAIN, 0)), MSG_SHIFT_ONLY_PROCESSING);
  EXPECT_TRUE(CheckShiftAllowed(true, DATA_ACCELERATION, 3).Ok());
  EXPECT_EQ(MessageOf(CheckShiftAllowed(true, DATA_STRESS, 4)), MSG_MAXIMUM_SHIFTS);
  EXPECT_EQ(MessageOf(CheckShiftTimes({10, 0, 10, 20, false})), MSG_START_TIME_ORDER);
  EXPECT_EQ(MessageOf(CheckShiftTimes({10, 0, 5, 5, false})), MSG_STOP_TIME_ORDER);
  EXPECT_TRUE(CheckShiftTimes({10, 0, 50, 5, true}).Ok());
  // The range test is made in single precision.
  const float x[] = {10, 20};
  float y[] = {0, 0};
  ApplyBaselineShift(x, y, 2, {1.5, 10.0000000001, 19.9999999999});
  EXPECT_EQ(y[0], 1.5f);
  EXPECT_EQ(y[1], 1.5f);
}

TEST(BaselineShiftList, FourShiftsThenRefusalAndOneUndo) {
  ProcessState p;
  std::string text;
  EXPECT_EQ(MessageOf(ListEditions(true, p, text)), MSG_NO_SHIFTS_RECORDED);
  EXPECT_EQ(MessageOf(ListEditions(false, p, text)), MSG_SHIFT_ONLY_PROCESSING);
  BaselineShift last;
  EXPECT_EQ(MessageOf(TakeLastShift(true, p, true, last)), MSG_NO_SHIFTS_TO_UNDO);
  for (int i = 1; i <= 4; ++i) {
    ASSERT_TRUE(CheckShiftAllowed(true, DATA_PRESSURE, p.shiftCount).Ok());
    ASSERT_TRUE(RecordBaselineShift(p, {0.5 * i, -1, 101}));
  }
  EXPECT_EQ(MessageOf(CheckShiftAllowed(true, DATA_PRESSURE, p.shiftCount)), MSG_MAXIMUM_SHIFTS);
  EXPECT_FALSE(RecordBaselineShift(p, {9, 0, 1}));
  ASSERT_TRUE(ListEditions(true, p, text).Ok());
  EXPECT_EQ(text.substr(0, text.find('\r')),
            "Shift no. 1    Shift = 0.5    From T = -1    To T = 101");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
  EXPECT_FALSE(TakeLastShift(false, p, true, last).Ok());
  EXPECT_EQ(p.shiftCount, 4);
  ASSERT_TRUE(TakeLastShift(true, p, true, last).Ok());
  EXPECT_EQ(last.value, 2.0);
  EXPECT_EQ(p.shiftCount, 3);
  // The undo clears bCanUndo: a second one is refused and keeps the list.
  EXPECT_EQ(MessageOf(TakeLastShift(true, p, false, last)), MSG_CANNOT_UNDO_SHIFT);
  EXPECT_EQ(p.shiftCount, 3);
}

TEST(RecordTitle, CalibrationCoveringAndPartialShifts) {
  const float x[] = {0, 50, 100};
  ProcessState p;
  EXPECT_EQ(RecordTitleLine(p, x, 3), "");
  p.calibration = 2500;
  RecordBaselineShift(p, {0.25, -1, 101});
  RecordBaselineShift(p, {-0.125, 10, 60});
  RecordBaselineShift(p, {1, 0, 100});
  EXPECT_EQ(RecordTitleLine(p, x, 3), "Cal val=2500, CBS=1.25, -0.125 from 10 to 60");
  // Without points nothing covers the record.
  p.calibration = 0;
  EXPECT_EQ(RecordTitleLine(p, x, 0), "0.25 from -1 to 101, -0.125 from 10 to 60, 1 from 0 to 100");
  // Pieces stop at the first that would pass 80 characters.
  RecordBaselineShift(p, {1.234567, 12.34567, 98.76543});
  const std::string line = RecordTitleLine(p, x, 0);
  EXPECT_EQ(line, "0.25 from -1 to 101, -0.125 from 10 to 60, 1 from 0 to 100");
  p.shiftCount = 99;  // as a damaged file might give it
  EXPECT_EQ(RecordTitleLine(p, x, 3).substr(0, 9), "CBS=1.25,");
}

}  // namespace
}  // namespace merva
