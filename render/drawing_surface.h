#pragma once

// The drawing target of the renderer: the screen through an off-screen
// bitmap, a printer page, a metafile, an enhanced metafile or a memory
// bitmap. One interface with the device queries and the drawing operations
// that plotting needs; objects are identified by small handles that the
// surface owns until they are deleted.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace merva {

// Device technology, as the device reports it.
enum SurfaceKind : int {
  SURFACE_PLOTTER = 0,
  SURFACE_SCREEN = 1,
  SURFACE_PRINTER = 2,
  SURFACE_METAFILE = 5,
};

struct SurfaceCaps {
  int technology = SURFACE_SCREEN;
  bool enhancedMetafileRecorder = false;  // screen-compatible, but records a metafile
  int logPixelsX = 96;
  int logPixelsY = 96;
  int horzRes = 1024;  // pixels
  int vertRes = 768;
  int horzSizeMM = 270;  // millimetres
  int vertSizeMM = 203;
  int colorCount = -1;         // NUMCOLORS; -1 more than the device can index
  bool paletteDevice = false;  // RC_PALETTE
  int scalingFactor = 0;       // printer GETSCALINGFACTOR exponent (0 none)
};

// Colour as passed to the device: 0x00BBGGRR, 0x01000000 | palette index,
// or 0x02000000 | RGB (palette-relative).
using SurfaceColor = uint32_t;
constexpr SurfaceColor PALETTE_INDEX_FLAG = 0x01000000u;
constexpr SurfaceColor PALETTE_RELATIVE_FLAG = 0x02000000u;
constexpr SurfaceColor COLOR_BLACK = 0x000000u;
constexpr SurfaceColor COLOR_WHITE = 0xFFFFFFu;

struct DevicePoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct SurfaceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct TextSize {
  int width = 0;
  int height = 0;
};

struct TextMetrics {
  int height = 0;  // cell height
  int ascent = 0;
  int descent = 0;
  int averageWidth = 0;
  int externalLeading = 0;
  int LineHeight() const { return height + externalLeading; }
};

enum PenStyle : int {
  PEN_STYLE_SOLID = 0,
  PEN_STYLE_NULL = 5,
  PEN_STYLE_INSIDE_FRAME = 6,
};

struct PenSpec {
  int style = PEN_STYLE_SOLID;
  int width = 1;
  SurfaceColor color = COLOR_BLACK;
  bool geometricFlatEnds = false;  // wide lines end exactly at their ends
};

enum BrushKind : int {
  BRUSH_SOLID = 0,
  BRUSH_HOLLOW = 1,
  BRUSH_HATCHED = 2,
  BRUSH_PATTERN = 3,
};

// Hatch kinds in the order of the device's hatch styles.
enum HatchKind : int {
  HATCH_HORIZONTAL = 0,
  HATCH_VERTICAL = 1,
  HATCH_FORWARD_DIAGONAL = 2,   // 45-degree downward
  HATCH_BACKWARD_DIAGONAL = 3,  // 45-degree upward
  HATCH_CROSS = 4,
  HATCH_DIAGONAL_CROSS = 5,
};

struct BrushSpec {
  int kind = BRUSH_SOLID;
  SurfaceColor color = COLOR_BLACK;
  int hatch = HATCH_HORIZONTAL;
  std::array<uint8_t, 8> pattern{};  // 8x8 monochrome, rows top down, bit 7 left
};

// A logical font in device units.
struct FontSpec {
  int height = -13;  // negative: character height; positive: cell height
  int width = 0;
  int escapement = 0;  // tenths of a degree, counter-clockwise
  int orientation = 0;
  int weight = 400;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strikeOut = 0;
  uint8_t charSet = 0;
  uint8_t outPrecision = 0;
  uint8_t clipPrecision = 0;
  uint8_t quality = 0;
  uint8_t pitchAndFamily = 0;
  std::string faceName;
};

constexpr int OEM_CHARSET_CODE = 255;
constexpr uint8_t OUT_STROKE_PRECISION = 3;

