#pragma once

// The document record: every curve of one plot and every setting that
// governs how it is drawn, printed and saved.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/fixed_text.h"
#include "core/per_curve.h"
#include "core/point_matrix.h"

namespace merva {

// Tri-state of the per-curve caches.
constexpr int STATE_UNKNOWN = -1;
constexpr int STATE_NO = 0;
constexpr int STATE_YES = 1;

// Font description of one text element, in the layout of a logical font.
struct FontDescription {
  int32_t height = 10;  // points
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 400;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strikeOut = 0;
  uint8_t charSet = 0;
  uint8_t outPrecision = 4;
  uint8_t clipPrecision = 0x30;
  uint8_t quality = 2;
  uint8_t pitchAndFamily = 0x22;
  std::array<char, FACE_NAME_WIDTH> faceName{};  // zero-filled

  void SetFaceName(const std::string& name);
  std::string FaceName() const;
  bool operator==(const FontDescription& other) const;
};

constexpr uint8_t SYMBOL_CHARSET_CODE = 2;
constexpr uint8_t FF_DECORATIVE_FAMILY = 0x50;

// Indexes (1-based) of the text elements.
enum TextElement : int {
  FONT_NUMBERS = 1,
  FONT_TITLE1 = 2,
  FONT_TITLE2 = 3,
  FONT_X_AXIS = 4,
  FONT_Y_AXIS = 5,
  FONT_LEGEND = 6,
  FONT_NOTE = 7,
};

struct BaselineShift {
  double value = 0.0;
  double startTime = 0.0;
  double endTime = 0.0;
  bool operator==(const BaselineShift& o) const {
    return value == o.value && startTime == o.startTime && endTime == o.endTime;
  }
};

// The data-processing block (the processing mode gives it meaning).
struct ProcessState {
  int32_t dataType = 0;  // 0..6
  int32_t format = 0;    // 0..2
  bool generatedLabels = false;
  int32_t shiftCount = 0;  // 0..MAX_BASELINE_SHIFTS
  double calibration = 0.0;
  std::array<BaselineShift, MAX_BASELINE_SHIFTS> shifts{};
  bool operator==(const ProcessState& o) const {
    return dataType == o.dataType && format == o.format && generatedLabels == o.generatedLabels &&
           shiftCount == o.shiftCount && calibration == o.calibration && shifts == o.shifts;
  }
};

struct Note {
  std::string text;  // lines separated by CR LF; at most MAX_NOTE_LENGTH characters
  double x = 0.0;
  double y = 0.0;
  int32_t attribute1 = 0;  // bit 0: the note is shown
  int32_t attribute2 = 0;
  bool operator==(const Note& o) const {
    return text == o.text && x == o.x && y == o.y && attribute1 == o.attribute1 &&
           attribute2 == o.attribute2;
  }
};

// Device rectangle of a drawn element, kept for hit testing.
struct DeviceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct PointLabel {
  int32_t curve = 0;
  int32_t point = 0;
  double x = 0.0;  // label position, data coordinates
  double y = 0.0;
  int32_t attributes = 0;  // flag bits: amplitude only, frame, opaque
  FixedText<POINT_LABEL_TEXT_WIDTH> text;
  DeviceRect lastDrawn;  // not saved
  bool operator==(const PointLabel& o) const {
    return curve == o.curve && point == o.point && x == o.x && y == o.y &&
           attributes == o.attributes && text == o.text;
  }
};

constexpr int FILL_KIND_PATTERN = 3;

struct FillRegion {
  int32_t first = 0;
  int32_t second = 0;
  int16_t kind = 0;
  int32_t color = 0;
  int16_t style = 0;
  std::array<uint8_t, 8> pattern{};  // used when kind is FILL_KIND_PATTERN
  bool operator==(const FillRegion& o) const {
    return first == o.first && second == o.second && kind == o.kind && color == o.color &&
           style == o.style && pattern == o.pattern;
  }
};

// X limits and Y limits of each of the four Y axes.
struct AxisLimits {
  double xLow = 0.0, xHigh = 0.0;
  std::array<double, MAX_Y_AXES> yLow{};
  std::array<double, MAX_Y_AXES> yHigh{};
  bool operator==(const AxisLimits& o) const {
    return xLow == o.xLow && xHigh == o.xHigh && yLow == o.yLow && yHigh == o.yHigh;
  }
};

// Validity of the data extents.
constexpr int EXTENTS_STALE = 0;
constexpr int EXTENTS_VALID = 1;
constexpr int EXTENTS_WIDENED = -1;

struct DataExtents {
  AxisLimits limits;
  int valid = EXTENTS_STALE;
};

// Plot rectangle in device units, rewritten on every draw.
struct PlotFrame {
  double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0;
};

struct CurveSummaries;  // the drawing's, render/curve_summary.h

// Holds what drawing keeps of the curves; a copied document starts without.
struct CurveSummaryCache {
  std::shared_ptr<CurveSummaries> kept;
  CurveSummaryCache() = default;
  CurveSummaryCache(const CurveSummaryCache&) {}
  CurveSummaryCache& operator=(const CurveSummaryCache&) { return *this; }
};

struct PlotDocument {
  FixedText<FILE_PATH_WIDTH> filePath;
  FixedText<FILE_TITLE_WIDTH> fileTitle;
  int32_t manualScale = 0;
  int32_t manualTicks = 0;
  PerCurve<int32_t> spacingState{STATE_UNKNOWN};
  int32_t changed = 0;
  int32_t legendFrame = 1;
  int32_t legendOpaque = 1;
  PerCurve<int32_t> monotonicState{STATE_UNKNOWN};
  int32_t dateAxis = 0;
  int32_t dateStamp = 0;  // today's date drawn at the top right ("&Date"); not saved
  int32_t squareLogs = 0;
  int32_t filledBars = 0;
  int32_t wysiwyg = 1;
  int32_t zoomed = 0;
  int32_t maxCurves = 0;
  int32_t maxPoints = 0;
  PointMatrix xValues;
  PointMatrix yValues;
  PerCurve<int32_t> symbolSize{0};
  PerCurve<int32_t> lineWidth{0};
  double legendLineLength = 0.5;
  int32_t maxLegendRows = 10;
  PerCurve<int32_t> pointCount{0};
  PerCurve<int32_t> lineType{1};
  PerCurve<int32_t> symbolType{0};
  PerCurve<int32_t> curveAxis{1};
  int32_t curveCount = 0;
  int32_t gridType = 1;
  int32_t denseGrid = 0;
  int32_t xTickCount = 6;
  int32_t yTickCount = 6;
  double plotWidth = 6.0;
  double plotHeight = 6.0;
  uint8_t scaleType = SCALE_LINEAR_LINEAR;
  uint8_t unitSystem = 0;
  double unitFactor1 = 1.0;
  double unitFactor2 = 1.0;
  FixedText<UNIT_LABEL_WIDTH> unitLabel1;
  FixedText<UNIT_LABEL_WIDTH> unitLabel2;
  int32_t xNumberFormat = 0;
  int32_t yNumberFormat = 0;
  int32_t processMode = 0;
  ProcessState processState;
  // Acceleration records: the record or its integrals shown (RecordView).
  int32_t processView = 0;
  // The last baseline shift may be undone: set by a shift, cleared by any
  // other edit of the record. Not saved.
  int32_t bCanUndo = 0;
  FixedText<DATE_FORMAT_WIDTH> dateFormat;
  int32_t yAxisMode = 0;
  double y2Offset = 0.0;
  double y2Factor = 1.0;
  // "X2 = A + B*X1" (mode 1); the plot file has no record of it.
  int32_t xAxisMode = 0;
  double x2Offset = 0.0;
  double x2Factor = 1.0;
  double legendX = 0.0;
  double legendY = 0.0;
  FixedText<TITLE_WIDTH> title1;
  FixedText<TITLE_WIDTH> title2;
  FixedText<TITLE_WIDTH> title3;
  FixedText<X_LABEL_WIDTH> xAxisLabel;
  FixedText<Y_LABEL_WIDTH> yAxisLabel;
  FixedText<Y_LABEL_WIDTH> y2AxisLabel;
  FixedText<X_LABEL_WIDTH> x2AxisLabel;
  FixedText<LEGEND_WIDTH> legendTitle;
  PerCurve<FixedText<LEGEND_WIDTH>> legendText;
  PerCurve<FixedText<CURVE_TAG_WIDTH>> curveTag;
  int32_t marginsSet = 0;
  std::array<double, 4> margins{};
  std::vector<PointLabel> pointLabels;
  std::array<FontDescription, TEXT_ELEMENT_COUNT> fonts{};  // index = TextElement - 1
  std::array<uint32_t, TEXT_ELEMENT_COUNT> fontColors{};    // 0x00BBGGRR
  Note note;
  FixedText<NOTE_BUTTON_WIDTH> noteButton{"Note"};
  std::vector<FillRegion> fillRegions;
  std::vector<std::string> drawItems;

