// Writes the CSV that tests/io/export_readers.py gives LibreOffice and
// gnuplot, with the values it must find (as single-precision numbers).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/document_table.h"
#include "io/curve_export.h"

namespace merva {
namespace {

TEST(ExportReaders, WriteCsvForReaders) {
  const char* csv = std::getenv("MERVA_EXPORT_CSV");
  const char* expected = std::getenv("MERVA_EXPORT_EXPECTED");
  if (!csv || !expected) GTEST_SKIP() << "run by tests/io/export_readers.py";
  DocumentTable table;
  Status status;
  const int slot = table.Open(4, 200, status);
  ASSERT_TRUE(status.Ok());
  PlotDocument& d = table.Document(slot);
  d.title1.Set("Shot 12, \"north\" gauge");
  d.xAxisLabel.Set("Time, s");
  const int lengths[] = {120, 120, 80};  // curve 3 is shorter: empty fields
  for (int c = 1; c <= 3; ++c) {
    d.pointCount[c] = lengths[c - 1];
    d.legendText[c].Set(c == 2 ? "" : "gauge " + std::to_string(c));
    for (int j = 1; j <= lengths[c - 1]; ++j) {
      d.X(c, j) = static_cast<float>((j - 1) * 2.5e-4);
      d.Y(c, j) = static_cast<float>(std::pow(10.0, c * 3 - 6) * std::sin(0.3 * j + c) *
                                     (j % 7 == 0 ? -1e-9 : 1.0));
    }
  }
  d.curveCount = 3;
  ASSERT_TRUE(WriteCsv(csv, d).Ok());
  std::FILE* f = std::fopen(expected, "w");
  ASSERT_TRUE(f);
  for (int j = 1; j <= lengths[0]; ++j) {
    std::fprintf(f, "%.9g", d.X(1, j));
    for (int c = 1; c <= 3; ++c)
      if (j <= lengths[c - 1])
        std::fprintf(f, " %.9g", d.Y(c, j));
      else
        std::fprintf(f, " nan");
    std::fprintf(f, "\n");
  }
  std::fclose(f);
}

}  // namespace
}  // namespace merva
