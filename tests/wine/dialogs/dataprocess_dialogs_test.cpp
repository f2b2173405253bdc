// Data-processing mode from the menus: the mode dialog with its
// reallocation question, the baseline-shift dialog's checks, the list of
// editions and the undo, read back from the saved plot file.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "files/plot_file_reader.h"
#include "files/plot_file_writer.h"
#include "harness/merva_program.h"

namespace merva::test {
namespace {

constexpr int IDM_SAVE = 4101, IDM_DATA_PROCESSING = 4200, IDM_SWITCH_PLOTS = 4228;
constexpr int IDM_BASELINE_SHIFT = 4135, IDM_LIST_EDITIONS = 4136, IDM_UNDO_SHIFT = 4137;
constexpr int STATE_ON = 49, ACCELERATION = 53, SQUARE = 57;
constexpr int CONSTANT = 32, T = 128, V = 129, START = 131, END = 132, VALUE_TEXT = 80;

class DataProcessDialogs : public MervaTest {
 protected:
  void SetUp() override {
    MervaTest::SetUp();
    file_ = TempDirectory() + "\\record.grf";
    // 1 g over 0..1000 msec, and a second curve the mode drops.
    PlotDocument d;
    SetCompiledDefaults(d);
    ASSERT_TRUE(Allocate(d, 5, 20).Ok());
    d.curveCount = 2;
    d.pointCount[1] = 11;
    for (int p = 1; p <= 11; ++p) d.X(1, p) = 100.0f * (p - 1), d.Y(1, p) = 1.0f;
    d.pointCount[2] = 2;
    ASSERT_TRUE(WritePlotFile(d, file_).Ok());
    ASSERT_TRUE(merva_.Start("/-logo \"" + file_ + "\""));
    Sleep(400);
  }
  void TearDown() override {
    merva_.Close();
    DeleteFileA(file_.c_str());
    MervaTest::TearDown();
  }
  HWND Dialog(const char* caption) {
    return WaitForDialogTitled(merva_.process.pid, caption, 8000);
  }
  // The text of a message box, closed with `button`.
  std::string Box(const char* caption, int button = IDOK) {
    HWND box = Dialog(caption);
    if (!box) return "(no box " + std::string(caption) + ")";
    const std::string text = BoxText(box);
    Answer(box, button);
    return text;
  }
  // The View menu's switch item, where Wine lets another process read it.
  std::string SwitchItem() {
    char text[64] = {};
    HMENU menu = GetMenu(merva_.frame);
    if (!menu || GetMenuItemCount(menu) < 0) return "(unreadable)";
    GetMenuStringA(menu, IDM_SWITCH_PLOTS, text, sizeof text, MF_BYCOMMAND);
    return text;
  }

  std::string file_;
  MervaProgram merva_;
};

TEST_F(DataProcessDialogs, ModeShiftListAndUndo) {
  merva_.Command(IDM_DATA_PROCESSING);
  HWND mode = Dialog("Data Processing Mode");
  ASSERT_NE(mode, nullptr);
  for (int id : {STATE_ON - 1, ACCELERATION - 3}) CheckButton(mode, id, false);
  for (int id : {STATE_ON, ACCELERATION, SQUARE}) CheckButton(mode, id, true);
  ASSERT_TRUE(Answer(mode, IDOK));
  EXPECT_EQ(Box("Data Processing", IDYES),
            "Array reallocation may result in the loss of existing data.  Do you wish to "
            "continue?");
  const std::string item = SwitchItem();
  if (item != "(unreadable)") EXPECT_EQ(item, "&Velocity/Displacement\tShift+TAB");

  merva_.Command(IDM_BASELINE_SHIFT);
  HWND shift = Dialog("Baseline Shift");
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
  merva_.Command(IDM_LIST_EDITIONS);
  EXPECT_EQ(Box("List Editions").rfind("Shift no. 1    Shift = -1", 0), 0u);
  merva_.Command(IDM_UNDO_SHIFT);
  merva_.Command(IDM_UNDO_SHIFT);
  EXPECT_EQ(Box("MERVA95"), "There are no shifts to undo!");

  DeleteFileA(file_.c_str());
  ASSERT_TRUE(merva_.Send(IDM_SAVE, 8000));
  ASSERT_TRUE(WaitUntil([&] { return FileExists(file_); }, 8000));
  Sleep(300);
  auto d = std::make_unique<PlotDocument>();
  ASSERT_TRUE(Allocate(*d, 5, 20).Ok());
  ASSERT_TRUE(ReadPlotFile(*d, file_, 1).Ok());
  EXPECT_EQ(d->processMode, 1);
  EXPECT_EQ(d->processState.dataType, 3);
  EXPECT_EQ(d->processState.shiftCount, 0);
  EXPECT_EQ(d->curveCount, 1);
  EXPECT_EQ(d->Y(1, 11), 1.0f);
  EXPECT_DOUBLE_EQ(d->plotWidth, 5.15);
}

}  // namespace
}  // namespace merva::test
