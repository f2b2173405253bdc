#include "render/print_layout.h"

#include <cmath>

namespace merva {

namespace {

int Nearest(double v) { return static_cast<int>(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5)); }

}  // namespace

PageRect PrintTargetRect(const PrinterMetrics& p, bool marginsSet, const PageMargins& m) {
  if (!marginsSet) return {0, 0, p.horizontalResolution, p.verticalResolution};
  PageRect r;
  r.left = static_cast<int>(p.pixelsPerInchX * m.left);
  r.right = static_cast<int>(p.horizontalResolution - p.pixelsPerInchX * m.right);
  r.top = static_cast<int>(p.pixelsPerInchY * m.top);
  r.bottom = static_cast<int>(p.verticalResolution - p.pixelsPerInchY * m.bottom);
  return r;
}

std::vector<PageRect> MultiplePlotCells(const PageRect& page, const PrinterMetrics& printer,
                                        int count, MultiplePlotArrangement arrangement,
                                        double spaceInches) {
  std::vector<PageRect> cells;
  if (count < 1) return cells;
  const int width = page.right - page.left;
  const int height = page.bottom - page.top;
  const int gx = Nearest(printer.pixelsPerInchX * spaceInches);
  const int gy = Nearest(printer.pixelsPerInchY * spaceInches);
  switch (arrangement) {
    case MultiplePlotArrangement::Vertical: {
      const int rowHeight = (height - (count - 1) * gy) / count;
      for (int i = 0; i < count; ++i) {
        const int top = page.top + i * (rowHeight + gy);
        cells.push_back({page.left, top, page.right, top + rowHeight});
      }
      break;
    }
    case MultiplePlotArrangement::Horizontal: {
      const int columnWidth = (width - (count - 1) * gx) / count;
      for (int i = 0; i < count; ++i) {
        const int left = page.left + i * (columnWidth + gx);
        cells.push_back({left, page.top, left + columnWidth, page.bottom});
      }
      break;
    }
    case MultiplePlotArrangement::TwoColumns: {
      const int rows = (count + 1) / 2;
      const int rowHeight = (height - (rows - 1) * gy) / rows;
      const int columnWidth = (width - gx) / 2;
      for (int i = 0; i < count; ++i) {
        const int top = page.top + (i / 2) * (rowHeight + gy);
        const int left = page.left + (i % 2) * (columnWidth + gx);
        cells.push_back({left, top, left + columnWidth, top + rowHeight});
      }
      break;
    }
  }
  return cells;
}

}  // namespace merva
