#include "files/preferences.h"

#include <gtest/gtest.h>

#include "files/ini_profile.h"

namespace merva {
namespace {

PlotDocument NewDocument() {
  PlotDocument d;
  SetCompiledDefaults(d);
  return d;
}

std::string SavedText(const PlotDocument& d, const ProgramSettings& s) {
  IniProfile ini;
  EXPECT_TRUE(SavePreferences(ini, d, s).Ok());
  return ini.Text();
}

PlotDocument Styled() {
  PlotDocument d = NewDocument();
  d.title1.Set("Acceleration record");
  d.title2.Set("'quoted'");
  d.title3.Set("  indented");
  d.xAxisLabel.Set("Time, s");
  d.yAxisLabel.Set("Acceleration, g");
  d.y2AxisLabel.Set("Velocity");
  for (int c = 1; c <= MAX_CURVE_SLOTS; ++c) {
    d.legendText[c].Set("Curve " + std::to_string(c));
    d.curveTag[c].Set("T" + std::to_string(c));
  }
  for (int c = 1; c <= 20; ++c) {
    d.lineType[c] = c % 7;
    d.symbolType[c] = c % 13;
    d.lineWidth[c] = 10 * c;
    d.symbolSize[c] = 50 + c;
    d.curveAxis[c] = 1 + c % 4;
  }
  d.scaleType = SCALE_TRIPARTITE;
  d.unitSystem = USER_UNITS;
  d.unitFactor1 = 386.1;
  d.unitFactor2 = 2.54;
  d.unitLabel1.Set("in/s");
  d.unitLabel2.Set("cm");
  d.gridType = 0;
  d.manualTicks = 1;
  d.plotWidth = 8.5;
  d.plotHeight = 5.5;
  d.xTickCount = 10;
  d.yTickCount = 4;
  d.yAxisMode = 1;
  d.y2Offset = -3.5;
  d.y2Factor = 1e-6;
  d.fontColors[3] = 0x0000FF;
  d.fonts[5].SetFaceName("Courier New");
  d.fonts[5].height = 9;
  d.legendLineLength = 1.25;
  d.maxLegendRows = 4;
  d.legendFrame = 0;
  d.legendOpaque = 0;
  d.wysiwyg = 0;
  d.dateAxis = 1;
  return d;
}

TEST(PreferencesLayout, KeysAndFields) {
  ProgramSettings s = DefaultProgramSettings();
  const std::string text = SavedText(Styled(), s);
  IniProfile ini(text);
  std::string v;
  ASSERT_TRUE(ini.Get("Labels", "Legend01", v));
  EXPECT_EQ(v, "Curve 1");
  ASSERT_TRUE(ini.Get("Labels", "Legend09", v));
  ASSERT_TRUE(ini.Get("Labels", "Legend99", v));
  ASSERT_TRUE(ini.Get("Labels", "Legend100", v));
  EXPECT_EQ(v, "Curve 100");
  ASSERT_TRUE(ini.Get("Labels", "Label05", v));
  EXPECT_EQ(v, "T5");
  EXPECT_FALSE(ini.Get("Labels", "Legend1", v));
  ASSERT_TRUE(ini.Get("Labels", "YAxis2", v));
  EXPECT_EQ(v, "Velocity");
  ASSERT_TRUE(ini.Get("Format", "scaling", v));
  EXPECT_EQ(v, "32517");
  ASSERT_TRUE(ini.Get("Format", "YAxisType", v));
  EXPECT_EQ(v, "01");
  ASSERT_TRUE(ini.Get("Format", "YPoly1", v));
  EXPECT_EQ(v, "-3.5000000");
  ASSERT_TRUE(ini.Get("Format", "YPoly2", v));
  EXPECT_EQ(v, "0.10000000E-05");
  ASSERT_TRUE(ini.Get("Format", "AxisNum", v));
  EXPECT_EQ(v, "2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1");
  EXPECT_NE(text.find("\r\nYPoly1=-3.5000000    \r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nLineLength=1.25000    \r\n"), std::string::npos);
  ASSERT_TRUE(ini.Get("Format", "UserSize", v));
  EXPECT_EQ(v, "1");
  ASSERT_TRUE(ini.Get("Legend", "LineLength", v));
  EXPECT_EQ(v, "1.25000");
  ASSERT_TRUE(ini.Get("Flags", "Date", v));
  EXPECT_EQ(v, "1");
  ASSERT_TRUE(ini.Get("Flags", "debug", v));
  ASSERT_TRUE(ini.Get("ToolBar", "Columns", v));
  EXPECT_EQ(v, "0x0003");
  // Keys of the settings file that preferences do not carry.
  EXPECT_FALSE(ini.Get("Format", "densegrid", v));
  EXPECT_FALSE(ini.Get("Arrays", "numcurves", v));
  EXPECT_FALSE(ini.Get("Flags", "SavePrompt", v));
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Styles", "Labels", "Format", "Colors",
                                                      "Fonts", "Legend", "Flags", "ToolBar"}));
}

