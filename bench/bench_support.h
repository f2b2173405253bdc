#pragma once

// What the benchmarks share: timing, a document of a given capacity, and
// the numpy/scipy side, a reference script run in the same session that
// prints one "name seconds" line per case.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "core/array_sizing.h"
#include "core/plot_document.h"

namespace merva::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// The shortest of `repeats` runs.
template <class Run>
double Best(int repeats, Run run) {
  double best = 1e30;
  for (int r = 0; r < repeats; ++r) {
    const Clock::time_point start = Clock::now();
    run();
    best = std::min(best, Seconds(start));
  }
  return best;
}

// A document with the compiled-in defaults; the benchmark ends when the
// arrays cannot be had.
inline std::unique_ptr<PlotDocument> NewDocument(int curves, int points) {
  auto document = std::make_unique<PlotDocument>();
  SetCompiledDefaults(*document);
  if (!Allocate(*document, curves, points).Ok()) std::exit(1);
  return document;
}

// The times the command prints; empty when it could not be run.
inline std::map<std::string, double> PeerTimes(const std::string& command) {
  std::map<std::string, double> times;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return times;
  char name[64];
  double seconds = 0.0;
  while (std::fscanf(pipe, "%63s %lf", name, &seconds) == 2) times[name] = seconds;
  pclose(pipe);
  return times;
}

// A script run with OpenBLAS's own defaults (the machine's overrides would
// slow numpy down).
inline std::string WithOwnOpenBlas(const std::string& arguments) {
  return "env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE /usr/bin/python3 " + arguments;
}

}  // namespace merva::bench
