// Times the FFT paths and FFT smoothing beside FFTW's single-precision real
// transform (FFTW_ESTIMATE) and numpy on the same data: the padded
// power-of-two transform of 2^20 points, the unpadded transform of
// 1,000,000 and 1,000,003 (prime) points, and smoothing of 1,000,000
// points. Prints the times and one "ratio: <what> vs <peer> = <x>" line
// each (peer time / ours).
//
// Usage: fft_bench [folder of fft_reference.py]

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "processing/mixed_radix_fft.h"
#include "processing/real_fft.h"
#include "processing/smoothing.h"

#ifdef MERVA_HAVE_FFTW
#include <fftw3.h>
#endif

namespace {

using namespace merva::bench;
constexpr int REPEATS = 3;

// The data fft_reference.py makes: a sine plus a slow ramp.
std::vector<float> Data(long long n) {
  std::vector<float> y(static_cast<std::size_t>(n));
  for (long long i = 0; i < n; ++i)
    y[static_cast<std::size_t>(i)] = static_cast<float>(std::sin(i * 0.01) + i * 1e-6);
  return y;
}

double Fftw(long long n) {
#ifdef MERVA_HAVE_FFTW
  float* in = fftwf_alloc_real(static_cast<std::size_t>(n));
  fftwf_complex* out = fftwf_alloc_complex(static_cast<std::size_t>(n / 2 + 1));
  fftwf_plan plan = fftwf_plan_dft_r2c_1d(static_cast<int>(n), in, out, FFTW_ESTIMATE);
  const std::vector<float> y = Data(n);
  const double t = Best(REPEATS, [&] {
    std::copy(y.begin(), y.end(), in);
    fftwf_execute(plan);
  });
  fftwf_destroy_plan(plan);
  fftwf_free(in);
  fftwf_free(out);
  return t;
#else
  (void)n;
  return 0.0;
#endif
}

std::map<std::string, double> ReferenceTimes(const std::string& folder) {
  return merva::bench::PeerTimes(merva::bench::WithOwnOpenBlas(folder + "/fft_reference.py"));
}

void Report(const char* what, const char* peer, double ours, double theirs) {
  std::printf("%-30s %8.4f s   %-22s %8.4f s\n", what, ours, peer, theirs);
  if (theirs > 0.0) std::printf("ratio: %s vs %s = %.2f\n", what, peer, theirs / ours);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : MERVA_SOURCE_DIR "/bench";
  const long long pow2 = 1LL << 20;
  std::vector<float> work;
  const std::vector<float> y2 = Data(pow2);
  const double padded = Best(REPEATS, [&] {
    work = y2;
    merva::PackedRealFft(work.data(), work.size(), 1);
  });
  std::map<std::string, double> ours;
  for (long long n : {1000000LL, 1000003LL}) {
    const std::vector<float> y = Data(n);
    std::vector<double> a, b;
    ours[std::to_string(n)] = Best(REPEATS, [&] {
      if (!merva::EzfftfCoefficients(y.data(), y.size(), a, b)) std::exit(1);
    });
  }
  const long long n = 1000000;
  const std::vector<float> ys = Data(n);
  const long long m = merva::SmoothingLength(n, 20.0);
  std::vector<float> smoothWork(static_cast<std::size_t>(m));
  const double smooth = Best(REPEATS, [&] {
    work = ys;
    merva::SmoothValues(work.data(), static_cast<int>(n), 20.0, smoothWork.data(), m);
  });
  std::map<std::string, double> peer = ReferenceTimes(folder);
  std::printf("best of %d\n", REPEATS);
  Report("FFT 2^20 points", "FFTW float r2c", padded, Fftw(pow2));
  Report("FFT 2^20 points", "numpy.fft.rfft", padded, peer["rfft1048576"]);
  Report("FFT 1000000 points unpadded", "FFTW float r2c", ours["1000000"], Fftw(1000000));
  Report("FFT 1000000 points unpadded", "numpy.fft.rfft", ours["1000000"], peer["rfft1000000"]);
  Report("FFT 1000003 points unpadded", "FFTW float r2c", ours["1000003"], Fftw(1000003));
  Report("FFT 1000003 points unpadded", "numpy.fft.rfft", ours["1000003"], peer["rfft1000003"]);
  Report("smoothing 1000000 points w=20", "numpy rfft smoother", smooth, peer["smooth1000000"]);
  return 0;
}