TEST(PreferencesRoundTrip, AnotherDocumentTakesTheLook) {
  ProgramSettings s = DefaultProgramSettings();
  s.screenColors[2] = 0xABCDEF;
  s.toolBarX = -30;
  s.axisLineWidth = 33;
  const PlotDocument source = Styled();
  const std::string text = SavedText(source, s);

  IniProfile ini(text);
  PlotDocument target = NewDocument();
  ProgramSettings t = DefaultProgramSettings();
  EXPECT_TRUE(GetPreferences(ini, target, t));
  EXPECT_EQ(target.changed, 1);
  EXPECT_EQ(SavedText(target, t), text);
  EXPECT_EQ(target.title2.Str(), "'quoted'");
  EXPECT_EQ(target.title3.Str(), "  indented");
  EXPECT_EQ(target.legendText[100].Str(), "Curve 100");
  EXPECT_EQ(target.curveTag[42].Str(), "T42");
  EXPECT_EQ(target.lineWidth[20], 200);
  EXPECT_EQ(target.lineWidth[21], 0);
  EXPECT_EQ(target.curveAxis[3], 4);
  EXPECT_EQ(target.scaleType, SCALE_TRIPARTITE);
  EXPECT_EQ(target.unitSystem, USER_UNITS);
  EXPECT_EQ(target.y2Factor, 1e-6);
  EXPECT_EQ(target.fonts, source.fonts);
  EXPECT_EQ(target.fontColors, source.fontColors);
  EXPECT_EQ(t.screenColors[2], 0xABCDEFu);
  EXPECT_EQ(t.toolBarX, -30);
  EXPECT_EQ(t.axisLineWidth, 33);
  EXPECT_EQ(target.legendFrame, 0);
  EXPECT_EQ(target.dateAxis, 1);
}

TEST(PreferencesRead, OnlyTitle1ChangesOnlyTitle1) {
  ProgramSettings s = DefaultProgramSettings();
  PlotDocument d = Styled();
  const std::string before = SavedText(d, s);
  IniProfile ini("[Labels]\r\nTitle1=New title\r\n");
  EXPECT_TRUE(GetPreferences(ini, d, s));
  EXPECT_EQ(d.title1.Str(), "New title");
  PlotDocument expected = Styled();
  expected.title1.Set("New title");
  EXPECT_EQ(SavedText(d, s), SavedText(expected, DefaultProgramSettings()));
  EXPECT_NE(SavedText(d, s), before);
}

TEST(PreferencesRead, CurveKeysWithTwoOrMoreDigits) {
  ProgramSettings s = DefaultProgramSettings();
  PlotDocument d = NewDocument();
  IniProfile ini(
      "[Labels]\nLegend05=fifth\nLabel05=ABCDEFGH\nLegend100=last\nlegend07=seventh\n"
      "Legend5=ignored\nLegend101=ignored\n");
  GetPreferences(ini, d, s);
  EXPECT_EQ(d.legendText[5].Str(), "fifth");
  EXPECT_EQ(d.curveTag[5].Str(), "ABCDE");
  EXPECT_EQ(d.legendText[100].Str(), "last");
  EXPECT_EQ(d.legendText[7].Str(), "seventh");
  EXPECT_TRUE(d.legendText[4].IsBlank());
}

TEST(PreferencesRead, MissingEmptyAndBadKeysKeepTheDocument) {
  ProgramSettings s = DefaultProgramSettings();
  PlotDocument d = Styled();
  const std::string before = SavedText(d, s);
  IniProfile ini(
      "[Labels]\nTitle1=\nXAxis=   \n[Format]\nscaling=0\ngridtype=9\nYAxisType=3\n"
      "AxisNum=0,5,x\nwidth=-2\nYPoly2=zz\n[Legend]\nMaxRows=-1\nFrame=yes\n"
      "[Fonts]\nFont1=0,1,2\n[Colors]\ncolor=GGGGGG\n[Styles]\nlines=7,8,9\n");
  EXPECT_FALSE(GetPreferences(ini, d, s));
  EXPECT_EQ(d.changed, 0);
  EXPECT_EQ(SavedText(d, s), before);
}

TEST(PreferencesRead, AFileThatIsNotIniChangesNothing) {
  ProgramSettings s = DefaultProgramSettings();
  PlotDocument d = Styled();
  const std::string before = SavedText(d, s);
  std::string bytes = "\x89PNG\r\n\x1a\n";
  for (int i = 0; i < 20000; ++i) bytes += static_cast<char>((i * 31 + 7) % 251);
  bytes += std::string(100000, 'A');
  IniProfile ini(bytes);
  EXPECT_FALSE(GetPreferences(ini, d, s));
  EXPECT_EQ(d.changed, 0);
  EXPECT_EQ(SavedText(d, s), before);
}

TEST(PreferencesRead, OverLongTextsAreCutToTheirFields) {
  ProgramSettings s = DefaultProgramSettings();
  PlotDocument d = NewDocument();
  const std::string longText(100000, 'w');
  IniProfile ini("[Labels]\nTitle1=" + longText + "\nXAxis=" + longText + "\nLegend01=" + longText +
                 "\n");
  GetPreferences(ini, d, s);
  EXPECT_EQ(d.title1.Str(), std::string(80, 'w'));
  EXPECT_EQ(d.xAxisLabel.Str(), std::string(160, 'w'));
  EXPECT_EQ(d.legendText[1].Str(), std::string(40, 'w'));
}

}  // namespace
}  // namespace merva
