// Any bytes as a poked curve item: the program's binary format and text
// columns, read the way the DDE server reads them.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "automation/binary_plot.h"
#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "io/number_fields.h"

namespace {

void CheckAddressable(const merva::PlotDocument& d) {
  if (d.curveCount < 0 || d.curveCount > d.maxCurves) __builtin_trap();
  for (int c = 1; c <= d.curveCount; ++c) {
    if (d.pointCount[c] < 0 || d.pointCount[c] > d.maxPoints) __builtin_trap();
    for (int j = 1; j <= d.pointCount[c]; ++j) {
      volatile float x = d.X(c, j);
      volatile float y = d.Y(c, j);
      (void)x;
      (void)y;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace merva;
  BinaryPlotHeader header;
  if (ReadBinaryPlotHeader(data, size, header) == BinaryPlotCheck::Ok) {
    int curves = 0, points = 0;
    BinaryPlotCapacity(header, curves, points);
    PlotDocument document;
    SetCompiledDefaults(document);
    if (Allocate(document, curves, points).Ok() && BinaryPlotFits(header, document)) {
      ApplyBinaryPlot(header, data, size, document);
      CheckAddressable(document);
    }
  }

  // Text columns into a small document that already holds a curve.
  PlotDocument document;
  SetCompiledDefaults(document);
  if (!Allocate(document, 2, 8).Ok()) return 0;
  document.curveCount = 1;
  document.pointCount[1] = 1;
  int added = 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ParseNumberText(document, text, document.curveCount + 1, added);
  if (added < 0 || document.curveCount != 1 + added) __builtin_trap();
  CheckAddressable(document);
  return 0;
}
