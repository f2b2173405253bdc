// Data-processing mode from the menus: the mode dialog with its
// reallocation question, the baseline-shift dialog's checks, the list of
// editions and the undo, read back from the saved plot file.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "files/plot_file_writer.h"
#include "plot_merva.h"

namespace merva::test {
namespace {

constexpr int IDM_DATA_PROCESSING = 4200, IDM_SWITCH_PLOTS = 4228;
constexpr int IDM_BASELINE_SHIFT = 4135, IDM_LIST_EDITIONS = 4136, IDM_UNDO_SHIFT = 4137;
constexpr int STATE_ON = 49, ACCELERATION = 53, SQUARE = 57;
constexpr int CONSTANT = 32, T = 128, V = 129, START = 131, END = 132, VALUE_TEXT = 80;

// 1 g over 0..1000 msec, and a second curve the mode drops.
bool WriteRecord(const std::string& path) {
  PlotDocument d;
  SetCompiledDefaults(d);
  if (!Allocate(d, 5, 20).Ok()) return false;
  d.curveCount = 2;
  d.pointCount[1] = 11;
  for (int p = 1; p <= 11; ++p) d.X(1, p) = 100.0f * (p - 1), d.Y(1, p) = 1.0f;
  d.pointCount[2] = 2;
  return WritePlotFile(d, path).Ok();
}

class DataProcessDialogs : public PlotMervaTest {
 protected:
  void SetUp() override {
    PlotMervaTest::SetUp();
    ASSERT_TRUE(m_.Start(WriteRecord));
  }
  // A message box's text, closed with `button`.
  std::string Box(const char* caption, int button = IDOK) {
    HWND box = m_.Dialog(caption);
    if (!box) return "(no box " + std::string(caption) + ")";
    const std::string text = BoxText(box);
    Answer(box, button);
    return text;
  }
  // The View menu's switch item, where Wine lets another process read it.
  std::string SwitchItem() {
    char text[64] = {};
    HMENU menu = GetMenu(GetAncestor(m_.Document(), GA_ROOT));
    if (!menu || GetMenuItemCount(menu) < 0) return "(unreadable)";
    GetMenuStringA(menu, IDM_SWITCH_PLOTS, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
};

TEST_F(DataProcessDialogs, ModeShiftListAndUndo) {
  HWND mode = m_.Open(IDM_DATA_PROCESSING, "Data Processing Mode");
  ASSERT_NE(mode, nullptr);
  for (int id : {STATE_ON - 1, ACCELERATION - 3}) CheckButton(mode, id, false);
  for (int id : {STATE_ON, ACCELERATION, SQUARE}) CheckButton(mode, id, true);
  ASSERT_TRUE(Answer(mode, IDOK));
  EXPECT_EQ(Box("Data Processing", IDYES),
            "Array reallocation may result in the loss of existing data.  Do you wish to "
            "continue?");
  const std::string item = SwitchItem();
  if (item != "(unreadable)") EXPECT_EQ(item, "&Velocity/Displacement\tShift+TAB");

  HWND shift = m_.Open(IDM_BASELINE_SHIFT, "Baseline Shift");
  ASSERT_NE(shift, nullptr);
  EXPECT_EQ(FieldText(shift, VALUE_TEXT), "Shift &Velocity to:");
  // It opens as a constant shift; a range of times is checked.
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(shift, START)));
  SendMessageA(GetDlgItem(shift, CONSTANT), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(shift, START)));
  SetField(shift, T, "500");
  SetField(shift, V, "0");
  SetField(shift, START, "600");
  SetField(shift, END, "900");
  PostMessageA(shift, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Box("MERVA95"), "The start time must preceed the time for the shifted value.");
  SetField(shift, START, "0");
  SetField(shift, END, "0");
  PostMessageA(shift, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Box("MERVA95"), "The stop time must be greater than the start time.");
  SetField(shift, END, "1000");
  ASSERT_TRUE(Answer(shift, IDOK));
  m_.Post(IDM_LIST_EDITIONS);
  EXPECT_EQ(Box("List Editions").rfind("Shift no. 1    Shift = -1", 0), 0u);
  m_.Post(IDM_UNDO_SHIFT);
  m_.Post(IDM_UNDO_SHIFT);
  EXPECT_EQ(Box("MERVA95"), "There are no shifts to undo!");

  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->processMode, 1);
  EXPECT_EQ(d->processState.dataType, 3);
  EXPECT_EQ(d->processState.shiftCount, 0);
  EXPECT_EQ(d->curveCount, 1);
  EXPECT_EQ(d->Y(1, 11), 1.0f);
  EXPECT_DOUBLE_EQ(d->plotWidth, 5.15);
}

}  // namespace
}  // namespace merva::test
