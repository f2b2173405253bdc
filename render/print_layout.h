#pragma once

// Page rectangles for printing: margins and several plots on one page.

#include <array>
#include <vector>

namespace merva {

struct PageRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PageRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// What the printer reports: LOGPIXELSX/Y and HORZRES/VERTRES.
struct PrinterMetrics {
  int pixelsPerInchX = 0;
  int pixelsPerInchY = 0;
  int horizontalResolution = 0;
  int verticalResolution = 0;
};

// Margins in inches: top, bottom, left, right (the document's order).
struct PageMargins {
  double top = 0.0, bottom = 0.0, left = 0.0, right = 0.0;
};

// The target rectangle of one printed document; the whole printable area
// without margins.
PageRect PrintTargetRect(const PrinterMetrics& printer, bool marginsSet,
                         const PageMargins& margins);

enum class MultiplePlotArrangement { Vertical, Horizontal, TwoColumns };

// The cells of `count` documents on one page, in the order they are drawn.
std::vector<PageRect> MultiplePlotCells(const PageRect& page, const PrinterMetrics& printer,
                                        int count, MultiplePlotArrangement arrangement,
                                        double spaceInches);

}  // namespace merva
