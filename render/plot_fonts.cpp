#include "render/plot_fonts.h"

#include <algorithm>
#include <cmath>

namespace merva {

namespace {
constexpr int ROTATED_UPWARD = 900;
constexpr double POINTS_PER_INCH = 72.0;
}  // namespace

FontSpec DeviceFont(const FontDescription& d, const SurfaceCaps& caps, double scale) {
  FontSpec f;
  const double pixels = d.height * caps.logPixelsY / POINTS_PER_INCH * scale;
  f.height = -std::max(1, static_cast<int>(std::lround(std::fabs(pixels))));
  f.width = d.width > 0 ? std::max(1, static_cast<int>(std::lround(d.width * scale))) : 0;
  f.escapement = d.escapement;
  f.orientation = d.orientation;
  f.weight = d.weight;
  f.italic = d.italic;
  f.underline = d.underline;
  f.strikeOut = d.strikeOut;
  f.charSet = d.charSet;
  f.outPrecision = d.outPrecision;
  f.clipPrecision = d.clipPrecision;
  f.quality = d.quality;
  f.pitchAndFamily = d.pitchAndFamily;
  f.faceName = d.FaceName();
  if (caps.technology == SURFACE_PLOTTER) {
    f.faceName = "Modern";
    f.charSet = static_cast<uint8_t>(OEM_CHARSET_CODE);
    f.outPrecision = OUT_STROKE_PRECISION;
  }
  return f;
}

void PlotFonts::Create(DrawingSurface& surface,
                       const std::array<FontDescription, TEXT_ELEMENT_COUNT>& descriptions,
                       const SurfaceCaps& caps, double scale) {
  Release();
  scale_ = scale;
  for (int element = 1; element <= TEXT_ELEMENT_COUNT; ++element) {
    const FontDescription& description = descriptions[Index(element)];
    double factor = scale * fit_[Index(element)];
    const double points = std::fabs(static_cast<double>(description.height));
    if (points > smallest_ && points * factor < smallest_) factor = smallest_ / points;
    FontSpec spec = DeviceFont(description, caps, factor);
    if (element == FONT_Y_AXIS) {
      spec.escapement = ROTATED_UPWARD;
      spec.orientation = ROTATED_UPWARD;
    }
    OwnedObject font(surface, surface.CreateFont(spec));
    if (caps.technology == SURFACE_METAFILE && font) {
      // Playback keeps the proportions only with an explicit width.
      surface.Select(font.Get());
      const int measured = surface.GetTextMetrics().averageWidth;
      if (measured > 0 && spec.width == 0) {
        spec.width = measured;
        font = OwnedObject(surface, surface.CreateFont(spec));
      }
    }
    specs_[Index(element)] = spec;
    fonts_[Index(element)] = std::move(font);
    Select(surface, element);
    TextMetrics m = surface.GetTextMetrics();
    const int em = spec.height < 0 ? -spec.height : 0;
    const int spacing = static_cast<int>(std::lround(em * MIN_LINE_SPACING));
    if (m.LineHeight() < spacing) m.externalLeading += spacing - m.LineHeight();
    metrics_[Index(element)] = m;
  }
  surface.SelectStock(STOCK_VARIABLE_FONT);
}

void PlotFonts::Release() {
  for (OwnedObject& font : fonts_) font.Reset();
}

void PlotFonts::Select(DrawingSurface& surface, int element) const {
  const OwnedObject& font = fonts_[Index(element)];
  if (font)
    surface.Select(font.Get());
  else
    surface.SelectStock(STOCK_VARIABLE_FONT);
}

TextSize PlotFonts::Extent(DrawingSurface& surface, int element, std::string_view text) const {
  Select(surface, element);
  return surface.GetTextExtent(text);
}

}  // namespace merva
