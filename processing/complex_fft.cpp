#include "processing/complex_fft.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

namespace merva {

namespace {

using C = FftComplex;
constexpr double kTwoPi = 6.283185307179586476925;
// Below this the whole record fits the cache and goes through one plan.
constexpr std::size_t kFourStepFrom = std::size_t{1} << 14;
// Columns moved together, so that each strided read or write touches whole
// cache lines.
constexpr std::size_t kBatch = 32;

C Root(std::size_t k, std::size_t n) {
  const double angle = -kTwoPi * static_cast<double>(k) / static_cast<double>(n);
  return C(std::cos(angle), std::sin(angle));
}

// The divisor of n nearest below its square root.
std::size_t BalancedDivisor(std::size_t n) {
  std::size_t d = static_cast<std::size_t>(std::sqrt(static_cast<double>(n)));
  while (d > 1 && n % d != 0) --d;
  return d;
}

}  // namespace

bool FftRoots::Prepare(std::size_t n) {
  if (n == n_) return true;
  n_ = 0;
  try {
    coarse_.resize((n >> kBits) + 1);
    fine_.resize(kFine);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::size_t k = 0; k < coarse_.size(); ++k) coarse_[k] = Root(k << kBits, n);
  for (std::size_t k = 0; k < kFine; ++k) fine_[k] = Root(k, n);
  n_ = n;
  return true;
}

std::size_t NextSmoothLength(std::size_t n) {
  std::size_t best = 0;
  for (std::size_t five = 1;; five *= 5) {
    for (std::size_t three = five;; three *= 3) {
      std::size_t v = three;
      while (v < n && v <= SIZE_MAX / 2) v *= 2;
      if (v >= n && (best == 0 || v < best)) best = v;
      if (three >= n || three > SIZE_MAX / 3) break;
    }
    if (five >= n || five > SIZE_MAX / 5) break;
  }
  return best;
}

bool ComplexFft::Prepare(std::size_t n) {
  if (n == n_ && n > 1) return true;
  n_ = n1_ = n2_ = 0;
  if (n <= 1) {
    n_ = n;
    return true;
  }
  if (FftRadices(n).empty()) return false;
  const std::size_t d = n >= kFourStepFrom ? BalancedDivisor(n) : 1;
  try {
    if (d < kBatch) {
      if (!whole_.Prepare(n)) return false;
      re_.resize(n);
      im_.resize(n);
      scratch_.resize(2 * n);
    } else {
      n1_ = d;
      n2_ = n / d;
      if (!columns_.Prepare(n1_, kBatch) || !rows_.Prepare(n2_, kBatch) || !roots_.Prepare(n))
        return false;
      const std::size_t blocked = (n1_ + kBatch - 1) / kBatch * kBatch * n2_;
      re_.resize(blocked);
      im_.resize(blocked);
      scratch_.resize(2 * kBatch * (n1_ + std::max(n1_, n2_)));
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  n_ = n;
  return true;
}

void ComplexFft::Transform(FftComplex* data) {
  if (n_ <= 1) return;
  const auto load = [data](std::size_t j) { return data[j]; };
  const auto store = [data](std::size_t k, double re, double im) { data[k] = C(re, im); };
  if (n1_ == 0)
    Whole(load, store);
  else
    FourStep(load, store);
}

void ComplexFft::TransformPairs(const float* pairs, SplitComplex out) {
  const auto load = [pairs](std::size_t j) { return C(pairs[2 * j], pairs[2 * j + 1]); };
  const auto store = [out](std::size_t k, double re, double im) {
    out.re[k] = re;
    out.im[k] = im;
  };
  if (n_ == 1) store(0, pairs[0], pairs[1]);
  if (n_ <= 1) return;
  if (n1_ == 0)
    Whole(load, store);
  else
    FourStep(load, store);
}

template <class Load, class Store>
void ComplexFft::Whole(Load load, Store store) {
  for (std::size_t j = 0; j < n_; ++j) {
    const C x = load(j);
    re_[j] = x.real();
    im_[j] = x.imag();
  }
  const SplitComplex work{scratch_.data(), scratch_.data() + n_};
  const bool inWork = whole_.Run(SplitComplex{re_.data(), im_.data()}, work);
  const double* re = inWork ? work.re : re_.data();
  const double* im = inWork ? work.im : im_.data();
  for (std::size_t k = 0; k < n_; ++k) store(k, re[k], im[k]);
}

// With j = n2 j1 + j2 and k = k1 + n1 k2:
// X[k] = sum_j2 exp(-2 pi i j2 k2 / n2) exp(-2 pi i j2 k1 / n) sum_j1 x[j] exp(-2 pi i j1 k1 / n1).
// The transforms run kBatch at a time, interleaved, so that every copy
// moves whole runs of kBatch values; between the steps the record sits in
// re_, im_ as blocks of kBatch rows k1, each [j2][k1 mod kBatch]. The rows'
// results go back into their block and leave in one sweep in output order,
// which writes whole runs where scattering each block would not.
template <class Load, class Store>
void ComplexFft::FourStep(Load load, Store store) {
  const std::size_t block = kBatch * n2_;
  const SplitComplex columns{scratch_.data(), scratch_.data() + kBatch * n1_};
  const std::size_t longer = kBatch * std::max(n1_, n2_);
  const SplitComplex work{columns.im + kBatch * n1_, columns.im + kBatch * n1_ + longer};
  for (std::size_t j2 = 0; j2 < n2_; j2 += kBatch) {
    const std::size_t count = std::min(kBatch, n2_ - j2);
    if (count < kBatch) {
      std::fill(columns.re, columns.re + kBatch * n1_, 0.0);
      std::fill(columns.im, columns.im + kBatch * n1_, 0.0);
    }
    for (std::size_t j1 = 0; j1 < n1_; ++j1) {
      for (std::size_t b = 0; b < count; ++b) {
        const C x = load(n2_ * j1 + j2 + b);
        columns.re[kBatch * j1 + b] = x.real();
        columns.im[kBatch * j1 + b] = x.imag();
      }
    }
    const SplitComplex out = columns_.Run(columns, work) ? work : columns;
    // Column j2 + b, row k1 goes to block k1 / kBatch, [j2 + b][k1 % kBatch].
    for (std::size_t b = 0; b < count; ++b) {
      double* toRe = re_.data() + kBatch * (j2 + b);
      double* toIm = im_.data() + kBatch * (j2 + b);
      for (std::size_t k1 = 0; k1 < n1_; ++k1) {
        const C w = roots_((j2 + b) * k1);
        const double vr = out.re[kBatch * k1 + b], vi = out.im[kBatch * k1 + b];
        const std::size_t to = k1 / kBatch * block + k1 % kBatch;
        toRe[to] = vr * w.real() - vi * w.imag();
        toIm[to] = vr * w.imag() + vi * w.real();
      }
    }
  }
  for (std::size_t k1 = 0; k1 < n1_; k1 += kBatch) {
    const SplitComplex rows{re_.data() + k1 / kBatch * block, im_.data() + k1 / kBatch * block};
    if (rows_.Run(rows, work)) {
      std::copy(work.re, work.re + block, rows.re);
      std::copy(work.im, work.im + block, rows.im);
    }
  }
  for (std::size_t k2 = 0; k2 < n2_; ++k2) {
    for (std::size_t k1 = 0; k1 < n1_; ++k1) {
      const std::size_t from = k1 / kBatch * block + kBatch * k2 + k1 % kBatch;
      store(n1_ * k2 + k1, re_[from], im_[from]);
    }
  }
}

}  // namespace merva
