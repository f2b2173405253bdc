// The curve-editing commands from the menu: picker, dialog, refusals, and
// the result read from the plot file the program saves.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "dialogs/plot_merva.h"
#include "files/plot_file_writer.h"

namespace merva::test {
namespace {

constexpr int IDM_ERASE_CURVE = 4121;
constexpr int IDM_EDIT_DATA = 4122;
constexpr int IDM_MULTIPLY_X = 4125;
constexpr int IDM_DEPOPULATE = 4131;
constexpr int IDM_SKIP_POINTS = 4132;
constexpr int IDM_EQUAL_INTERVALS = 4134;
constexpr int IDM_REMOVE_TREND = 4141;
// Pickers.
constexpr int PICK_PROMPT = 6800, PICK_LIST = 6801, PICK_ONE = 6802, PICK_ALL = 6803;
// Editing dialogs.
constexpr int FIELD = 128, SPLINE = 134, REPLACE = 135;

// Curve c: X = 1..6, Y = c * X; curve 3 goes back in X at its end.
bool WritePlot(const std::string& path) {
  PlotDocument d;
  SetCompiledDefaults(d);
  if (!Allocate(d, 5, 10).Ok()) return false;
  d.curveCount = 3;
  for (int c = 1; c <= 3; ++c) {
    d.pointCount[c] = 6;
    for (int p = 1; p <= 6; ++p) {
      d.X(c, p) = static_cast<float>(p);
      d.Y(c, p) = static_cast<float>(c * p);
    }
    d.legendText[c].Set("Gauge " + std::to_string(c));
  }
  d.X(3, 6) = 2.5f;
  return WritePlotFile(d, path).Ok();
}

class EditingDialogs : public PlotMervaTest {
 protected:
  void SetUp() override {
    MervaTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(m_.Start(WritePlot));
  }
};

TEST_F(EditingDialogs, MultiplyXOfAllCurves) {
  HWND picker = m_.Open(IDM_MULTIPLY_X, "Select Curve");
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(FieldText(picker, PICK_PROMPT), "Edit which curve?");
  EXPECT_EQ(SendDlgItemMessageA(picker, PICK_LIST, LB_GETCOUNT, 0, 0), 3);
  CheckButton(picker, PICK_ONE, false);
  CheckButton(picker, PICK_ALL, true);
  ASSERT_TRUE(Answer(picker, IDOK));
  HWND edit = m_.Dialog("Edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(FieldText(edit, FIELD), "1");
  SetField(edit, FIELD, "abc");
  PostMessageA(edit, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range").rfind("Value must be in the range ", 0), 0u);
  SetField(edit, FIELD, "-2");
  ASSERT_TRUE(Answer(edit, IDOK));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  ASSERT_EQ(d->curveCount, 3);
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(d->X(c, 2), -4.0f) << c;
  EXPECT_EQ(d->X(3, 6), -5.0f);
}

TEST_F(EditingDialogs, EqualIntervalsRefusesASpacingOfZero) {
  m_.Post(IDM_EQUAL_INTERVALS);
  ASSERT_TRUE(ChooseCurveInPicker(m_.Pid(), 2, "Constant spacing for which curve?"));
  HWND dialog = m_.Dialog("Equal Intervals");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, FIELD), "1");
  SetField(dialog, FIELD, "0");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range"), "Spacing must be a positive number.");
  SetField(dialog, FIELD, "0.5");
  for (int id = 131; id <= 134; ++id) CheckButton(dialog, id, id == SPLINE);
  CheckButton(dialog, REPLACE, false);
  ASSERT_TRUE(Answer(dialog, IDOK));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  ASSERT_EQ(d->curveCount, 4);
  ASSERT_EQ(d->pointCount[4], 11);
  EXPECT_EQ(d->X(4, 2), 1.5f);
  EXPECT_FLOAT_EQ(d->Y(4, 2), 3.0f);  // the spline of a line is the line
  EXPECT_EQ(d->pointCount[2], 6);
}

TEST_F(EditingDialogs, DecimationRangeChecks) {
  m_.Post(IDM_DEPOPULATE);
  ASSERT_TRUE(ChooseCurveInPicker(m_.Pid(), 1, "Depopulate which curve?"));
  HWND dialog = m_.Dialog("Harlan Depopulation");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, FIELD, "100");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range"), "Fidelity must be greater than 0 and less than 100.");
  ASSERT_TRUE(Answer(dialog, IDCANCEL));
  m_.Post(IDM_SKIP_POINTS);
  ASSERT_TRUE(ChooseCurveInPicker(m_.Pid(), 1));
  dialog = m_.Dialog("Skip Points");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, FIELD, "5");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range"), "Value must be in the range 2 to 4.");
  SetField(dialog, FIELD, "2");
  ASSERT_TRUE(Answer(dialog, IDOK));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  ASSERT_EQ(d->curveCount, 4);
  EXPECT_EQ(d->pointCount[4], 4);  // points 1, 3, 5, 6
  EXPECT_EQ(d->X(4, 3), 5.0f);
}

