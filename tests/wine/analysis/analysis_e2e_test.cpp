// Curve analysis and generated curves of merva95: the commands over DDE,
// read back through the CurveN requests, and the report box of the Info
// menu with its Copy button.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "harness/merva_dde_fixture.h"

namespace merva::test {
namespace {

constexpr int IDM_CURVE_FUNCTION = 4215;
constexpr int IDM_NUMBER_OF_POINTS = 4220;
constexpr int IDM_LIST_PEAKS = 4216;
constexpr int IDC_READONLY_TEXT = 128;
constexpr int IDC_READONLY_COPY = 7001;
constexpr int IDC_FUNCY_Y1 = 144;
constexpr int IDC_FUNCY_Y2 = 145;
constexpr int IDC_FUNCY_MULTIPLY = 50;
constexpr int IDM_SCAN = 4218;
constexpr int IDM_INTERPOLATE = 4217;
constexpr int IDM_FIND_BASELINE = 4219;
constexpr int IDM_HISTOGRAM = 4213;
constexpr int IDM_POLY = 4211;
constexpr int IDC_POLY_C0 = 128;
constexpr int IDC_EDIT_VALUE = 128;
constexpr int IDC_EDIT_UPPER = 129;
constexpr int IDC_SCAN_POINT = 7011;
constexpr int IDC_SCAN_X = 7012;
constexpr int IDC_SCAN_Y = 7013;
constexpr int IDC_SCAN_KEYS = 7014;

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class CurveAnalysis : public MervaDdeTest {
 protected:
  void SetUp() override {
    StartMerva();
    if (!Started()) return;
    // Curve 1: X 0..10 with Y = 2X; curve 2: X 5..20 with Y = 1.
    ASSERT_EQ(client_.Execute("[Caption(\"An1\")]"), ACK);
    AddPoints(11, [](int x) { return 2 * x; });
    ASSERT_EQ(client_.Execute("[SelectCurve(2)][XY(5,1)][XY(20,1)][SelectCurve(1)]"), ACK);
  }
};

TEST_F(CurveAnalysis, CurveOperationsAddTheirResultCurves) {
  ASSERT_EQ(client_.Execute("[AddCurves(1,2)]"), ACK);
  EXPECT_EQ(Numbers("an1", "Curve3"),
            (std::vector<double>{5, 11, 6, 13, 7, 15, 8, 17, 9, 19, 10, 21}));
  ASSERT_EQ(client_.Execute("[Compare(2,1)]"), ACK);  // Y2 - Y1 on X 5 and 20 within 0..10
  EXPECT_EQ(Numbers("an1", "Curve4"), (std::vector<double>{5, -9}));
  ASSERT_EQ(client_.Execute("[AverageAll()]"), ACK);
  const std::vector<double> average = Numbers("an1", "Curve5");
  ASSERT_EQ(average.size(), 22u);
  EXPECT_EQ(average[1], 0.0);  // X 0: only curve 1 reaches it
  // X 5: curves 1 to 3, and curve 4's single point.
  EXPECT_DOUBLE_EQ(average[11], (10 + 1 + 11 - 9) / 4.0);
  ASSERT_EQ(client_.Execute("[Lump(1,2)]"), ACK);
  EXPECT_EQ(Item("an1", "Curve6"), Item("an1", "Curve3"));
  EXPECT_EQ(Item("an1", "NumberOfCurves"), "6");
}

TEST_F(CurveAnalysis, NewCurvesNotifyTheHotLinks) {
  RawDdeClient viewer;
  ASSERT_TRUE(viewer.Connect("MERVAW", "an1"));
  ASSERT_TRUE(viewer.Advise("Picture", CF_METAFILEPICT));
  ASSERT_EQ(client_.Execute("[AverageAll()]"), ACK);
  EXPECT_TRUE(WaitUntil([&] { return viewer.adviseCount >= 1; }, 5000));
  const int before = viewer.adviseCount;
  EXPECT_NE(client_.Execute("[AddCurves(1,7)]"), ACK);
  WaitUntil([] { return false; }, 400);
  EXPECT_EQ(viewer.adviseCount, before);
}

TEST_F(CurveAnalysis, RefusedCommandsChangeNothing) {
  EXPECT_NE(client_.Execute("[AddCurves(1,9)]"), ACK);
  EXPECT_NE(client_.Execute("[DivideCurves(1,1)]"), ACK);  // Y1 is 0 at X = 0
  ASSERT_EQ(client_.Execute("[SelectCurve(3)][XY(30,1)][XY(40,1)]"), ACK);
  EXPECT_NE(client_.Execute("[MultiplyCurves(3,1)]"), ACK);  // they do not overlap
  EXPECT_EQ(Item("an1", "NumberOfCurves"), "3");
  EXPECT_EQ(Item("an1", "NumberOfPoints"), "11\t2\t2");
}

TEST_F(CurveAnalysis, HistogramOpensItsOwnDocument) {
  ASSERT_EQ(client_.Execute("[Histogram(5)]"), ACK);
  // Y of curve 1: 0, 2, ..., 20 in classes of 5 from 0 to 25.
  EXPECT_EQ(Numbers("histogram", "Curve1"), (std::vector<double>{0, 3, 5, 2, 10, 3, 15, 2, 20, 1}));
  EXPECT_NE(client_.Execute("[Histogram(0)]"), ACK);
  EXPECT_EQ(DocumentCount(frame_), 2);
}

TEST_F(CurveAnalysis, ReportBoxCopiesItsText) {
  Command(IDM_NUMBER_OF_POINTS);
  HWND box = WaitForDialogTitled(Pid(), "Number of Points");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(FieldText(box, IDC_READONLY_TEXT), "Curve 1: 11\r\nCurve 2: 2\r\n");
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  Press(box, IDC_READONLY_COPY);
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == "Curve 1: 11\r\nCurve 2: 2\r\n"; }, 5000));
  EXPECT_TRUE(Answer(box, IDOK));
  Command(IDM_LIST_PEAKS);
  box = WaitForDialogTitled(Pid(), "Peak Values");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(FieldText(box, IDC_READONLY_TEXT).find("Maximum = 20 at X = 10"), std::string::npos);
  EXPECT_TRUE(Answer(box, IDOK));
}

