#include "files/settings.h"

#include <gtest/gtest.h>

#include "core/document_table.h"
#include "files/ini_profile.h"

namespace merva {
namespace {

std::string Saved(const ProgramSettings& settings) {
  IniProfile ini;
  EXPECT_TRUE(SaveProgramSettings(ini, settings).Ok());
  return ini.Text();
}

ProgramSettings Loaded(const std::string& text) {
  IniProfile ini(text);
  ProgramSettings settings = DefaultProgramSettings();
  LoadProgramSettings(ini, settings);
  return settings;
}

std::string Value(const std::string& text, const char* section, const char* key) {
  IniProfile ini(text);
  std::string value;
  ini.Get(section, key, value);
  return value;
}

TEST(ProgramSettingsDefaults, FirstDocumentWithoutASettingsFile) {
  const ProgramSettings settings = Loaded("");
  DocumentTable table;
  Status status;
  const int slot = table.Open(settings.numCurves, settings.numPoints, status, ApplyProgramSettings,
                              const_cast<ProgramSettings*>(&settings));
  ASSERT_EQ(slot, 1);
  const PlotDocument& d = table.Document(slot);
  EXPECT_EQ(d.maxCurves, 100);
  EXPECT_EQ(d.maxPoints, 1000);
  EXPECT_EQ(d.legendFrame, 1);
  EXPECT_EQ(d.legendOpaque, 1);
  EXPECT_EQ(d.maxLegendRows, 10);
  EXPECT_EQ(d.xTickCount, 6);
  EXPECT_EQ(d.yTickCount, 6);
  EXPECT_TRUE(settings.savePrompt);
  EXPECT_EQ(d.wysiwyg, 1);
  EXPECT_EQ(d.gridType, 1);
  EXPECT_EQ(d.scaleType, SCALE_LINEAR_LINEAR);
  EXPECT_DOUBLE_EQ(d.legendLineLength, 0.5);
  EXPECT_EQ(d.fonts, DefaultDocumentFonts());
  EXPECT_EQ(d.lineType[1], 1);
  EXPECT_EQ(settings.version, "0.0");
  EXPECT_EQ(settings.userFilter, "*.grf");
  EXPECT_EQ(settings.userFilter2, "*.dat");
  EXPECT_EQ(settings.pictureWidth, 15240);
  EXPECT_EQ(settings.pictureHeight, 11430);
  EXPECT_EQ(settings.bitmapWidth, 640);
  EXPECT_EQ(settings.bitmapHeight, 480);
  EXPECT_EQ(settings.toolBarColumns, 3);
  EXPECT_EQ(settings.fftOption, 1);
  EXPECT_FALSE(settings.hasPosition);
  EXPECT_TRUE(settings.recentFiles.empty());
}

TEST(ProgramSettingsDefaults, ColourTables) {
  const ProgramSettings s = DefaultProgramSettings();
  EXPECT_EQ(s.screenColors[0], 0x0000FFu);
  EXPECT_EQ(s.screenColors[3], 0xFF00FFu);
  EXPECT_EQ(s.screenColors[15], 0x0055FFu);
  EXPECT_EQ(s.printerColors[0], 0x000000u);
  EXPECT_EQ(s.printerColors[1], 0x0D0D0Du);
  EXPECT_EQ(s.printerColors[15], 0xC3C3C3u);
  EXPECT_EQ(CurveColor(s.screenColors, 17), 0x0000FFu);
  EXPECT_EQ(CurveColor(s.screenColors, 16), 0x0055FFu);
  EXPECT_EQ(DefaultProgramSettings(true).fontColors[6], 0xFFFFFFu);
  EXPECT_EQ(DefaultProgramSettings(false).fontColors[0], 0x000000u);
}

TEST(ProgramSettingsArrays, CapacitiesAreClamped) {
  EXPECT_EQ(Loaded("[Arrays]\nnumcurves=250\nnumpoints=0\n").numCurves, 100);
  EXPECT_EQ(Loaded("[Arrays]\nnumcurves=250\nnumpoints=0\n").numPoints, 1000);
  EXPECT_EQ(Loaded("[Arrays]\nnumcurves=0\nnumpoints=1\n").numCurves, 100);
  EXPECT_EQ(Loaded("[Arrays]\nnumcurves=150\nnumpoints=1\n").numPoints, 1000);
  EXPECT_EQ(Loaded("[Arrays]\nnumcurves=-3\nnumpoints=-7\n").numPoints, 1000);
  const ProgramSettings s = Loaded("[Arrays]\nnumcurves=  20\nnumpoints=         2\n");
  EXPECT_EQ(s.numCurves, 20);
  EXPECT_EQ(s.numPoints, 2);
  EXPECT_EQ(Loaded("[Arrays]\nnumcurves=100\nnumpoints=250000\n").numPoints, 250000);
}

TEST(ProgramSettingsLayout, ValuesAreWrittenInTheirFields) {
  ProgramSettings s = DefaultProgramSettings();
  s.hasPosition = true;
  s.windowLeft = 10;
  s.windowTop = -4;
  s.windowWidth = 640;
  s.windowHeight = 480;
  s.lineTypes[1] = 3;
  s.recentFiles = {"c:\\b.grf", "c:\\a.grf"};
  s.toolBarX = -5;
  const std::string text = Saved(s);
  // The store drops the blanks ahead of a value, as the system does.
  EXPECT_EQ(Value(text, "Position", "pos"), "10,        -4,       640,       480");
  EXPECT_EQ(Value(text, "Styles", "lines"),
            "1, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1");
  EXPECT_EQ(Value(text, "Styles", "symbols").size(), 20u * 3 - 2);
  EXPECT_EQ(Value(text, "Styles", "line width"),
            "10,     0,     0,     0,     0,     0,     0,     0,     0,     0,     0,     0,"
            "     0,     0,     0,     0,     0,     0,     0,     0,     0,     0");
  EXPECT_EQ(Value(text, "Styles", "symbol size").size(), 20u * 7 - 6);
  EXPECT_EQ(Value(text, "Format", "scaling"), "1");
  EXPECT_EQ(Value(text, "Format", "unit conversion 1"), "1.0000000");  // blanks trimmed on reading
  EXPECT_EQ(Value(text, "Format", "width"), "6.0000000");
  EXPECT_EQ(Value(text, "Format", "XTicks"), "6");
  EXPECT_EQ(Value(text, "Format", "UserSize"), "0");
  EXPECT_EQ(Value(text, "Format", "DelineateThousands"), "0");
  EXPECT_EQ(Value(text, "Arrays", "numpoints"), "1000");
  EXPECT_EQ(Value(text, "Files", "UserFilter"), "*.grf");
  EXPECT_EQ(Value(text, "Files", "Open1"), "c:\\b.grf");
  EXPECT_EQ(Value(text, "Files", "Open2"), "c:\\a.grf");
  EXPECT_EQ(Value(text, "Colors", "color"),
            "000000FF,005500FF,00AA00FF,00FF00FF,00FF00AA,00FF0055,00FF0000,00FF5500,"
            "00FFAA00,00FFFF00,0055FF00,0000FF00,0000FFAA,0000FFFF,0000AAFF,000055FF");
  EXPECT_EQ(Value(text, "Colors", "gray").substr(0, 18), "00000000,000D0D0D,");
  EXPECT_EQ(Value(text, "Colors", "Font1"), "00000000");
  EXPECT_EQ(Value(text, "Fonts", "Font2"),
            "18,   0,   0,   0, 700,   0,   0,   0,   0,   4,  48,   2,  34,  65, 114, 105,  97,"
            " 108,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,"
            "   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0");
  EXPECT_EQ(Value(text, "Legend", "LineLength"), "0.500000");
  EXPECT_EQ(Value(text, "Legend", "MaxRows"), "10");
  EXPECT_EQ(Value(text, "ToolBar", "Style"), "0x0000");
  EXPECT_EQ(Value(text, "ToolBar", "X"), "0xFFFFFFFB");
  EXPECT_EQ(Value(text, "ToolBar", "Columns"), "0x0003");
  EXPECT_EQ(Value(text, "Clipboard", "PictureW"), "0x3B88");
  EXPECT_EQ(Value(text, "Clipboard", "BitmapH"), "0x01E0");
  EXPECT_EQ(Value(text, "Data Processing", "Font3").substr(0, 4), "14, ");
  EXPECT_EQ(Value(text, "Data Processing", "FFTOption"), "0x0001");
  EXPECT_EQ(Value(text, "Version", "version"), "0.0");
}

TEST(ProgramSettingsLayout, ExactLinesOfTheFile) {
  const std::string text = Saved(DefaultProgramSettings());
  EXPECT_NE(text.find("[Arrays]\r\nnumcurves=100\r\nnumpoints=1000\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nunit conversion 2=1.0000000    \r\n"), std::string::npos);
  EXPECT_NE(text.find("[Flags]\r\nStatus Bar=1\r\nMaximized=0\r\nSavePrompt=1\r\nWYSIWYG=1\r\n"
                      "Date=0\r\nPrintFileName=0\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[Legend]\r\nLineLength=0.500000    \r\nMaxRows=10\r\nFrame=1\r\n"
                      "Opaque=1\r\nUseFileName=0\r\n"),
            std::string::npos);
}

TEST(ProgramSettingsLayout, ReadOnlyKeysAreNeverWritten) {
  ProgramSettings s =
      Loaded("[Flags]\ndebug=1\n[Styles]\nPatternLengthMM=4.5\n[Debugging]\nUseMERVAClipping=1\n");
  EXPECT_TRUE(s.debug);
  EXPECT_DOUBLE_EQ(s.patternLengthMM, 4.5);
  EXPECT_TRUE(s.useMervaClipping);
  s.programDir = "C:\\MERVA";
  const std::string text = Saved(s);
  IniProfile ini(text);
  std::string value;
  EXPECT_FALSE(ini.Get("Flags", "debug", value));
  EXPECT_FALSE(ini.Get("Styles", "PatternLengthMM", value));
  EXPECT_FALSE(ini.Get("Debugging", "UseMERVAClipping", value));
  EXPECT_TRUE(ini.Get("Files", "ProgramDir", value));
  EXPECT_EQ(value, "C:\\MERVA");
  // Written only: never read back into the record.
  EXPECT_EQ(Loaded(text).programDir, "");
}

TEST(ProgramSettingsLayout, NoPositionUntilOneIsKnown) {
  EXPECT_EQ(Value(Saved(DefaultProgramSettings()), "Position", "pos"), "");
}

ProgramSettings Unusual() {
  ProgramSettings s = DefaultProgramSettings();
  s.version = "4.20";
  s.hasPosition = true;
  s.windowLeft = -8;
  s.windowTop = 12;
  s.windowWidth = 1024;
  s.windowHeight = 700;
  for (int i = 0; i < STYLE_CURVES; ++i) {
    s.lineTypes[static_cast<std::size_t>(i)] = i % 7;
    s.symbolTypes[static_cast<std::size_t>(i)] = (i * 5) % 13;
    s.lineWidths[static_cast<std::size_t>(i)] = i * 3;
    s.symbolSizes[static_cast<std::size_t>(i)] = 100 + i;
  }
  s.axisLineWidth = 25;
  s.gridLineWidth = 7;
  s.scaling = 5 + 256 * 127;
  s.unitFactor1 = 0.0254;
  s.unitFactor2 = 1.0 / 3.0;
  s.unitLabel1 = "in/s";
  s.unitLabel2 = "'g'";
  s.gridType = 2;
  s.denseGrid = 1;
  s.userSize = true;
  s.plotWidth = 7.25;
  s.plotHeight = 4.125;
  s.xTicks = 8;
  s.yTicks = 12;
  s.delineateThousands = true;
  s.numCurves = 20;
  s.numPoints = 50000;
  s.defaultPath = "C:\\Data Files";
  s.preferencesDir = "  D:\\prefs";
  s.userFilter = "*.txt";
  s.userFilter2 = "*.csv";
  s.recentFiles = {"C:\\d.grf", "C:\\c.grf", "C:\\b.grf", "C:\\a.grf"};
  s.screenColors[4] = 0x123456;
  s.printerColors[15] = 0xFFFFFF;
  s.fontColors[2] = 0x00FF00;
  s.statusBar = false;
  s.maximized = true;
  s.savePrompt = false;
  s.wysiwyg = false;
  s.dateAxis = true;
  s.printFileName = true;
  s.fonts[1].height = 24;
  s.fonts[1].italic = 1;
  s.fonts[1].SetFaceName("Times New Roman");
  s.fonts[4].escapement = 900;
  s.legendLineLength = 0.75;
  s.maxLegendRows = 25;
  s.legendFrame = false;
  s.legendOpaque = false;
  s.legendUseFileName = true;
  s.toolBarVisible = false;
  s.toolBarStyle = 0x1234;
  s.toolBarX = -20;
  s.toolBarY = 300;
  s.toolBarColumns = 2;
  s.pictureWidth = 25400;
  s.pictureHeight = 19050;
  s.bitmapWidth = 1024;
  s.bitmapHeight = 768;
  s.processingFonts[0].SetFaceName("Courier New");
  s.mervaLabels = false;
  s.fftOption = 6;
  return s;
}

TEST(ProgramSettingsRoundTrip, ReadWriteReadKeepsEveryValue) {
  const ProgramSettings s = Unusual();
  const std::string first = Saved(s);
  const ProgramSettings back = Loaded(first);
  EXPECT_EQ(Saved(back), first);
  EXPECT_EQ(back.version, "4.20");
  EXPECT_TRUE(back.hasPosition);
  EXPECT_EQ(back.windowLeft, -8);
  EXPECT_EQ(back.windowHeight, 700);
  EXPECT_EQ(back.lineTypes, s.lineTypes);
  EXPECT_EQ(back.symbolTypes, s.symbolTypes);
  EXPECT_EQ(back.lineWidths, s.lineWidths);
  EXPECT_EQ(back.symbolSizes, s.symbolSizes);
  EXPECT_EQ(back.axisLineWidth, 25);
  EXPECT_EQ(back.gridLineWidth, 7);
  EXPECT_EQ(back.scaling, 5 + 256 * 127);
  EXPECT_DOUBLE_EQ(back.unitFactor1, 0.0254);
  EXPECT_NEAR(back.unitFactor2, 1.0 / 3.0, 1e-8);
  EXPECT_EQ(back.unitLabel2, "'g'");
  EXPECT_EQ(back.preferencesDir, "  D:\\prefs");
  EXPECT_EQ(back.defaultPath, "C:\\Data Files");
  EXPECT_EQ(back.recentFiles, s.recentFiles);
  EXPECT_EQ(back.screenColors, s.screenColors);
  EXPECT_EQ(back.printerColors, s.printerColors);
  EXPECT_EQ(back.fontColors, s.fontColors);
  EXPECT_EQ(back.fonts, s.fonts);
  EXPECT_EQ(back.fonts[1].FaceName(), "Times New Roman");
  EXPECT_EQ(back.processingFonts, s.processingFonts);
  EXPECT_FALSE(back.savePrompt);
  EXPECT_TRUE(back.dateAxis);
  EXPECT_EQ(back.toolBarStyle, 0x1234);
  EXPECT_EQ(back.toolBarX, -20);
  EXPECT_EQ(back.numPoints, 50000);
  EXPECT_EQ(back.fftOption, 6);
  EXPECT_FALSE(back.mervaLabels);
  EXPECT_DOUBLE_EQ(back.legendLineLength, 0.75);
}

TEST(ProgramSettingsRoundTrip, SavingOverAnOldFileDropsStaleRecentFiles) {
  IniProfile ini("[Files]\nOpen1=a\nOpen2=b\nOpen3=c\nOpen4=d\n[Other]\nkept=1\n");
  ProgramSettings s = DefaultProgramSettings();
  LoadProgramSettings(ini, s);
  EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"a", "b", "c", "d"}));
  s.recentFiles = {"z"};
  ASSERT_TRUE(SaveProgramSettings(ini, s).Ok());
  std::string value;
  EXPECT_TRUE(ini.Get("Files", "Open1", value));
  EXPECT_FALSE(ini.Get("Files", "Open2", value));
  EXPECT_FALSE(ini.Get("Files", "Open4", value));
  EXPECT_TRUE(ini.Get("Other", "kept", value));
}

