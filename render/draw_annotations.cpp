#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "render/draw_context.h"
#include "render/line_writer.h"
#include "render/point_labels.h"

namespace merva {

namespace {

constexpr int DEFAULT_TAB_STOPS = 8;

OwnedObject BackgroundBrush(DrawContext& c) {
  BrushSpec brush;
  brush.kind = BRUSH_SOLID;
  brush.color = c.DeviceColor(c.options.windowBackground);
  return OwnedObject(c.surface, c.surface.CreateBrush(brush));
}

void Outline(DrawContext& c, const SurfaceRect& r, const OwnedObject& pen) {
  c.SelectPen(pen);
  c.surface.SelectStock(STOCK_HOLLOW_BRUSH);
  c.surface.Rectangle(r.left, r.top, r.right, r.bottom);
  c.surface.SelectStock(STOCK_WHITE_BRUSH);
}

// The legend's and the note's place: the stored corner, moved only as far
// as needed to keep the whole box inside the target.
void KeepBoxInside(const DrawContext& c, int& left, int& top, int width, int height) {
  const SurfaceRect& t = c.layout.target;
  left = std::max(t.left, std::min(left, t.right - width));
  top = std::max(t.top, std::min(top, t.bottom - height));
}

bool InDeviceRange(double v) { return v == v && v > DEVICE_MIN && v < DEVICE_MAX; }

std::string ReplaceAll(std::string text, const std::string& a, const std::string& b) {
  std::size_t at = 0;
  while ((at = text.find(a, at)) != std::string::npos) {
    text.replace(at, a.size(), b);
    at += b.size();
  }
  return text;
}

}  // namespace

Status AddPointLabel(PlotDocument& d, const PointLabel& label) {
  if (static_cast<int>(d.pointLabels.size()) >= MAX_POINT_LABELS)
    return Status::Failure("Too many labels.  Maximum = 20");
  d.pointLabels.push_back(label);
  return Status::Success();
}

std::string PointLabelText(const PlotDocument& d, const PointLabel& label, double x, double y,
                           double xReference, double yReference,
                           const NumberFormatContext& context) {
  if (label.attributes & POINT_LABEL_AMPLITUDE_ONLY)
    return FormatAxisNumber(y, yReference, d.yNumberFormat, context);
  std::string text = label.text.Str();
  if (text.find_first_of("$") == std::string::npos) return text;
  const std::string xs = FormatAxisNumber(x, xReference, d.xNumberFormat, context);
  const std::string ys = FormatAxisNumber(y, yReference, d.yNumberFormat, context);
  text = ReplaceAll(ReplaceAll(text, "$X", xs), "$x", xs);
  text = ReplaceAll(ReplaceAll(text, "$Y", ys), "$y", ys);
  return text;
}

void FrameFractionToDevice(const PlotFrame& f, double fx, double fy, int& x, int& y) {
  x = ClampDevice(f.left + fx * (f.right - f.left));
  y = ClampDevice(f.top + fy * (f.bottom - f.top));
}

void DrawPointLabels(DrawContext& c) {
  PlotDocument& d = c.doc;
  const PlotLayout& L = c.layout;
  c.ClipToTarget();
  c.UseText(FONT_NUMBERS);
  const int hN = L.hN, wN = L.wN;
  const int s = static_cast<int>(std::lround(0.75 * hN));
  const double xReference = L.x.kind == AXIS_LINEAR ? std::fabs(L.x.step) : 0.0;
  const double yReference = L.y[0].kind == AXIS_LINEAR ? std::fabs(L.y[0].step) : 0.0;
  int drawn = 0;
  for (PointLabel& label : d.pointLabels) {
    label.lastDrawn = DeviceRect{};
    if (drawn >= MAX_POINT_LABELS) break;
    const int curve = label.curve;
    if (curve < 1 || curve > d.curveCount || label.point < 1 || label.point > d.pointCount[curve])
      continue;
    const double x = d.X(curve, label.point), y = d.Y(curve, label.point);
    double px, py, lx, ly;
    if (L.scaleType == SCALE_POLAR) {
      const DevicePoint p = PolarToDevice(L, x, y, PolarDegrees(d));
      const DevicePoint q = PolarToDevice(L, label.x, label.y, PolarDegrees(d));
      px = p.x, py = p.y, lx = q.x, ly = q.y;
    } else {
      const int axis =
          d.curveAxis[curve] >= 1 && d.curveAxis[curve] <= MAX_Y_AXES ? d.curveAxis[curve] : 1;
      px = MapX(L, x);
      py = MapY(L, y, axis);
      lx = MapX(L, label.x);
      ly = MapY(L, label.y, axis);
    }
    if (!InDeviceRange(px) || !InDeviceRange(py) || !InDeviceRange(lx) || !InDeviceRange(ly))
      continue;
    ++drawn;
    const std::string text =
        PointLabelText(d, label, x, y, xReference, yReference, c.options.numbers);
    const TextSize size = c.surface.GetTextExtent(text);
    const bool rightOfPoint = lx >= px;
    int tx = ClampDevice(rightOfPoint ? lx + wN / 2.0 : lx - wN / 2.0);
    if (std::fabs(lx - px) + std::fabs(ly - py) > 1.5 * s) tx += rightOfPoint ? 2 * wN : -2 * wN;
    int ty = ClampDevice(ly) - size.height / 2;
    SurfaceRect box;
    box.left = rightOfPoint ? tx : tx - size.width;
    box.right = box.left + size.width;
    box.top = ty - hN / 10;
    box.bottom = ty + size.height + hN / 10;
    {
      // Kept inside the target and below the titles, frame included.
      const int pad = label.attributes & POINT_LABEL_FRAME ? wN / 2 : 0;
      const int topLimit = std::max(L.target.top, c.titlesBottom);
      const int dx = std::max(L.target.left - (box.left - pad), 0) -
                     std::max(box.right + pad - L.target.right, 0);
      const int dy = std::max(topLimit - box.top, 0) - std::max(box.bottom - L.target.bottom, 0);
      box.left += dx, box.right += dx, tx += dx;
      box.top += dy, box.bottom += dy, ty += dy;
    }
    if (label.attributes & POINT_LABEL_OPAQUE) {
      OwnedObject brush = BackgroundBrush(c);
      c.surface.FillRect(box, brush.Get());
    }
    if (label.attributes & POINT_LABEL_FRAME) {
      SurfaceRect framed = box;
      framed.left -= wN / 2;
      framed.right += wN / 2;
      Outline(c, framed, c.blackPen);
    }
    c.Text(tx, ty, (rightOfPoint ? ALIGN_LEFT : ALIGN_RIGHT) | ALIGN_TOP, text);
    label.lastDrawn = DeviceRect{box.left, box.top, box.right, box.bottom};
  }
}

void DrawLegend(DrawContext& c) {
  PlotDocument& d = c.doc;
  const PlotLayout& L = c.layout;
  std::vector<int> entries;
  for (int curve = L.firstCurve; curve >= 1 && curve <= L.lastCurve; ++curve)
    if (!d.legendText[curve].IsBlank()) entries.push_back(curve);
  const bool hasTitle = !d.legendTitle.IsBlank();
  if (entries.empty() && !hasTitle) return;
  c.ClipToTarget();
  c.UseText(FONT_LEGEND);
  const int wL = L.wL, hL = L.hL;
  const int lineLength = ClampDevice(d.legendLineLength * c.caps.logPixelsX * L.areaScale);
  const int rows = std::max(1, d.maxLegendRows);
  int rowHeight = hL;
  for (int curve : entries)
    if (SymbolShape(d.symbolType[curve]) > 0)
      rowHeight = std::max(rowHeight, static_cast<int>(std::lround(SymbolUnit(c, curve) * 64)) + 2);
  const int count = static_cast<int>(entries.size());
  const int columns = count > rows ? (count + rows - 1) / rows : 1;
  std::vector<std::string> texts;
  for (int curve : entries) texts.push_back(d.legendText[curve].Str());
  std::string title = hasTitle ? d.legendTitle.Str() : std::string();
  std::vector<int> columnText(static_cast<std::size_t>(columns), 0);
  auto measureColumns = [&] {
    std::fill(columnText.begin(), columnText.end(), 0);
    for (int i = 0; i < count; ++i) {
      const int w = c.surface.GetTextExtent(texts[static_cast<std::size_t>(i)]).width;
      int& widest = columnText[static_cast<std::size_t>(i / rows)];
      widest = std::max(widest, w);
    }
  };
  measureColumns();
  // A legend wider than the drawing area has its texts cut to fit.
  int natural = (2 * columns - 2) * wL + 3 * wL;
  for (int w : columnText) natural += lineLength + w;
  const int room =
      d.legendX >= 0.0 ? L.target.right - static_cast<int>(L.frame.left) : L.target.Width();
  if (natural > room) {
    const int textRoom = (room - 3 * wL - (2 * columns - 2) * wL - columns * lineLength) / columns;
    for (std::string& text : texts) text = c.Fitted(text, std::max(textRoom, 0));
    measureColumns();
  }
  if (hasTitle) title = c.Fitted(title, std::max(room - 3 * wL, 0));
  const int titleWidth = hasTitle ? c.surface.GetTextExtent(title).width : 0;
  int width, height;
  const int titleRows = hasTitle ? 2 : 1;
  if (count > rows) {
    int sum = 0;
    for (int w : columnText) sum += lineLength + w;
    width = std::max(sum + (2 * columns - 2) * wL, titleWidth) + 3 * wL;
    height = rows * rowHeight + hL * titleRows;
  } else {
    width = std::max(lineLength + (count ? columnText[0] : 0), titleWidth) + 3 * wL;
    height = count * rowHeight + hL * titleRows;
  }
  int left, top;
  FrameFractionToDevice(L.frame, d.legendX, d.legendY, left, top);
  KeepBoxInside(c, left, top, width, height);
  const SurfaceRect box{left, top, left + width, top + height};
  c.result.legendRect = box;
  if (d.legendOpaque) {
    OwnedObject brush = BackgroundBrush(c);
    c.surface.FillRect(box, brush.Get());
  }
  if (d.legendFrame) Outline(c, box, c.axisPen);
  c.UseText(FONT_LEGEND);
  if (hasTitle)
    c.Text(left + width / 2, top + static_cast<int>(1.5 * hL), ALIGN_CENTER | ALIGN_BASELINE,
           title);
  const int firstRowTop = top + (hasTitle ? hL : 0) + hL / 2;
  const bool bars = L.scaleType == SCALE_BAR_CHART;
  int columnLeft = left;
  for (int i = 0; i < count; ++i) {
    const int curve = entries[static_cast<std::size_t>(i)];
    const int column = i / rows, row = i % rows;
    if (row == 0 && column > 0)
      columnLeft += lineLength + columnText[static_cast<std::size_t>(column - 1)] + 2 * wL;
    const int middle = firstRowTop + row * rowHeight + rowHeight / 2;
    const int x0 = columnLeft + wL, x1 = x0 + lineLength;
    const SurfaceColor color = c.CurveColor(curve);
    PenSpec spec;
    spec.color = color;
    spec.width = c.CurvePenWidth(curve);
    spec.geometricFlatEnds = c.kind != SURFACE_METAFILE;
    OwnedObject pen(c.surface, c.surface.CreatePen(spec));
    BrushSpec brushSpec;
    brushSpec.color = color;
    OwnedObject brush(c.surface, c.surface.CreateBrush(brushSpec));
    c.SelectPen(pen);
    if (bars) {
      const int half = std::max(2, hL / 3);
      if (d.filledBars) {
        c.surface.Select(brush.Get());
        c.SelectPen(c.blackPen);
      } else {
        c.surface.SelectStock(STOCK_HOLLOW_BRUSH);
      }
      c.surface.Rectangle(x0, middle - half, x1, middle + half);
    } else {
      const int lineType = std::clamp(d.lineType[curve], 0, MAX_LINE_TYPE);
      if (lineType != 0) {
        // The curve's own dashes, phase from the sample's start.
        const bool path = c.kind != SURFACE_METAFILE;
        if (path) c.surface.BeginPath();
        {
          LineWriter sample(c.surface, LINE_TYPE_MASKS[lineType], c.dashUnit, nullptr);
          sample.MoveTo(x0, middle);
          sample.LineTo(x1, middle);
        }
        if (path) {
          c.surface.EndPath();
          c.surface.StrokePath();
        }
      }
      if (SymbolShape(d.symbolType[curve]) > 0) {
        if (brush) c.surface.Select(brush.Get());
        DrawSymbol(c, curve, x0 + lineLength / 4, middle);
        DrawSymbol(c, curve, x0 + 3 * lineLength / 4, middle);
      }
    }
    c.surface.SelectStock(STOCK_BLACK_PEN);
    c.surface.SelectStock(STOCK_WHITE_BRUSH);
    c.UseText(FONT_LEGEND);
    c.Text(x1 + wL, middle + hL / 2, ALIGN_LEFT | ALIGN_BASELINE,
           texts[static_cast<std::size_t>(i)]);
  }
}

void DrawNote(DrawContext& c) {
  PlotDocument& d = c.doc;
  if (!(d.note.attribute1 & NOTE_SHOWN) || d.note.text.empty()) return;
  const PlotLayout& L = c.layout;
  c.ClipToTarget();
  c.UseText(FONT_NOTE);
  const TextMetrics m = c.fonts.Metrics(FONT_NOTE);
  const int w = m.averageWidth, h = m.LineHeight();
  const int tabStops = d.note.attribute2 > 0 ? d.note.attribute2 : DEFAULT_TAB_STOPS;
  const int tabWidth = std::max(1, tabStops * w);
  // Lines at each line break; tabs to the next multiple of the tab width.
  struct Piece {
    int line, x;
    std::string text;
  };
  std::vector<Piece> pieces;
  int lines = 0, widest = 0;
  std::string text = d.note.text;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    int x = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
      if (i < line.size() && line[i] != '\t') continue;
      const std::string part = line.substr(start, i - start);
      if (!part.empty()) pieces.push_back({lines, x, part});
      x += c.surface.GetTextExtent(part).width;
      if (i < line.size()) x = (x / tabWidth + 1) * tabWidth;
      start = i + 1;
    }
    widest = std::max(widest, x);
    ++lines;
    at = end + 1;
  }
  int left, top;
  FrameFractionToDevice(L.frame, d.note.x, d.note.y, left, top);
  int width = widest + 2 * w, height = lines * h + h;
  const bool button = (d.note.attribute1 & NOTE_BUTTON) != 0;
  const std::string caption = d.noteButton.Str();
  if (button) {
    const TextSize size = c.surface.GetTextExtent(caption);
    width = size.width + 2 * w;
    height = size.height + h / 2;
  }
  KeepBoxInside(c, left, top, width, height);
  SurfaceRect box{left, top, left + width, top + height};
  c.result.noteRect = box;
  if (button) {
    OwnedObject face = BackgroundBrush(c);
    c.surface.FillRect(box, face.Get());
    Outline(c, box, c.axisPen);
    c.Text((box.left + box.right) / 2, box.top + h / 4, ALIGN_CENTER | ALIGN_TOP, caption);
    c.result.textRects[RECT_NOTE] = box;
    return;
  }
  if (d.note.attribute1 & NOTE_OPAQUE) {
    OwnedObject brush = BackgroundBrush(c);
    c.surface.FillRect(box, brush.Get());
  }
  if (d.note.attribute1 & NOTE_FRAME) Outline(c, box, c.axisPen);
  for (const Piece& p : pieces)
    c.Text(box.left + w + p.x, box.top + h / 2 + p.line * h, ALIGN_LEFT | ALIGN_TOP, p.text);
  if (c.kind == SURFACE_SCREEN) c.result.textRects[RECT_NOTE] = box;
}

}  // namespace merva
