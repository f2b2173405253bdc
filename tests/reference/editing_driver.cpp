// Runs one curve operation on points read from a file of float32 values
// (the X values, then the Y values) and prints the resulting curve as the
// CurveN request answers it.
//
//   editing_driver sort FILE N
//   editing_driver equal FILE N METHOD INTERVAL

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "automation/request_replies.h"
#include "core/document_table.h"
#include "processing/curve_arithmetic.h"
#include "processing/equal_intervals.h"
#include "tests/reference/driver_points.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: editing_driver sort|equal FILE N [METHOD INTERVAL]\n";
    return 2;
  }
  const std::string operation = argv[1];
  const int n = std::atoi(argv[3]);
  if (n < 1) return 2;
  merva::DocumentTable table;
  merva::Status status;
  const int slot = table.Open(2, n, status);
  if (slot == 0) return 1;
  merva::PlotDocument& d = table.Document(slot);
  if (!merva::reference::ReadPoints(argv[2], n, d)) return 1;
  int curve = 1;
  if (operation == "sort") {
    status = merva::SortCurves(d, {1, 1});
  } else if (operation == "equal" && argc >= 6) {
    status = merva::EqualIntervals(d, 1, std::atof(argv[5]), std::atoi(argv[4]), false, curve);
  } else {
    return 2;
  }
  if (!status.Ok()) {
    std::cerr << status.Text() << "\n";
    return 1;
  }
  std::cout << merva::CurveText(d, curve);
  return 0;
}