TEST_F(CurveAnalysis, CurveFunctionDialogMultiplies) {
  Command(IDM_CURVE_FUNCTION);
  HWND dialog = WaitForDialogTitled(Pid(), "Y3 = f(Y1,Y2)");
  ASSERT_NE(dialog, nullptr);
  SendDlgItemMessageA(dialog, IDC_FUNCY_Y1, LB_SETCURSEL, 0, 0);
  SendDlgItemMessageA(dialog, IDC_FUNCY_Y2, LB_SETCURSEL, 1, 0);
  for (int id = 48; id <= 51; ++id) CheckButton(dialog, id, id == IDC_FUNCY_MULTIPLY);
  ASSERT_TRUE(Answer(dialog, IDOK));
  EXPECT_EQ(Numbers("an1", "Curve3"),
            (std::vector<double>{5, 10, 6, 12, 7, 14, 8, 16, 9, 18, 10, 20}));
}

TEST_F(CurveAnalysis, InterpolateKeepsToThePlotsXRange) {
  Command(IDM_INTERPOLATE);
  HWND dialog = WaitForDialogTitled(Pid(), "Interpolate");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, IDC_EDIT_VALUE, "25");
  Press(dialog, IDOK);
  EXPECT_NE(TakeBox(Pid(), "Out of range").find("Value must be in the range"), std::string::npos);
  SetField(dialog, IDC_EDIT_VALUE, "5.5");
  ASSERT_TRUE(Answer(dialog, IDOK));
  EXPECT_EQ(TakeBox(Pid(), "Interpolation", IDC_READONLY_TEXT),
            "At X = 5.5\r\nCurve 1: 11\r\nCurve 2: 1\r\n");
}

TEST_F(CurveAnalysis, BaselineAveragesBetweenTheLimits) {
  Command(IDM_FIND_BASELINE);
  ASSERT_TRUE(ChooseCurveInPicker(Pid(), 1));
  HWND limits = WaitForDialogTitled(Pid(), "Find average value from ...");
  ASSERT_NE(limits, nullptr);
  EXPECT_EQ(FieldText(limits, IDC_EDIT_VALUE) + " " + FieldText(limits, IDC_EDIT_UPPER), "0 10");
  SetField(limits, IDC_EDIT_VALUE, "4");
  SetField(limits, IDC_EDIT_UPPER, "2");
  ASSERT_TRUE(Answer(limits, IDOK));
  EXPECT_EQ(TakeBox(Pid(), "Find Baseline"), "Baseline = 6");
  Command(IDM_FIND_BASELINE);
  ASSERT_TRUE(ChooseCurveInPicker(Pid(), 1));
  limits = WaitForDialogTitled(Pid(), "Find average value from ...");
  ASSERT_NE(limits, nullptr);
  SetField(limits, IDC_EDIT_VALUE, "30");
  SetField(limits, IDC_EDIT_UPPER, "40");
  ASSERT_TRUE(Answer(limits, IDOK));
  EXPECT_EQ(TakeBox(Pid(), "Find Baseline"), "No points in specified range!");
}

