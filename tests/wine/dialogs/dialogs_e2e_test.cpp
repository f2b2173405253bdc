// The plot dialogs of merva95: opened by their menu commands, filled in
// and confirmed from outside, checked through the plot file the program
// saves afterwards.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "dialogs/plot_merva.h"
#include "files/plot_file_writer.h"
#include "harness/raw_dde_client.h"

namespace merva::test {
namespace {

constexpr int IDM_TITLES = 4142;
constexpr int IDM_LEGEND = 4143;
constexpr int IDM_SYMBOLS = 4184;
constexpr int IDM_AUTO_SCALE = 4185;
constexpr int IDM_MANUAL_SCALE = 4186;
constexpr int IDM_PHYSICAL_SIZE = 4188;
constexpr int IDM_MULTIPLE_AXES = 4190;
constexpr int IDM_NUMBER_FORMATS = 4199;
constexpr int IDM_SCALE_BASE = 4165;
constexpr int IDM_UNITS = 4179;
constexpr int IDM_NOTE = 4149;
constexpr int IDM_FILL = 4201;
constexpr int IDM_FONTS = 4150;
constexpr int IDM_DISPLAY_COLORS = 4192;
constexpr int IDM_PRINTER_COLORS = 4193;
constexpr int IDM_ADD_LABEL = 4145;
constexpr int IDM_DELETE_LABEL = 4147;

bool WritePositivePlot(const std::string& path) {
  PlotDocument d;
  SetCompiledDefaults(d);
  if (!Allocate(d, 4, 10).Ok()) return false;
  d.curveCount = 2;
  for (int c = 1; c <= 2; ++c) {
    d.pointCount[c] = 4;
    for (int p = 1; p <= 4; ++p) {
      d.X(c, p) = static_cast<float>(p * 2);
      d.Y(c, p) = static_cast<float>(c * p * 10);
    }
  }
  d.title1.Set("Positive");
  return WritePlotFile(d, path).Ok();
}

// One radio button of a group on, the others off.
void Choose(HWND dialog, int first, int last, int chosen) {
  for (int id = first; id <= last; ++id) CheckButton(dialog, id, id == chosen);
}

class PlotDialogs : public PlotMervaTest {};

TEST_F(PlotDialogs, TitlesAreKeptAndSaved) {
  ASSERT_TRUE(m_.Start());
  HWND dialog = m_.Open(IDM_TITLES, "Titles/Axes");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, 6001, "Blast pressure");
  SetField(dialog, 6002, "Gauge 7");
  SetField(dialog, 6003, "");
  SetField(dialog, 6004, "Time, msec");
  SetField(dialog, 6005, "Pressure, psi");
  SetField(dialog, 6006, "Impulse");
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->title1.Str(), "Blast pressure");
  EXPECT_EQ(d->title2.Str(), "Gauge 7");
  EXPECT_TRUE(d->title3.IsBlank());
  EXPECT_EQ(d->xAxisLabel.Str(), "Time, msec");
  EXPECT_EQ(d->yAxisLabel.Str(), "Pressure, psi");
  // The dialog shows what is stored.
  dialog = m_.Open(IDM_TITLES, "Titles/Axes");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, 6001), "Blast pressure");
  EXPECT_EQ(FieldText(dialog, 6004), "Time, msec");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(PlotDialogs, ManualScaleRefusesTextAndKeepsLimits) {
  ASSERT_TRUE(m_.Start());
  HWND dialog = m_.Open(IDM_MANUAL_SCALE, "Manual Scaling");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, 6070, "-2.5");
  SetField(dialog, 6080, "12");
  SetField(dialog, 6071, "abc");
  SetField(dialog, 6081, "1.5");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  const std::string refusal = m_.BoxText("Out of range");
  EXPECT_EQ(refusal.rfind("Value must be in the range ", 0), 0u) << refusal;
  EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog));
  SetField(dialog, 6071, "-1");
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->manualScale, 1);
  EXPECT_EQ(d->manualLimits.xLow, -2.5);
  EXPECT_EQ(d->manualLimits.xHigh, 12.0);
  EXPECT_EQ(d->manualLimits.yLow[0], -1.0);
  EXPECT_EQ(d->manualLimits.yHigh[0], 1.5);
  // Automatic scaling switches it off again.
  m_.Command(IDM_AUTO_SCALE);
  d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->manualScale, 0);
}

