#pragma once

// The self-sorting (Stockham) complex FFT in double precision for lengths
// whose prime factors are all at most 31: one pass per factor, each reading
// one buffer and writing the other in natural order, with the pass's
// twiddles side by side in a table. Real and imaginary parts sit in
// separate arrays, so that the compiler can run the butterflies of
// neighbouring transforms side by side in vector registers. Meant for
// lengths that fit the cache; complex_fft.h splits longer records.

#include <complex>
#include <cstddef>
#include <vector>

namespace merva {

using FftComplex = std::complex<double>;

// The largest prime a pass takes directly.
constexpr std::size_t kLargestFftRadix = 31;

// The radices of n's passes: 4s first (the last an 8 when a 2 is left), then
// 2, 3, 5, ... 31; empty when a larger prime divides n (or n is 0 or 1).
std::vector<std::size_t> FftRadices(std::size_t n);

struct SplitComplex {
  double* re;
  double* im;
};

class StockhamFft {
 public:
  // `batch` transforms at once, interleaved: value j of transform b at
  // index j * batch + b. False when n has a prime factor above 31 or the
  // tables cannot be had.
  bool Prepare(std::size_t n, std::size_t batch = 1);
  // The forward DFT, sum x_j exp(-2 pi i jk / n), unscaled, of `data`
  // (n * batch values) into `data` or `work`: true when into `work`.
  bool Run(SplitComplex data, SplitComplex work) const;

 private:
  struct Pass {
    std::size_t radix, m, stride, twiddles;
  };
  std::size_t n_ = 0, batch_ = 1;
  std::vector<Pass> passes_;
  std::vector<double> twiddleRe_, twiddleIm_;
  // cos and sin of 2 pi k / p for each odd radix p, at offset 32 p.
  std::vector<double> cos_, sin_;
};

}  // namespace merva