// Text alignment: one horizontal and one vertical flag.
enum TextAlignment : int {
  ALIGN_LEFT = 0,
  ALIGN_RIGHT = 2,
  ALIGN_CENTER = 6,
  ALIGN_TOP = 0,
  ALIGN_BOTTOM = 8,
  ALIGN_BASELINE = 24,
};
constexpr int ALIGN_HORIZONTAL_MASK = 6;
constexpr int ALIGN_VERTICAL_MASK = 24;

enum StockObject : int {
  STOCK_BLACK_PEN = 1,
  STOCK_NULL_PEN,
  STOCK_HOLLOW_BRUSH,
  STOCK_WHITE_BRUSH,
  STOCK_VARIABLE_FONT,
};

// Handle of an object created by the surface; 0 is "none".
using SurfaceObject = int;

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  virtual SurfaceCaps Capabilities() = 0;

  // Objects. A failed creation returns 0; the caller then selects a stock
  // object. Deleting a selected object puts the original object back first.
  virtual SurfaceObject CreatePen(const PenSpec& spec) = 0;
  virtual SurfaceObject CreateBrush(const BrushSpec& spec) = 0;
  virtual SurfaceObject CreateFont(const FontSpec& spec) = 0;
  virtual SurfaceObject CreateRectRegion(const SurfaceRect& rect) = 0;
  // A logical palette; with `reserved` its entries are reserved for
  // animation.
  virtual SurfaceObject CreatePalette(const uint32_t* colors, int count, bool reserved) = 0;
  // Pens, brushes and fonts become current; a palette is selected and
  // realised; a region becomes the clip region.
  virtual void Select(SurfaceObject object) = 0;
  virtual void SelectStock(StockObject object) = 0;
  virtual void DeleteObject(SurfaceObject object) = 0;
  virtual void RemoveClip() = 0;
  // Objects still alive (for leak checks).
  virtual int LiveObjects() const = 0;

  virtual SurfaceColor NearestColor(SurfaceColor color) = 0;

  // Text in the current font.
  virtual TextMetrics GetTextMetrics() = 0;
  virtual TextSize GetTextExtent(std::string_view text) = 0;
  virtual void SetTextAlign(int alignment) = 0;
  virtual void SetTextColor(SurfaceColor color) = 0;
  virtual void SetBackgroundTransparent(bool transparent) = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;

  // Lines and shapes with the current pen and brush.
  virtual void Polyline(const DevicePoint* points, int count) = 0;
  virtual void Polygon(const DevicePoint* points, int count) = 0;
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // Fills without an outline.
  virtual void FillRect(const SurfaceRect& rect, SurfaceObject brush) = 0;
  // Polylines between the two calls form a path that StrokePath draws.
  virtual void BeginPath() = 0;
  virtual void EndPath() = 0;
  virtual void StrokePath() = 0;

  // Maps the logical window extent onto a viewport extent (pictures of a
  // fixed size).
  virtual void SetPictureMapping(int windowWidth, int windowHeight, int viewportWidth,
                                 int viewportHeight) = 0;
};

// Deletes its object when it goes out of scope.
class OwnedObject {
 public:
  OwnedObject() = default;
  OwnedObject(DrawingSurface& surface, SurfaceObject object)
      : surface_(&surface), object_(object) {}
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;
  OwnedObject(OwnedObject&& other) noexcept { *this = std::move(other); }
  OwnedObject& operator=(OwnedObject&& other) noexcept {
    if (this != &other) {
      Reset();
      surface_ = other.surface_;
      object_ = other.object_;
      other.object_ = 0;
    }
    return *this;
  }
  ~OwnedObject() { Reset(); }

  void Reset() {
    if (surface_ && object_) surface_->DeleteObject(object_);
    object_ = 0;
  }
  SurfaceObject Get() const { return object_; }
  explicit operator bool() const { return object_ != 0; }

 private:
  DrawingSurface* surface_ = nullptr;
  SurfaceObject object_ = 0;
};

}  // namespace merva
