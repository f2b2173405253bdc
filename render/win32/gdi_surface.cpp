#include "render/win32/gdi_surface.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace merva {
namespace win32 {

static_assert(sizeof(POINT) == sizeof(DevicePoint), "device points are passed as POINTs");

namespace {

constexpr int SCALING_FACTOR_ESCAPE = 14;  // GETSCALINGFACTOR

}  // namespace

GdiSurface::GdiSurface(HDC dc) : dc_(dc), windowsMetafile_(::GetObjectType(dc) == OBJ_METADC) {}

GdiSurface::~GdiSurface() {
  ::SelectClipRgn(dc_, nullptr);
  if (windowsMetafile_) {
    ::SelectObject(dc_, ::GetStockObject(BLACK_PEN));
    ::SelectObject(dc_, ::GetStockObject(WHITE_BRUSH));
    ::SelectObject(dc_, ::GetStockObject(SYSTEM_FONT));
  } else {
    if (originalPen_) ::SelectObject(dc_, originalPen_);
    if (originalBrush_) ::SelectObject(dc_, originalBrush_);
    if (originalFont_) ::SelectObject(dc_, originalFont_);
  }
  if (originalPalette_) ::SelectPalette(dc_, originalPalette_, FALSE);
  for (auto& entry : objects_) ::DeleteObject(entry.second.handle);
  objects_.clear();
  if (measuringDc_) ::DeleteDC(measuringDc_);
}

SurfaceCaps GdiSurface::Capabilities() {
  SurfaceCaps caps;
  caps.technology = ::GetDeviceCaps(dc_, TECHNOLOGY);
  caps.enhancedMetafileRecorder = ::GetObjectType(dc_) == OBJ_ENHMETADC;
  caps.logPixelsX = ::GetDeviceCaps(dc_, LOGPIXELSX);
  caps.logPixelsY = ::GetDeviceCaps(dc_, LOGPIXELSY);
  caps.horzRes = ::GetDeviceCaps(dc_, HORZRES);
  caps.vertRes = ::GetDeviceCaps(dc_, VERTRES);
  caps.horzSizeMM = ::GetDeviceCaps(dc_, HORZSIZE);
  caps.vertSizeMM = ::GetDeviceCaps(dc_, VERTSIZE);
  caps.colorCount = ::GetDeviceCaps(dc_, NUMCOLORS);
  caps.paletteDevice = (::GetDeviceCaps(dc_, RASTERCAPS) & RC_PALETTE) != 0;
  if (caps.technology == DT_RASPRINTER) {
    int query = SCALING_FACTOR_ESCAPE;
    if (::Escape(dc_, QUERYESCSUPPORT, sizeof query, reinterpret_cast<LPCSTR>(&query), nullptr) >
        0) {
      POINT factor{0, 0};
      if (::Escape(dc_, SCALING_FACTOR_ESCAPE, 0, nullptr, &factor) > 0)
        caps.scalingFactor = std::max<int>(0, factor.x);
    }
  }
  if (caps.logPixelsX <= 0) caps.logPixelsX = 96;
  if (caps.logPixelsY <= 0) caps.logPixelsY = 96;
  // The program records pictures in hundredths of a millimetre, whatever
  // the reference device: sizes in inches (physical size mode) need that.
  if (caps.technology == DT_METAFILE || caps.enhancedMetafileRecorder) {
    caps.logPixelsX = 2540;
    caps.logPixelsY = 2540;
  }
  return caps;
}

SurfaceObject GdiSurface::Add(Kind kind, HGDIOBJ handle, SurfaceColor patternColor, bool pattern) {
  if (!handle) return 0;
  const SurfaceObject id = next_++;
  objects_.emplace(id, Entry{kind, handle, patternColor, pattern});
  return id;
}

SurfaceObject GdiSurface::CreatePen(const PenSpec& spec) {
  HPEN pen = nullptr;
  if (spec.style == PEN_STYLE_NULL) {
    pen = ::CreatePen(PS_NULL, 0, 0);
  } else if (spec.geometricFlatEnds) {
    LOGBRUSH brush{BS_SOLID, spec.color, 0};
    pen = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, std::max(spec.width, 1), &brush,
                         0, nullptr);
  } else {
    pen = ::CreatePen(spec.style == PEN_STYLE_INSIDE_FRAME ? PS_INSIDEFRAME : PS_SOLID,
                      std::max(spec.width, 1), spec.color);
  }
  return Add(KIND_PEN, pen);
}

