// Runs the Filter operation on a curve read from a file of float32 values
// (the X values, then the Y values) and prints the filtered Y values, one a
// line with nine significant digits.
//
//   filter_driver FILE N TYPE TWOPASS F0 B MILLISECONDS [C0 C1 C2 D1 D2]

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "core/document_table.h"
#include "processing/digital_filter.h"
#include "tests/reference/driver_points.h"

int main(int argc, char** argv) {
  if (argc < 8) {
    std::fprintf(stderr, "usage: filter_driver FILE N TYPE TWOPASS F0 B MS [C0 C1 C2 D1 D2]\n");
    return 2;
  }
  const int n = std::atoi(argv[2]);
  if (n < 1) return 2;
  merva::FilterSettings s;
  s.type = std::atoi(argv[3]);
  s.twoPass = std::atoi(argv[4]) != 0;
  s.rejectFrequency = std::atof(argv[5]);
  s.bandwidth = std::atof(argv[6]);
  s.milliseconds = std::atoi(argv[7]) != 0;
  if (argc >= 13) {
    s.coefficients = {std::atof(argv[8]), std::atof(argv[9]), std::atof(argv[10]),
                      std::atof(argv[11]), std::atof(argv[12])};
  }
  merva::DocumentTable table;
  merva::Status status;
  const int slot = table.Open(2, n, status);
  if (slot == 0) return 1;
  merva::PlotDocument& d = table.Document(slot);
  if (!merva::reference::ReadPoints(argv[1], n, d)) return 1;
  int result = 0;
  status = merva::ApplyFilter(d, 1, s, false, result);
  if (!status.Ok()) {
    std::printf("refused: %s\n", status.Text().c_str());
    return 0;
  }
  for (int i = 1; i <= d.pointCount[result]; ++i) std::printf("%.9g\n", d.Y(result, i));
  return 0;
}
