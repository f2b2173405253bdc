// Reads arbitrary bytes as pasted or poked number text, and checks the
// quick reading of plain numbers against the general one field by field.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/array_sizing.h"
#include "core/number_text.h"
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

  std::string_view rest(reinterpret_cast<const char*>(data), size), field;
  while (merva::NextField(rest, field)) {
    double quick = 0, general = 0;
    const bool read = merva::ReadNumberField(field, quick);
    if (read != merva::ParseReal(field, general)) __builtin_trap();
    if (read && !(quick == general || (quick != quick && general != general))) __builtin_trap();
  }
  return 0;
}