TEST_F(CurveAnalysis, HistogramDialogOpensOrClosesItsWindow) {
  Command(IDM_HISTOGRAM);
  ASSERT_TRUE(ChooseCurveInPicker(Pid(), 1));
  HWND dialog = WaitForDialogTitled(Pid(), "Histogram");
  ASSERT_NE(dialog, nullptr);
  // 11 points: 4 classes over 0..20, a step of 5.
  EXPECT_EQ(FieldText(dialog, IDC_EDIT_VALUE), "5");
  ASSERT_TRUE(Answer(dialog, IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(frame_) == 1; }, 5000));
  Command(IDM_HISTOGRAM);
  ASSERT_TRUE(ChooseCurveInPicker(Pid(), 1));
  dialog = WaitForDialogTitled(Pid(), "Histogram");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, IDC_EDIT_VALUE, "10");
  ASSERT_TRUE(Answer(dialog, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(frame_) == 2; }, 5000));
  EXPECT_EQ(Numbers("histogram", "Curve1"), (std::vector<double>{0, 5, 10, 5, 20, 1}));
}

TEST_F(CurveAnalysis, PolynomialOfTheChosenCurve) {
  Command(IDM_POLY);
  ASSERT_TRUE(ChooseCurveInPicker(Pid(), 1));
  HWND dialog = WaitForDialogTitled(Pid(), "Polynomial Transformation");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, IDC_POLY_C0 + 1), "1");  // starts as a copy
  SetField(dialog, IDC_POLY_C0, "0.5");
  SetField(dialog, IDC_POLY_C0 + 1, "0");
  SetField(dialog, IDC_POLY_C0 + 2, "x");
  Press(dialog, IDOK);
  EXPECT_NE(TakeBox(Pid(), "Out of range").find("Value must be in the range"), std::string::npos);
  SetField(dialog, IDC_POLY_C0 + 2, "0.25");
  ASSERT_TRUE(Answer(dialog, IDOK));
  // Y' = 0.5 + 0.25 Y^2 of Y = 0, 2, ..., 20.
  const std::vector<double> points = Numbers("an1", "Curve3");
  ASSERT_EQ(points.size(), 22u);
  for (int i = 0; i <= 10; ++i) EXPECT_DOUBLE_EQ(points[2 * i + 1], 0.5 + i * i);
}

TEST_F(CurveAnalysis, ScanStepsThroughThePointsWithTheArrowKeys) {
  Command(IDM_SCAN);
  ASSERT_TRUE(ChooseCurveInPicker(Pid(), 1));
  HWND scan = WaitForDialogTitled(Pid(), "Scan X, Y");
  ASSERT_NE(scan, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return FieldText(scan, IDC_SCAN_POINT) == "1 of 11"; }, 3000));
  HWND keys = GetDlgItem(scan, IDC_SCAN_KEYS);
  for (WPARAM key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_LEFT}) SendMessageA(keys, WM_KEYDOWN, key, 0);
  EXPECT_EQ(FieldText(scan, IDC_SCAN_POINT), "3 of 11");
  EXPECT_EQ(FieldText(scan, IDC_SCAN_X), "2");
  EXPECT_EQ(FieldText(scan, IDC_SCAN_Y), "4");
  SendMessageA(keys, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(FieldText(scan, IDC_SCAN_POINT), "11 of 11");
  SendMessageA(keys, WM_KEYDOWN, VK_RIGHT, 0);  // stays on the last point
  EXPECT_EQ(FieldText(scan, IDC_SCAN_Y), "20");
  // The mouse over the middle of the plot: a point from the middle of the
  // rising line.
  HWND document = DocumentWindows(frame_).front();
  RECT area{};
  GetClientRect(document, &area);
  POINT middle{area.right / 2, area.bottom / 2};
  ClientToScreen(document, &middle);
  SetCursorPos(middle.x, middle.y);
  EXPECT_TRUE(WaitUntil(
      [&] {
        const int point = std::atoi(FieldText(scan, IDC_SCAN_POINT).c_str());
        return point >= 4 && point <= 8;
      },
      3000))
      << FieldText(scan, IDC_SCAN_POINT);
  Press(scan, IDC_SCAN_KEYS);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(scan); }, 5000));
}

}  // namespace
}  // namespace merva::test