TEST_F(PlotDialogs, LegendRefusesZeroRowsAndLength) {
  ASSERT_TRUE(m_.Start());
  HWND dialog = m_.Open(IDM_LEGEND, "Legend/Labels");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, 6020, "Gauges");
  SetField(dialog, 6022, "First gauge");
  SetField(dialog, 6023, "G1");
  PostMessageA(dialog, WM_COMMAND, 6024, 0);
  SetField(dialog, 6026, "0");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("MERVA95"), "Number of columns must be > 0.");
  EXPECT_TRUE(IsWindow(dialog));
  SetField(dialog, 6026, "3");
  SetField(dialog, 6027, "0");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("MERVA95"), "Line length for the legend must be > 0.");
  SetField(dialog, 6027, "0.75");
  CheckButton(dialog, 6028, false);
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->legendTitle.Str(), "Gauges");
  EXPECT_EQ(d->legendText[1].Str(), "First gauge");
  EXPECT_EQ(d->curveTag[1].Str(), "G1");
  EXPECT_EQ(d->maxLegendRows, 3);
  EXPECT_DOUBLE_EQ(d->legendLineLength, 0.75);
  EXPECT_EQ(d->legendFrame, 0);
}

TEST_F(PlotDialogs, SymbolsPerCurveInInches) {
  ASSERT_TRUE(m_.Start());
  HWND dialog = m_.Open(IDM_SYMBOLS, "Symbol/Line Styles");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, 6030), "Curve 1");
  Choose(dialog, 6040, 6046, 6043);  // line type 3
  Choose(dialog, 6050, 6062, 6055);  // symbol F
  CheckButton(dialog, 6063, true);
  SetField(dialog, 6064, "0.02");
  SetField(dialog, 6065, "0.1");
  // Too wide a line is refused before the next curve is shown.
  SetField(dialog, 6066, "7");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range"), "Value must be in the range 0 to 0.5.");
  EXPECT_TRUE(IsWindow(dialog));
  SetField(dialog, 6066, "0.01");
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->lineType[1], 3);
  EXPECT_EQ(d->symbolType[1] % 256, 5);  // filled: 256 + shape
  EXPECT_EQ(d->lineWidth[1], 20);
  EXPECT_EQ(d->symbolSize[1], 100);
}

TEST_F(PlotDialogs, ScaleTypesGoThroughTheValidityCheck) {
  ASSERT_TRUE(m_.Start());
  // The example starts at X = 0: a logarithmic X axis is refused.
  PostMessageA(FindWindowA("MERVA/W", nullptr), WM_COMMAND, IDM_SCALE_BASE + 4, 0);
  const std::string refusal = m_.BoxText("MERVA95");
  EXPECT_EQ(refusal, "You cannot plot zero or negative values on a log scale.");
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->scaleType, 1);
  m_.Command(IDM_SCALE_BASE + 1);
  m_.Command(IDM_SCALE_BASE + 9);  // bar chart: the example is evenly spaced
  d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->scaleType, 9);
}

TEST_F(PlotDialogs, PhysicalSizeInMillimetres) {
  ASSERT_TRUE(m_.Start());
  HWND dialog = m_.Open(IDM_PHYSICAL_SIZE, "Set Physical Plot Size");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, 6090), "6");
  SendMessageA(GetDlgItem(dialog, 6093), BM_CLICK, 0, 0);
  EXPECT_EQ(FieldText(dialog, 6090), "152.4");
  SetField(dialog, 6090, "127");
  SetField(dialog, 6094, "0");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range"), "Value must be in the range 1 to 100.");
  SetField(dialog, 6094, "5");
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->manualTicks, 1);
  EXPECT_DOUBLE_EQ(d->plotWidth, 5.0);
  EXPECT_EQ(d->xTickCount, 5);
}

