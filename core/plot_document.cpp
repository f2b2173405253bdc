#include "core/plot_document.h"

#include <algorithm>
#include <cstring>

namespace merva {

void FontDescription::SetFaceName(const std::string& name) {
  faceName.fill('\0');
  // The last character stays NUL, as in a logical font.
  const std::size_t n = std::min(name.size(), faceName.size() - 1);
  std::memcpy(faceName.data(), name.data(), n);
}

std::string FontDescription::FaceName() const {
  const auto end = std::find(faceName.begin(), faceName.end(), '\0');
  return std::string(faceName.begin(), end);
}

bool FontDescription::operator==(const FontDescription& o) const {
  return height == o.height && width == o.width && escapement == o.escapement &&
         orientation == o.orientation && weight == o.weight && italic == o.italic &&
         underline == o.underline && strikeOut == o.strikeOut && charSet == o.charSet &&
         outPrecision == o.outPrecision && clipPrecision == o.clipPrecision &&
         quality == o.quality && pitchAndFamily == o.pitchAndFamily && faceName == o.faceName;
}

namespace {

std::array<FontDescription, TEXT_ELEMENT_COUNT> MakeFonts(const int (&heights)[TEXT_ELEMENT_COUNT],
                                                          const int (&weights)[TEXT_ELEMENT_COUNT],
                                                          uint8_t outPrecision,
                                                          uint8_t clipPrecision) {
  std::array<FontDescription, TEXT_ELEMENT_COUNT> fonts{};
  for (int k = 0; k < TEXT_ELEMENT_COUNT; ++k) {
    FontDescription& f = fonts[static_cast<std::size_t>(k)];
    f = FontDescription{};
    f.height = heights[k];
    f.weight = weights[k];
    f.outPrecision = outPrecision;
    f.clipPrecision = clipPrecision;
    f.quality = 2;
    f.pitchAndFamily = 0x22;
    f.SetFaceName("Arial");
  }
  return fonts;
}

}  // namespace

std::array<FontDescription, TEXT_ELEMENT_COUNT> DefaultDocumentFonts() {
  static const int heights[TEXT_ELEMENT_COUNT] = {10, 18, 12, 12, 12, 10, 10};
  static const int weights[TEXT_ELEMENT_COUNT] = {400, 700, 700, 700, 700, 400, 400};
  return MakeFonts(heights, weights, 4, 0x30);
}

std::array<FontDescription, TEXT_ELEMENT_COUNT> DefaultProcessingFonts() {
  static const int heights[TEXT_ELEMENT_COUNT] = {10, 18, 14, 14, 14, 14, 14};
  static const int weights[TEXT_ELEMENT_COUNT] = {400, 700, 700, 700, 700, 700, 700};
  return MakeFonts(heights, weights, 3, 0x12);
}

void SetCompiledDefaults(PlotDocument& d, bool windowColorIsBlack) {
  PointMatrix x = std::move(d.xValues);
  PointMatrix y = std::move(d.yValues);
  const int maxCurves = d.maxCurves;
  const int maxPoints = d.maxPoints;
  d = PlotDocument{};
  d.xValues = std::move(x);
  d.yValues = std::move(y);
  d.maxCurves = maxCurves;
  d.maxPoints = maxPoints;
  d.fonts = DefaultDocumentFonts();
  d.fontColors.fill(windowColorIsBlack ? 0xFFFFFFu : 0x000000u);
}

int PlotDocument::LongestCurve() const {
  int longest = 0;
  for (int c = 1; c <= curveCount && c <= MAX_CURVE_SLOTS; ++c)
    longest = std::max(longest, pointCount[c]);
  return longest;
}

void PlotDocument::InvalidateCurveStates(int curve) {
  spacingState[curve] = STATE_UNKNOWN;
  monotonicState[curve] = STATE_UNKNOWN;
  extents.valid = EXTENTS_STALE;
}

int MonotonicState(PlotDocument& d, int curve) {
  if (d.monotonicState[curve] != STATE_UNKNOWN) return d.monotonicState[curve];
  const int n = d.pointCount[curve];
  const float* x = n > 0 ? d.xValues.Column(curve) : nullptr;
  int state = STATE_YES;
  for (int i = 1; i < n; ++i) {
    if (x[i] < x[i - 1]) {
      state = STATE_NO;
      break;
    }
  }
  d.monotonicState[curve] = state;
  return state;
}

int SpacingState(PlotDocument& d, int curve) {
  if (d.spacingState[curve] != STATE_UNKNOWN) return d.spacingState[curve];
  int state = STATE_NO;
  const int n = d.pointCount[curve];
  if (MonotonicState(d, curve) == STATE_YES && n >= 2) {
    const float* x = d.xValues.Column(curve);
    const double first = static_cast<double>(x[1]) - x[0];
    const double low = 0.99 * first;
    const double high = 1.01 * first;
    state = STATE_YES;
    for (int i = 2; i < n; ++i) {
      const double gap = static_cast<double>(x[i]) - x[i - 1];
      if (gap < low || gap > high) {
        state = STATE_NO;
        break;
      }
    }
  }
  d.spacingState[curve] = state;
  return state;
}

}  // namespace merva
