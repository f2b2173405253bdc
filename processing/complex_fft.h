#pragma once

// The forward complex FFT in double precision for any length whose prime
// factors are all at most 31. Long records go the four-step way: n = n1 n2,
// n2 transforms of n1 points down the columns, a twiddle, n1 transforms of
// n2 points along the rows, so that each small transform stays in the cache
// and the record is swept only a few times.

#include <cstddef>
#include <vector>

#include "processing/stockham_fft.h"

namespace merva {

// exp(-2 pi i k / n) for 0 <= k < n from two short tables (k split into
// high and low bits), correct to the double's rounding.
class FftRoots {
 public:
  bool Prepare(std::size_t n);
  FftComplex operator()(std::size_t k) const {
    const FftComplex& a = coarse_[k >> kBits];
    const FftComplex& b = fine_[k & (kFine - 1)];
    return FftComplex(a.real() * b.real() - a.imag() * b.imag(),
                      a.real() * b.imag() + a.imag() * b.real());
  }

 private:
  static constexpr std::size_t kBits = 10, kFine = std::size_t{1} << kBits;
  std::size_t n_ = 0;
  std::vector<FftComplex> coarse_, fine_;
};

// The smallest 2^a 3^b 5^c >= n (n >= 1); 0 when it would overflow.
std::size_t NextSmoothLength(std::size_t n);

class ComplexFft {
 public:
  // False when n has a prime factor above 31 or the storage cannot be had.
  bool Prepare(std::size_t n);
  // The forward DFT, sum x_j exp(-2 pi i jk / n), unscaled, in place.
  void Transform(FftComplex* data);
  // The same of x_j = pairs[2j] + i pairs[2j + 1], into out.re, out.im.
  void TransformPairs(const float* pairs, SplitComplex out);

 private:
  // load(j) gives x_j, store(k, X_k) takes the result.
  template <class Load, class Store>
  void Whole(Load load, Store store);
  template <class Load, class Store>
  void FourStep(Load load, Store store);

  std::size_t n_ = 0, n1_ = 0, n2_ = 0;
  StockhamFft whole_, columns_, rows_;
  FftRoots roots_;
  // The record between the steps (or all of it), real and imaginary parts.
  std::vector<double> re_, im_;
  // The passes' other buffer, and the columns of the first step.
  std::vector<double> scratch_;
};

}  // namespace merva