TEST_F(PlotDialogs, NumberFormatsAndPreview) {
  ASSERT_TRUE(m_.Start());
  HWND dialog = m_.Open(IDM_NUMBER_FORMATS, "Number Formats");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, 6106).rfind("Today's Date: ", 0), 0u) << FieldText(dialog, 6106);
  EXPECT_EQ(SendDlgItemMessageA(dialog, 6102, LB_GETCOUNT, 0, 0), 7);
  SendMessageA(GetDlgItem(dialog, 6101), BM_CLICK, 0, 0);  // Y axis
  SendDlgItemMessageA(dialog, 6102, LB_SETCURSEL, 1, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(6102, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, 6102)));
  EXPECT_NE(FieldText(dialog, 6105).find("E+3"), std::string::npos) << FieldText(dialog, 6105);
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->xNumberFormat, 0);
  EXPECT_EQ(d->yNumberFormat, 1);
}

TEST_F(PlotDialogs, TripartiteUserUnitsMustBePositive) {
  ASSERT_TRUE(m_.Start(WritePositivePlot));
  m_.Command(IDM_SCALE_BASE + 5);
  HWND dialog = m_.Open(IDM_UNITS, "Tripartite Grid Units");
  ASSERT_NE(dialog, nullptr);
  Choose(dialog, 6120, 6125, 6125);
  SetField(dialog, 6126, "0.5");
  SetField(dialog, 6127, "-2");
  SetField(dialog, 6128, "ft");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  // The validity check refuses the grid and falls back to log-log.
  EXPECT_EQ(m_.BoxText("MERVA95"),
            "User-defined unit conversions for a tripartite grid MUST be greater than 0.");
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->scaleType, 4);
  EXPECT_EQ(d->unitSystem, 127);
  EXPECT_EQ(d->unitFactor1, 0.5);
  EXPECT_EQ(d->unitFactor2, -2.0);
  m_.Post(IDM_SCALE_BASE + 5);
  EXPECT_EQ(m_.BoxText("MERVA95"),
            "User-defined unit conversions for a tripartite grid MUST be greater than 0.");
  dialog = m_.Open(IDM_UNITS, "Tripartite Grid Units", 1500);
  ASSERT_EQ(dialog, nullptr);  // log-log has no units
}

TEST_F(PlotDialogs, PolarDegreesAndMultipleAxes) {
  ASSERT_TRUE(m_.Start(WritePositivePlot));
  m_.Command(IDM_SCALE_BASE + 8);
  HWND dialog = m_.Open(IDM_UNITS, "Polar Coordinates Units");
  ASSERT_NE(dialog, nullptr);
  Choose(dialog, 6140, 6141, 6141);
  ASSERT_TRUE(Merva::Ok(dialog));
  m_.Command(IDM_SCALE_BASE + 1);
  dialog = m_.Open(IDM_MULTIPLE_AXES, "Multiple Axes");
  ASSERT_NE(dialog, nullptr);
  Choose(dialog, 6110, 6112, 6112);
  SendMessageA(GetDlgItem(dialog, 6024), BM_CLICK, 0, 0);  // curve 2
  EXPECT_EQ(FieldText(dialog, 6115), "Curve 2");
  Choose(dialog, 6116, 6117, 6117);
  SetField(dialog, 6114, "x");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range").rfind("Value must be in the range ", 0), 0u);
  SetField(dialog, 6114, "2.5");
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->yAxisMode, 2);
  EXPECT_EQ(d->curveAxis[1], 1);
  EXPECT_EQ(d->curveAxis[2], 2);
}