TEST(ProgramSettingsRead, RecentFilesNewestFirstWithoutDuplicates) {
  const ProgramSettings s = Loaded("[Files]\nOpen4=d.grf\nOpen2=B.GRF\nOpen1=b.grf\nOpen3=\n");
  EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"b.grf", "d.grf"}));
  ProgramSettings t = DefaultProgramSettings();
  for (const char* f : {"1", "2", "3", "4", "5", "3"}) AddRecentFile(t, f);
  EXPECT_EQ(t.recentFiles, (std::vector<std::string>{"3", "5", "4", "2"}));
}

TEST(ProgramSettingsRead, ListsArePositional) {
  const ProgramSettings s = Loaded("[Styles]\nlines=2,,4 5,x,9,6\nsymbols=12 13 -1 3\n");
  EXPECT_EQ(s.lineTypes[0], 2);
  EXPECT_EQ(s.lineTypes[1], 1);  // empty: kept
  EXPECT_EQ(s.lineTypes[2], 4);
  EXPECT_EQ(s.lineTypes[3], 5);
  EXPECT_EQ(s.lineTypes[4], 1);  // unreadable
  EXPECT_EQ(s.lineTypes[5], 1);  // out of range
  EXPECT_EQ(s.lineTypes[6], 6);
  EXPECT_EQ(s.symbolTypes[0], 12);
  EXPECT_EQ(s.symbolTypes[1], 0);
  EXPECT_EQ(s.symbolTypes[2], 0);
  EXPECT_EQ(s.symbolTypes[3], 3);
}

