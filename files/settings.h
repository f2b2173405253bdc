#pragma once

// The program settings ("mervaw.ini"): defaults of new documents, paths,
// colour and font tables, window and tool-bar placement, clipboard picture
// sizes and flags. Read once at start-up, written back in full at exit.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

class ProfileStore;

// Curves whose styles the settings and preference files carry.
constexpr int STYLE_CURVES = 20;
constexpr int COLOR_TABLE_SIZE = 16;
constexpr int MAX_RECENT_FILES = 4;

// Line types: 32-bit on/off masks along the line, bit 0 first.
constexpr int LINE_TYPE_COUNT = 7;  // 0..6
constexpr uint32_t LINE_TYPE_MASKS[LINE_TYPE_COUNT] = {
    0x00000000u,  // 0 no line
    0xFFFFFFFFu,  // 1 solid
    0x0FFF0FFFu,  // 2 dashed
    0x55555555u,  // 3 dotted
    0x18FF18FFu,  // 4 dash-dot
    0x00FF00FFu,  // 5 long dashes
    0x24FF24FFu,  // 6 dash-dot-dot
};
constexpr int MAX_LINE_TYPE = LINE_TYPE_COUNT - 1;
constexpr int MAX_SYMBOL_TYPE = 12;  // 0 none, 1..12 = B..M

// Grid style codes.
constexpr int GRID_AXES_ONLY = 0;
constexpr int GRID_LINES = 1;
constexpr int GRID_BOX = 2;

using ColorTable = std::array<uint32_t, COLOR_TABLE_SIZE>;  // 0x00BBGGRR
using FontTable = std::array<FontDescription, TEXT_ELEMENT_COUNT>;

// First-start tables: screen colours round the hue circle, printer colours
// a grey ramp.
ColorTable DefaultScreenColors();
ColorTable DefaultPrinterColors();

// Entry ((curve - 1) mod 16) + 1 of a table.
inline uint32_t CurveColor(const ColorTable& table, int curve) {
  const int i = ((curve - 1) % COLOR_TABLE_SIZE + COLOR_TABLE_SIZE) % COLOR_TABLE_SIZE;
  return table[static_cast<std::size_t>(i)];
}

struct ProgramSettings {
  // "Version"
  std::string version = "0.0";

  // "Position": the main window's normal rectangle; `hasPosition` false
  // until the file or the frame window gives one.
  bool hasPosition = false;
  int windowLeft = 0;
  int windowTop = 0;
  int windowWidth = 0;   // right - left + 1
  int windowHeight = 0;  // bottom - top + 1

  // "Styles": defaults of curves 1..STYLE_CURVES, index 0 = curve 1.
  std::array<int, STYLE_CURVES> lineTypes;
  std::array<int, STYLE_CURVES> symbolTypes;
  std::array<int, STYLE_CURVES> lineWidths;   // thousandths of an inch
  std::array<int, STYLE_CURVES> symbolSizes;  // thousandths of an inch
  // Also in "line width", ahead of the curves: the axes and the grid lines.
  int axisLineWidth = 10;
  int gridLineWidth = 0;
  double patternLengthMM = 2.0;  // read only

  // "Format"
  int scaling = SCALE_LINEAR_LINEAR;  // scaleType + 256 x unitSystem
  double unitFactor1 = 1.0;
  double unitFactor2 = 1.0;
  std::string unitLabel1;
  std::string unitLabel2;
  int gridType = GRID_LINES;
  int denseGrid = 0;
  bool userSize = false;  // manualTicks of new documents
  double plotWidth = 6.0;
  double plotHeight = 6.0;
  int xTicks = 6;
  int yTicks = 6;
  bool delineateThousands = false;

  // "Arrays", after the clamps.
  int numCurves = DEFAULT_CURVE_CAPACITY;
  int numPoints = DEFAULT_POINT_CAPACITY;

  // "Files"
  std::string defaultPath;
  std::string preferencesDir;
  std::string userFilter = "*.grf";
  std::string userFilter2 = "*.dat";
  std::string programDir;                // written only
  std::vector<std::string> recentFiles;  // newest first, at most MAX_RECENT_FILES

  // "Colors"
  ColorTable screenColors = DefaultScreenColors();    // "color"
  ColorTable printerColors = DefaultPrinterColors();  // "gray"
  std::array<uint32_t, TEXT_ELEMENT_COUNT> fontColors{};

  // "Flags"
  bool debug = false;  // read only
  bool statusBar = true;
  bool maximized = false;
  bool savePrompt = true;
  bool wysiwyg = true;
  bool dateAxis = false;
  bool printFileName = false;

  // "Fonts"
  FontTable fonts = DefaultDocumentFonts();

  // "Legend"
  double legendLineLength = 0.5;  // inches
  int maxLegendRows = 10;
  bool legendFrame = true;
  bool legendOpaque = true;
  bool legendUseFileName = false;

  // "ToolBar"
  bool toolBarVisible = true;
  int toolBarStyle = 0;
  int toolBarX = 0;
  int toolBarY = 0;
  int toolBarColumns = 3;

  // "Clipboard"
  int pictureWidth = 15240;  // 0.01 mm
  int pictureHeight = 11430;
  int bitmapWidth = 640;  // pixels
  int bitmapHeight = 480;

  // "Data Processing"
  FontTable processingFonts = DefaultProcessingFonts();
  bool mervaLabels = true;
  int fftOption = 1;

  // "Debugging"
  bool useMervaClipping = false;  // read only

  ProgramSettings();
};

// The compiled-in settings; `windowColorIsBlack` makes the text colours white.
ProgramSettings DefaultProgramSettings(bool windowColorIsBlack = false);

// Reads every key over `settings` (which holds the defaults); a missing,
// empty or unreadable value keeps what is there. Never fails.
void LoadProgramSettings(ProfileStore& store, ProgramSettings& settings);

// Writes every key except the read-only ones, then flushes the store.
Status SaveProgramSettings(ProfileStore& store, const ProgramSettings& settings);

// The settings' part of a new document (the styles of curves 1..20 only).
void ApplySettingsToDocument(const ProgramSettings& settings, PlotDocument& document);
// The same in the shape of a DocumentTable::Open initialiser; `context`
// points to the ProgramSettings.
void ApplyProgramSettings(PlotDocument& document, void* context);

// Puts a file at the top of the recent-files list (without duplicates,
// compared without regard to case).
void AddRecentFile(ProgramSettings& settings, const std::string& path);

// The program-wide record.
ProgramSettings& TheProgramSettings();

}  // namespace merva
