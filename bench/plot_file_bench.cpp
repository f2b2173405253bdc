// Times writing and reading a plot file of 100 curves x 100,000 points,
// compares the read with gnuplot's "stats" over the same X,Y pairs as CSV,
// and prints the document's point memory against 8 bytes a point.
//
// Usage: plot_file_bench [folder] [points per curve]

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_support.h"
#include "core/array_sizing.h"
#include "core/number_text.h"
#include "core/plot_document.h"
#include "files/plot_file_reader.h"
#include "files/plot_file_writer.h"

namespace {

using namespace merva::bench;

constexpr int CURVES = 100;

// Measured-looking values: a time axis and a decaying oscillation.
void Fill(merva::PlotDocument& d, int points) {
  d.curveCount = CURVES;
  for (int c = 1; c <= CURVES; ++c) {
    d.pointCount[c] = points;
    float* x = d.xValues.Column(c);
    float* y = d.yValues.Column(c);
    for (int j = 0; j < points; ++j) {
      const double t = j * 1e-4;
      x[j] = static_cast<float>(t);
      y[j] = static_cast<float>(1000.0 * std::exp(-t) * std::sin(37.0 * t + c) + c);
    }
    d.InvalidateCurveStates(c);
  }
}

bool WriteCsv(const merva::PlotDocument& d, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::string buffer;
  buffer.reserve(1 << 21);
  char number[32];
  for (int c = 1; c <= d.curveCount; ++c) {
    for (int j = 1; j <= d.pointCount[c]; ++j) {
      buffer.append(number, static_cast<std::size_t>(merva::WriteG7(number, d.X(c, j))));
      buffer += ',';
      buffer.append(number, static_cast<std::size_t>(merva::WriteG7(number, d.Y(c, j))));
      buffer += '\n';
      if (buffer.size() >= (1 << 20)) {
        std::fwrite(buffer.data(), 1, buffer.size(), file);
        buffer.clear();
      }
    }
  }
  std::fwrite(buffer.data(), 1, buffer.size(), file);
  return std::fclose(file) == 0;
}

double MegaBytes(const std::string& path) {
  return static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder =
      argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
  const int points = argc > 2 ? std::atoi(argv[2]) : 100000;
  const std::string grf = (folder / "plot_file_bench.grf").string();
  const std::string csv = (folder / "plot_file_bench.csv").string();
  merva::SetTemporaryDirectory(folder.string());

  auto source = NewDocument(CURVES, points);
  Fill(*source, points);

  auto start = Clock::now();
  merva::Status status = merva::WritePlotFile(*source, grf);
  const double writeSeconds = Seconds(start);
  if (!status.Ok()) {
    std::printf("write failed: %s\n", status.Text().c_str());
    return 1;
  }
  const double grfMB = MegaBytes(grf);
  std::printf("write: %d curves x %d points, %.1f MB in %.3f s = %.1f MB/s\n", CURVES, points,
              grfMB, writeSeconds, grfMB / writeSeconds);

  auto target = NewDocument(merva::DEFAULT_CURVE_CAPACITY, merva::DEFAULT_POINT_CAPACITY);
  start = Clock::now();
  status = merva::ReadPlotFile(*target, grf, 1);
  const double readSeconds = Seconds(start);
  if (!status.Ok() || target->curveCount != CURVES) {
    std::printf("read failed: %s\n", status.Text().c_str());
    return 1;
  }
  std::printf("read:  %.1f MB in %.3f s = %.1f MB/s (%.1f million points/s)\n", grfMB, readSeconds,
              grfMB / readSeconds, CURVES * static_cast<double>(points) / readSeconds / 1e6);

  const double n = static_cast<double>(CURVES) * points;
  const double memory = static_cast<double>(
      target->xValues.ByteSize() + target->yValues.ByteSize() + sizeof(merva::PlotDocument));
  std::printf("memory: %.0f bytes for %.0f points; 8 x N = %.0f (%+.2f %%)\n", memory, n, 8 * n,
              100.0 * (memory - 8 * n) / (8 * n));

  if (!WriteCsv(*source, csv)) {
    std::printf("CSV write failed\n");
    return 1;
  }
  const std::string command =
      "gnuplot -e \"set datafile separator ','; stats '" + csv + "' using 1:2\" > /dev/null 2>&1";
  start = Clock::now();
  const int rc = std::system(command.c_str());
  const double gnuplotSeconds = Seconds(start);
  if (rc != 0) {
    std::printf("gnuplot failed (%d)\n", rc);
  } else {
    std::printf("gnuplot stats: %.1f MB CSV in %.3f s = %.1f MB/s; reading is %.1f x faster\n",
                MegaBytes(csv), gnuplotSeconds, MegaBytes(csv) / gnuplotSeconds,
                gnuplotSeconds / readSeconds);
  }
  if (!std::getenv("PLOT_BENCH_KEEP")) std::filesystem::remove(grf);
  std::filesystem::remove(csv);
  return 0;
}