TEST(ProgramSettingsRead, HexadecimalAndDecimalIntegers) {
  const ProgramSettings s = Loaded(
      "[ToolBar]\nStyle=0x0012\nX=0xFFFFFFFB\nY=-7\nColumns=0X4\n[Clipboard]\n"
      "PictureW=12700\nBitmapW=0x0400\n");
  EXPECT_EQ(s.toolBarStyle, 0x12);
  EXPECT_EQ(s.toolBarX, -5);
  EXPECT_EQ(s.toolBarY, -7);
  EXPECT_EQ(s.toolBarColumns, 4);
  EXPECT_EQ(s.pictureWidth, 12700);
  EXPECT_EQ(s.bitmapWidth, 1024);
}

TEST(ProgramSettingsRead, FontsKeepTheBuiltInFontForHeightZero) {
  ProgramSettings s = Loaded(
      "[Fonts]\nFont1=0,0,0,0,700,1,0,0,0,4,48,2,34,84,0\n"
      "Font2=20,0,0,0,400,1,0,0,0,4,48,2,34,84,97,104,111,109,97,0,65,65,0,0,0,0,0,0,0,0,0,0,"
      "0,0,0,0,0,0,0,0,0,0,0,0,0\n"
      "Font3=16,0,0,0,400\n"
      "Font4=14,0,0,0,400,0,0,0,0,4,48,2,34,65,66,67,68,69,70,71,72,73,74,75,76,77,78,79,80,"
      "81,82,83,84,85,86,87,88,89,90,65,66,67,68,69,70\n"
      "Font5=12,garbage,0,0,99999,0,0,0,300\n");
  const FontTable builtIn = DefaultDocumentFonts();
  EXPECT_EQ(s.fonts[0], builtIn[0]);
  EXPECT_EQ(s.fonts[1].height, 20);
  EXPECT_EQ(s.fonts[1].weight, 400);
  EXPECT_EQ(s.fonts[1].italic, 1);
  EXPECT_EQ(s.fonts[1].FaceName(), "Tahoma");  // ends at the first 0
  EXPECT_EQ(s.fonts[1].faceName[7], '\0');     // and is zero-filled after it
  EXPECT_EQ(s.fonts[2].height, 16);
  EXPECT_EQ(s.fonts[2].FaceName(), "Arial");     // face codes absent: kept
  EXPECT_EQ(s.fonts[3].FaceName().size(), 31u);  // the last code stays 0
  EXPECT_EQ(s.fonts[4].height, 12);
  EXPECT_EQ(s.fonts[4].weight, 700);  // out of range: kept
  EXPECT_EQ(s.fonts[4].charSet, 0);   // 300 does not fit a byte
}