SurfaceObject GdiSurface::CreateBrush(const BrushSpec& spec) {
  switch (spec.kind) {
    case BRUSH_HOLLOW: {
      LOGBRUSH brush{BS_HOLLOW, 0, 0};
      return Add(KIND_BRUSH, ::CreateBrushIndirect(&brush));
    }
    case BRUSH_HATCHED:
      return Add(KIND_BRUSH, ::CreateHatchBrush(spec.hatch, spec.color));
    case BRUSH_PATTERN: {
      // Clear bits take the text colour: the pattern goes in inverted so
      // that its set bits show the fill colour.
      WORD rows[8];
      for (int i = 0; i < 8; ++i)
        rows[i] = static_cast<WORD>(~spec.pattern[static_cast<std::size_t>(i)] & 0xFF);
      BitmapHandle bitmap(::CreateBitmap(8, 8, 1, 1, rows));
      if (!bitmap) return 0;
      return Add(KIND_BRUSH, ::CreatePatternBrush(bitmap.Get()), spec.color, true);
    }
    default:
      return Add(KIND_BRUSH, ::CreateSolidBrush(spec.color));
  }
}

SurfaceObject GdiSurface::CreateFont(const FontSpec& spec) {
  LOGFONTA font{};
  font.lfHeight = spec.height;
  font.lfWidth = spec.width;
  font.lfEscapement = spec.escapement;
  font.lfOrientation = spec.orientation;
  font.lfWeight = spec.weight;
  font.lfItalic = spec.italic;
  font.lfUnderline = spec.underline;
  font.lfStrikeOut = spec.strikeOut;
  font.lfCharSet = spec.charSet;
  font.lfOutPrecision = spec.outPrecision;
  font.lfClipPrecision = spec.clipPrecision;
  font.lfQuality = spec.quality;
  font.lfPitchAndFamily = spec.pitchAndFamily;
  std::strncpy(font.lfFaceName, spec.faceName.c_str(), LF_FACESIZE - 1);
  return Add(KIND_FONT, ::CreateFontIndirectA(&font));
}

SurfaceObject GdiSurface::CreateRectRegion(const SurfaceRect& r) {
  return Add(KIND_REGION, ::CreateRectRgn(r.left, r.top, r.right, r.bottom));
}

SurfaceObject GdiSurface::CreatePalette(const uint32_t* colors, int count, bool reserved) {
  count = std::clamp(count, 1, 256);
  std::vector<BYTE> storage(sizeof(LOGPALETTE) +
                            sizeof(PALETTEENTRY) * static_cast<std::size_t>(count));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  for (int i = 0; i < count; ++i) {
    PALETTEENTRY& e = palette->palPalEntry[i];
    e.peRed = GetRValue(colors[i]);
    e.peGreen = GetGValue(colors[i]);
    e.peBlue = GetBValue(colors[i]);
    e.peFlags = reserved ? PC_RESERVED : 0;
  }
  return Add(KIND_PALETTE, ::CreatePalette(palette));
}

void GdiSurface::SelectInto(Kind kind, HGDIOBJ handle) {
  HGDIOBJ previous = ::SelectObject(dc_, handle);
  HGDIOBJ* original = kind == KIND_PEN     ? &originalPen_
                      : kind == KIND_BRUSH ? &originalBrush_
                                           : &originalFont_;
  if (!*original && !windowsMetafile_) *original = previous;
  if (kind == KIND_FONT) currentFont_ = handle;
}

void GdiSurface::Select(SurfaceObject id) {
  auto it = objects_.find(id);
  if (it == objects_.end()) return;
  const Entry& e = it->second;
  switch (e.kind) {
    case KIND_PEN:
      SelectInto(KIND_PEN, e.handle);
      selectedPen_ = id;
      break;
    case KIND_BRUSH:
      SelectInto(KIND_BRUSH, e.handle);
      selectedBrush_ = id;
      if (e.pattern) {
        ::SetTextColor(dc_, e.patternColor);
        ::SetBkColor(dc_, RGB(255, 255, 255));
      }
      break;
    case KIND_FONT:
      SelectInto(KIND_FONT, e.handle);
      selectedFont_ = id;
      break;
    case KIND_REGION:
      ::SelectClipRgn(dc_, static_cast<HRGN>(e.handle));
      break;
    case KIND_PALETTE: {
      HPALETTE previous = ::SelectPalette(dc_, static_cast<HPALETTE>(e.handle), FALSE);
      if (!originalPalette_) originalPalette_ = previous;
      ::RealizePalette(dc_);
      selectedPalette_ = id;
      break;
    }
  }
}

