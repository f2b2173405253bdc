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
// y[q + s (radix t + j)], times exp(-2 pi i j t / n). Group 0's twiddles are
// all 1, and in the last pass it is the only group, so it skips them.
template <bool Twiddle>
void Group2(const C* in, C* out, std::size_t s, std::size_t sm, const C* w) {
  for (std::size_t q = 0; q < s; ++q) {
    const C a = in[q], b = in[q + sm];
    out[q] = a + b;
    out[q + s] = Twiddle ? Mul(a - b, w[0]) : a - b;
  }
}

template <bool Twiddle>
void Group3(const C* in, C* out, std::size_t s, std::size_t sm, const C* w) {
  const double half = -0.5, sine = 0.86602540378443864676;  // cos, sin of 2 pi / 3
  for (std::size_t q = 0; q < s; ++q) {
    const C a0 = in[q], a1 = in[q + sm], a2 = in[q + 2 * sm];
    const C t1 = a1 + a2, t2 = a0 + half * t1, t3 = sine * (a1 - a2);
    out[q] = a0 + t1;
    const C b1 = t2 + MinusI(t3), b2 = t2 - MinusI(t3);
    out[q + s] = Twiddle ? Mul(b1, w[0]) : b1;
    out[q + 2 * s] = Twiddle ? Mul(b2, w[1]) : b2;
  }
}

template <bool Twiddle>
void Group4(const C* in, C* out, std::size_t s, std::size_t sm, const C* w) {
  for (std::size_t q = 0; q < s; ++q) {
    const C a0 = in[q], a1 = in[q + sm], a2 = in[q + 2 * sm], a3 = in[q + 3 * sm];
    const C c0 = a0 + a2, c1 = a0 - a2, c2 = a1 + a3, c3 = MinusI(a1 - a3);
    out[q] = c0 + c2;
    out[q + s] = Twiddle ? Mul(c1 + c3, w[0]) : c1 + c3;
    out[q + 2 * s] = Twiddle ? Mul(c0 - c2, w[1]) : c0 - c2;
    out[q + 3 * s] = Twiddle ? Mul(c1 - c3, w[2]) : c1 - c3;
  }
}

template <bool Twiddle>
void Group5(const C* in, C* out, std::size_t s, std::size_t sm, const C* w) {
  const double c1 = 0.30901699437494742410, c2 = -0.80901699437494742410;  // cos 2 pi k / 5
  const double s1 = 0.95105651629515357212, s2 = 0.58778525229247312917;   // sin 2 pi k / 5
  for (std::size_t q = 0; q < s; ++q) {
    const C a0 = in[q], a1 = in[q + sm], a2 = in[q + 2 * sm], a3 = in[q + 3 * sm],
            a4 = in[q + 4 * sm];
    const C p1 = a1 + a4, p2 = a2 + a3, d1 = a1 - a4, d2 = a2 - a3;
    out[q] = a0 + p1 + p2;
    const C e1 = a0 + c1 * p1 + c2 * p2, e2 = a0 + c2 * p1 + c1 * p2;
    const C f1 = MinusI(s1 * d1 + s2 * d2), f2 = MinusI(s2 * d1 - s1 * d2);
    const C b1 = e1 + f1, b4 = e1 - f1, b2 = e2 + f2, b3 = e2 - f2;
    out[q + s] = Twiddle ? Mul(b1, w[0]) : b1;
    out[q + 2 * s] = Twiddle ? Mul(b2, w[1]) : b2;
    out[q + 3 * s] = Twiddle ? Mul(b3, w[2]) : b3;
    out[q + 4 * s] = Twiddle ? Mul(b4, w[3]) : b4;
  }
}

template <std::size_t P, void (*Plain)(const C*, C*, std::size_t, std::size_t, const C*),
          void (*Twiddled)(const C*, C*, std::size_t, std::size_t, const C*)>
void SmallPass(const C* x, C* y, std::size_t m, std::size_t s, const C* w) {
  Plain(x, y, s, s * m, w);
  for (std::size_t t = 1; t < m; ++t) Twiddled(x + s * t, y + P * s * t, s, s * m, w + (P - 1) * t);
}

// Odd radix p: pairing inputs r and p - r halves the products, as
// b_j = a_0 + sum_r (a_r + a_{p-r}) cos(2 pi rj/p) - i (a_r - a_{p-r}) sin(2 pi rj/p)
// and b_{p-j} differs only in the sign of the sine part.
void PassOdd(const C* x, C* y, std::size_t m, std::size_t s, const C* w, std::size_t radix,
             const double* cs, const double* sn) {
  const std::size_t p = radix, half = (p - 1) / 2;
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

bool StockhamFft::Prepare(std::size_t n, std::size_t batch) {
  n_ = 0;
  batch_ = batch;
  passes_.clear();
  const std::vector<std::size_t> radices = FftRadices(n);
  if (n > 1 && radices.empty()) return false;
  try {
    std::size_t stride = 1, total = 0;
    for (std::size_t p : radices) {
      const std::size_t m = n / stride / p;
      passes_.push_back(Pass{p, m, stride * batch, total});
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
        SmallPass<2, Group2<false>, Group2<true>>(x, y, pass.m, pass.stride, w);
        break;
      case 3:
        SmallPass<3, Group3<false>, Group3<true>>(x, y, pass.m, pass.stride, w);
        break;
      case 4:
        SmallPass<4, Group4<false>, Group4<true>>(x, y, pass.m, pass.stride, w);
        break;
      case 5:
        SmallPass<5, Group5<false>, Group5<true>>(x, y, pass.m, pass.stride, w);
        break;
      default:
        PassOdd(x, y, pass.m, pass.stride, w, pass.radix, cs, sn);
        break;
    }
    x = y;
    y = y == work ? data : work;
  }
  if (x != data) std::copy(x, x + n_ * batch_, data);
}

}  // namespace merva