TEST(ProgramSettingsApply, StylesReachCurvesOneToTwentyOnly) {
  const ProgramSettings s = Loaded(
      "[Styles]\nlines=2,2,2,2,2,2,2,2,2,2,2,2,2,2,2,2,2,2,2,3\n"
      "symbols=5,5,5,5,5,5,5,5,5,5,5,5,5,5,5,5,5,5,5,5\n"
      "line width=30,2,40,40,40,40,40,40,40,40,40,40,40,40,40,40,40,40,40,40,40,41\n"
      "symbol size=60\n[Format]\nscaling=772\nUserSize=1\nXTicks=4\n[Flags]\nDate=1\n");
  PlotDocument d;
  SetCompiledDefaults(d);
  ApplySettingsToDocument(s, d);
  EXPECT_EQ(d.lineType[1], 2);
  EXPECT_EQ(d.lineType[20], 3);
  EXPECT_EQ(d.lineType[21], 1);
  EXPECT_EQ(d.symbolType[20], 5);
  EXPECT_EQ(d.symbolType[21], 0);
  EXPECT_EQ(d.lineWidth[1], 40);
  EXPECT_EQ(d.lineWidth[20], 41);
  EXPECT_EQ(d.lineWidth[21], 0);
  EXPECT_EQ(d.symbolSize[1], 60);
  EXPECT_EQ(d.symbolSize[2], 0);
  EXPECT_EQ(s.axisLineWidth, 30);
  EXPECT_EQ(s.gridLineWidth, 2);
  EXPECT_EQ(d.scaleType, 4);
  EXPECT_EQ(d.unitSystem, 3);
  EXPECT_EQ(d.manualTicks, 1);
  EXPECT_EQ(d.xTickCount, 4);
  EXPECT_EQ(d.dateAxis, 1);
}

