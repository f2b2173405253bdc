// Reads arbitrary bytes as a format description and a data file: the
// input up to its first NUL is the description, the rest the data.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "io/described_text.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const void* nul = std::memchr(data, 0, size);
  const std::size_t split =
      nul ? static_cast<std::size_t>(static_cast<const uint8_t*>(nul) - data) : size;
  const std::string description = merva::fuzz::InputFile("described.fmt", data, split);
  const std::size_t rest = split < size ? size - split - 1 : 0;
  const std::string text = merva::fuzz::InputFile("described.txt", data + size - rest, rest);
  merva::PlotDocument document;
  merva::SetCompiledDefaults(document);
  if (!merva::Allocate(document, 4, 16).Ok()) return 0;
  merva::ImportDescribedText(document, text, description, 1);
  merva::fuzz::CheckCurves(document);
  std::remove(description.c_str());
  std::remove(text.c_str());
  return 0;
}
