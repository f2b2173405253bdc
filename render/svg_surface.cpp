#include "render/svg_surface.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace merva {

namespace {

// Widths of the model font in thousandths of the em, close to a common
// proportional sans-serif face.
int CharacterWidth(unsigned char c) {
  if (c >= '0' && c <= '9') return 556;
  switch (c) {
    case ' ':
    case '.':
    case ',':
    case ':':
    case ';':
    case '!':
    case '\'':
    case '|':
    case 'I':
    case 'f':
    case 't':
    case '/':
    case '\\':
    case '[':
    case ']':
      return 278;
    case 'i':
    case 'j':
    case 'l':
      return 222;
    case '-':
    case 'r':
    case '(':
    case ')':
      return 333;
    case 'm':
    case 'M':
      return 833;
    case 'w':
    case 'W':
    case '%':
      return 889;
    case '@':
      return 1015;
    default:
      break;
  }
  if (c >= 'A' && c <= 'Z') return 667;
  return 556;
}

int EmOf(const FontSpec& font) {
  const int h = font.height;
  if (h < 0) return -h;
  if (h == 0) return 13;
  return std::max(1, static_cast<int>(std::lround(h / 1.15)));
}

std::string Hex(SurfaceColor color) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", static_cast<unsigned>(color & 0xFF),
                static_cast<unsigned>((color >> 8) & 0xFF),
                static_cast<unsigned>((color >> 16) & 0xFF));
  return buffer;
}

std::string Escaped(std::string_view text) {
  std::string out;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        if (c < 0x20) {
          out += ' ';
        } else if (c >= 0x80) {
          char buffer[12];
          std::snprintf(buffer, sizeof buffer, "&#%u;", static_cast<unsigned>(c));
          out += buffer;
        } else {
          out += ch;
        }
    }
  }
  return out;
}

std::string Number(double v) {
  char buffer[32];
  const long long whole = std::llround(v);
  if (std::fabs(v - static_cast<double>(whole)) < 1e-9) {
    std::snprintf(buffer, sizeof buffer, "%lld", whole);
  } else {
    const long long tenths = std::llround(v * 10.0);
    std::snprintf(buffer, sizeof buffer, "%s%lld.%lld", tenths < 0 ? "-" : "",
                  std::llabs(tenths) / 10, std::llabs(tenths) % 10);
  }
  return buffer;
}

}  // namespace

RecordingSurface::RecordingSurface(int width, int height, SurfaceCaps caps, Mode mode)
    : width_(width), height_(height), caps_(caps), mode_(mode) {
  font_.height = -13;
  font_.faceName = "Arial";
  brush_.kind = BRUSH_SOLID;
  brush_.color = COLOR_WHITE;
}

SurfaceObject RecordingSurface::Add(Object object) {
  const SurfaceObject id = nextObject_++;
  objects_.emplace(id, std::move(object));
  return id;
}

SurfaceObject RecordingSurface::CreatePen(const PenSpec& spec) {
  Object o;
  o.type = OBJECT_PEN;
  o.pen = spec;
  return Add(o);
}

SurfaceObject RecordingSurface::CreateBrush(const BrushSpec& spec) {
  Object o;
  o.type = OBJECT_BRUSH;
  o.brush = spec;
  return Add(o);
}

SurfaceObject RecordingSurface::CreateFont(const FontSpec& spec) {
  Object o;
  o.type = OBJECT_FONT;
  o.font = spec;
  return Add(o);
}

SurfaceObject RecordingSurface::CreateRectRegion(const SurfaceRect& rect) {
  Object o;
  o.type = OBJECT_REGION;
  o.region = rect;
  return Add(o);
}

SurfaceObject RecordingSurface::CreatePalette(const uint32_t* colors, int count, bool) {
  Object o;
  o.type = OBJECT_PALETTE;
  o.palette.assign(colors, colors + std::max(count, 0));
  return Add(o);
}

