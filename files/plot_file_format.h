#pragma once

// Names and fixed lines of the plot file (*.grf).

#include <string_view>

namespace merva {

constexpr std::string_view PLOT_FILE_HEADER = "MERVA/W v1.2";
constexpr std::string_view DATA_FORM_LINE = "data";
constexpr std::string_view DX_FORM_LINE = "dx";
constexpr std::string_view PLOT_FILE_LINE_END = "\r\n";

// Header lines, compared in lower case.
constexpr std::string_view HEADER_VERSION_1 = "merva/w v1.0";
constexpr std::string_view HEADER_VERSION_2 = "merva/w v1.2";
constexpr std::string_view HEADER_PREFIX_VERSION_3 = "merva ";

// Keyword records as the writer spells them, in the order it emits them.
constexpr std::string_view KEY_CAL = "Cal";
constexpr std::string_view KEY_DATA_PROCESS = "DataProcess";
constexpr std::string_view KEY_DATE = "Date";
constexpr std::string_view KEY_DATE_FORMAT = "Date Format";
constexpr std::string_view KEY_DENSE_GRID = "DenseGrid";
constexpr std::string_view KEY_FILLED_BARS = "FilledBars";
constexpr std::string_view KEY_FILL_REGION = "FillRegion";
constexpr std::string_view KEY_FONT_FACE = "FontFace";
constexpr std::string_view KEY_GRID_TYPE = "Grid Type";
constexpr std::string_view KEY_LINE_WIDTHS = "LineWidths";
constexpr std::string_view KEY_LNAME = "Lname";
constexpr std::string_view KEY_MAX_LEGEND_ROWS = "MaxLegendRows";
constexpr std::string_view KEY_NO_LEGEND_FRAME = "NoLegendFrame";
constexpr std::string_view KEY_LEGEND_LINE_LENGTH = "LegendLineLength";
constexpr std::string_view KEY_MANUAL_SCALE = "Manual Scale";
constexpr std::string_view KEY_MANUAL_TICKS = "Manual Ticks";
constexpr std::string_view KEY_WYSIWYG = "wysiwyg";
constexpr std::string_view KEY_MARGINS = "Margins";
constexpr std::string_view KEY_MULTIPLE_AXES = "Multiple Axes";
constexpr std::string_view KEY_NOTE_V2 = "NoteV2";
constexpr std::string_view KEY_NOTE_BUTTON = "NoteButton";
constexpr std::string_view KEY_NUMBER_FORMATS = "NumberFormats";
constexpr std::string_view KEY_POINT_SIZES = "PointSizes";
constexpr std::string_view KEY_PT_LABEL = "PtLabel";
constexpr std::string_view KEY_SQUARE_LOGS = "SquareLogs";
constexpr std::string_view KEY_SYMBOL_SIZES = "SymbolSizes";
constexpr std::string_view KEY_TRANSPARENT_LEGEND = "TransparentLegend";
constexpr std::string_view KEY_TITLE3 = "Title3";
constexpr std::string_view KEY_UNITS = "Units";
constexpr std::string_view KEY_Y2_AXIS = "Y2Axis";
constexpr std::string_view KEY_SHIFT = "Shift";
constexpr std::string_view KEY_DRAW = "Draw";
constexpr std::string_view KEY_STOP = "Stop";

// The keywords the reader accepts (matched without regard to case).
enum class PlotKeyword {
  None,
  Cal,
  Date,
  DateFormat,
  DenseGrid,
  Draw,
  DataProcess,
  FilledBars,
  FillRegion,
  FontFace,
  GridType,
  LegendLineLength,
  LineWidths,
  Lname,
  ManualScale,
  ManualTicks,
  Margins,
  MaxLegendRows,
  More,
  MultipleAxes,
  NoLegendFrame,
  Note,
  NoteV2,
  NoteButton,
  NumberFormats,
  PointLabel,
  PointSizes,
  PointString,
  PtLabel,
  Shift,
  SquareLogs,
  SymbolSizes,
  Title3,
  TransparentLegend,
  Units,
  Wysiwyg,
  Y2Axis,
  Stop,
};

// The keyword a line names (trailing blanks ignored), None when it names
// no keyword.
PlotKeyword MatchPlotKeyword(std::string_view line);
constexpr int READER_KEYWORD_COUNT = 37;

// The kinds of blocks of the extended reader (first five characters).
enum class CurveKind { None, Dx, Poly, Poli, Expo, Exp2, Pl10, Plog, Slog };
enum CurveModifier : unsigned {
  MODIFIER_INVR = 1u << 0,
  MODIFIER_MULT = 1u << 1,
  MODIFIER_PLUS = 1u << 2,
  MODIFIER_LOG = 1u << 3,
  MODIFIER_LOGN = 1u << 4,
};
// The kind or modifier a block line names: a kind, or CurveKind::None with
// `modifier` set, or neither.
CurveKind MatchCurveKind(std::string_view line, unsigned& modifier);

// 0 no header, 1 "MERVA/W v1.0", 2 "MERVA/W v1.2", 3 "MERVA ...".
int HeaderVersion(std::string_view line);

// Line and symbol codes of the stored curves; old files numbered four of
// the symbols 9 to 12.
constexpr int OLD_SYMBOL_FIRST = 9;
constexpr int OLD_SYMBOL_LAST = 12;
inline int ConvertOldSymbol(int code) {
  return code >= OLD_SYMBOL_FIRST && code <= OLD_SYMBOL_LAST ? (code - 4) + 256 : code;
}

constexpr int VALUES_PER_LIST_LINE = 20;  // LineWidths, SymbolSizes, curve axes
constexpr int DX_VALUES_PER_LINE = 5;
constexpr int POINT_SIZE_COUNT = 7;
constexpr int BAR_CHART_SCALE = 9;
constexpr int DATE_NUMBER_FORMAT = 6;
constexpr int MAX_NUMBER_FORMAT = 6;
constexpr int DEFAULT_MAX_LEGEND_ROWS = 10;
constexpr int MAX_FILL_REGIONS = 20;
constexpr int MAX_EQUATION_COEFFICIENTS = 20;
constexpr int EQUATION_CURVE_POINTS = 256;
constexpr int CONSTANT_CURVE_POINTS = 2;

}  // namespace merva
