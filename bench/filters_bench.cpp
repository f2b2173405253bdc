// Times the digital filters on 10,000,000 single-precision values beside
// scipy.signal.lfilter on the same data and coefficients (filters_reference.py):
// the recursive filter with each coefficient design, one and two passes,
// and the four low-pass cascades (scipy: one lfilter per stage). Spike
// removal has no peer and prints its time only. Prints one
// "ratio: <what> vs <peer> = <x>" line each (peer time / ours).
//
// Usage: filters_bench [points] [folder of filters_reference.py]

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "processing/lowpass_cascades.h"
#include "processing/recursive_filter.h"
#include "processing/spike_removal.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int REPEATS = 3;
constexpr double DT = 0.002;  // 500 Hz sampling, as the reference script has it

// The data filters_reference.py makes: two tones and a ramp of noise.
std::vector<float> Signal(int n) {
  std::vector<float> y(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double t = i * DT;
    y[static_cast<std::size_t>(i)] =
        static_cast<float>(std::sin(2 * M_PI * 12 * t) + 0.5 * std::sin(2 * M_PI * 60 * t) +
                           0.3 * std::sin(i * 0.7315) + 2.0);
  }
  return y;
}

// Best time of `run` over a fresh copy of the data each time.
template <class F>
double Best(const std::vector<float>& data, F run) {
  double best = 1e30;
  std::vector<float> y;
  for (int r = 0; r < REPEATS; ++r) {
    y = data;
    const auto start = Clock::now();
    run(y.data(), y.size());
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

std::map<std::string, double> PeerTimes(const std::string& folder, int n) {
  return merva::bench::PeerTimes(
      merva::bench::WithOwnOpenBlas(folder + "/filters_reference.py " + std::to_string(n)));
}

void Report(const std::string& what, double ours, double theirs, double bytes) {
  std::printf("%-24s %8.4f s  %6.2f GB/s   scipy.signal.lfilter %8.4f s\n", what.c_str(), ours,
              bytes / ours / 1e9, theirs);
  if (theirs > 0.0)
    std::printf("ratio: %s vs scipy.signal.lfilter = %.2f\n", what.c_str(), theirs / ours);
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 10000000;
  const std::string folder = argc > 2 ? argv[2] : MERVA_SOURCE_DIR "/bench";
  if (n < 1) return 2;
  const std::vector<float> data = Signal(n);
  const double bytes = 2.0 * n * sizeof(float);  // read and written once
  std::map<std::string, double> peer = PeerTimes(folder, n);
  std::printf("%d points, best of %d; GB/s of values read and written\n", n, REPEATS);

  const struct {
    const char* name;
    merva::RecursiveCoefficients k;
  } designs[] = {
      {"user", {0.2, 0.3, 0.1, 0.5, -0.2}},
      {"carleton", merva::CarletonCoefficients(60.0, DT)},
      {"press", merva::PressCoefficients(60.0, 4.0, DT)},
      {"zero_frequency", merva::ZeroFrequencyCoefficients()},
  };
  for (const auto& design : designs) {
    const double one = Best(data, [&](float* y, std::size_t size) {
      merva::RunRecursiveFilter(y, size, design.k, false);
    });
    Report(design.name, one, peer[design.name], bytes);
  }
  const double twoPass = Best(data, [&](float* y, std::size_t size) {
    merva::RunRecursiveFilter(y, size, designs[1].k, false);
    merva::RunRecursiveFilter(y, size, designs[1].k, true);
  });
  Report("carleton_two_pass", twoPass, peer["carleton_two_pass"], bytes);
  for (int option = 1; option <= merva::LOWPASS_OPTION_COUNT; ++option) {
    const double t = Best(data, [&](float* y, std::size_t size) {
      merva::RunLowPassCascade(y, size, option, false);
    });
    Report("option" + std::to_string(option), t, peer["option" + std::to_string(option)], bytes);
  }
  const double spikes =
      Best(data, [&](float* y, std::size_t size) { merva::RemoveRandomSpikes(y, size); });
  std::printf("%-24s %8.4f s  %6.2f GB/s   (no peer)\n", "random_spikes", spikes,
              bytes / spikes / 1e9);
  return 0;
}