TEST_F(PlotDialogs, NoteTextAndSwitches) {
  ASSERT_TRUE(m_.Start());
  HWND dialog = m_.Open(IDM_NOTE, "Note");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, 6160, "Peak at\r\n12 msec");
  CheckButton(dialog, 6161, true);
  CheckButton(dialog, 6162, false);
  SetField(dialog, 6164, "99");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range"), "Value must be in the range 1 to 40.");
  SetField(dialog, 6164, "4");
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->note.text, "Peak at\r\n12 msec");
  EXPECT_EQ(d->note.attribute1 & 7, 1 | 2);
  EXPECT_EQ(d->note.attribute2, 4);
}

TEST_F(PlotDialogs, FillBetweenCurvesWithAUserPattern) {
  ASSERT_TRUE(m_.Start(WritePositivePlot));
  HWND dialog = m_.Open(IDM_FILL, "Fill Between Curves");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, 6190), "1");
  SetField(dialog, 6191, "1");
  SetField(dialog, 6192, "3");  // the plot has 2 curves
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range"), "Value must be in the range 1 to 2.");
  SetField(dialog, 6192, "2");
  SetField(dialog, 6193, "255");
  SetField(dialog, 6194, "128");
  SetField(dialog, 6195, "0");
  Choose(dialog, 6200, 6207, 6207);
  SetField(dialog, 6196, "AA 55 AA");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("MERVA95"), "The user pattern needs 8 hexadecimal bytes.");
  SetField(dialog, 6196, "AA 55 AA 55 AA 55 AA 55");
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  ASSERT_EQ(d->fillRegions.size(), 1u);
  const FillRegion& f = d->fillRegions[0];
  EXPECT_EQ(f.first, 1);
  EXPECT_EQ(f.second, 2);
  EXPECT_EQ(f.color, 0x0080FF);
  EXPECT_EQ(f.kind, FILL_KIND_PATTERN);
  EXPECT_EQ(f.pattern[0], 0xAA);
  EXPECT_EQ(f.pattern[7], 0x55);
  // Deleting the only fill leaves none.
  dialog = m_.Open(IDM_FILL, "Fill Between Curves");
  ASSERT_NE(dialog, nullptr);
  SendMessageA(GetDlgItem(dialog, 6197), BM_CLICK, 0, 0);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(PlotDialogs, PointLabelPlacedByClicking) {
  ASSERT_TRUE(m_.Start(WritePositivePlot));
  HWND dialog = m_.Open(IDM_ADD_LABEL, "Label which point?");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, 6210, "1");
  SetField(dialog, 6211, "999");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range"), "Value must be in the range 1 to 4.");
  SetField(dialog, 6211, "3");
  ASSERT_TRUE(Merva::Ok(dialog));
  HWND document = m_.Document();
  ASSERT_NE(document, nullptr);
  RECT client{};
  GetClientRect(document, &client);
  PostMessageA(document, WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(client.right / 2, client.bottom / 2));
  HWND text = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (text = DialogOfProcess(m_.Pid(), "Label a Data Point")) != nullptr; }, 5000));
  EXPECT_EQ(FieldText(text, 6216), "Curve 1, point 3");
  SetField(text, 6212, "Peak $Y");
  CheckButton(text, 6214, true);
  ASSERT_TRUE(Merva::Ok(text));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  ASSERT_EQ(d->pointLabels.size(), 1u);
  EXPECT_EQ(d->pointLabels[0].curve, 1);
  EXPECT_EQ(d->pointLabels[0].point, 3);
  EXPECT_EQ(d->pointLabels[0].text.Str(), "Peak $Y");
  EXPECT_EQ(d->pointLabels[0].attributes, 4);
  // The click lies inside the plotted window.
  EXPECT_GT(d->pointLabels[0].x, 0.0);
  EXPECT_LT(d->pointLabels[0].x, 10.0);
  dialog = m_.Open(IDM_DELETE_LABEL, "Label which point?");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, 6211), "3");
  ASSERT_TRUE(Merva::Ok(dialog));
  d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_TRUE(d->pointLabels.empty());
}