// Every key of the file with a value that cannot be used.
std::string GarbageFile(const std::string& junk) {
  std::string text;
  const char* sections[][2] = {{"Version", "version"},
                               {"Position", "pos"},
                               {"Styles", "lines"},
                               {"Styles", "symbols"},
                               {"Styles", "line width"},
                               {"Styles", "symbol size"},
                               {"Styles", "PatternLengthMM"},
                               {"Format", "scaling"},
                               {"Format", "unit conversion 1"},
                               {"Format", "unit conversion 2"},
                               {"Format", "gridtype"},
                               {"Format", "densegrid"},
                               {"Format", "UserSize"},
                               {"Format", "width"},
                               {"Format", "height"},
                               {"Format", "XTicks"},
                               {"Format", "YTicks"},
                               {"Format", "DelineateThousands"},
                               {"Arrays", "numcurves"},
                               {"Arrays", "numpoints"},
                               {"Colors", "color"},
                               {"Colors", "gray"},
                               {"Colors", "Font1"},
                               {"Flags", "debug"},
                               {"Flags", "Status Bar"},
                               {"Flags", "Maximized"},
                               {"Flags", "SavePrompt"},
                               {"Flags", "WYSIWYG"},
                               {"Flags", "Date"},
                               {"Flags", "PrintFileName"},
                               {"Fonts", "Font1"},
                               {"Fonts", "Font7"},
                               {"Legend", "LineLength"},
                               {"Legend", "MaxRows"},
                               {"Legend", "Frame"},
                               {"Legend", "Opaque"},
                               {"Legend", "UseFileName"},
                               {"ToolBar", "Visible"},
                               {"ToolBar", "Style"},
                               {"ToolBar", "X"},
                               {"ToolBar", "Y"},
                               {"ToolBar", "Columns"},
                               {"Clipboard", "PictureW"},
                               {"Clipboard", "PictureH"},
                               {"Clipboard", "BitmapW"},
                               {"Clipboard", "BitmapH"},
                               {"Data Processing", "Font1"},
                               {"Data Processing", "MERVALabels"},
                               {"Data Processing", "FFTOption"},
                               {"Debugging", "UseMERVAClipping"}};
  for (const auto& entry : sections)
    text += std::string("[") + entry[0] + "]\n" + entry[1] + "=" + junk + "\n";
  return text;
}