void RecordingSurface::Select(SurfaceObject id) {
  auto it = objects_.find(id);
  if (it == objects_.end()) return;
  Object& o = it->second;
  switch (o.type) {
    case OBJECT_PEN:
      pen_ = o.pen;
      pen_.color = Resolve(o.pen.color);
      selectedPen_ = id;
      break;
    case OBJECT_BRUSH:
      brush_ = o.brush;
      brush_.color = Resolve(o.brush.color);
      selectedBrush_ = id;
      break;
    case OBJECT_FONT:
      font_ = o.font;
      selectedFont_ = id;
      break;
    case OBJECT_REGION:
      clipped_ = true;
      clip_ = o.region;
      break;
    case OBJECT_PALETTE:
      palette_ = o.palette;
      selectedPalette_ = id;
      break;
  }
}

void RecordingSurface::SelectStock(StockObject object) {
  switch (object) {
    case STOCK_BLACK_PEN:
      pen_ = PenSpec{};
      selectedPen_ = 0;
      break;
    case STOCK_NULL_PEN:
      pen_ = PenSpec{};
      pen_.style = PEN_STYLE_NULL;
      selectedPen_ = 0;
      break;
    case STOCK_HOLLOW_BRUSH:
      brush_ = BrushSpec{};
      brush_.kind = BRUSH_HOLLOW;
      selectedBrush_ = 0;
      break;
    case STOCK_WHITE_BRUSH:
      brush_ = BrushSpec{};
      brush_.color = COLOR_WHITE;
      selectedBrush_ = 0;
      break;
    case STOCK_VARIABLE_FONT:
      font_ = FontSpec{};
      font_.faceName = "Arial";
      selectedFont_ = 0;
      break;
  }
}

void RecordingSurface::DeleteObject(SurfaceObject id) {
  auto it = objects_.find(id);
  if (it == objects_.end()) return;
  if (id == selectedPen_) SelectStock(STOCK_BLACK_PEN);
  if (id == selectedBrush_) SelectStock(STOCK_WHITE_BRUSH);
  if (id == selectedFont_) SelectStock(STOCK_VARIABLE_FONT);
  if (id == selectedPalette_) selectedPalette_ = 0;
  objects_.erase(it);
}

void RecordingSurface::RemoveClip() { clipped_ = false; }

SurfaceColor RecordingSurface::Resolve(SurfaceColor color) const {
  if (color & PALETTE_INDEX_FLAG) {
    const std::size_t i = color & 0xFFFFu;
    return i < palette_.size() ? palette_[i] & 0xFFFFFFu : COLOR_BLACK;
  }
  return color & 0xFFFFFFu;
}

SurfaceColor RecordingSurface::NearestColor(SurfaceColor color) { return Resolve(color); }

TextMetrics RecordingSurface::MetricsOf(const FontSpec& font) {
  const int em = EmOf(font);
  TextMetrics m;
  m.height = font.height > 0 ? font.height : static_cast<int>(std::lround(em * 1.15));
  m.ascent = static_cast<int>(std::lround(em * 0.905));
  if (m.ascent > m.height) m.ascent = m.height;
  m.descent = m.height - m.ascent;
  m.averageWidth =
      font.width > 0 ? font.width : std::max(1, static_cast<int>(std::lround(em * 0.44)));
  m.externalLeading = static_cast<int>(std::lround(em * 0.05));
  return m;
}

int RecordingSurface::TextWidth(const FontSpec& font, std::string_view text) {
  const int em = EmOf(font);
  double scale = font.weight >= 700 ? 1.07 : 1.0;
  if (font.width > 0) scale *= font.width / (em * 0.44);
  long long sum = 0;
  for (char c : text) sum += CharacterWidth(static_cast<unsigned char>(c));
  return static_cast<int>(std::lround(sum * em * scale / 1000.0));
}

TextMetrics RecordingSurface::GetTextMetrics() { return MetricsOf(font_); }

TextSize RecordingSurface::GetTextExtent(std::string_view text) {
  return TextSize{TextWidth(font_, text), MetricsOf(font_).height};
}

bool RecordingSurface::Counting(int points) {
  ++callCount_;
  pointCount_ += points;
  return mode_ == RECORD_COUNTS_ONLY;
}

