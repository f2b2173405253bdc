// The integration recompute of a 10,000,000-point acceleration record
// (velocity and displacement curves, X copied into both) beside scipy's
// cumulative_trapezoid applied twice on the same float32 data
// (bench/integration_bench.py), with the agreement of the two results.
//
//   integration_bench [points] [folder] [--micro]
//
// GB/s counts the curve data touched: the record's X,Y read and the two
// integral curves' X,Y written, 24 bytes a point.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/document_table.h"
#include "processing/data_processing.h"

namespace {

using namespace merva::bench;

// 16 kHz in msec: the times stay exact and evenly spaced in float up to
// 2^24 points, so scipy can take one dx. A 0.5 g offset under a 2 Hz wave
// and noise keeps both integrals growing.
void MakeRecord(int n, std::vector<float>& x, std::vector<float>& y) {
  std::mt19937 random(23);
  std::normal_distribution<float> noise(0.0f, 0.2f);
  x.resize(n);
  y.resize(n);
  for (int i = 0; i < n; ++i) {
    const double t = i / 16.0;
    x[i] = static_cast<float>(t);
    y[i] = static_cast<float>(0.5 + std::sin(t * 0.004 * M_PI)) + noise(random);
  }
}

// A document of the three curve slots of the acceleration mode.
struct Record {
  merva::DocumentTable table;
  merva::PlotDocument* d = nullptr;
  int n = 0;
  Record(const std::vector<float>& x, const std::vector<float>& y) : n(static_cast<int>(x.size())) {
    merva::Status status;
    const int slot = table.Open(3, n, status);
    if (slot == 0) {
      std::printf("cannot allocate 3 x %d points\n", n);
      std::exit(1);
    }
    d = &table.Document(slot);
    d->curveCount = 1;
    d->pointCount[1] = n;
    d->processMode = 1;
    d->processState.dataType = merva::DATA_ACCELERATION;
    std::copy(x.begin(), x.end(), d->xValues.Column(1));
    std::copy(y.begin(), y.end(), d->yValues.Column(1));
  }
  // The program's recompute of the record's integrals.
  void Recompute() { merva::RecomputeRecord(*d); }
};

std::vector<float> ReadFloats(const std::string& file, std::size_t count) {
  std::vector<float> values(count);
  std::ifstream in(file, std::ios::binary);
  in.read(reinterpret_cast<char*>(values.data()),
          static_cast<std::streamsize>(count * sizeof(float)));
  if (!in) values.clear();
  return values;
}

// Runs the script; its velocity and displacement come back in `peer`.
double PeerSeconds(const std::vector<float>& x, const std::vector<float>& y,
                   const std::string& folder, std::vector<float>& peer) {
  const std::string input = folder + "/integration_bench.bin";
  const std::string output = folder + "/integration_bench.out";
  {
    std::ofstream out(input, std::ios::binary);
    for (const auto* v : {&x, &y})
      out.write(reinterpret_cast<const char*>(v->data()),
                static_cast<std::streamsize>(v->size() * sizeof(float)));
  }
  const std::string script = std::string(MERVA_SOURCE_DIR) + "/bench/integration_bench.py";
  const std::string command =
      "/usr/bin/python3 " + script + " " + input + " " + std::to_string(x.size()) + " " + output;
  double seconds = 0;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    if (std::fscanf(pipe, "cumulative_trapezoid %lf", &seconds) != 1) seconds = 0;
    pclose(pipe);
  }
  if (seconds > 0) peer = ReadFloats(output, 2 * x.size());
  std::filesystem::remove(input);
  std::filesystem::remove(output);
  return seconds;
}

// Largest difference over the curve, relative to the curve's largest value.
double RelativeDifference(const float* ours, const float* theirs, int n) {
  double difference = 0, largest = 0;
  for (int i = 0; i < n; ++i) {
    difference = std::max(difference, std::fabs(static_cast<double>(ours[i]) - theirs[i]));
    largest = std::max(largest, std::fabs(static_cast<double>(theirs[i])));
  }
  return largest > 0 ? difference / largest : difference;
}

// A small Google Benchmark case, so that the recompute can be profiled alone.
void BM_RecomputeMillion(benchmark::State& state) {
  std::vector<float> x, y;
  MakeRecord(1000000, x, y);
  Record record(x, y);
  for (auto _ : state) record.Recompute();
  state.SetBytesProcessed(state.iterations() * 24 * 1000000LL);
}
BENCHMARK(BM_RecomputeMillion)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 && argv[1][0] != '-' ? std::atoi(argv[1]) : 10000000;
  const std::string folder =
      argc > 2 && argv[2][0] != '-' ? argv[2] : std::filesystem::temp_directory_path().string();
  std::vector<float> x, y;
  MakeRecord(n, x, y);
  Record record(x, y);
  const double gigabytes = 6.0 * n * sizeof(float) / 1e9;

  const double ours = Best(5, [&] { record.Recompute(); });
  std::printf(
      "integration recompute: %d points, 2 integrals in %.4f s = %.2f GB/s "
      "(record X,Y read + 2 curves X,Y written)\n",
      n, ours, gigabytes / ours);

  std::vector<float> peer;
  const double scipy = PeerSeconds(x, y, folder, peer);
  if (scipy <= 0 || peer.size() != 2 * x.size()) {
    std::printf(
        "ratio: integration recompute vs scipy cumulative_trapezoid x2 = "
        "unavailable (no numpy/scipy)\n");
    return 0;
  }
  std::printf("ratio: integration recompute vs scipy cumulative_trapezoid x2 = %.2f\n",
              scipy / ours);
  std::printf("scipy: %.4f s = %.2f GB/s (X copies not counted there)\n", scipy,
              gigabytes * 4 / 6 / scipy);

  // Both add the same float32 steps in the same order, so they should agree
  // to the last bit; the tolerance leaves room for a differently rounded step.
  const double tolerance = 1e-6;
  const float* velocity = record.d->yValues.Column(2);
  const float* displacement = record.d->yValues.Column(3);
  const double v = RelativeDifference(velocity, peer.data(), n);
  const double s = RelativeDifference(displacement, peer.data() + n, n);
  const bool sameX = std::equal(x.begin(), x.end(), record.d->xValues.Column(2)) &&
                     std::equal(x.begin(), x.end(), record.d->xValues.Column(3));
  std::printf(
      "agreement with scipy (largest difference / largest value): velocity %.2e, "
      "displacement %.2e, tolerance %.0e: %s\n",
      v, s, tolerance, v <= tolerance && s <= tolerance && sameX ? "ok" : "FAILED");
  std::printf("final velocity %.7g ft/s (scipy %.7g), displacement %.7g in (scipy %.7g)\n",
              velocity[n - 1], peer[n - 1], displacement[n - 1], peer[2 * n - 1]);

  if (argc > 1 && std::string(argv[argc - 1]) == "--micro") {
    int one = 1;
    benchmark::Initialize(&one, argv);
    benchmark::RunSpecifiedBenchmarks();
  }
  return v <= tolerance && s <= tolerance && sameX ? 0 : 1;
}
