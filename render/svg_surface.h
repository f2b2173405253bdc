#pragma once

// A portable drawing surface that records what is drawn and can write it
// as SVG. Text is measured with a fixed model of proportional widths, so
// the same plot lays out the same way on every machine.

#include <map>
#include <string>
#include <vector>

#include "render/drawing_surface.h"

namespace merva {

enum RecordKind : int {
  RECORD_POLYLINE = 0,
  RECORD_POLYGON,
  RECORD_RECTANGLE,
  RECORD_ELLIPSE,
  RECORD_FILL,
  RECORD_TEXT,
};

// One drawing operation with the state it was drawn in; colours are
// resolved to 0x00BBGGRR.
struct RecordedOperation {
  int kind = RECORD_POLYLINE;
  std::vector<DevicePoint> points;  // rectangles and ellipses: top-left, bottom-right
  PenSpec pen;                      // style PEN_STYLE_NULL: no outline
  BrushSpec brush;                  // kind BRUSH_HOLLOW: no fill
  FontSpec font;
  int alignment = 0;
  SurfaceColor textColor = COLOR_BLACK;
  std::string text;
  bool inPath = false;
  bool clipped = false;
  SurfaceRect clip;
};

class RecordingSurface : public DrawingSurface {
 public:
  enum Mode { RECORD_EVERYTHING, RECORD_COUNTS_ONLY };

  // A surface of `width` x `height` device units of the given kind.
  RecordingSurface(int width, int height, SurfaceCaps caps = SurfaceCaps{},
                   Mode mode = RECORD_EVERYTHING);

  SurfaceCaps Capabilities() override { return caps_; }
  SurfaceObject CreatePen(const PenSpec& spec) override;
  SurfaceObject CreateBrush(const BrushSpec& spec) override;
  SurfaceObject CreateFont(const FontSpec& spec) override;
  SurfaceObject CreateRectRegion(const SurfaceRect& rect) override;
  SurfaceObject CreatePalette(const uint32_t* colors, int count, bool reserved) override;
  void Select(SurfaceObject object) override;
  void SelectStock(StockObject object) override;
  void DeleteObject(SurfaceObject object) override;
  void RemoveClip() override;
  int LiveObjects() const override { return static_cast<int>(objects_.size()); }
  SurfaceColor NearestColor(SurfaceColor color) override;

  TextMetrics GetTextMetrics() override;
  TextSize GetTextExtent(std::string_view text) override;
  void SetTextAlign(int alignment) override { alignment_ = alignment; }
  void SetTextColor(SurfaceColor color) override { textColor_ = Resolve(color); }
  void SetBackgroundTransparent(bool transparent) override { transparent_ = transparent; }
  void TextOut(int x, int y, std::string_view text) override;

  void Polyline(const DevicePoint* points, int count) override;
  void Polygon(const DevicePoint* points, int count) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void FillRect(const SurfaceRect& rect, SurfaceObject brush) override;
  void BeginPath() override { inPath_ = true; }
  void EndPath() override { inPath_ = false; }
  void StrokePath() override {}
  void SetPictureMapping(int windowWidth, int windowHeight, int viewportWidth,
                         int viewportHeight) override;

  // What was drawn.
  const std::vector<RecordedOperation>& Operations() const { return operations_; }
  long long PointCount() const { return pointCount_; }
  long long CallCount() const { return callCount_; }
  // Objects created in all (for clean-up checks).
  int CreatedObjects() const { return nextObject_ - 1; }
  const PenSpec& CurrentPen() const { return pen_; }
  const FontSpec& CurrentFont() const { return font_; }

  // The picture as an SVG document, with `background` filling the page.
  std::string Svg(SurfaceColor background = COLOR_WHITE) const;
  bool WriteSvg(const std::string& path, SurfaceColor background = COLOR_WHITE) const;

  // The text model, also used by tests.
  static TextMetrics MetricsOf(const FontSpec& font);
  static int TextWidth(const FontSpec& font, std::string_view text);

 private:
  enum ObjectType { OBJECT_PEN, OBJECT_BRUSH, OBJECT_FONT, OBJECT_REGION, OBJECT_PALETTE };
  struct Object {
    ObjectType type = OBJECT_PEN;
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    SurfaceRect region;
    std::vector<uint32_t> palette;
  };

  SurfaceObject Add(Object object);
  SurfaceColor Resolve(SurfaceColor color) const;
  RecordedOperation Start(int kind) const;
  void Record(RecordedOperation operation);
  bool Counting(int points);

  int width_;
  int height_;
  SurfaceCaps caps_;
  Mode mode_;
  std::map<SurfaceObject, Object> objects_;
  SurfaceObject nextObject_ = 1;
  SurfaceObject selectedPen_ = 0, selectedBrush_ = 0, selectedFont_ = 0, selectedPalette_ = 0;
  PenSpec pen_;
  BrushSpec brush_;
  FontSpec font_;
  std::vector<uint32_t> palette_;
  int alignment_ = 0;
  SurfaceColor textColor_ = COLOR_BLACK;
  bool transparent_ = false;
  bool inPath_ = false;
  bool clipped_ = false;
  SurfaceRect clip_;
  std::vector<RecordedOperation> operations_;
  long long pointCount_ = 0;
  long long callCount_ = 0;
  int viewBoxWidth_ = 0;
  int viewBoxHeight_ = 0;
};

}  // namespace merva