TEST(ProgramSettingsBadInput, GarbageKeepsEveryDefault) {
  const std::string defaults = Saved(DefaultProgramSettings());
  for (const std::string& junk :
       {std::string("xyz"), std::string("nan"), std::string("0x"), std::string("0xFFFFFFFFF"),
        std::string("--1"), std::string(",,,,"), std::string(100000, '9'), std::string(100000, 'x'),
        std::string("\x01\x02\xff"), std::string("1.5.2")}) {
    const ProgramSettings s = Loaded(GarbageFile(junk));
    // Texts take what they are given (within their limits); every number
    // keeps its default.
    ProgramSettings expected = DefaultProgramSettings();
    expected.version = s.version;
    EXPECT_EQ(Saved(s), Saved(expected)) << junk.substr(0, 20);
    EXPECT_LE(s.version.size(), 32u);
  }
  EXPECT_EQ(Saved(Loaded(GarbageFile(""))), defaults);
}

TEST(ProgramSettingsBadInput, OutOfRangeValuesKeepTheirDefaults) {
  const ProgramSettings s = Loaded(
      "[Format]\nscaling=14\ngridtype=3\ndensegrid=2\nwidth=0\nheight=-1\nXTicks=0\n"
      "YTicks=100000\n[Legend]\nLineLength=0\nMaxRows=0\n[ToolBar]\nColumns=0\n"
      "[Clipboard]\nBitmapW=0\nBitmapH=100000\nPictureW=-1\n[Data Processing]\nFFTOption=8\n"
      "[Colors]\ncolor=1000000,FF\nFont1=1FFFFFF\n[Position]\npos=1,2,0,4\n");
  const ProgramSettings d = DefaultProgramSettings();
  EXPECT_EQ(s.scaling, d.scaling);
  EXPECT_EQ(s.gridType, d.gridType);
  EXPECT_EQ(s.denseGrid, d.denseGrid);
  EXPECT_EQ(s.plotWidth, d.plotWidth);
  EXPECT_EQ(s.plotHeight, d.plotHeight);
  EXPECT_EQ(s.xTicks, 6);
  EXPECT_EQ(s.yTicks, 6);
  EXPECT_EQ(s.legendLineLength, 0.5);
  EXPECT_EQ(s.maxLegendRows, 10);
  EXPECT_EQ(s.toolBarColumns, 3);
  EXPECT_EQ(s.bitmapWidth, 640);
  EXPECT_EQ(s.bitmapHeight, 480);
  EXPECT_EQ(s.pictureWidth, 15240);
  EXPECT_EQ(s.fftOption, 1);
  EXPECT_EQ(s.screenColors[0], d.screenColors[0]);
  EXPECT_EQ(s.screenColors[1], 0xFFu);
  EXPECT_EQ(s.fontColors[0], 0u);
  EXPECT_FALSE(s.hasPosition);
}