  // Scaling state, owned by the scale and layout code.
  AxisLimits manualLimits;
  DataExtents extents;
  AxisLimits plotWindow;
  PlotFrame plotFrame;
  std::array<AxisLimits, ZOOM_STACK_DEPTH> zoomStack{};
  int32_t zoomDepth = 0;

  // Last values of the decimation dialogs and commands; Truncate in command
  // mode shares the range.
  double depopulationFidelity = 10.0;  // percent
  double rangeStart = 0.0;
  double rangeEnd = 0.0;
  int32_t applyToAllPoints = 1;
  // The Baseline Shift dialog's target; its start, end and constant shift
  // are the range above.
  double shiftTargetTime = 0.0;
  double shiftTargetValue = 0.0;

  // --- curve access (1-based curve and point numbers) ---
  float& X(int curve, int point) { return xValues.At(curve, point); }
  float X(int curve, int point) const { return xValues.At(curve, point); }
  float& Y(int curve, int point) { return yValues.At(curve, point); }
  float Y(int curve, int point) const { return yValues.At(curve, point); }

  FontDescription& Font(int element) { return fonts[static_cast<std::size_t>(element - 1)]; }
  const FontDescription& Font(int element) const {
    return fonts[static_cast<std::size_t>(element - 1)];
  }