RecordedOperation RecordingSurface::Start(int kind) const {
  RecordedOperation op;
  op.kind = kind;
  op.pen = pen_;
  op.brush = brush_;
  op.inPath = inPath_;
  op.clipped = clipped_;
  op.clip = clip_;
  return op;
}

void RecordingSurface::Record(RecordedOperation operation) {
  operations_.push_back(std::move(operation));
}

void RecordingSurface::TextOut(int x, int y, std::string_view text) {
  if (Counting(1)) return;
  RecordedOperation op = Start(RECORD_TEXT);
  op.points.push_back({x, y});
  op.font = font_;
  op.alignment = alignment_;
  op.textColor = textColor_;
  op.text = std::string(text);
  Record(std::move(op));
}

void RecordingSurface::Polyline(const DevicePoint* points, int count) {
  if (count <= 0 || Counting(count)) return;
  RecordedOperation op = Start(RECORD_POLYLINE);
  op.points.assign(points, points + count);
  Record(std::move(op));
}

void RecordingSurface::Polygon(const DevicePoint* points, int count) {
  if (count <= 0 || Counting(count)) return;
  RecordedOperation op = Start(RECORD_POLYGON);
  op.points.assign(points, points + count);
  Record(std::move(op));
}

void RecordingSurface::Rectangle(int left, int top, int right, int bottom) {
  if (Counting(2)) return;
  RecordedOperation op = Start(RECORD_RECTANGLE);
  op.points = {{left, top}, {right, bottom}};
  Record(std::move(op));
}

void RecordingSurface::Ellipse(int left, int top, int right, int bottom) {
  if (Counting(2)) return;
  RecordedOperation op = Start(RECORD_ELLIPSE);
  op.points = {{left, top}, {right, bottom}};
  Record(std::move(op));
}

void RecordingSurface::FillRect(const SurfaceRect& rect, SurfaceObject brush) {
  if (Counting(2)) return;
  RecordedOperation op = Start(RECORD_FILL);
  op.points = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  auto it = objects_.find(brush);
  if (it != objects_.end()) {
    op.brush = it->second.brush;
    op.brush.color = Resolve(op.brush.color);
  }
  op.pen.style = PEN_STYLE_NULL;
  Record(std::move(op));
}

void RecordingSurface::SetPictureMapping(int windowWidth, int windowHeight, int viewportWidth,
                                         int viewportHeight) {
  viewBoxWidth_ = windowWidth;
  viewBoxHeight_ = windowHeight;
  width_ = viewportWidth;
  height_ = viewportHeight;
}

