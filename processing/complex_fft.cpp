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
constexpr std::size_t kBatch = 16;

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
  try {
    coarse_.resize((n >> kBits) + 1);
    fine_.resize(kFine);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::size_t k = 0; k < coarse_.size(); ++k) coarse_[k] = Root(k << kBits, n);
  for (std::size_t k = 0; k < kFine; ++k) fine_[k] = Root(k, n);
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
      work_.resize(n);
    } else {
      n1_ = d;
      n2_ = n / d;
      if (!columns_.Prepare(n1_, kBatch) || !rows_.Prepare(n2_, kBatch) || !roots_.Prepare(n))
        return false;
      work_.resize((n1_ + kBatch - 1) / kBatch * kBatch * n2_);
      batch_.resize(kBatch * (n1_ + n2_));
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  n_ = n;
  return true;
}

// With j = n2 j1 + j2 and k = k1 + n1 k2:
// X[k] = sum_j2 exp(-2 pi i j2 k2 / n2) exp(-2 pi i j2 k1 / n) sum_j1 x[j] exp(-2 pi i j1 k1 / n1).
// The transforms run kBatch at a time, interleaved, so that every copy
// moves whole runs of kBatch values; between the two steps the record sits
// in work_ as blocks of kBatch rows k1, each [j2][k1 mod kBatch].
void ComplexFft::Transform(FftComplex* data) {
  if (n_ <= 1) return;
  if (n1_ == 0) {
    whole_.Transform(data, work_.data());
    return;
  }
  C* columns = batch_.data();
  C* scratch = batch_.data() + kBatch * n1_;
  const std::size_t block = kBatch * n2_;
  for (std::size_t j2 = 0; j2 < n2_; j2 += kBatch) {
    const std::size_t count = std::min(kBatch, n2_ - j2);
    if (count < kBatch) std::fill(columns, columns + kBatch * n1_, C());
    for (std::size_t j1 = 0; j1 < n1_; ++j1)
      std::copy(data + n2_ * j1 + j2, data + n2_ * j1 + j2 + count, columns + kBatch * j1);
    columns_.Transform(columns, scratch);
    for (std::size_t k1 = 0; k1 < n1_; ++k1) {
      const C* in = columns + kBatch * k1;
      C* out = work_.data() + k1 / kBatch * block + kBatch * j2 + k1 % kBatch;
      for (std::size_t b = 0; b < count; ++b) {
        const C w = roots_((j2 + b) * k1), v = in[b];
        out[kBatch * b] =
            C(v.real() * w.real() - v.imag() * w.imag(), v.real() * w.imag() + v.imag() * w.real());
      }
    }
  }
  for (std::size_t k1 = 0; k1 < n1_; k1 += kBatch) {
    const std::size_t count = std::min(kBatch, n1_ - k1);
    C* rows = work_.data() + k1 / kBatch * block;
    rows_.Transform(rows, scratch);
    for (std::size_t k2 = 0; k2 < n2_; ++k2)
      std::copy(rows + kBatch * k2, rows + kBatch * k2 + count, data + n1_ * k2 + k1);
  }
}

}  // namespace merva
