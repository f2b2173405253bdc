// Times the least-squares curve fit of order 10 on a 10,000,000-point curve
// beside numpy.polyfit on the same data. Prints the times and one
// "ratio: <what> vs <peer> = <x>" line (peer time / ours).
//
// Usage: fit_bench [points] [folder of fit_reference.py]

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
#include "processing/curve_fit.h"

namespace {

using namespace merva::bench;
constexpr int REPEATS = 3;
constexpr int ORDER = 10;

// The data fit_reference.py makes: a sine on -1..1.
void Fill(merva::PlotDocument& d, int n) {
  d.curveCount = 1;
  d.pointCount[1] = n;
  for (int i = 0; i < n; ++i) {
    const float x = static_cast<float>(-1.0 + 2.0 * i / (n - 1));
    d.X(1, i + 1) = x;
    d.Y(1, i + 1) = static_cast<float>(std::sin(3.0 * x));
  }
}

// The reference times, "name seconds" per line.
std::map<std::string, double> PeerTimes(const std::string& folder, int n) {
  return merva::bench::PeerTimes(
      merva::bench::WithOwnOpenBlas(folder + "/fit_reference.py " + std::to_string(n)));
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 10000000;
  const std::string folder = argc > 2 ? argv[2] : MERVA_SOURCE_DIR "/bench";
  if (n < ORDER + 1) return 2;
  auto d = std::make_unique<merva::PlotDocument>();
  merva::SetCompiledDefaults(*d);
  if (!merva::Allocate(*d, 1, n).Ok()) return 1;
  Fill(*d, n);
  double best = 1e30;
  merva::CurveFit fit;
  for (int r = 0; r < REPEATS; ++r) {
    const auto start = Clock::now();
    if (!merva::FitCurve(*d, 1, ORDER, fit).Ok()) return 1;
    best = std::min(best, Seconds(start));
  }
  std::map<std::string, double> peer = PeerTimes(folder, n);
  const double theirs = peer["polyfit"];
  std::printf("%d points, order %d, best of %d: %.3f s; numpy.polyfit %.3f s\n", n, ORDER, REPEATS,
              best, theirs);
  if (theirs > 0.0) std::printf("ratio: order 10 fit vs numpy.polyfit = %.2f\n", theirs / best);
  return 0;
}
