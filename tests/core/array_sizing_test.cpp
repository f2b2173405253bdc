#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "core/array_sizing.h"
#include "core/document_table.h"

namespace merva {
namespace {

class ArraySizing : public ::testing::Test {
 protected:
  void SetUp() override {
    slot_ = table_.Open(20, 1000, status_);
    ASSERT_TRUE(status_.Ok());
  }
  void TearDown() override {
    SetPointMemoryLimit(std::numeric_limits<std::size_t>::max());
    SetTemporaryDirectory("");
  }
  PlotDocument& Doc() { return table_.Document(slot_); }
  // Curve c gets n points x = c*1000 + j, y = -x.
  void Fill(int curves, int n) {
    Doc().curveCount = curves;
    for (int c = 1; c <= curves; ++c) {
      Doc().pointCount[c] = n + c;
      for (int j = 1; j <= n + c; ++j) {
        Doc().X(c, j) = static_cast<float>(c * 1000 + j);
        Doc().Y(c, j) = -static_cast<float>(c * 1000 + j);
      }
    }
  }
  void ExpectFilled(int curves, int n) {
    ASSERT_EQ(Doc().curveCount, curves);
    for (int c = 1; c <= curves; ++c) {
      ASSERT_EQ(Doc().pointCount[c], n + c);
      for (int j = 1; j <= n + c; ++j) {
        ASSERT_EQ(Doc().X(c, j), static_cast<float>(c * 1000 + j));
        ASSERT_EQ(Doc().Y(c, j), -static_cast<float>(c * 1000 + j));
      }
    }
  }
  DocumentTable table_;
  Status status_;
  int slot_ = 0;
};

TEST_F(ArraySizing, ResizeKeepsEveryCurve) {
  Fill(12, 300);
  Status s = ApplyResize(Doc(), 100, 5000);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(Doc().maxCurves, 100);
  EXPECT_EQ(Doc().maxPoints, 5000);
  ExpectFilled(12, 300);
  s = ApplyResize(Doc(), 12, 312);
  ASSERT_TRUE(s.Ok()) << s.Text();
  ExpectFilled(12, 300);
}

TEST_F(ArraySizing, DialogMinimumsAndMessages) {
  Fill(12, 488);  // longest curve: 500 points
  EXPECT_EQ(MinimumShape(Doc()).curves, 12);
  EXPECT_EQ(MinimumShape(Doc()).points, 500);
  Status s = CheckResizeShape(Doc(), 10, 1000);
  EXPECT_EQ(s.Text(), "The number of curves must be in the range 12-100.");
  EXPECT_TRUE(CheckResizeShape(Doc(), 100, 1000).Ok());
  EXPECT_EQ(CheckResizeShape(Doc(), 101, 1000).Text(),
            "The number of curves must be in the range 12-100.");
  EXPECT_EQ(CheckResizeShape(Doc(), 20, 400).Text(),
            "The number of points must be greater than or equal to        500.");
  // Reallocate refuses the same shapes rather than losing data.
  EXPECT_FALSE(Reallocate(Doc(), 20, 400).Ok());
  ExpectFilled(12, 488);
}

TEST_F(ArraySizing, InitialDialogValues) {
  Doc().maxCurves = 5;  // as if curves were added beyond the shape
  Fill(0, 0);
  ArrayShape shown = InitialResizeShape(Doc());
  EXPECT_EQ(shown.curves, 5);
  EXPECT_EQ(shown.points, 1000);
  PlotDocument empty;
  EXPECT_EQ(MinimumShape(empty).curves, 1);
  EXPECT_EQ(MinimumShape(empty).points, 2);
}

TEST_F(ArraySizing, InsufficientMemoryKeepsShapeAndData) {
  Fill(3, 10);
  SetPointMemoryLimit(sizeof(float) * 20 * 1000);
  Status s = ApplyResize(Doc(), 100, 1000000);
  EXPECT_FALSE(s.Ok());
  EXPECT_FALSE(s.fatal);
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].text, "Insufficient memory for   100000000 data points.");
  EXPECT_EQ(Doc().maxCurves, 20);
  EXPECT_EQ(Doc().maxPoints, 1000);
  ExpectFilled(3, 10);
}

TEST_F(ArraySizing, OldShapeLostTooIsFatal) {
  Fill(3, 10);
  SetPointMemoryLimit(16);
  Status s = Reallocate(Doc(), 100, 1000);
  EXPECT_TRUE(s.fatal);
  ASSERT_EQ(s.messages.size(), 2u);
  EXPECT_EQ(s.messages[1].number, 143);
}

TEST_F(ArraySizing, EmptyDocumentAllocationFailureGives108) {
  SetPointMemoryLimit(sizeof(float) * 20 * 1000);
  Status s = ApplyResize(Doc(), 100, 1000000);
  ASSERT_EQ(s.messages.size(), 2u);
  EXPECT_EQ(s.messages[1].number, 108);
  EXPECT_EQ(Doc().maxCurves, 20);
}

TEST_F(ArraySizing, UnwritableTemporaryFileGives142) {
  Fill(2, 5);
  SetTemporaryDirectory((std::filesystem::temp_directory_path() / "no-such-merva-dir").string());
  Status s = Reallocate(Doc(), 50, 2000);
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].number, 142);
  EXPECT_EQ(Doc().maxCurves, 20);
  ExpectFilled(2, 5);
}

TEST_F(ArraySizing, TemporaryFileIsRemoved) {
  Fill(2, 5);
  const auto dir = std::filesystem::temp_directory_path() / "merva-sizing-test";
  std::filesystem::create_directories(dir);
  SetTemporaryDirectory(dir.string());
  ASSERT_TRUE(Reallocate(Doc(), 50, 2000).Ok());
  EXPECT_TRUE(std::filesystem::is_empty(dir));
  std::filesystem::remove_all(dir);
}

TEST(NewWindowShape, Checks) {
  EXPECT_EQ(CheckNewWindowShape(0, 100).Text(), "The number of curves must be in the range 1-100.");
  EXPECT_EQ(CheckNewWindowShape(101, 100).Text(),
            "The number of curves must be in the range 1-100.");
  EXPECT_FALSE(CheckNewWindowShape(10, 1).Ok());
  EXPECT_TRUE(CheckNewWindowShape(100, 2).Ok());
}

}  // namespace
}  // namespace merva
