#pragma once

// Documents and files for the import tests.

#include <cstdio>
#include <string>

#include "core/array_sizing.h"
#include "core/plot_document.h"

namespace merva::import_test {

inline PlotDocument NewDocument(int curves = 10, int points = 100) {
  PlotDocument d;
  SetCompiledDefaults(d);
  Allocate(d, curves, points);
  return d;
}

// A file in the test's temporary folder holding exactly `bytes`.
inline std::string WriteTestFile(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + "merva_io_" + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

// Curve 1 with n points, so that imports have something to leave alone.
inline void AddCurve(PlotDocument& d, int n) {
  d.curveCount = 1;
  d.pointCount[1] = n;
  for (int p = 1; p <= n; ++p) {
    d.X(1, p) = static_cast<float>(p);
    d.Y(1, p) = static_cast<float>(-p);
  }
}

}  // namespace merva::import_test
