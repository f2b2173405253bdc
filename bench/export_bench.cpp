// Times the export of 5 curves of 10,000,000 points as CSV and of one curve
// as an unformatted file, beside pandas.DataFrame.to_csv and numpy.savetxt
// writing the same float32 values with the same "%.7G" text, and beside a
// plain write of the unformatted file's bytes (the disk's speed). The
// written files are deleted after each run.
// Prints "ratio: <what> vs <peer> = <peer time / our time>".
//
// Usage: export_bench [folder] [points]

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_support.h"
#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "io/curve_export.h"

namespace {

using namespace merva::bench;
constexpr int CURVES = 5;

void Remove(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
}

// Seconds a Python peer reports ("seconds: x"); negative when it failed.
double PeerSeconds(const std::string& body) {
  const std::string command = "/usr/bin/python3 -c \"import time,sys,numpy\n" + body +
                              "\nprint('seconds: %.6f' % (time.perf_counter() - t))\" 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char line[256];
  double reported = -1;
  while (std::fgets(line, sizeof line, pipe)) std::sscanf(line, "seconds: %lf", &reported);
  return pclose(pipe) == 0 ? reported : -1;
}

void Ratio(const char* what, const char* peer, double peerSeconds, double ours) {
  if (peerSeconds <= 0) {
    std::printf("%s: %s not available\n", what, peer);
    return;
  }
  std::printf("%s: %s %.3f s\n", what, peer, peerSeconds);
  std::printf("ratio: %s vs %s = %.2f\n", what, peer, peerSeconds / ours);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder =
      argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
  const int points = argc > 2 ? std::atoi(argv[2]) : 10000000;
  const std::string csv = (folder / "export_bench.csv").string();
  const std::string bin = (folder / "export_bench.bin").string();
  const std::string raw = (folder / "export_bench.raw").string();
  const std::string values = (folder / "export_bench.f32").string();

  auto d = std::make_unique<merva::PlotDocument>();
  merva::SetCompiledDefaults(*d);
  if (!merva::Allocate(*d, CURVES, points).Ok()) return 1;
  // Measured-looking records: decaying oscillations sampled at 10 kHz.
  for (int c = 1; c <= CURVES; ++c) {
    d->pointCount[c] = points;
    for (int j = 1; j <= points; ++j) {
      const double t = (j - 1) * 1e-4;
      d->X(c, j) = static_cast<float>(t);
      d->Y(c, j) = static_cast<float>(1000.0 * std::exp(-t * 0.01) * std::sin(37.0 * t + c));
    }
  }
  d->curveCount = CURVES;

  Clock::time_point start = Clock::now();
  merva::Status s = merva::WriteCsv(csv, *d);
  const double csvSeconds = Seconds(start);
  const double csvMegaBytes = s.Ok() ? std::filesystem::file_size(csv) / 1e6 : 0;
  Remove(csv);
  if (!s.Ok()) {
    std::printf("CSV export failed: %s\n", s.Text().c_str());
    return 1;
  }
  std::printf("csv export: %d curves x %d points, %.1f MB in %.3f s = %.0f MB/s\n", CURVES, points,
              csvMegaBytes, csvSeconds, csvMegaBytes / csvSeconds);

  start = Clock::now();
  s = merva::WriteUnformattedCurve(bin, *d, 1);
  const double binSeconds = Seconds(start);
  const auto binBytes = s.Ok() ? std::filesystem::file_size(bin) : 0;
  Remove(bin);
  if (!s.Ok()) return 1;
  std::printf("unformatted export: %.1f MB in %.3f s = %.0f MB/s\n", binBytes / 1e6, binSeconds,
              binBytes / 1e6 / binSeconds);

  // The disk: the same number of bytes in one plain write.
  {
    std::string bytes(binBytes, '\x5a');
    start = Clock::now();
    std::FILE* f = std::fopen(raw.c_str(), "wb");
    if (!f) return 1;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    const double rawSeconds = Seconds(start);
    Remove(raw);
    Ratio("unformatted export", "plain fwrite of its bytes", rawSeconds, binSeconds);
  }

  // The peers get the same float32 values: X of curve 1, then Y of each curve.
  {
    std::FILE* f = std::fopen(values.c_str(), "wb");
    if (!f) return 1;
    std::fwrite(d->xValues.Column(1), sizeof(float), static_cast<std::size_t>(points), f);
    for (int c = 1; c <= CURVES; ++c)
      std::fwrite(d->yValues.Column(c), sizeof(float), static_cast<std::size_t>(points), f);
    std::fclose(f);
  }
  d.reset();
  const std::string load = "v=numpy.fromfile('" + values + "',dtype=numpy.float32).reshape(" +
                           std::to_string(CURVES + 1) + ",-1).T\n";
  Ratio("csv export", "pandas.to_csv",
        PeerSeconds("import pandas\n" + load +
                    "f=pandas.DataFrame(v)\nt=time.perf_counter()\nf.to_csv('" + csv +
                    "',index=False,header=False,float_format='%.7G')"),
        csvSeconds);
  Remove(csv);
  Ratio("csv export", "numpy.savetxt",
        PeerSeconds(load + "t=time.perf_counter()\nnumpy.savetxt('" + csv +
                    "',v,fmt='%.7G',delimiter=',')"),
        csvSeconds);
  Remove(csv);
  Remove(values);
  return 0;
}
