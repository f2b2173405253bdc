// A data-processing session of the real program through the command
// language: an acceleration record integrated, its baseline shifted, saved
// and opened again; the refusals outside the mode.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/merva_dde_fixture.h"

namespace merva::test {
namespace {

class DataProcessDde : public MervaDdeTest {
 protected:
  void SetUp() override {
    StartMerva();
    if (!Started()) return;
    ASSERT_EQ(client_.Execute("[Caption(\"Rec\")]"), ACK);
  }
  // The Y values of a curve of topic `topic`.
  std::vector<double> Ys(const char* topic, int curve) {
    const std::vector<double> numbers = NumbersIn(Item(topic, "Curve" + std::to_string(curve)));
    std::vector<double> ys;
    for (std::size_t i = 1; i < numbers.size(); i += 2) ys.push_back(numbers[i]);
    return ys;
  }
};

TEST_F(DataProcessDde, AccelerationShiftedSavedAndReopened) {
  // 1 g over 1000 msec, and an unrelated second curve that the mode drops.
  ASSERT_EQ(client_.Execute("[XY(0,1)][XY(500,1)][XY(1000,1)][SelectCurve(2)][XY(0,5)][XY(1,6)]"
                            "[SelectCurve(1)]"),
            ACK);
  // Refused outside the mode.
  EXPECT_EQ(client_.Execute("[BaselineShift(500,0,-1E20,0)]"), 0);
  ASSERT_EQ(client_.Execute("[DataProcess(1,\"acceleration\",0)]"), ACK);
  EXPECT_EQ(Item("Rec", "NumberOfCurves"), "3");
  EXPECT_NEAR(Ys("Rec", 2).back(), 32.174, 1e-4);
  EXPECT_NEAR(Ys("Rec", 3).back(), 193.044, 1e-3);
  // Velocity 0 at 500 msec by a constant shift: the record becomes 0 g.
  ASSERT_EQ(client_.Execute("[BaselineShift(500,0,-1E20,0)]"), ACK);
  for (double y : Ys("Rec", 1)) EXPECT_NEAR(y, 0.0, 1e-6);
  for (double v : Ys("Rec", 2)) EXPECT_NEAR(v, 0.0, 1e-4);
  // An edit of the record is recorded as a shift too.
  ASSERT_EQ(client_.Execute("[EditAddToY(0)]"), ACK);
  const std::vector<double> record = Ys("Rec", 1), displacement = Ys("Rec", 3);
  const std::string path = TempDirectory() + "\\record.grf";
  DeleteFileA(path.c_str());
  ASSERT_EQ(client_.Execute("[FileSaveAs(1,\"" + path + "\")]"), ACK);
  const std::string saved = ReadFileBytes(path);
  EXPECT_NE(saved.find("Shift"), std::string::npos);
  EXPECT_NE(saved.find("DataProcess"), std::string::npos);

  ASSERT_EQ(client_.Execute("[FileOpen(\"" + path + "\")][Caption(\"Back\")]"), ACK);
  EXPECT_EQ(Item("Back", "NumberOfCurves"), "3");
  EXPECT_EQ(Ys("Back", 1), record);
  EXPECT_EQ(Ys("Back", 3), displacement);
  DeleteFileA(path.c_str());
}

TEST_F(DataProcessDde, BadRecordsAndShiftsAreRefused) {
  // Falling time: the mode stays off and the curve stays.
  ASSERT_EQ(client_.Execute("[XY(10,1)][XY(0,2)]"), ACK);
  EXPECT_EQ(client_.Execute("[DataProcess(1,\"pressure\",0)]"), 0);
  EXPECT_EQ(Item("Rec", "NumberOfCurves"), "1");
  ASSERT_EQ(client_.Execute("[EditSort()][DataProcess(1,\"pressure\",2)]"), ACK);
  EXPECT_EQ(Item("Rec", "NumberOfCurves"), "2");
  // A target outside the record, a start after the target.
  EXPECT_EQ(client_.Execute("[BaselineShift(50,0,0,10)]"), 0);
  EXPECT_EQ(client_.Execute("[BaselineShift(5,0,6,10)]"), 0);
  EXPECT_EQ(Ys("Rec", 1), (std::vector<double>{2, 1}));
  // Integrate and differentiate as new curves; off again keeps them all.
  ASSERT_EQ(client_.Execute("[DataProcess(0)][Integrate()]"), ACK);
  EXPECT_EQ(Item("Rec", "NumberOfCurves"), "3");
  EXPECT_NEAR(Ys("Rec", 3).back(), 15.0, 1e-6);
  ASSERT_EQ(client_.Execute("[SelectCurve(3)][Differentiate()]"), ACK);
  EXPECT_EQ(Ys("Rec", 4), (std::vector<double>{1.5, 1.5}));  // two points: one slope
}

}  // namespace
}  // namespace merva::test