TEST_F(PlotDialogs, FontsAndColorsOpenTheSystemChoosers) {
  ASSERT_TRUE(m_.Start());
  HWND dialog = m_.Open(IDM_FONTS, "Fonts");
  ASSERT_NE(dialog, nullptr);
  PostMessageA(dialog, WM_COMMAND, 6152, 0);  // 1st Title
  HWND chooser = nullptr;
  EXPECT_TRUE(
      WaitUntil([&] { return (chooser = DialogOfProcess(m_.Pid(), "Font")) != nullptr; }, 5000));
  if (chooser) {
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    WaitUntil([&] { return !IsWindow(chooser); }, 5000);
  }
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  WaitUntil([&] { return !IsWindow(dialog); }, 5000);
  dialog = m_.Open(IDM_PRINTER_COLORS, "Select Printer Colors");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendDlgItemMessageA(dialog, 6170, BM_GETCHECK, 0, 0), BST_CHECKED);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  WaitUntil([&] { return !IsWindow(dialog); }, 5000);
  dialog = m_.Open(IDM_DISPLAY_COLORS, "Select Display Colors");
  ASSERT_NE(dialog, nullptr);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// The legend pop-up's Font... (right-click on the legend) has its chooser too.
TEST_F(PlotDialogs, LegendPopupFontOpensTheFontChooser) {
  ASSERT_TRUE(m_.Start());
  HWND chooser = m_.Open(4354, "Font");
  ASSERT_NE(chooser, nullptr);
  PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }, 5000));
}

// The "color" list of the settings written at exit.
std::string StoredScreenColors(Merva& m) {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string ini = std::string(windows) + "\\mervaw.ini";
  DeleteFileA(ini.c_str());
  m.Post(4114);  // Exit
  if (!WaitUntil([&] { return FileExists(ini) && !FindWindowOfProcess(m.Pid(), "MERVA/W"); },
                 10000))
    return "(no settings written)";
  Sleep(300);
  char list[512] = {};
  GetPrivateProfileStringA("Colors", "color", "", list, sizeof list, ini.c_str());
  return list;
}

// Picks a colour for entry 3 in the system chooser, typing its values.
void ChooseThirdColor(Merva& m, HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, 6172, 0);  // &3
  PostMessageA(dialog, WM_COMMAND, 6187, 0);  // C&hange...
  HWND chooser = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (chooser = DialogOfProcess(m.Pid(), "Color")) != nullptr; }, 5000));
  SetDlgItemTextA(chooser, 706, "18");  // red
  SetDlgItemTextA(chooser, 707, "52");  // green
  SetDlgItemTextA(chooser, 708, "86");  // blue
  Sleep(300);
  PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }, 5000));
}

TEST_F(PlotDialogs, ColorPreviewIsTakenBackByCancel) {
  {
    Merva m;
    ASSERT_TRUE(m.Start());
    HWND dialog = m.Open(IDM_DISPLAY_COLORS, "Select Display Colors");
    ASSERT_NE(dialog, nullptr);
    ChooseThirdColor(m, dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
    const std::string colors = StoredScreenColors(m);
    EXPECT_EQ(colors.find("00563412"), std::string::npos) << colors;
    EXPECT_NE(colors.find("00AA00FF"), std::string::npos) << colors;  // the third default
  }
  {
    Merva m;
    ASSERT_TRUE(m.Start());
    HWND dialog = m.Open(IDM_DISPLAY_COLORS, "Select Display Colors");
    ASSERT_NE(dialog, nullptr);
    ChooseThirdColor(m, dialog);
    ASSERT_TRUE(Merva::Ok(dialog));
    const std::string colors = StoredScreenColors(m);
    EXPECT_NE(colors.find("00563412"), std::string::npos) << colors;
  }
}

TEST_F(PlotDialogs, ManualScaleFromTheCommandLanguageOpensNoDialog) {
  ASSERT_TRUE(m_.Start(WritePositivePlot));
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[ManualScale(1,2,3,4)]"), 0x8000);
  EXPECT_EQ(DialogOfProcess(m_.Pid(), "Manual Scaling"), nullptr);
  client.Terminate();
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->manualScale, 1);
  EXPECT_EQ(d->manualLimits.xLow, 1.0);
  EXPECT_EQ(d->manualLimits.yLow[0], 2.0);
  EXPECT_EQ(d->manualLimits.xHigh, 3.0);
  EXPECT_EQ(d->manualLimits.yHigh[0], 4.0);
}

