#pragma once

// The numpy/scipy side of a benchmark: a reference script run in the same
// session that prints one "name seconds" line per case.

#include <cstdio>
#include <map>
#include <string>

namespace merva::bench {

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
