// Curve operations on a 10,000,000-point curve beside numpy/scipy on the
// same data (bench/processing_bench.py): sort, resampling at equal
// intervals with the natural spline, Harlan depopulation, and the linear
// passes in GB/s.
//
//   processing_bench [points] [folder]

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/document_table.h"
#include "processing/average_curves.h"
#include "processing/curve_arithmetic.h"
#include "processing/decimation.h"
#include "processing/equal_intervals.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Data {
  std::vector<float> sortX, sortY;    // random X
  std::vector<float> curveX, curveY;  // increasing, uneven X; a noisy wave
};

Data MakeData(int n) {
  Data data;
  std::mt19937 random(15);
  std::uniform_real_distribution<float> uniform(-1000.0f, 1000.0f);
  std::uniform_int_distribution<int> step(1, 2);  // uneven, and exact in single precision
  std::normal_distribution<float> noise(0.0f, 0.002f);
  data.sortX.resize(n);
  data.sortY.resize(n);
  data.curveX.resize(n);
  data.curveY.resize(n);
  double x = 0.0;
  for (int i = 0; i < n; ++i) {
    data.sortX[i] = uniform(random);
    data.sortY[i] = static_cast<float>(i);
    x += step(random);
    data.curveX[i] = static_cast<float>(x);
    data.curveY[i] = static_cast<float>(std::sin(x / 1000.0)) + noise(random);
  }
  return data;
}

// A document of two curve slots of n points holding one curve.
struct Plot {
  merva::DocumentTable table;
  merva::PlotDocument* d = nullptr;
  explicit Plot(int n) {
    merva::Status status;
    const int slot = table.Open(2, n, status);
    if (slot == 0) {
      std::printf("cannot allocate %d points\n", n);
      std::exit(1);
    }
    d = &table.Document(slot);
  }
  void Load(const std::vector<float>& x, const std::vector<float>& y) {
    d->curveCount = 1;
    d->pointCount[1] = static_cast<int>(x.size());
    std::copy(x.begin(), x.end(), d->xValues.Column(1));
    std::copy(y.begin(), y.end(), d->yValues.Column(1));
    d->InvalidateCurveStates(1);
  }
};

