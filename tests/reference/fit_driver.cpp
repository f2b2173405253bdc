// Fits a polynomial to points read from a file of float32 values (the X
// values, then the Y values) on a document of the given scale type, and
// prints the coefficients, the correlation coefficient and the generated
// curve as the CurveN request answers it.
//
//   fit_driver FILE N SCALE ORDER POINTS LOWER UPPER
//
// Output: "C <k> <value>" lines, "R <value>", then the curve's lines.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <vector>

#include "automation/request_replies.h"
#include "core/document_table.h"
#include "processing/curve_fit.h"
#include "tests/reference/driver_points.h"

int main(int argc, char** argv) {
  if (argc < 8) {
    std::cerr << "usage: fit_driver FILE N SCALE ORDER POINTS LOWER UPPER\n";
    return 2;
  }
  const int n = std::atoi(argv[2]);
  const long long points = std::atoll(argv[5]);
  if (n < 1 || points < 1) return 2;
  merva::DocumentTable table;
  merva::Status status;
  const int slot = table.Open(2, n, status);
  if (slot == 0) return 1;
  merva::PlotDocument& d = table.Document(slot);
  d.scaleType = static_cast<uint8_t>(std::atoi(argv[3]));
  if (!merva::reference::ReadPoints(argv[1], n, d)) return 1;
  merva::CurveFit fit;
  status = merva::FitCurve(d, 1, std::atoi(argv[4]), fit);
  int made = 0;
  if (status.Ok())
    status =
        merva::GenerateFittedCurve(d, fit, points, std::atof(argv[6]), std::atof(argv[7]), made);
  if (!status.Ok()) {
    std::cerr << status.Text() << "\n";
    return 1;
  }
  for (std::size_t k = 0; k < fit.coefficients.size(); ++k)
    std::printf("C %zu %.17g\n", k, fit.coefficients[k]);
  std::printf("R %.17g\n", fit.correlation);
  std::cout << merva::CurveText(d, made);
  return 0;
}
