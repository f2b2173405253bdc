#include "files/preferences.h"

#include <limits>

#include "core/number_text.h"
#include "files/profile_values.h"
#include "files/settings_keys.h"
#include "files/style_keys.h"

namespace merva {

namespace {

constexpr double REAL_HIGH = std::numeric_limits<double>::max();
constexpr int MAX_Y_AXIS_MODE = 2;

using StyleArray = std::array<int, STYLE_CURVES>;

StyleArray FirstCurves(const PerCurve<int32_t>& table) {
  StyleArray values{};
  for (int c = 1; c <= STYLE_CURVES; ++c) values[static_cast<std::size_t>(c - 1)] = table[c];
  return values;
}

void SetFirstCurves(PerCurve<int32_t>& table, const StyleArray& values) {
  for (int c = 1; c <= STYLE_CURVES; ++c) table[c] = values[static_cast<std::size_t>(c - 1)];
}

template <std::size_t N>
bool ReadField(ProfileStore& file, const char* section, const std::string& key,
               FixedText<N>& field) {
  std::string text;
  if (!ReadText(file, section, key, text, N, LongText::Cut)) return false;
  field.Set(text);
  return true;
}

void ReadLabels(ProfileStore& file, PlotDocument& d, bool& changed) {
  changed |= ReadField(file, SECTION_LABELS, "Title1", d.title1);
  changed |= ReadField(file, SECTION_LABELS, "Title2", d.title2);
  changed |= ReadField(file, SECTION_LABELS, "Title3", d.title3);
  changed |= ReadField(file, SECTION_LABELS, "XAxis", d.xAxisLabel);
  changed |= ReadField(file, SECTION_LABELS, "YAxis1", d.yAxisLabel);
  changed |= ReadField(file, SECTION_LABELS, "YAxis2", d.y2AxisLabel);
  for (int c = 1; c <= MAX_CURVE_SLOTS; ++c) {
    changed |= ReadField(file, SECTION_LABELS, CurveKey("Legend", c), d.legendText[c]);
    changed |= ReadField(file, SECTION_LABELS, CurveKey("Label", c), d.curveTag[c]);
  }
}

void ReadFormat(ProfileStore& file, PlotDocument& d, bool& changed) {
  int scaling = 0;
  if (ReadInt(file, SECTION_FORMAT, "scaling", scaling, 0, 0xFFFF) &&
      (scaling & 0xFF) >= SCALE_LINEAR_LINEAR &&
      (scaling & 0xFF) <= SCALE_PROBABILITY_PROBABILITY) {
    d.scaleType = static_cast<uint8_t>(scaling & 0xFF);
    d.unitSystem = static_cast<uint8_t>(scaling >> 8);
    changed = true;
  }
  changed |=
      ReadReal(file, SECTION_FORMAT, "unit conversion 1", d.unitFactor1, -REAL_HIGH, REAL_HIGH);
  changed |=
      ReadReal(file, SECTION_FORMAT, "unit conversion 2", d.unitFactor2, -REAL_HIGH, REAL_HIGH);
  changed |= ReadField(file, SECTION_FORMAT, "unit label 1", d.unitLabel1);
  changed |= ReadField(file, SECTION_FORMAT, "unit label 2", d.unitLabel2);
  changed |= ReadInt(file, SECTION_FORMAT, "gridtype", d.gridType, GRID_AXES_ONLY, GRID_BOX);
  bool userSize = false;
  if (ReadFlag(file, SECTION_FORMAT, "UserSize", userSize)) {
    d.manualTicks = userSize ? 1 : 0;
    changed = true;
  }
  changed |= ReadReal(file, SECTION_FORMAT, "width", d.plotWidth, 1e-3, MAX_PLOT_INCHES);
  changed |= ReadReal(file, SECTION_FORMAT, "height", d.plotHeight, 1e-3, MAX_PLOT_INCHES);
  changed |= ReadInt(file, SECTION_FORMAT, "XTicks", d.xTickCount, 1, MAX_TICK_INTERVALS);
  changed |= ReadInt(file, SECTION_FORMAT, "YTicks", d.yTickCount, 1, MAX_TICK_INTERVALS);
  changed |= ReadInt(file, SECTION_FORMAT, "YAxisType", d.yAxisMode, 0, MAX_Y_AXIS_MODE);
  changed |= ReadReal(file, SECTION_FORMAT, "YPoly1", d.y2Offset, -REAL_HIGH, REAL_HIGH);
  changed |= ReadReal(file, SECTION_FORMAT, "YPoly2", d.y2Factor, -REAL_HIGH, REAL_HIGH);
  StyleArray axes = FirstCurves(d.curveAxis);
  if (ReadIntList(file, SECTION_FORMAT, "AxisNum", axes.data(), STYLE_CURVES, 1, MAX_Y_AXES) > 0) {
    SetFirstCurves(d.curveAxis, axes);
    changed = true;
  }
}

bool ReadFlagInt(ProfileStore& file, const char* section, const char* key, int32_t& target) {
  bool flag = false;
  if (!ReadFlag(file, section, key, flag)) return false;
  target = flag ? 1 : 0;
  return true;
}

}  // namespace

Status SavePreferences(ProfileStore& file, const PlotDocument& d, const ProgramSettings& s) {
  PutStyleKeys(file, FirstCurves(d.lineType), FirstCurves(d.symbolType), s.axisLineWidth,
               s.gridLineWidth, FirstCurves(d.lineWidth), FirstCurves(d.symbolSize));

  PutText(file, SECTION_LABELS, "Title1", d.title1.Trimmed());
  PutText(file, SECTION_LABELS, "Title2", d.title2.Trimmed());
  PutText(file, SECTION_LABELS, "Title3", d.title3.Trimmed());
  PutText(file, SECTION_LABELS, "XAxis", d.xAxisLabel.Trimmed());
  PutText(file, SECTION_LABELS, "YAxis1", d.yAxisLabel.Trimmed());
  PutText(file, SECTION_LABELS, "YAxis2", d.y2AxisLabel.Trimmed());
  for (int c = 1; c <= MAX_CURVE_SLOTS; ++c) {
    PutText(file, SECTION_LABELS, CurveKey("Legend", c), d.legendText[c].Trimmed());
    PutText(file, SECTION_LABELS, CurveKey("Label", c), d.curveTag[c].Trimmed());
  }

  file.Put(SECTION_FORMAT, "scaling", FormatI(d.scaleType + 256 * d.unitSystem, 6));
  file.Put(SECTION_FORMAT, "unit conversion 1", FormatGwd(d.unitFactor1, 14, 8));
  file.Put(SECTION_FORMAT, "unit conversion 2", FormatGwd(d.unitFactor2, 14, 8));
  PutText(file, SECTION_FORMAT, "unit label 1", d.unitLabel1.Trimmed());
  PutText(file, SECTION_FORMAT, "unit label 2", d.unitLabel2.Trimmed());
  file.Put(SECTION_FORMAT, "gridtype", FormatI(d.gridType, 4));
  file.Put(SECTION_FORMAT, "UserSize", FlagText(d.manualTicks != 0));
  file.Put(SECTION_FORMAT, "width", FormatGwd(d.plotWidth, 14, 8));
  file.Put(SECTION_FORMAT, "height", FormatGwd(d.plotHeight, 14, 8));
  file.Put(SECTION_FORMAT, "XTicks", FormatI(d.xTickCount, 4));
  file.Put(SECTION_FORMAT, "YTicks", FormatI(d.yTickCount, 4));
  file.Put(SECTION_FORMAT, "YAxisType", FormatIm(d.yAxisMode, 2, 2));
  file.Put(SECTION_FORMAT, "YPoly1", FormatGwd(d.y2Offset, 14, 8));
  file.Put(SECTION_FORMAT, "YPoly2", FormatGwd(d.y2Factor, 14, 8));
  const StyleArray axes = FirstCurves(d.curveAxis);
  file.Put(SECTION_FORMAT, "AxisNum", IntList(axes.data(), STYLE_CURVES, 2));

  file.Put(SECTION_COLORS, "color", ColorList(s.screenColors.data(), COLOR_TABLE_SIZE));
  file.Put(SECTION_COLORS, "gray", ColorList(s.printerColors.data(), COLOR_TABLE_SIZE));
  for (int k = 1; k <= TEXT_ELEMENT_COUNT; ++k) {
    const std::size_t i = static_cast<std::size_t>(k - 1);
    file.Put(SECTION_COLORS, "Font" + std::to_string(k), FormatZ(d.fontColors[i], 8));
    file.Put(SECTION_FONTS, "Font" + std::to_string(k), FontValue(d.fonts[i]));
  }

  file.Put(SECTION_LEGEND, "LineLength", FormatGwd(d.legendLineLength, 13, 6));
  file.Put(SECTION_LEGEND, "MaxRows", FormatI(d.maxLegendRows, 4));
  file.Put(SECTION_LEGEND, "Frame", FlagText(d.legendFrame != 0));
  file.Put(SECTION_LEGEND, "Opaque", FlagText(d.legendOpaque != 0));

  file.Put(SECTION_FLAGS, "debug", FlagText(s.debug));
  file.Put(SECTION_FLAGS, "Status Bar", FlagText(s.statusBar));
  file.Put(SECTION_FLAGS, "WYSIWYG", FlagText(d.wysiwyg != 0));
  file.Put(SECTION_FLAGS, "Date", FlagText(d.dateAxis != 0));

  file.Put(SECTION_TOOLBAR, "Visible", FlagText(s.toolBarVisible));
  file.Put(SECTION_TOOLBAR, "Style", HexInt(s.toolBarStyle));
  file.Put(SECTION_TOOLBAR, "X", HexInt(s.toolBarX));
  file.Put(SECTION_TOOLBAR, "Y", HexInt(s.toolBarY));
  file.Put(SECTION_TOOLBAR, "Columns", HexInt(s.toolBarColumns));

  return file.Flush() ? Status::Success() : Status::Failure();
}

bool GetPreferences(ProfileStore& file, PlotDocument& d, ProgramSettings& s) {
  bool changed = false;

  StyleArray lines = FirstCurves(d.lineType), symbols = FirstCurves(d.symbolType);
  StyleArray widths = FirstCurves(d.lineWidth), sizes = FirstCurves(d.symbolSize);
  ReadStyleKeys(file, lines, symbols, s.axisLineWidth, s.gridLineWidth, widths, sizes, changed);
  SetFirstCurves(d.lineType, lines);
  SetFirstCurves(d.symbolType, symbols);
  SetFirstCurves(d.lineWidth, widths);
  SetFirstCurves(d.symbolSize, sizes);

  ReadLabels(file, d, changed);
  ReadFormat(file, d, changed);

  changed |=
      ReadColorList(file, SECTION_COLORS, "color", s.screenColors.data(), COLOR_TABLE_SIZE) > 0;
  changed |=
      ReadColorList(file, SECTION_COLORS, "gray", s.printerColors.data(), COLOR_TABLE_SIZE) > 0;
  for (int k = 1; k <= TEXT_ELEMENT_COUNT; ++k) {
    const std::size_t i = static_cast<std::size_t>(k - 1);
    changed |= ReadColor(file, SECTION_COLORS, "Font" + std::to_string(k), d.fontColors[i]);
    changed |= ReadFont(file, SECTION_FONTS, "Font" + std::to_string(k), d.fonts[i]);
  }

  changed |=
      ReadReal(file, SECTION_LEGEND, "LineLength", d.legendLineLength, 1e-3, MAX_PLOT_INCHES);
  changed |= ReadInt(file, SECTION_LEGEND, "MaxRows", d.maxLegendRows, 1, MAX_CURVE_SLOTS);
  changed |= ReadFlagInt(file, SECTION_LEGEND, "Frame", d.legendFrame);
  changed |= ReadFlagInt(file, SECTION_LEGEND, "Opaque", d.legendOpaque);

  changed |= ReadFlag(file, SECTION_FLAGS, "debug", s.debug);
  changed |= ReadFlag(file, SECTION_FLAGS, "Status Bar", s.statusBar);
  changed |= ReadFlagInt(file, SECTION_FLAGS, "WYSIWYG", d.wysiwyg);
  changed |= ReadFlagInt(file, SECTION_FLAGS, "Date", d.dateAxis);

  changed |= ReadFlag(file, SECTION_TOOLBAR, "Visible", s.toolBarVisible);
  changed |= ReadInt(file, SECTION_TOOLBAR, "Style", s.toolBarStyle,
                     std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  changed |= ReadInt(file, SECTION_TOOLBAR, "X", s.toolBarX, -32768, 32767);
  changed |= ReadInt(file, SECTION_TOOLBAR, "Y", s.toolBarY, -32768, 32767);
  changed |= ReadInt(file, SECTION_TOOLBAR, "Columns", s.toolBarColumns, 1, 100);

  if (changed) d.MarkChanged();
  return changed;
}

}  // namespace merva