void GdiSurface::SelectStock(StockObject object) {
  switch (object) {
    case STOCK_BLACK_PEN:
      SelectInto(KIND_PEN, ::GetStockObject(BLACK_PEN));
      selectedPen_ = 0;
      break;
    case STOCK_NULL_PEN:
      SelectInto(KIND_PEN, ::GetStockObject(NULL_PEN));
      selectedPen_ = 0;
      break;
    case STOCK_HOLLOW_BRUSH:
      SelectInto(KIND_BRUSH, ::GetStockObject(HOLLOW_BRUSH));
      selectedBrush_ = 0;
      break;
    case STOCK_WHITE_BRUSH:
      SelectInto(KIND_BRUSH, ::GetStockObject(WHITE_BRUSH));
      selectedBrush_ = 0;
      break;
    case STOCK_VARIABLE_FONT:
      SelectInto(KIND_FONT, ::GetStockObject(ANSI_VAR_FONT));
      selectedFont_ = 0;
      break;
  }
}

void GdiSurface::DeleteObject(SurfaceObject id) {
  auto it = objects_.find(id);
  if (it == objects_.end()) return;
  if (id == selectedPen_) SelectStock(STOCK_BLACK_PEN);
  if (id == selectedBrush_) SelectStock(STOCK_WHITE_BRUSH);
  if (id == selectedFont_) SelectStock(STOCK_VARIABLE_FONT);
  if (id == selectedPalette_) {
    ::SelectPalette(dc_,
                    originalPalette_ ? originalPalette_
                                     : static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)),
                    FALSE);
    selectedPalette_ = 0;
  }
  ::DeleteObject(it->second.handle);
  objects_.erase(it);
}

void GdiSurface::RemoveClip() { ::SelectClipRgn(dc_, nullptr); }

SurfaceColor GdiSurface::NearestColor(SurfaceColor color) { return ::GetNearestColor(dc_, color); }

HDC GdiSurface::MeasuringDc() {
  if (!windowsMetafile_) return dc_;
  if (!measuringDc_) measuringDc_ = ::CreateCompatibleDC(nullptr);
  return measuringDc_;
}

TextMetrics GdiSurface::GetTextMetrics() {
  HDC dc = MeasuringDc();
  Selection font(
      dc, dc != dc_ ? (currentFont_ ? currentFont_ : ::GetStockObject(ANSI_VAR_FONT)) : nullptr);
  TEXTMETRICA tm{};
  TextMetrics m;
  if (::GetTextMetricsA(dc, &tm)) {
    m.height = tm.tmHeight;
    m.ascent = tm.tmAscent;
    m.descent = tm.tmDescent;
    m.averageWidth = tm.tmAveCharWidth;
    m.externalLeading = tm.tmExternalLeading;
  }
  return m;
}

TextSize GdiSurface::GetTextExtent(std::string_view text) {
  HDC dc = MeasuringDc();
  Selection font(
      dc, dc != dc_ ? (currentFont_ ? currentFont_ : ::GetStockObject(ANSI_VAR_FONT)) : nullptr);
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return TextSize{size.cx, size.cy};
}

void GdiSurface::SetTextAlign(int alignment) { ::SetTextAlign(dc_, static_cast<UINT>(alignment)); }
void GdiSurface::SetTextColor(SurfaceColor color) { ::SetTextColor(dc_, color); }
void GdiSurface::SetBackgroundTransparent(bool transparent) {
  ::SetBkMode(dc_, transparent ? TRANSPARENT : OPAQUE);
}
void GdiSurface::TextOut(int x, int y, std::string_view text) {
  ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void GdiSurface::Polyline(const DevicePoint* points, int count) {
  if (count >= 2) ::Polyline(dc_, reinterpret_cast<const POINT*>(points), count);
}
void GdiSurface::Polygon(const DevicePoint* points, int count) {
  if (count >= 2) ::Polygon(dc_, reinterpret_cast<const POINT*>(points), count);
}
void GdiSurface::Rectangle(int left, int top, int right, int bottom) {
  ::Rectangle(dc_, left, top, right, bottom);
}
void GdiSurface::Ellipse(int left, int top, int right, int bottom) {
  ::Ellipse(dc_, left, top, right, bottom);
}
void GdiSurface::FillRect(const SurfaceRect& r, SurfaceObject brush) {
  auto it = objects_.find(brush);
  if (it == objects_.end()) return;
  const RECT rect{r.left, r.top, r.right, r.bottom};
  ::FillRect(dc_, &rect, static_cast<HBRUSH>(it->second.handle));
}
void GdiSurface::BeginPath() { ::BeginPath(dc_); }
void GdiSurface::EndPath() { ::EndPath(dc_); }
void GdiSurface::StrokePath() { ::StrokePath(dc_); }

void GdiSurface::SetPictureMapping(int windowWidth, int windowHeight, int viewportWidth,
                                   int viewportHeight) {
  ::SetMapMode(dc_, MM_ANISOTROPIC);
  ::SetWindowExtEx(dc_, windowWidth, windowHeight, nullptr);
  ::SetViewportExtEx(dc_, viewportWidth, viewportHeight, nullptr);
}

}  // namespace win32
}  // namespace merva
