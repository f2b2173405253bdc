// Times the curve analysis on a 10,000,000-point curve beside numpy on the
// same data: the histogram counts (numpy.histogram) and the polynomial
// transformation (numpy.polyval). Average All Curves is timed with the
// other curve operations in processing_bench. Prints the times and one
// "ratio: <what> vs <peer> = <x>" line each (peer time / ours).
//
// Usage: analysis_bench [points] [folder of analysis_reference.py]

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "bench_support.h"
#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "processing/histogram.h"
#include "processing/polynomial.h"

namespace {

using namespace merva::bench;
constexpr int REPEATS = 3;

// The data analysis_reference.py makes: a sine on a time axis.
void Fill(merva::PlotDocument& d, int n) {
  d.curveCount = 1;
  d.pointCount[1] = n;
  for (int i = 0; i < n; ++i) {
    const double t = i * 1e-3;
    d.X(1, i + 1) = static_cast<float>(t);
    d.Y(1, i + 1) = static_cast<float>(std::sin(t));
  }
}

// The reference times, "name seconds" per line.
std::map<std::string, double> PeerTimes(const std::string& folder, int n) {
  return merva::bench::PeerTimes("/usr/bin/python3 " + folder + "/analysis_reference.py " +
                                 std::to_string(n));
}

void Report(const char* what, const char* peer, double ours, double theirs, double bytes) {
  std::printf("%-28s %8.3f s  %6.2f GB/s   %-18s %8.3f s\n", what, ours, bytes / ours / 1e9, peer,
              theirs);
  if (theirs > 0.0) std::printf("ratio: %s vs %s = %.2f\n", what, peer, theirs / ours);
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 10000000;
  const std::string folder = argc > 2 ? argv[2] : MERVA_SOURCE_DIR "/bench";
  auto d = NewDocument(2, n);
  Fill(*d, n);
  // Curve data read and written, 8 bytes a point.
  const double point = 2 * sizeof(float);

  auto h = NewDocument(1, 2);
  const double histogram = Best(REPEATS, [&] {
    h->curveCount = 0;
    if (!merva::BuildHistogram(*d, 1, 0.01, *h).Ok()) std::exit(1);
  });
  merva::PolynomialCoefficients c{0.5, -1.25, 0.75, 0.1, -0.02, 0.003, 0.0, 1e-4, -2e-6};
  const double polynomial = Best(REPEATS, [&] {
    d->curveCount = 1;
    if (!merva::PolynomialTransform(*d, 1, c).Ok()) std::exit(1);
  });

  std::map<std::string, double> peer = PeerTimes(folder, n);
  std::printf("%d points per curve, best of %d; GB/s of curve data read and written\n", n, REPEATS);
  Report("histogram", "numpy.histogram", histogram, peer["histogram"], n * sizeof(float) * 1.0);
  Report("polynomial", "numpy.polyval", polynomial, peer["polyval"], 2.0 * n * point);
  return 0;
}