TEST_F(EditingDialogs, RemoveTrendRefusalAndEraseOfSeveral) {
  HWND picker = m_.Open(IDM_REMOVE_TREND, "Select Curve");
  ASSERT_NE(picker, nullptr);
  CheckButton(picker, PICK_ONE, false);
  CheckButton(picker, PICK_ALL, true);
  ASSERT_TRUE(Answer(picker, IDOK));
  EXPECT_EQ(m_.BoxText("MERVA95"), "Abscissa must be monotonically increasing for this operation.");
  picker = m_.Open(IDM_ERASE_CURVE, "Select Curves");
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(FieldText(picker, PICK_PROMPT), "Erase which curve(s)?");
  SendDlgItemMessageA(picker, PICK_LIST, LB_SETSEL, TRUE, 0);
  SendDlgItemMessageA(picker, PICK_LIST, LB_SETSEL, TRUE, 2);
  ASSERT_TRUE(Answer(picker, IDOK));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  ASSERT_EQ(d->curveCount, 1);
  EXPECT_EQ(d->legendText[1].Str(), "Gauge 2");
  EXPECT_EQ(d->Y(1, 6), 12.0f);
  EXPECT_EQ(d->Y(1, 1), 2.0f);  // the refused trend removal changed nothing
}

// A field typed into, as the edit control marks it.
void Type(HWND dialog, int id, const std::string& text) {
  SetField(dialog, id, text);
  SendDlgItemMessageA(dialog, id, EM_SETMODIFY, TRUE, 0);
}

TEST_F(EditingDialogs, EditDataMakesANewCurve) {
  HWND picker = m_.Open(IDM_EDIT_DATA, "Select Curve");
  ASSERT_NE(picker, nullptr);
  ASSERT_EQ(SendDlgItemMessageA(picker, PICK_LIST, LB_GETCOUNT, 0, 0), 4);  // and "New curve"
  ASSERT_TRUE(ChooseCurveInPicker(m_.Pid(), 4));
  HWND dialog = m_.Dialog("Edit Data");
  ASSERT_NE(dialog, nullptr);
  constexpr int ROWS = 144, X = 128, Y = 129, ADD = 140, REMOVE = 142;
  EXPECT_EQ(SendDlgItemMessageA(dialog, ROWS, LB_GETCOUNT, 0, 0), 1);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, REMOVE)));  // one row left
  Type(dialog, X, "5");
  Type(dialog, Y, "7.25");
  SendMessageA(dialog, WM_COMMAND, ADD, 0);
  EXPECT_EQ(SendDlgItemMessageA(dialog, ROWS, LB_GETCOUNT, 0, 0), 2);
  // "0001", tab, "5", tab, "7.25"
  EXPECT_EQ(SendDlgItemMessageA(dialog, ROWS, LB_GETTEXTLEN, 0, 0), 11);
  EXPECT_EQ(FieldText(dialog, X), "0");
  Type(dialog, X, "6");
  Type(dialog, Y, "-1E+20");
  ASSERT_TRUE(Answer(dialog, IDOK));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  ASSERT_EQ(d->curveCount, 4);
  ASSERT_EQ(d->pointCount[4], 2);
  EXPECT_EQ(d->X(4, 1), 5.0f);
  EXPECT_EQ(d->Y(4, 1), 7.25f);
  EXPECT_EQ(d->X(4, 2), 6.0f);
  EXPECT_EQ(d->Y(4, 2), -1e20f);
}

}  // namespace
}  // namespace merva::test