template <class Setup, class Run>
double Best(int repeat, Setup setup, Run run) {
  double best = 1e30;
  for (int i = 0; i < repeat; ++i) {
    setup();
    const auto start = Clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

std::map<std::string, double> PeerTimes(const Data& data, const std::string& folder, int n,
                                        double interval, double start, double fidelity) {
  const std::string file = folder + "/processing_bench.bin";
  {
    std::ofstream out(file, std::ios::binary);
    for (const auto* v : {&data.sortX, &data.sortY, &data.curveX, &data.curveY})
      out.write(reinterpret_cast<const char*>(v->data()),
                static_cast<std::streamsize>(v->size() * sizeof(float)));
  }
  char arguments[256];
  std::snprintf(arguments, sizeof arguments, " %d %.17g %.17g %.17g", n, interval, start, fidelity);
  const std::string script = std::string(MERVA_SOURCE_DIR) + "/bench/processing_bench.py";
  const std::string command = "/usr/bin/python3 " + script + " " + file + arguments;
  std::map<std::string, double> times = merva::bench::PeerTimes(command);
  std::filesystem::remove(file);
  return times;
}

void Ratio(const char* what, const char* peer, double peerSeconds, double ourSeconds) {
  if (peerSeconds > 0)
    std::printf("ratio: %s vs %s = %.2f\n", what, peer, peerSeconds / ourSeconds);
  else
    std::printf("ratio: %s vs %s = unavailable (no numpy/scipy)\n", what, peer);
}

// A small Google Benchmark case, so that the operations can be profiled alone.
void BM_SortMillion(benchmark::State& state) {
  const Data data = MakeData(1000000);
  Plot plot(1000000);
  for (auto _ : state) {
    state.PauseTiming();
    plot.Load(data.sortX, data.sortY);
    state.ResumeTiming();
    merva::SortCurves(*plot.d, {1, 1});
  }
}
BENCHMARK(BM_SortMillion)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 && argv[1][0] != '-' ? std::atoi(argv[1]) : 10000000;
  const std::string folder =
      argc > 2 && argv[2][0] != '-' ? argv[2] : std::filesystem::temp_directory_path().string();
  const Data data = MakeData(n);
  Plot plot(n);
  const double gigabytes = 2.0 * n * sizeof(float) / 1e9;

  const double sort = Best(
      3, [&] { plot.Load(data.sortX, data.sortY); },
      [&] {
        merva::SortCurves(*plot.d, {1, 1});
      });
  std::printf("sort: %d points in %.3f s\n", n, sort);

  plot.Load(data.curveX, data.curveY);
  const double interval =
      (static_cast<double>(data.curveX.back()) - data.curveX.front()) / (n - 1) * 1.01;
  const merva::ResampleGrid grid = merva::GridOf(*plot.d, 1, interval);
  int result = 0;
  const double spline = Best(
      1, [&] { plot.Load(data.curveX, data.curveY); },
      [&] { merva::EqualIntervals(*plot.d, 1, interval, merva::METHOD_SPLINE, true, result); });
  std::printf("spline: %d points resampled to %lld in %.3f s\n", n, grid.count, spline);

  const double fidelity = 1.0;
  int kept = 0;
  const double depopulate = Best(
      3, [&] { plot.Load(data.curveX, data.curveY); },
      [&] {
        merva::Depopulate(*plot.d, 1, fidelity, {}, true, result);
        kept = plot.d->pointCount[1];
      });
  std::printf("depopulation: %d points kept of %d in %.3f s = %.2f GB/s\n", kept, n, depopulate,
              gigabytes / depopulate);
  const double skip = Best(
      3, [&] { plot.Load(data.curveX, data.curveY); },
      [&] { merva::SkipPoints(*plot.d, 1, 2, {}, true, result); });
  std::printf("skip points: %.3f s = %.2f GB/s\n", skip, gigabytes / skip);
  const double average = Best(
      3, [&] { plot.Load(data.curveX, data.curveY); },
      [&] { merva::AveragePoints(*plot.d, 1, 4, {}, true, result); });
  std::printf("average points: %.3f s = %.2f GB/s\n", average, gigabytes / average);
  const double add = Best(
      3, [&] { plot.Load(data.curveX, data.curveY); },
      [&] {
        merva::AddToX(*plot.d, {1, 1}, 1.0);
      });
  std::printf("add to X: %.3f s = %.2f GB/s\n", add, gigabytes / 2 / add);

  // Average all curves: a second curve half a step later and half as high,
  // interpolated at every X of the first (the same data in the script).
  merva::DocumentTable averageTable;
  merva::Status opened;
  merva::PlotDocument& two = averageTable.Document(averageTable.Open(3, n, opened));
  two.curveCount = 2;
  for (int c = 1; c <= 2; ++c) {
    two.pointCount[c] = n;
    for (int i = 0; i < n; ++i) {
      two.X(c, i + 1) = c == 1 ? data.curveX[i] : data.curveX[i] + 0.5f;
      two.Y(c, i + 1) = c == 1 ? data.curveY[i] : data.curveY[i] * 0.5f;
    }
  }
  const double averageAll = Best(
      3, [&] { two.curveCount = 2; }, [&] { merva::AverageAllCurves(two); });
  std::printf("average all curves: 2 x %d points in %.3f s = %.2f GB/s\n", n, averageAll,
              3 * gigabytes / averageAll);

  std::map<std::string, double> peer =
      PeerTimes(data, folder, n, interval, static_cast<double>(grid.start), fidelity);
  Ratio("sort", "numpy argsort+take", peer["sort"], sort);
  Ratio("equal intervals spline", "scipy CubicSpline", peer["spline"], spline);
  Ratio("harlan depopulation", "numpy line-deviation pass", peer["depopulation"], depopulate);
  Ratio("average all curves", "numpy.interp", peer["average"], averageAll);

  if (argc > 1 && std::string(argv[argc - 1]) == "--micro") {
    int one = 1;
    benchmark::Initialize(&one, argv);
    benchmark::RunSpecifiedBenchmarks();
  }
  return 0;
}
