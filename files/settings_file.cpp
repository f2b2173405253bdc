// Reading and writing the program settings file.

#include <cmath>
#include <limits>

#include "core/document_table.h"
#include "core/number_text.h"
#include "files/profile_values.h"
#include "files/settings.h"
#include "files/settings_keys.h"
#include "files/style_keys.h"

namespace merva {

namespace {

constexpr long long INT_LOW = std::numeric_limits<int32_t>::min();
constexpr long long INT_HIGH = std::numeric_limits<int32_t>::max();
constexpr double REAL_HIGH = std::numeric_limits<double>::max();

// "line width": the axes and the grid lines, then curves 1..20.
constexpr int LINE_WIDTH_VALUES = STYLE_CURVES + 2;

void ReadFontKeys(ProfileStore& store, const char* section, FontTable& fonts) {
  for (int k = 1; k <= TEXT_ELEMENT_COUNT; ++k)
    ReadFont(store, section, "Font" + std::to_string(k), fonts[static_cast<std::size_t>(k - 1)]);
}

void PutFontKeys(ProfileStore& store, const char* section, const FontTable& fonts) {
  for (int k = 1; k <= TEXT_ELEMENT_COUNT; ++k)
    store.Put(section, "Font" + std::to_string(k),
              FontValue(fonts[static_cast<std::size_t>(k - 1)]));
}

bool ValidScaling(int scaling) {
  const int scaleType = scaling & 0xFF;
  return scaleType >= SCALE_LINEAR_LINEAR && scaleType <= SCALE_PROBABILITY_PROBABILITY;
}

}  // namespace

void ReadStyleKeys(ProfileStore& store, std::array<int, STYLE_CURVES>& lines,
                   std::array<int, STYLE_CURVES>& symbols, int& axisWidth, int& gridWidth,
                   std::array<int, STYLE_CURVES>& widths, std::array<int, STYLE_CURVES>& sizes,
                   bool& changed) {
  changed |=
      ReadIntList(store, SECTION_STYLES, "lines", lines.data(), STYLE_CURVES, 0, MAX_LINE_TYPE) > 0;
  changed |= ReadIntList(store, SECTION_STYLES, "symbols", symbols.data(), STYLE_CURVES, 0,
                         MAX_SYMBOL_TYPE) > 0;
  int lineWidths[LINE_WIDTH_VALUES];
  lineWidths[0] = axisWidth;
  lineWidths[1] = gridWidth;
  for (int i = 0; i < STYLE_CURVES; ++i) lineWidths[2 + i] = widths[static_cast<std::size_t>(i)];
  if (ReadIntList(store, SECTION_STYLES, "line width", lineWidths, LINE_WIDTH_VALUES, 0,
                  MAX_STYLE_SIZE) > 0) {
    changed = true;
    axisWidth = lineWidths[0];
    gridWidth = lineWidths[1];
    for (int i = 0; i < STYLE_CURVES; ++i) widths[static_cast<std::size_t>(i)] = lineWidths[2 + i];
  }
  changed |= ReadIntList(store, SECTION_STYLES, "symbol size", sizes.data(), STYLE_CURVES, 0,
                         MAX_STYLE_SIZE) > 0;
}

void PutStyleKeys(ProfileStore& store, const std::array<int, STYLE_CURVES>& lines,
                  const std::array<int, STYLE_CURVES>& symbols, int axisWidth, int gridWidth,
                  const std::array<int, STYLE_CURVES>& widths,
                  const std::array<int, STYLE_CURVES>& sizes) {
  store.Put(SECTION_STYLES, "lines", IntList(lines.data(), STYLE_CURVES, 2));
  store.Put(SECTION_STYLES, "symbols", IntList(symbols.data(), STYLE_CURVES, 2));
  int lineWidths[LINE_WIDTH_VALUES];
  lineWidths[0] = axisWidth;
  lineWidths[1] = gridWidth;
  for (int i = 0; i < STYLE_CURVES; ++i) lineWidths[2 + i] = widths[static_cast<std::size_t>(i)];
  store.Put(SECTION_STYLES, "line width", IntList(lineWidths, LINE_WIDTH_VALUES, 6));
  store.Put(SECTION_STYLES, "symbol size", IntList(sizes.data(), STYLE_CURVES, 6));
}

void LoadProgramSettings(ProfileStore& store, ProgramSettings& s) {
  ReadText(store, SECTION_VERSION, "version", s.version, VERSION_TEXT_LIMIT, LongText::Cut);

  int pos[4] = {0, 0, 0, 0};
  if (ReadIntList(store, SECTION_POSITION, "pos", pos, 4, -32768, 32767) == 4 && pos[2] >= 1 &&
      pos[3] >= 1) {
    s.hasPosition = true;
    s.windowLeft = pos[0];
    s.windowTop = pos[1];
    s.windowWidth = pos[2];
    s.windowHeight = pos[3];
  }

  bool changed = false;
  ReadStyleKeys(store, s.lineTypes, s.symbolTypes, s.axisLineWidth, s.gridLineWidth, s.lineWidths,
                s.symbolSizes, changed);
  ReadReal(store, SECTION_STYLES, "PatternLengthMM", s.patternLengthMM, 1e-3, 1000.0);

  int scaling = s.scaling;
  if (ReadInt(store, SECTION_FORMAT, "scaling", scaling, 0, 0xFFFF) && ValidScaling(scaling))
    s.scaling = scaling;
  ReadReal(store, SECTION_FORMAT, "unit conversion 1", s.unitFactor1, -REAL_HIGH, REAL_HIGH);
  ReadReal(store, SECTION_FORMAT, "unit conversion 2", s.unitFactor2, -REAL_HIGH, REAL_HIGH);
  ReadText(store, SECTION_FORMAT, "unit label 1", s.unitLabel1, UNIT_LABEL_WIDTH, LongText::Cut);
  ReadText(store, SECTION_FORMAT, "unit label 2", s.unitLabel2, UNIT_LABEL_WIDTH, LongText::Cut);
  ReadInt(store, SECTION_FORMAT, "gridtype", s.gridType, GRID_AXES_ONLY, GRID_BOX);
  ReadInt(store, SECTION_FORMAT, "densegrid", s.denseGrid, 0, 1);
  ReadFlag(store, SECTION_FORMAT, "UserSize", s.userSize);
  ReadReal(store, SECTION_FORMAT, "width", s.plotWidth, 1e-3, MAX_PLOT_INCHES);
  ReadReal(store, SECTION_FORMAT, "height", s.plotHeight, 1e-3, MAX_PLOT_INCHES);
  ReadInt(store, SECTION_FORMAT, "XTicks", s.xTicks, 1, MAX_TICK_INTERVALS);
  ReadInt(store, SECTION_FORMAT, "YTicks", s.yTicks, 1, MAX_TICK_INTERVALS);
  ReadFlag(store, SECTION_FORMAT, "DelineateThousands", s.delineateThousands);

  int numCurves = DEFAULT_CURVE_CAPACITY;
  int numPoints = DEFAULT_POINT_CAPACITY;
  ReadInt(store, SECTION_ARRAYS, "numcurves", numCurves, INT_LOW, INT_HIGH);
  ReadInt(store, SECTION_ARRAYS, "numpoints", numPoints, INT_LOW, INT_HIGH);
  s.numCurves = ClampCurveCapacity(numCurves);
  s.numPoints = ClampPointCapacity(numPoints);

  ReadText(store, SECTION_FILES, "DefaultPath", s.defaultPath, PATH_TEXT_LIMIT, LongText::Refuse);
  ReadText(store, SECTION_FILES, "PreferencesDir", s.preferencesDir, PATH_TEXT_LIMIT,
           LongText::Refuse);
  ReadText(store, SECTION_FILES, "UserFilter", s.userFilter, PATH_TEXT_LIMIT, LongText::Refuse);
  ReadText(store, SECTION_FILES, "UserFilter2", s.userFilter2, PATH_TEXT_LIMIT, LongText::Refuse);
  for (int k = MAX_RECENT_FILES; k >= 1; --k) {
    std::string file;
    if (ReadText(store, SECTION_FILES, "Open" + std::to_string(k), file, PATH_TEXT_LIMIT,
                 LongText::Refuse))
      AddRecentFile(s, file);
  }

  ReadColorList(store, SECTION_COLORS, "color", s.screenColors.data(), COLOR_TABLE_SIZE);
  ReadColorList(store, SECTION_COLORS, "gray", s.printerColors.data(), COLOR_TABLE_SIZE);
  for (int k = 1; k <= TEXT_ELEMENT_COUNT; ++k)
    ReadColor(store, SECTION_COLORS, "Font" + std::to_string(k),
              s.fontColors[static_cast<std::size_t>(k - 1)]);

  ReadFlag(store, SECTION_FLAGS, "debug", s.debug);
  ReadFlag(store, SECTION_FLAGS, "Status Bar", s.statusBar);
  ReadFlag(store, SECTION_FLAGS, "Maximized", s.maximized);
  ReadFlag(store, SECTION_FLAGS, "SavePrompt", s.savePrompt);
  ReadFlag(store, SECTION_FLAGS, "WYSIWYG", s.wysiwyg);
  ReadFlag(store, SECTION_FLAGS, "Date", s.dateAxis);
  ReadFlag(store, SECTION_FLAGS, "PrintFileName", s.printFileName);

  ReadFontKeys(store, SECTION_FONTS, s.fonts);

  ReadReal(store, SECTION_LEGEND, "LineLength", s.legendLineLength, 1e-3, MAX_PLOT_INCHES);
  ReadInt(store, SECTION_LEGEND, "MaxRows", s.maxLegendRows, 1, MAX_CURVE_SLOTS);
  ReadFlag(store, SECTION_LEGEND, "Frame", s.legendFrame);
  ReadFlag(store, SECTION_LEGEND, "Opaque", s.legendOpaque);
  ReadFlag(store, SECTION_LEGEND, "UseFileName", s.legendUseFileName);

  ReadFlag(store, SECTION_TOOLBAR, "Visible", s.toolBarVisible);
  ReadInt(store, SECTION_TOOLBAR, "Style", s.toolBarStyle, INT_LOW, INT_HIGH);
  ReadInt(store, SECTION_TOOLBAR, "X", s.toolBarX, -32768, 32767);
  ReadInt(store, SECTION_TOOLBAR, "Y", s.toolBarY, -32768, 32767);
  ReadInt(store, SECTION_TOOLBAR, "Columns", s.toolBarColumns, 1, 100);

  ReadInt(store, SECTION_CLIPBOARD, "PictureW", s.pictureWidth, 1, MAX_PICTURE_UNITS);
  ReadInt(store, SECTION_CLIPBOARD, "PictureH", s.pictureHeight, 1, MAX_PICTURE_UNITS);
  ReadInt(store, SECTION_CLIPBOARD, "BitmapW", s.bitmapWidth, 1, MAX_BITMAP_PIXELS);
  ReadInt(store, SECTION_CLIPBOARD, "BitmapH", s.bitmapHeight, 1, MAX_BITMAP_PIXELS);

  ReadFontKeys(store, SECTION_DATA_PROCESSING, s.processingFonts);
  ReadFlag(store, SECTION_DATA_PROCESSING, "MERVALabels", s.mervaLabels);
  ReadInt(store, SECTION_DATA_PROCESSING, "FFTOption", s.fftOption, 0, 7);

  ReadFlag(store, SECTION_DEBUGGING, "UseMERVAClipping", s.useMervaClipping);
}

Status SaveProgramSettings(ProfileStore& store, const ProgramSettings& s) {
  PutText(store, SECTION_VERSION, "version", s.version);

  if (s.hasPosition) {
    const int pos[4] = {s.windowLeft, s.windowTop, s.windowWidth, s.windowHeight};
    store.Put(SECTION_POSITION, "pos", IntList(pos, 4, 10));
  }

  PutStyleKeys(store, s.lineTypes, s.symbolTypes, s.axisLineWidth, s.gridLineWidth, s.lineWidths,
               s.symbolSizes);

  store.Put(SECTION_FORMAT, "scaling", FormatI(s.scaling, 6));
  store.Put(SECTION_FORMAT, "unit conversion 1", FormatGwd(s.unitFactor1, 14, 8));
  store.Put(SECTION_FORMAT, "unit conversion 2", FormatGwd(s.unitFactor2, 14, 8));
  PutText(store, SECTION_FORMAT, "unit label 1", s.unitLabel1);
  PutText(store, SECTION_FORMAT, "unit label 2", s.unitLabel2);
  store.Put(SECTION_FORMAT, "gridtype", FormatI(s.gridType, 4));
  store.Put(SECTION_FORMAT, "densegrid", FormatI(s.denseGrid, 4));
  store.Put(SECTION_FORMAT, "UserSize", FlagText(s.userSize));
  store.Put(SECTION_FORMAT, "width", FormatGwd(s.plotWidth, 14, 8));
  store.Put(SECTION_FORMAT, "height", FormatGwd(s.plotHeight, 14, 8));
  store.Put(SECTION_FORMAT, "XTicks", FormatI(s.xTicks, 4));
  store.Put(SECTION_FORMAT, "YTicks", FormatI(s.yTicks, 4));
  store.Put(SECTION_FORMAT, "DelineateThousands", FlagText(s.delineateThousands));

  store.Put(SECTION_ARRAYS, "numcurves", FormatI(s.numCurves, 4));
  store.Put(SECTION_ARRAYS, "numpoints", FormatI(s.numPoints, 10));

  PutText(store, SECTION_FILES, "DefaultPath", s.defaultPath);
  PutText(store, SECTION_FILES, "PreferencesDir", s.preferencesDir);
  PutText(store, SECTION_FILES, "UserFilter", s.userFilter);
  PutText(store, SECTION_FILES, "UserFilter2", s.userFilter2);
  PutText(store, SECTION_FILES, "ProgramDir", s.programDir);
  for (int k = 1; k <= MAX_RECENT_FILES; ++k) {
    const std::string key = "Open" + std::to_string(k);
    if (k <= static_cast<int>(s.recentFiles.size()))
      PutText(store, SECTION_FILES, key, s.recentFiles[static_cast<std::size_t>(k - 1)]);
    else
      store.Remove(SECTION_FILES, key);  // no stale entry comes back
  }

  store.Put(SECTION_COLORS, "color", ColorList(s.screenColors.data(), COLOR_TABLE_SIZE));
  store.Put(SECTION_COLORS, "gray", ColorList(s.printerColors.data(), COLOR_TABLE_SIZE));
  for (int k = 1; k <= TEXT_ELEMENT_COUNT; ++k)
    store.Put(SECTION_COLORS, "Font" + std::to_string(k),
              FormatZ(s.fontColors[static_cast<std::size_t>(k - 1)], 8));

  store.Put(SECTION_FLAGS, "Status Bar", FlagText(s.statusBar));
  store.Put(SECTION_FLAGS, "Maximized", FlagText(s.maximized));
  store.Put(SECTION_FLAGS, "SavePrompt", FlagText(s.savePrompt));
  store.Put(SECTION_FLAGS, "WYSIWYG", FlagText(s.wysiwyg));
  store.Put(SECTION_FLAGS, "Date", FlagText(s.dateAxis));
  store.Put(SECTION_FLAGS, "PrintFileName", FlagText(s.printFileName));

  PutFontKeys(store, SECTION_FONTS, s.fonts);

  store.Put(SECTION_LEGEND, "LineLength", FormatGwd(s.legendLineLength, 13, 6));
  store.Put(SECTION_LEGEND, "MaxRows", FormatI(s.maxLegendRows, 4));
  store.Put(SECTION_LEGEND, "Frame", FlagText(s.legendFrame));
  store.Put(SECTION_LEGEND, "Opaque", FlagText(s.legendOpaque));
  store.Put(SECTION_LEGEND, "UseFileName", FlagText(s.legendUseFileName));

  store.Put(SECTION_TOOLBAR, "Visible", FlagText(s.toolBarVisible));
  store.Put(SECTION_TOOLBAR, "Style", HexInt(s.toolBarStyle));
  store.Put(SECTION_TOOLBAR, "X", HexInt(s.toolBarX));
  store.Put(SECTION_TOOLBAR, "Y", HexInt(s.toolBarY));
  store.Put(SECTION_TOOLBAR, "Columns", HexInt(s.toolBarColumns));

  store.Put(SECTION_CLIPBOARD, "PictureW", HexInt(s.pictureWidth));
  store.Put(SECTION_CLIPBOARD, "PictureH", HexInt(s.pictureHeight));
  store.Put(SECTION_CLIPBOARD, "BitmapW", HexInt(s.bitmapWidth));
  store.Put(SECTION_CLIPBOARD, "BitmapH", HexInt(s.bitmapHeight));

  PutFontKeys(store, SECTION_DATA_PROCESSING, s.processingFonts);
  store.Put(SECTION_DATA_PROCESSING, "MERVALabels", FlagText(s.mervaLabels));
  store.Put(SECTION_DATA_PROCESSING, "FFTOption", HexInt(s.fftOption));

  return store.Flush() ? Status::Success() : Status::Failure();
}

}  // namespace merva