namespace {

std::string PatternId(const BrushSpec& brush) {
  char buffer[64];
  if (brush.kind == BRUSH_HATCHED) {
    std::snprintf(buffer, sizeof buffer, "h%d_%06x", brush.hatch,
                  static_cast<unsigned>(brush.color & 0xFFFFFFu));
  } else {
    unsigned long long bits = 0;
    for (uint8_t b : brush.pattern) bits = (bits << 8) | b;
    std::snprintf(buffer, sizeof buffer, "p%016llx_%06x", bits,
                  static_cast<unsigned>(brush.color & 0xFFFFFFu));
  }
  return buffer;
}

std::string PatternDefinition(const BrushSpec& brush) {
  const std::string color = Hex(brush.color);
  std::string body;
  if (brush.kind == BRUSH_HATCHED) {
    const std::string line = "<path stroke=\"" + color + "\" stroke-width=\"1\" d=\"";
    switch (brush.hatch) {
      case HATCH_HORIZONTAL:
        body = line + "M0 4H8\"/>";
        break;
      case HATCH_VERTICAL:
        body = line + "M4 0V8\"/>";
        break;
      case HATCH_FORWARD_DIAGONAL:
        body = line + "M0 0L8 8\"/>";
        break;
      case HATCH_BACKWARD_DIAGONAL:
        body = line + "M0 8L8 0\"/>";
        break;
      case HATCH_CROSS:
        body = line + "M0 4H8M4 0V8\"/>";
        break;
      default:
        body = line + "M0 0L8 8M0 8L8 0\"/>";
        break;
    }
  } else {
    for (int row = 0; row < 8; ++row)
      for (int col = 0; col < 8; ++col)
        if (brush.pattern[static_cast<std::size_t>(row)] & (0x80 >> col))
          body += "<rect x=\"" + std::to_string(col) + "\" y=\"" + std::to_string(row) +
                  "\" width=\"1\" height=\"1\" fill=\"" + color + "\"/>";
  }
  return "<pattern id=\"" + PatternId(brush) +
         "\" width=\"8\" height=\"8\" patternUnits=\"userSpaceOnUse\">" + body + "</pattern>\n";
}

std::string FillOf(const BrushSpec& brush) {
  switch (brush.kind) {
    case BRUSH_HOLLOW:
      return "none";
    case BRUSH_SOLID:
      return Hex(brush.color);
    default:
      return "url(#" + PatternId(brush) + ")";
  }
}

std::string StrokeOf(const PenSpec& pen) {
  if (pen.style == PEN_STYLE_NULL) return " stroke=\"none\"";
  return " stroke=\"" + Hex(pen.color) + "\" stroke-width=\"" +
         std::to_string(std::max(pen.width, 1)) + "\" stroke-linecap=\"" +
         (pen.geometricFlatEnds ? "butt" : "round") + "\" stroke-linejoin=\"round\"";
}

std::string PointList(const std::vector<DevicePoint>& points) {
  std::string s;
  for (const DevicePoint& p : points) {
    if (!s.empty()) s += ' ';
    s += std::to_string(p.x) + ',' + std::to_string(p.y);
  }
  return s;
}

std::string TextElement(const RecordedOperation& op) {
  const TextMetrics m = RecordingSurface::MetricsOf(op.font);
  const int vertical = op.alignment & ALIGN_VERTICAL_MASK;
  const int horizontal = op.alignment & ALIGN_HORIZONTAL_MASK;
  // Offset of the baseline from the reference point, along the text's
  // own downward direction.
  double down = 0.0;
  if (vertical == ALIGN_TOP) down = m.ascent;
  if (vertical == ALIGN_BOTTOM) down = -m.descent;
  const double angle = op.font.escapement / 10.0 * 3.141592653589793 / 180.0;
  // The text's downward direction in device coordinates (y grows down).
  const double x = op.points[0].x + down * std::sin(angle);
  const double y = op.points[0].y + down * std::cos(angle);
  const char* anchor = horizontal == ALIGN_CENTER  ? "middle"
                       : horizontal == ALIGN_RIGHT ? "end"
                                                   : "start";
  std::string s = "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" font-family=\"" +
                  Escaped(op.font.faceName.empty() ? "Arial" : op.font.faceName) +
                  ", Arial, Helvetica, sans-serif\" font-size=\"" +
                  std::to_string(std::max(EmOf(op.font), 1)) + "\" text-anchor=\"" + anchor +
                  "\" fill=\"" + Hex(op.textColor) + "\" xml:space=\"preserve\"";
  if (op.font.weight >= 600) s += " font-weight=\"bold\"";
  if (op.font.italic) s += " font-style=\"italic\"";
  if (op.font.escapement != 0)
    s += " transform=\"rotate(" + Number(-op.font.escapement / 10.0) + ' ' + Number(x) + ' ' +
         Number(y) + ")\"";
  s += '>' + Escaped(op.text) + "</text>";
  return s;
}

}  // namespace

