// Reads arbitrary bytes as a Nicolet waveform file and as the recorder
// and unformatted layouts.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "io/import_file.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string path = merva::fuzz::InputFile("record.wft", data, size);
  for (int type :
       {merva::FILE_TYPE_NICOLET, merva::FILE_TYPE_UNFORMATTED, merva::FILE_TYPE_DIGITIZER_9820,
        merva::FILE_TYPE_KESTRA_OLD, merva::FILE_TYPE_KESTRA_NEW, merva::FILE_TYPE_HDAS}) {
    merva::PlotDocument document;
    merva::SetCompiledDefaults(document);
    if (!merva::Allocate(document, 4, 16).Ok()) return 0;
    merva::ImportFile(document, path, type, 1);
    merva::fuzz::CheckCurves(document);
  }
  std::remove(path.c_str());
  return 0;
}
