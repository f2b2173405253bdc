#pragma once

// The fuzzers' input as a file, for the readers that take a path.

#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/plot_document.h"

namespace merva::fuzz {

inline std::string InputFile(const char* name, const uint8_t* data, std::size_t size) {
  const std::string path = "/tmp/merva_fuzz_" + std::to_string(getpid()) + "_" + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return {};
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  return path;
}

// Whatever a reader stored must be addressable.
inline void CheckCurves(const PlotDocument& d) {
  for (int c = 1; c <= d.curveCount; ++c) {
    if (c > d.maxCurves || d.pointCount[c] > d.maxPoints) __builtin_trap();
    for (int j = 1; j <= d.pointCount[c]; ++j) {
      volatile float x = d.X(c, j);
      (void)x;
    }
  }
}

}  // namespace merva::fuzz