  // Counts the recomputations of the extents, which follow every change of
  // the data: what drawing keeps of the curves between draws is valid for
  // one count. Not saved.
  uint32_t extentsGeneration = 0;
  CurveSummaryCache curveSummaries;

  bool HasMatrices() const { return xValues.IsAllocated() && yValues.IsAllocated(); }
  // Largest pointCount of the curves in use.
  int LongestCurve() const;
  // Any change of the X values of a curve makes its cached states unknown.
  void InvalidateCurveStates(int curve);
  void MarkChanged() {
    changed = 1;
    extents.valid = EXTENTS_STALE;
  }
};

// Resets every field to the compiled-in defaults (the point matrices are
// left alone). `windowColorIsBlack` selects white text colours.
void SetCompiledDefaults(PlotDocument& document, bool windowColorIsBlack = false);

// The compiled-in fonts of the document's seven text elements and of the
// data-processing mode.
std::array<FontDescription, TEXT_ELEMENT_COUNT> DefaultDocumentFonts();
std::array<FontDescription, TEXT_ELEMENT_COUNT> DefaultProcessingFonts();

// Curve count the document may still take without growing.
inline bool CanAppendCurve(const PlotDocument& document) {
  return document.curveCount + 1 <= document.maxCurves;
}

// Determines (and caches) whether the X values of a curve increase
// monotonically / are evenly spaced (gaps within 0.99..1.01 of the first).
int MonotonicState(PlotDocument& document, int curve);
int SpacingState(PlotDocument& document, int curve);

}  // namespace merva
