// Reads arbitrary bytes as a column file (type 4) and as point lists.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "io/import_file.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string path = merva::fuzz::InputFile("columns.txt", data, size);
  for (int type :
       {merva::FILE_TYPE_COLUMNS, merva::FILE_TYPE_POINT_PAIRS, merva::FILE_TYPE_SPACED_VALUES}) {
    merva::PlotDocument document;
    merva::SetCompiledDefaults(document);
    if (!merva::Allocate(document, 4, 16).Ok()) return 0;
    merva::ImportFile(document, path, type, 1);
    merva::fuzz::CheckCurves(document);
  }
  std::remove(path.c_str());
  return 0;
}