TEST(ProgramSettingsBadInput, NumbersBeyondTheirTypes) {
  const ProgramSettings s = Loaded(
      "[Format]\nwidth=1e999\nunit conversion 1=1e999\nunit conversion 2=-inf\nXTicks=2.5\n"
      "[Arrays]\nnumpoints=99999999999999999999\n[ToolBar]\nStyle=4294967296\n"
      "[Flags]\nSavePrompt=2\nWYSIWYG=-1\n[Legend]\nMaxRows=1e1\n");
  const ProgramSettings d = DefaultProgramSettings();
  EXPECT_EQ(s.plotWidth, d.plotWidth);
  EXPECT_EQ(s.unitFactor1, 1.0);
  EXPECT_EQ(s.unitFactor2, 1.0);
  EXPECT_EQ(s.xTicks, 6);
  EXPECT_EQ(s.numPoints, 1000);
  EXPECT_EQ(s.toolBarStyle, 0);
  EXPECT_TRUE(s.savePrompt);
  EXPECT_TRUE(s.wysiwyg);
  EXPECT_EQ(s.maxLegendRows, 10);
}

TEST(ProgramSettingsBadInput, OverLongTextsAndMissingSections) {
  const std::string longText(100000, 'p');
  const ProgramSettings s =
      Loaded("[Files]\nDefaultPath=" + longText + "\nOpen1=" + longText + "\nOpen2=ok.grf\n" +
             "[Format]\nunit label 1=" + longText + "\n[Version]\nversion=" + longText + "\n");
  EXPECT_EQ(s.defaultPath, "");  // a cut path would name another folder
  EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"ok.grf"}));
  EXPECT_EQ(s.unitLabel1, std::string(16, 'p'));
  EXPECT_EQ(s.version.size(), 32u);
  // What is written back is well-formed and reads back the same.
  const std::string text = Saved(s);
  EXPECT_LT(text.size(), 20000u);
  EXPECT_EQ(Saved(Loaded(text)), text);
  EXPECT_EQ(Loaded("[Arrays]\n").numCurves, 100);
  EXPECT_EQ(Loaded("no sections at all\n=\n[\n]\n").numPoints, 1000);
}

TEST(ProgramSettingsBadInput, TextsThatLookQuotedSurvive) {
  ProgramSettings s = DefaultProgramSettings();
  s.unitLabel1 = "\"m/s\"";
  s.unitLabel2 = " g";
  s.defaultPath = "C:\\line\nbreak";
  const ProgramSettings back = Loaded(Saved(s));
  EXPECT_EQ(back.unitLabel1, "\"m/s\"");
  EXPECT_EQ(back.unitLabel2, " g");
  EXPECT_EQ(back.defaultPath, "C:\\line break");
}

}  // namespace
}  // namespace merva
