// Integrates a record read from a file of float32 values (the times in
// msec, then the values) for a data type, and differentiates the record by
// both methods with X taken as given.
//
//   integration_driver FILE N TYPE
//
// Output: one line per point: the integrals (as many as the type has),
// then the method-1 slope (initial value 0) and the method-2 slope, each
// with "%.9g" so that the floats read back exactly.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <vector>

#include "processing/differentiation.h"
#include "processing/record_integration.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: integration_driver FILE N TYPE\n";
    return 2;
  }
  const int n = std::atoi(argv[2]);
  const int type = std::atoi(argv[3]);
  if (n < 1 || n > 10000000) return 2;
  const std::size_t count = static_cast<std::size_t>(n);
  std::vector<float> values(count * 2);
  std::ifstream in(argv[1], std::ios::binary);
  in.read(reinterpret_cast<char*>(values.data()),
          static_cast<std::streamsize>(values.size() * sizeof(float)));
  if (!in) return 1;
  const float* x = values.data();
  const float* y = values.data() + count;
  std::vector<float> first(count), second(count), slope1(count), slope2(count);
  float* integrals[2] = {first.data(), second.data()};
  const int k = merva::IntegrateRecord(type, x, y, n, integrals);
  merva::DifferentiateTrapezoid(x, y, n, 0.0f, slope1.data());
  if (!merva::DifferentiateQuadratic(x, y, n, slope2.data())) return 1;
  for (std::size_t i = 0; i < count; ++i) {
    for (int c = 0; c < k; ++c) std::printf("%.9g ", static_cast<double>(integrals[c][i]));
    std::printf("%.9g %.9g\n", static_cast<double>(slope1[i]), static_cast<double>(slope2[i]));
  }
  return 0;
}
