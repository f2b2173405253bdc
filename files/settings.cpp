#include "files/settings.h"

#include <algorithm>

#include "core/number_text.h"

namespace merva {

ColorTable DefaultScreenColors() {
  return {0x0000FFu, 0x5500FFu, 0xAA00FFu, 0xFF00FFu, 0xFF00AAu, 0xFF0055u, 0xFF0000u, 0xFF5500u,
          0xFFAA00u, 0xFFFF00u, 0x55FF00u, 0x00FF00u, 0x00FFAAu, 0x00FFFFu, 0x00AAFFu, 0x0055FFu};
}

ColorTable DefaultPrinterColors() {
  ColorTable table{};
  for (int i = 0; i < COLOR_TABLE_SIZE; ++i) {
    const uint32_t level = static_cast<uint32_t>(13 * i);
    table[static_cast<std::size_t>(i)] = level | (level << 8) | (level << 16);
  }
  return table;
}

ProgramSettings::ProgramSettings() {
  lineTypes.fill(1);
  symbolTypes.fill(0);
  lineWidths.fill(0);
  symbolSizes.fill(0);
}

ProgramSettings DefaultProgramSettings(bool windowColorIsBlack) {
  ProgramSettings settings;
  settings.fontColors.fill(windowColorIsBlack ? 0xFFFFFFu : 0x000000u);
  return settings;
}

void ApplySettingsToDocument(const ProgramSettings& s, PlotDocument& d) {
  for (int c = 1; c <= STYLE_CURVES; ++c) {
    const std::size_t i = static_cast<std::size_t>(c - 1);
    d.lineType[c] = s.lineTypes[i];
    d.symbolType[c] = s.symbolTypes[i];
    d.lineWidth[c] = s.lineWidths[i];
    d.symbolSize[c] = s.symbolSizes[i];
  }
  d.scaleType = static_cast<uint8_t>(s.scaling & 0xFF);
  d.unitSystem = static_cast<uint8_t>((s.scaling >> 8) & 0xFF);
  d.unitFactor1 = s.unitFactor1;
  d.unitFactor2 = s.unitFactor2;
  d.unitLabel1.Set(s.unitLabel1);
  d.unitLabel2.Set(s.unitLabel2);
  d.gridType = s.gridType;
  d.denseGrid = s.denseGrid;
  d.manualTicks = s.userSize ? 1 : 0;
  d.plotWidth = s.plotWidth;
  d.plotHeight = s.plotHeight;
  d.xTickCount = s.xTicks;
  d.yTickCount = s.yTicks;
  d.fontColors = s.fontColors;
  d.wysiwyg = s.wysiwyg ? 1 : 0;
  d.dateAxis = s.dateAxis ? 1 : 0;
  d.fonts = s.fonts;
  d.legendLineLength = s.legendLineLength;
  d.maxLegendRows = s.maxLegendRows;
  d.legendFrame = s.legendFrame ? 1 : 0;
  d.legendOpaque = s.legendOpaque ? 1 : 0;
  d.processState.generatedLabels = s.mervaLabels;
}

void ApplyProgramSettings(PlotDocument& document, void* context) {
  if (context) ApplySettingsToDocument(*static_cast<const ProgramSettings*>(context), document);
}

void AddRecentFile(ProgramSettings& settings, const std::string& path) {
  auto& files = settings.recentFiles;
  files.erase(std::remove_if(files.begin(), files.end(),
                             [&](const std::string& f) { return EqualsIgnoreCase(f, path); }),
              files.end());
  files.insert(files.begin(), path);
  if (files.size() > static_cast<std::size_t>(MAX_RECENT_FILES))
    files.resize(static_cast<std::size_t>(MAX_RECENT_FILES));
}

ProgramSettings& TheProgramSettings() {
  static ProgramSettings settings = DefaultProgramSettings();
  return settings;
}

}  // namespace merva
