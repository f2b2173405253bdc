// Times the import of a generated 100 MB CSV of 5 numeric columns and of a
// 10,000,000-sample Nicolet file, beside pandas.read_csv (C engine),
// numpy.loadtxt and gnuplot's "stats" on the same files, and, when a Wine
// build tree is given, the same CSV opened in merva95.exe over DDE. Every
// figure is the best of three runs.
// Prints "ratio: <what> vs <peer> = <peer time / our time>".
//
// Usage: io_bench [folder] [CSV megabytes] [x86_64 build tree]

#include <sys/resource.h>

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
#include "io/column_import.h"
#include "io/nicolet_import.h"

namespace {

using namespace merva::bench;
constexpr int WFT_SAMPLES = 10000000;
constexpr int RUNS = 3;

double MegaBytes(const std::string& path) {
  return static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}

long PeakRssMegaBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// Measured-looking rows: time and four channels in "%.7G".
long long WriteCsv(const std::string& path, double megaBytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::exit(1);
  std::string buffer = "\"time\",\"a\",\"b\",\"c\",\"d\"\n";
  long long rows = 0, written = 0;
  const long long target = static_cast<long long>(megaBytes * 1e6);
  while (written < target) {
    const double t = static_cast<double>(rows) * 1e-5;
    merva::AppendG(buffer, t);
    for (int c = 1; c <= 4; ++c) {
      buffer += ',';
      merva::AppendG(buffer, 1000.0 * std::exp(-t) * std::sin(37.0 * t + c) + c * 0.001);
    }
    buffer += '\n';
    ++rows;
    if (buffer.size() > (1 << 20)) {
      written += static_cast<long long>(std::fwrite(buffer.data(), 1, buffer.size(), f));
      buffer.clear();
    }
  }
  std::fwrite(buffer.data(), 1, buffer.size(), f);
  std::fclose(f);
  return rows;
}

void WriteWft(const std::string& path) {
  std::string header(1538, '\0');
  auto put = [&](std::size_t at, const std::string& text) {
    header.replace(at, text.size(), text);
  };
  put(0, "3");
  put(4, "1");
  put(8, "1538");
  put(146, std::to_string(WFT_SAMPLES));
  put(158, "0");
  put(170, "3.0517578E-4");
  put(194, "0");
  put(218, "1");
  put(253, "0");
  put(277, "1");
  put(658, "2");
  put(1036, "1.0E-6");
  put(1060, "0");
  put(1084, "0");
  put(1144, "0");
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::exit(1);
  std::fwrite(header.data(), 1, header.size(), f);
  std::string samples(2 * 65536, '\0');
  for (int done = 0; done < WFT_SAMPLES; done += 65536) {
    const int n = std::min(65536, WFT_SAMPLES - done);
    for (int k = 0; k < n; ++k) {
      const int v = static_cast<int>(20000 * std::sin((done + k) * 1e-3));
      samples[2 * k] = static_cast<char>(v & 0xFF);
      samples[2 * k + 1] = static_cast<char>((v >> 8) & 0xFF);
    }
    std::fwrite(samples.data(), 2, static_cast<std::size_t>(n), f);
  }
  std::fclose(f);
}

// Seconds a peer reports on its last output line ("seconds: x"), or its
// whole run; negative when it failed.
double PeerRun(const std::string& command, bool timesItself) {
  const Clock::time_point start = Clock::now();
  std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return -1;
  char line[256];
  double reported = -1;
  while (std::fgets(line, sizeof line, pipe))
    if (std::sscanf(line, "seconds: %lf", &reported) == 1) {
    }
  const int rc = pclose(pipe);
  const double whole = Seconds(start);
  if (rc != 0) return -1;
  return timesItself ? reported : whole;
}

// The best of RUNS runs, as for this program's own figures.
double PeerSeconds(const std::string& command, bool timesItself) {
  double best = -1;
  for (int run = 0; run < RUNS; ++run) {
    const double seconds = PeerRun(command, timesItself);
    if (seconds < 0) return -1;
    if (best < 0 || seconds < best) best = seconds;
  }
  return best;
}

void Ratio(const char* what, const char* peer, double peerSeconds, double ours) {
  if (peerSeconds <= 0) {
    std::printf("%s: %s not available\n", what, peer);
    return;
  }
  std::printf("%s: %s %.3f s\n", what, peer, peerSeconds);
  std::printf("ratio: %s vs %s = %.2f\n", what, peer, peerSeconds / ours);
}

std::string Python(const std::string& body) {
  return "/usr/bin/python3 -c \"import time,sys\n" + body +
         "\nprint('seconds: %.6f' % (time.perf_counter() - t))\"";
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder =
      argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
  const double csvMegaBytes = argc > 2 ? std::atof(argv[2]) : 100.0;
  const std::string wineTree = argc > 3 ? argv[3] : "";
  const std::string csv = (folder / "io_bench.csv").string();
  const std::string wft = (folder / "io_bench.wft").string();

  const long long rows = WriteCsv(csv, csvMegaBytes);
  WriteWft(wft);
  const long rssBefore = PeakRssMegaBytes();

  double csvSeconds = 1e30;
  std::size_t arrayBytes = 0;
  for (int run = 0; run < RUNS; ++run) {
    auto d = NewDocument(4, 1000);
    const Clock::time_point start = Clock::now();
    const merva::Status s = merva::ImportColumns(*d, csv, 1);
    csvSeconds = std::min(csvSeconds, Seconds(start));
    if (!s.Ok() || d->pointCount[4] != rows) {
      std::printf("CSV import failed: %s (%d of %lld rows)\n", s.Text().c_str(), d->pointCount[4],
                  rows);
      return 1;
    }
    arrayBytes = d->xValues.ByteSize() + d->yValues.ByteSize();
  }
  std::printf("csv import: %.1f MB, %lld rows x 5 columns in %.3f s = %.0f MB/s\n", MegaBytes(csv),
              rows, csvSeconds, MegaBytes(csv) / csvSeconds);
  std::printf("memory: arrays %.1f MB, peak resident growth %ld MB\n", arrayBytes / 1e6,
              PeakRssMegaBytes() - rssBefore);

  double wftSeconds = 1e30;
  // The document's arrays exist before the read, as in a window's document.
  auto wftDocument = NewDocument(1, WFT_SAMPLES);
  for (int run = 0; run < RUNS; ++run) {
    merva::PlotDocument* d = wftDocument.get();
    d->curveCount = 0;
    const Clock::time_point start = Clock::now();
    const merva::Status s = merva::ImportNicolet(*d, wft, 1);
    wftSeconds = std::min(wftSeconds, Seconds(start));
    if (!s.Ok() || d->pointCount[1] != WFT_SAMPLES) {
      std::printf("wft import failed: %s\n", s.Text().c_str());
      return 1;
    }
  }
  std::printf("wft import: %d samples, %.1f MB in %.3f s = %.2f GB/s\n", WFT_SAMPLES,
              MegaBytes(wft), wftSeconds, MegaBytes(wft) / 1e3 / wftSeconds);

  const double pandasSeconds = PeerSeconds(
      Python("import pandas\nt=time.perf_counter()\npandas.read_csv('" + csv + "', engine='c')"),
      true);
  Ratio("csv import", "pandas.read_csv", pandasSeconds, csvSeconds);
  Ratio("csv import", "numpy.loadtxt",
        PeerSeconds(Python("import numpy\nt=time.perf_counter()\nnumpy.loadtxt('" + csv +
                           "', delimiter=',', skiprows=1)"),
                    true),
        csvSeconds);
  Ratio("csv import", "gnuplot stats",
        PeerSeconds(
            "gnuplot -e \"set datafile separator ','; stats '" + csv + "' using 1:2 nooutput\"",
            false),
        csvSeconds);
  Ratio("wft import", "numpy.fromfile",
        PeerSeconds(Python("import numpy\nt=time.perf_counter()\nc=numpy.fromfile('" + wft +
                           "', dtype='<i2', offset=1538)\ny=(c-0.0)*3.0517578E-4\n"
                           "x=numpy.arange(c.size)*1e-3"),
                    true),
        wftSeconds);

  if (!wineTree.empty()) {
    const std::string timer = wineTree + "/tests/wine/import_dde_timer.exe";
    const std::string command = "bash -c 'source tests/wine/wine-env.sh && merva_wine_prefix " +
                                wineTree + " null && \"$WINE64\" " + timer + " Z:" + csv + " " +
                                std::to_string(rows) + "'";
    const double wine = PeerSeconds(command, true);
    if (wine > 0) {
      std::printf("csv import through merva95.exe under Wine (DDE, to the reply): %.3f s\n", wine);
      Ratio("csv import under Wine", "pandas.read_csv", pandasSeconds, wine);
    } else {
      std::printf("csv import under Wine: not available\n");
    }
  }
  if (!std::getenv("IO_BENCH_KEEP")) {
    std::filesystem::remove(csv);
    std::filesystem::remove(wft);
  }
  return 0;
}
