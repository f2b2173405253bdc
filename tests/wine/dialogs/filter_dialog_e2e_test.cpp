// "&Filter..." from the menu: picker, the FILTER dialog's enable rules and
// rejection-frequency check, and the result read from the saved plot file.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "dialogs/plot_merva.h"
#include "files/plot_file_writer.h"

namespace merva::test {
namespace {

constexpr int IDM_FILTER = 4138;
constexpr int TYPE = 144, FREQUENCY = 133, BANDWIDTH = 134, C0 = 128, D2 = 132, REPLACE = 33;

// Curve 1: X = 0..7, a spike at X = 3; curve 2: X = 1, 2, 4 (uneven).
bool WritePlot(const std::string& path) {
  PlotDocument d;
  SetCompiledDefaults(d);
  if (!Allocate(d, 5, 10).Ok()) return false;
  d.curveCount = 2;
  d.pointCount[1] = 8;
  for (int p = 1; p <= 8; ++p) {
    d.X(1, p) = static_cast<float>(p - 1);
    d.Y(1, p) = p == 4 ? 5.0f : 0.0f;
  }
  d.pointCount[2] = 3;
  const float x[] = {1, 2, 4};
  for (int p = 1; p <= 3; ++p) d.X(2, p) = x[p - 1];
  return WritePlotFile(d, path).Ok();
}

class FilterDialog : public PlotMervaTest {
 protected:
  void SetUp() override {
    MervaTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(m_.Start(WritePlot));
  }
  // The picker answered with `curve`.
  void Pick(int curve) {
    m_.Post(IDM_FILTER);
    ASSERT_TRUE(ChooseCurveInPicker(m_.Pid(), curve, "Filter which curve?"));
  }
  static void ChooseType(HWND dialog, int type) {
    SendDlgItemMessageA(dialog, TYPE, CB_SETCURSEL, static_cast<WPARAM>(type), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(TYPE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, TYPE)));
  }
  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }
};

TEST_F(FilterDialog, EnableRulesAndTheRejectionFrequencyCheck) {
  Pick(1);
  HWND dialog = m_.Dialog("Filter Parameters");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendDlgItemMessageA(dialog, TYPE, CB_GETCOUNT, 0, 0), 9);
  EXPECT_TRUE(Enabled(dialog, C0));
  EXPECT_FALSE(Enabled(dialog, FREQUENCY));
  ChooseType(dialog, 2);  // Press
  EXPECT_TRUE(Enabled(dialog, FREQUENCY));
  EXPECT_TRUE(Enabled(dialog, BANDWIDTH));
  EXPECT_FALSE(Enabled(dialog, D2));
  ChooseType(dialog, 3);  // zero frequency: fixed coefficients shown
  EXPECT_FALSE(Enabled(dialog, FREQUENCY));
  EXPECT_EQ(FieldText(dialog, C0), "0.990099");
  ChooseType(dialog, 1);  // Carleton
  EXPECT_FALSE(Enabled(dialog, BANDWIDTH));
  SetField(dialog, FREQUENCY, "0.5");  // the Nyquist frequency of 1 s spacing
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Filter"),
            "The rejection frequency must be greater than zero and less than one-half the "
            "sampling frequency (0.5 Hertz).");
  ASSERT_TRUE(IsWindow(dialog));
  SetField(dialog, FREQUENCY, "0.25");
  CheckButton(dialog, REPLACE, false);
  ASSERT_TRUE(Answer(dialog, IDOK));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  ASSERT_EQ(d->curveCount, 3);
  EXPECT_FLOAT_EQ(d->Y(3, 4), static_cast<float>(5.0 / 1.0201));
  EXPECT_EQ(d->Y(1, 4), 5.0f);
}

TEST_F(FilterDialog, SpikesAndUnevenSpacing) {
  Pick(2);
  EXPECT_EQ(
      m_.BoxText("Filter").rfind("This feature requires the data values to have a constant", 0),
      0u);
  Pick(1);
  HWND dialog = m_.Dialog("Filter Parameters");
  ASSERT_NE(dialog, nullptr);
  ChooseType(dialog, 8);
  CheckButton(dialog, REPLACE, true);
  ASSERT_TRUE(Answer(dialog, IDOK));
  // Again on the cleaned curve: nothing is left to remove.
  Pick(1);
  dialog = m_.Dialog("Filter Parameters");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendDlgItemMessageA(dialog, TYPE, CB_GETCURSEL, 0, 0), 8) << "the settings are kept";
  CheckButton(dialog, REPLACE, false);
  ASSERT_TRUE(Answer(dialog, IDOK));
  EXPECT_EQ(m_.BoxText("Filter"), "No random spikes were found.");
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->curveCount, 2);
  EXPECT_EQ(d->Y(1, 4), 0.0f);
}

}  // namespace
}  // namespace merva::test
