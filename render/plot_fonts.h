#pragma once

// The seven fonts of a plot, created on one surface, with the measures the
// layout uses.

#include <array>
#include <string_view>

#include "core/plot_document.h"
#include "render/drawing_surface.h"

namespace merva {

class PlotFonts {
 public:
  // Creates the fonts of `descriptions` at `scale` times their size, each
  // also times its own fitting factor (1 until SetFit).
  void Create(DrawingSurface& surface,
              const std::array<FontDescription, TEXT_ELEMENT_COUNT>& descriptions,
              const SurfaceCaps& caps, double scale = 1.0);
  void Release();

  // Makes the font of a text element current (the stock font when it could
  // not be created).
  void Select(DrawingSurface& surface, int element) const;
  TextSize Extent(DrawingSurface& surface, int element, std::string_view text) const;

  int AverageWidth(int element) const { return metrics_[Index(element)].averageWidth; }
  int LineHeight(int element) const { return metrics_[Index(element)].LineHeight(); }
  const TextMetrics& Metrics(int element) const { return metrics_[Index(element)]; }
  const FontSpec& Spec(int element) const { return specs_[Index(element)]; }
  double Scale() const { return scale_; }
  // Per-element factors for small drawing areas and long texts; they take
  // effect at the next Create.
  void SetFit(const std::array<double, TEXT_ELEMENT_COUNT>& fit) { fit_ = fit; }
  const std::array<double, TEXT_ELEMENT_COUNT>& Fit() const { return fit_; }
  // No font larger than this (points) is made smaller than it by scale or
  // fitting; 0 lets them shrink without limit.
  void SetSmallest(double points) { smallest_ = points; }

 private:
  static std::size_t Index(int element) { return static_cast<std::size_t>(element - 1); }
  std::array<OwnedObject, TEXT_ELEMENT_COUNT> fonts_;
  std::array<TextMetrics, TEXT_ELEMENT_COUNT> metrics_{};
  std::array<FontSpec, TEXT_ELEMENT_COUNT> specs_{};
  double scale_ = 1.0;
  std::array<double, TEXT_ELEMENT_COUNT> fit_{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
  double smallest_ = 0.0;
};

// Lines of a font are at least this many times its character height apart:
// some printer drivers report metrics tighter than the glyphs they print.
constexpr double MIN_LINE_SPACING = 1.15;

// A font description in device units of a surface.
FontSpec DeviceFont(const FontDescription& description, const SurfaceCaps& caps, double scale);

}  // namespace merva