TEST_F(PlotDialogs, SecondaryAxisTransformAndGrainSizeUnits) {
  ASSERT_TRUE(m_.Start(WritePositivePlot));
  HWND dialog = m_.Open(IDM_MULTIPLE_AXES, "Multiple Axes");
  ASSERT_NE(dialog, nullptr);
  Choose(dialog, 6110, 6112, 6111);
  SetField(dialog, 6113, "-3.5");
  SetField(dialog, 6114, "0.25");
  ASSERT_TRUE(Merva::Ok(dialog));
  m_.Command(IDM_SCALE_BASE + 7);  // grain size: Y 10..80 lies in 0..100
  dialog = m_.Open(IDM_UNITS, "Grain Size Units");
  ASSERT_NE(dialog, nullptr);
  Choose(dialog, 6130, 6132, 6132);
  SetField(dialog, 6133, "0.001");
  SetField(dialog, 6134, "microns");
  ASSERT_TRUE(Merva::Ok(dialog));
  auto d = m_.Saved();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->scaleType, 7);
  EXPECT_EQ(d->unitSystem, 127);
  EXPECT_EQ(d->unitFactor1, 0.001);
  EXPECT_EQ(d->unitLabel1.Str(), "microns");
  EXPECT_EQ(d->yAxisMode, 1);
  EXPECT_EQ(d->y2Offset, -3.5);
  EXPECT_EQ(d->y2Factor, 0.25);
}

// Not in the plot file: the dialogs show it back while the plot is open.
TEST_F(PlotDialogs, SecondaryXAxisRefusesBadFactorsAndKeepsItsTitle) {
  ASSERT_TRUE(m_.Start(WritePositivePlot));
  HWND dialog = m_.Open(IDM_MULTIPLE_AXES, "Multiple Axes");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(IsDlgButtonChecked(dialog, 6118), static_cast<UINT>(BST_CHECKED));
  Choose(dialog, 6118, 6119, 6119);
  SetField(dialog, 6108, "1.5");
  SetField(dialog, 6109, "abc");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  const std::string refusal = m_.BoxText("Out of range");
  EXPECT_EQ(refusal.rfind("Value must be in the range ", 0), 0u) << refusal;
  EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog));
  SetField(dialog, 6109, "1e300");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(m_.BoxText("Out of range").rfind("Value must be in the range ", 0), 0u);
  SetField(dialog, 6109, "-2");
  ASSERT_TRUE(Merva::Ok(dialog));
  dialog = m_.Open(IDM_MULTIPLE_AXES, "Multiple Axes");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(IsDlgButtonChecked(dialog, 6119), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, 6118), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(FieldText(dialog, 6108), "1.5");
  EXPECT_EQ(FieldText(dialog, 6109), "-2");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  WaitUntil([&] { return !IsWindow(dialog); }, 5000);

  dialog = m_.Open(IDM_TITLES, "Titles/Axes");
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, 6007, "Minutes");
  ASSERT_TRUE(Merva::Ok(dialog));
  dialog = m_.Open(IDM_TITLES, "Titles/Axes");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, 6007), "Minutes");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  WaitUntil([&] { return !IsWindow(dialog); }, 5000);
}

}  // namespace
}  // namespace merva::test
