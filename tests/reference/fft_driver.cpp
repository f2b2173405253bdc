// Runs the FFT or the smoother on points read from a file of float32 values
// (the X values, then the Y values) and prints the result, one point a line:
// "frequency amplitude phase" for the FFT, "x y" for smoothing.
//
//   fft_driver fft FILE N OPTIONS
//   fft_driver smooth FILE N WINDOW

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "core/document_table.h"
#include "processing/fft_spectrum.h"
#include "processing/smoothing.h"
#include "tests/reference/driver_points.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::cerr << "usage: fft_driver fft|smooth FILE N OPTIONS|WINDOW\n";
    return 2;
  }
  const std::string operation = argv[1];
  const int n = std::atoi(argv[3]);
  if (n < 1) return 2;
  merva::DocumentTable table;
  merva::Status status;
  const int slot = table.Open(2, n, status);
  const int target = table.Open(2, 2, status);
  if (slot == 0 || target == 0) return 1;
  merva::PlotDocument& d = table.Document(slot);
  merva::PlotDocument& t = table.Document(target);
  if (!merva::reference::ReadPoints(argv[2], n, d)) return 1;
  int curve = 1;
  if (operation == "fft") {
    int options = std::atoi(argv[4]);
    status = merva::FftCurve(d, 1, options, t);
  } else if (operation == "smooth") {
    status = merva::SmoothCurve(d, 1, std::atof(argv[4]), false, curve);
  } else {
    return 2;
  }
  if (!status.Ok()) {
    std::cerr << status.Text() << "\n";
    return 1;
  }
  const merva::PlotDocument& out = operation == "fft" ? t : d;
  for (int i = 1; i <= out.pointCount[curve]; ++i) {
    if (operation == "fft") {
      std::printf("%.9g\t%.9g\t%.9g\n", out.X(1, i), out.Y(1, i),
                  out.curveCount > 1 ? out.Y(2, i) : 0.0f);
    } else {
      std::printf("%.9g\t%.9g\n", out.X(curve, i), out.Y(curve, i));
    }
  }
  return 0;
}
