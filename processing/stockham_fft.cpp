#include "processing/stockham_fft.h"

#include <cmath>
#include <new>

namespace merva {

namespace {

using C = FftComplex;
constexpr double kTwoPi = 6.283185307179586476925;

// Plain product: std::complex's operator* takes a slow path for infinities.
inline C Mul(const C& a, const C& b) {
  return C(a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real());
}
// -i a
inline C MinusI(const C& a) { return C(a.imag(), -a.real()); }

// A pass of decimation in frequency: sub-transforms of n = radix * m points
// each `s` apart; input r of group t sits at x[q + s (t + r m)], output j at
// y[q + s (radix t + j)], times exp(-2 pi i j t / n).
void Pass2(const C* x, C* y, std::size_t m, std::size_t s, const C* w) {
  for (std::size_t t = 0; t < m; ++t) {
    const C w1 = w[t];
    const C* in = x + s * t;
    C* out = y + 2 * s * t;
    for (std::size_t q = 0; q < s; ++q) {
      const C a = in[q], b = in[q + s * m];
      out[q] = a + b;
      out[q + s] = Mul(a - b, w1);
    }
  }
}

void Pass4(const C* x, C* y, std::size_t m, std::size_t s, const C* w) {
  const std::size_t sm = s * m;
  for (std::size_t t = 0; t < m; ++t) {
    const C w1 = w[3 * t], w2 = w[3 * t + 1], w3 = w[3 * t + 2];
    const C* in = x + s * t;
    C* out = y + 4 * s * t;
    for (std::size_t q = 0; q < s; ++q) {
      const C a0 = in[q], a1 = in[q + sm], a2 = in[q + 2 * sm], a3 = in[q + 3 * sm];
      const C c0 = a0 + a2, c1 = a0 - a2, c2 = a1 + a3, c3 = MinusI(a1 - a3);
      out[q] = c0 + c2;
      out[q + s] = Mul(c1 + c3, w1);
      out[q + 2 * s] = Mul(c0 - c2, w2);
      out[q + 3 * s] = Mul(c1 - c3, w3);
    }
  }
}

// Odd radix p: pairing inputs r and p - r halves the products, as
// b_j = a_0 + sum_r (a_r + a_{p-r}) cos(2 pi rj/p) - i (a_r - a_{p-r}) sin(2 pi rj/p)
// and b_{p-j} differs only in the sign of the sine part. P > 0 fixes p at
// compile time for the common radices.
template <int P>
void PassOdd(const C* x, C* y, std::size_t m, std::size_t s, const C* w, std::size_t radix,
             const double* cs, const double* sn) {
  const std::size_t p = P > 0 ? static_cast<std::size_t>(P) : radix, half = (p - 1) / 2;
  const std::size_t sm = s * m;
  C sum[kLargestFftRadix / 2 + 1], diff[kLargestFftRadix / 2 + 1];
  for (std::size_t t = 0; t < m; ++t) {
    const C* in = x + s * t;
    C* out = y + p * s * t;
    const C* tw = w + (p - 1) * t;
    for (std::size_t q = 0; q < s; ++q) {
      const C a0 = in[q];
      C b0 = a0;
      for (std::size_t r = 1; r <= half; ++r) {
        const C ar = in[q + r * sm], br = in[q + (p - r) * sm];
        sum[r] = ar + br;
        diff[r] = ar - br;
        b0 += sum[r];
      }
      out[q] = b0;
      for (std::size_t j = 1; j <= half; ++j) {
        double re = a0.real(), im = a0.imag(), sr = 0.0, si = 0.0;
        std::size_t k = 0;
        for (std::size_t r = 1; r <= half; ++r) {
          k += j;
          if (k >= p) k -= p;
          re += sum[r].real() * cs[k];
          im += sum[r].imag() * cs[k];
          sr += diff[r].real() * sn[k];
          si += diff[r].imag() * sn[k];
        }
        out[q + j * s] = Mul(C(re + si, im - sr), tw[j - 1]);
        out[q + (p - j) * s] = Mul(C(re - si, im + sr), tw[p - j - 1]);
      }
    }
  }
}

}  // namespace

std::vector<std::size_t> FftRadices(std::size_t n) {
  std::vector<std::size_t> radices;
  if (n < 2) return radices;
  while (n % 4 == 0) {
    radices.push_back(4);
    n /= 4;
  }
  for (std::size_t p = 2; p <= kLargestFftRadix && n > 1; ++p) {
    while (n % p == 0) {
      radices.push_back(p);
      n /= p;
    }
  }
  if (n > 1) radices.clear();
  return radices;
}

bool StockhamFft::Prepare(std::size_t n) {
  n_ = 0;
  passes_.clear();
  const std::vector<std::size_t> radices = FftRadices(n);
  if (n > 1 && radices.empty()) return false;
  try {
    std::size_t stride = 1, total = 0;
    for (std::size_t p : radices) {
      const std::size_t m = n / stride / p;
      passes_.push_back(Pass{p, m, stride, total});
      total += (p - 1) * m;
      stride *= p;
    }
    twiddles_.resize(total);
    cos_.assign((kLargestFftRadix + 1) * (kLargestFftRadix + 1), 0.0);
    sin_.assign(cos_.size(), 0.0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (const Pass& pass : passes_) {
    const std::size_t length = pass.radix * pass.m;
    C* w = twiddles_.data() + pass.twiddles;
    for (std::size_t t = 0; t < pass.m; ++t) {
      for (std::size_t j = 1; j < pass.radix; ++j) {
        const double angle = -kTwoPi * static_cast<double>(j * t) / static_cast<double>(length);
        w[(pass.radix - 1) * t + j - 1] = C(std::cos(angle), std::sin(angle));
      }
    }
    if (pass.radix % 2 == 1) {
      for (std::size_t k = 0; k < pass.radix; ++k) {
        const double angle = kTwoPi * static_cast<double>(k) / static_cast<double>(pass.radix);
        cos_[pass.radix * (kLargestFftRadix + 1) + k] = std::cos(angle);
        sin_[pass.radix * (kLargestFftRadix + 1) + k] = std::sin(angle);
      }
    }
  }
  n_ = n;
  return true;
}

void StockhamFft::Transform(FftComplex* data, FftComplex* work) const {
  const C* x = data;
  C* y = work;
  for (const Pass& pass : passes_) {
    const C* w = twiddles_.data() + pass.twiddles;
    const double* cs = cos_.data() + pass.radix * (kLargestFftRadix + 1);
    const double* sn = sin_.data() + pass.radix * (kLargestFftRadix + 1);
    switch (pass.radix) {
      case 2:
        Pass2(x, y, pass.m, pass.stride, w);
        break;
      case 4:
        Pass4(x, y, pass.m, pass.stride, w);
        break;
      case 3:
        PassOdd<3>(x, y, pass.m, pass.stride, w, 3, cs, sn);
        break;
      case 5:
        PassOdd<5>(x, y, pass.m, pass.stride, w, 5, cs, sn);
        break;
      default:
        PassOdd<0>(x, y, pass.m, pass.stride, w, pass.radix, cs, sn);
        break;
    }
    x = y;
    y = y == work ? data : work;
  }
  if (x != data) std::copy(x, x + n_, data);
}

}  // namespace merva