std::string RecordingSurface::Svg(SurfaceColor background) const {
  const int viewWidth = viewBoxWidth_ > 0 ? viewBoxWidth_ : width_;
  const int viewHeight = viewBoxHeight_ > 0 ? viewBoxHeight_ : height_;
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width_) +
         "\" height=\"" + std::to_string(height_) + "\" viewBox=\"0 0 " +
         std::to_string(viewWidth) + ' ' + std::to_string(viewHeight) + "\">\n";
  std::string defs;
  std::map<std::string, bool> patterns;
  std::map<std::string, int> clips;
  auto clipId = [&](const SurfaceRect& r) {
    const std::string key = std::to_string(r.left) + ',' + std::to_string(r.top) + ',' +
                            std::to_string(r.right) + ',' + std::to_string(r.bottom);
    auto it = clips.find(key);
    if (it != clips.end()) return it->second;
    const int id = static_cast<int>(clips.size()) + 1;
    clips.emplace(key, id);
    defs += "<clipPath id=\"c" + std::to_string(id) + "\"><rect x=\"" + std::to_string(r.left) +
            "\" y=\"" + std::to_string(r.top) + "\" width=\"" + std::to_string(r.Width()) +
            "\" height=\"" + std::to_string(r.Height()) + "\"/></clipPath>\n";
    return id;
  };
  std::string body;
  for (const RecordedOperation& op : operations_) {
    if ((op.brush.kind == BRUSH_HATCHED || op.brush.kind == BRUSH_PATTERN) &&
        (op.kind == RECORD_POLYGON || op.kind == RECORD_RECTANGLE || op.kind == RECORD_ELLIPSE ||
         op.kind == RECORD_FILL)) {
      const std::string id = PatternId(op.brush);
      if (!patterns[id]) {
        patterns[id] = true;
        defs += PatternDefinition(op.brush);
      }
    }
    std::string element;
    const DevicePoint* p = op.points.data();
    switch (op.kind) {
      case RECORD_POLYLINE:
        if (op.pen.style == PEN_STYLE_NULL) continue;
        element = "<polyline fill=\"none\"" + StrokeOf(op.pen) + " points=\"" +
                  PointList(op.points) + "\"/>";
        break;
      case RECORD_POLYGON:
        element = "<polygon fill=\"" + FillOf(op.brush) + "\"" + StrokeOf(op.pen) + " points=\"" +
                  PointList(op.points) + "\"/>";
        break;
      case RECORD_RECTANGLE:
      case RECORD_FILL: {
        const bool outline = op.kind == RECORD_RECTANGLE && op.pen.style != PEN_STYLE_NULL;
        const double inset = outline ? 0.5 : 0.0;
        const double shrink = outline ? 1.0 : 0.0;
        element = "<rect x=\"" + Number(p[0].x + inset) + "\" y=\"" + Number(p[0].y + inset) +
                  "\" width=\"" + Number(std::max(0.0, p[1].x - p[0].x - shrink)) + "\" height=\"" +
                  Number(std::max(0.0, p[1].y - p[0].y - shrink)) + "\" fill=\"" +
                  FillOf(op.brush) + "\"" +
                  (outline ? StrokeOf(op.pen) : std::string(" stroke=\"none\"")) + "/>";
        break;
      }
      case RECORD_ELLIPSE:
        element = "<ellipse cx=\"" + Number((p[0].x + p[1].x) / 2.0) + "\" cy=\"" +
                  Number((p[0].y + p[1].y) / 2.0) + "\" rx=\"" +
                  Number(std::fabs(p[1].x - p[0].x) / 2.0) + "\" ry=\"" +
                  Number(std::fabs(p[1].y - p[0].y) / 2.0) + "\" fill=\"" + FillOf(op.brush) +
                  "\"" + StrokeOf(op.pen) + "/>";
        break;
      case RECORD_TEXT:
        element = TextElement(op);
        break;
    }
    if (op.clipped)
      body +=
          "<g clip-path=\"url(#c" + std::to_string(clipId(op.clip)) + ")\">" + element + "</g>\n";
    else
      body += element + '\n';
  }
  if (!defs.empty()) svg += "<defs>\n" + defs + "</defs>\n";
  svg += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(viewWidth) + "\" height=\"" +
         std::to_string(viewHeight) + "\" fill=\"" + Hex(background) + "\"/>\n";
  svg += body;
  svg += "</svg>\n";
  return svg;
}

bool RecordingSurface::WriteSvg(const std::string& path, SurfaceColor background) const {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  out << Svg(background);
  return static_cast<bool>(out);
}

}  // namespace merva
