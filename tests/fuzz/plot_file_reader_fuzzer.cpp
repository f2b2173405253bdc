// Reads arbitrary bytes as a plot file into a fresh, small document.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "files/plot_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  merva::PlotDocument document;
  merva::SetCompiledDefaults(document);
  if (!merva::Allocate(document, 4, 16).Ok()) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  merva::ReadPlotText(document, text, "fuzz.grf", 1);
  // Whatever was read must be addressable.
  for (int c = 1; c <= document.curveCount; ++c) {
    if (c > document.maxCurves || document.pointCount[c] > document.maxPoints) __builtin_trap();
    for (int j = 1; j <= document.pointCount[c]; ++j) {
      volatile float x = document.X(c, j);
      volatile float y = document.Y(c, j);
      (void)x;
      (void)y;
    }
  }
  return 0;
}
