// Reads arbitrary bytes as pasted or poked number text.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "io/number_fields.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  merva::PlotDocument document;
  merva::SetCompiledDefaults(document);
  if (!merva::Allocate(document, 4, 16).Ok()) return 0;
  int added = 0;
  merva::ParseNumberText(document, std::string_view(reinterpret_cast<const char*>(data), size), 2,
                         added);
  merva::fuzz::CheckCurves(document);
  return 0;
}
