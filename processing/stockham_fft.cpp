#include "processing/stockham_fft.h"

#include <cmath>
#include <new>

namespace merva {

namespace {

constexpr double kTwoPi = 6.283185307179586476925;
constexpr std::size_t kRow = kLargestFftRadix + 1;

// The outputs j of a column q, at q + j s with q < s, never overlap; GCC
// cannot see that for unknown s and would check at run time, or give up.
#if defined(__GNUC__) && !defined(__clang__)
#define MERVA_COLUMNS _Pragma("GCC ivdep")
#else
#define MERVA_COLUMNS
#endif

// One group of a pass of decimation in frequency: sub-transforms of
// n = radix * m points, `s` side by side; input r of group t sits at
// x[q + s (t + r m)], output j at y[q + s (radix t + j)], times
// exp(-2 pi i j t / n) = w[j - 1]. The callers point x, y, w at group t.
// Group 0's twiddles are all 1, and in the last pass it is the only group,
// so it skips them.
using GroupFunction = void (*)(const double*, const double*, double*, double*, std::size_t,
                               std::size_t, const double*, const double*);

// Output j of column q: (ar + i ai) times w[j - 1], or as it is.
template <bool Twiddle>
inline void Put(double* __restrict yr, double* __restrict yi, const double* __restrict wr,
                const double* __restrict wi, std::size_t at, std::size_t j, double ar, double ai) {
  if (Twiddle) {
    yr[at] = ar * wr[j - 1] - ai * wi[j - 1];
    yi[at] = ar * wi[j - 1] + ai * wr[j - 1];
  } else {
    yr[at] = ar;
    yi[at] = ai;
  }
}

template <bool Twiddle>
void Radix2(const double* __restrict xr, const double* __restrict xi, double* __restrict yr,
            double* __restrict yi, std::size_t s, std::size_t sm, const double* __restrict wr,
            const double* __restrict wi) {
  MERVA_COLUMNS
  for (std::size_t q = 0; q < s; ++q) {
    const double ar = xr[q], ai = xi[q], br = xr[q + sm], bi = xi[q + sm];
    yr[q] = ar + br;
    yi[q] = ai + bi;
    Put<Twiddle>(yr, yi, wr, wi, q + s, 1, ar - br, ai - bi);
  }
}

template <bool Twiddle>
void Radix3(const double* __restrict xr, const double* __restrict xi, double* __restrict yr,
            double* __restrict yi, std::size_t s, std::size_t sm, const double* __restrict wr,
            const double* __restrict wi) {
  const double c = -0.5, sine = 0.86602540378443864676;  // cos, sin of 2 pi / 3
  MERVA_COLUMNS
  for (std::size_t q = 0; q < s; ++q) {
    const double a0r = xr[q], a0i = xi[q];
    const double a1r = xr[q + sm], a1i = xi[q + sm];
    const double a2r = xr[q + 2 * sm], a2i = xi[q + 2 * sm];
    const double tr = a1r + a2r, ti = a1i + a2i;
    const double er = a0r + c * tr, ei = a0i + c * ti;
    const double fr = sine * (a1r - a2r), fi = sine * (a1i - a2i);
    yr[q] = a0r + tr;
    yi[q] = a0i + ti;
    // b1 = e - i f, b2 = e + i f
    Put<Twiddle>(yr, yi, wr, wi, q + s, 1, er + fi, ei - fr);
    Put<Twiddle>(yr, yi, wr, wi, q + 2 * s, 2, er - fi, ei + fr);
  }
}

template <bool Twiddle>
void Radix4(const double* __restrict xr, const double* __restrict xi, double* __restrict yr,
            double* __restrict yi, std::size_t s, std::size_t sm, const double* __restrict wr,
            const double* __restrict wi) {
  MERVA_COLUMNS
  for (std::size_t q = 0; q < s; ++q) {
    const double a0r = xr[q], a0i = xi[q], a1r = xr[q + sm], a1i = xi[q + sm];
    const double a2r = xr[q + 2 * sm], a2i = xi[q + 2 * sm];
    const double a3r = xr[q + 3 * sm], a3i = xi[q + 3 * sm];
    const double c0r = a0r + a2r, c0i = a0i + a2i, c1r = a0r - a2r, c1i = a0i - a2i;
    const double c2r = a1r + a3r, c2i = a1i + a3i;
    const double c3r = a1i - a3i, c3i = a3r - a1r;  // -i (a1 - a3)
    yr[q] = c0r + c2r;
    yi[q] = c0i + c2i;
    Put<Twiddle>(yr, yi, wr, wi, q + s, 1, c1r + c3r, c1i + c3i);
    Put<Twiddle>(yr, yi, wr, wi, q + 2 * s, 2, c0r - c2r, c0i - c2i);
    Put<Twiddle>(yr, yi, wr, wi, q + 3 * s, 3, c1r - c3r, c1i - c3i);
  }
}

// The 4-point DFT of c into x.
inline void Dft4(const double* c_r, const double* c_i, double* x_r, double* x_i) {
  const double s0r = c_r[0] + c_r[2], s0i = c_i[0] + c_i[2];
  const double d0r = c_r[0] - c_r[2], d0i = c_i[0] - c_i[2];
  const double s1r = c_r[1] + c_r[3], s1i = c_i[1] + c_i[3];
  const double d1r = c_i[1] - c_i[3], d1i = c_r[3] - c_r[1];  // -i (c1 - c3)
  x_r[0] = s0r + s1r;
  x_i[0] = s0i + s1i;
  x_r[1] = d0r + d1r;
  x_i[1] = d0i + d1i;
  x_r[2] = s0r - s1r;
  x_i[2] = s0i - s1i;
  x_r[3] = d0r - d1r;
  x_i[3] = d0i - d1i;
}

// Radix 8 as 2 x 4: with r = 4 r1 + r2, output 2j is the 4-point DFT of
// a_r2 + a_r2+4 and output 2j + 1 that of (a_r2 - a_r2+4) exp(-2 pi i r2 / 8).
// It saves the pass a lone factor 2 would take.
template <bool Twiddle>
void Radix8(const double* __restrict xr, const double* __restrict xi, double* __restrict yr,
            double* __restrict yi, std::size_t s, std::size_t sm, const double* __restrict wr,
            const double* __restrict wi) {
  const double h = 0.70710678118654752440;  // 1 / sqrt 2
  MERVA_COLUMNS
  for (std::size_t q = 0; q < s; ++q) {
    double sr[4], si[4], dr[4], di[4];
    for (std::size_t r = 0; r < 4; ++r) {
      const double ar = xr[q + r * sm], ai = xi[q + r * sm];
      const double br = xr[q + (r + 4) * sm], bi = xi[q + (r + 4) * sm];
      sr[r] = ar + br;
      si[r] = ai + bi;
      dr[r] = ar - br;
      di[r] = ai - bi;
    }
    // d_r times exp(-2 pi i r / 8)
    const double d1r = h * (dr[1] + di[1]), d1i = h * (di[1] - dr[1]);
    const double d3r = h * (di[3] - dr[3]), d3i = -h * (dr[3] + di[3]);
    const double d2r = di[2], d2i = -dr[2];
    dr[1] = d1r;
    di[1] = d1i;
    dr[2] = d2r;
    di[2] = d2i;
    dr[3] = d3r;
    di[3] = d3i;
    double er[4], ei[4], or_[4], oi[4];
    Dft4(sr, si, er, ei);
    Dft4(dr, di, or_, oi);
    yr[q] = er[0];
    yi[q] = ei[0];
    Put<Twiddle>(yr, yi, wr, wi, q + s, 1, or_[0], oi[0]);
    for (std::size_t j = 1; j < 4; ++j) {
      Put<Twiddle>(yr, yi, wr, wi, q + 2 * j * s, 2 * j, er[j], ei[j]);
      Put<Twiddle>(yr, yi, wr, wi, q + (2 * j + 1) * s, 2 * j + 1, or_[j], oi[j]);
    }
  }
}

template <bool Twiddle>
void Radix5(const double* __restrict xr, const double* __restrict xi, double* __restrict yr,
            double* __restrict yi, std::size_t s, std::size_t sm, const double* __restrict wr,
            const double* __restrict wi) {
  const double c1 = 0.30901699437494742410, c2 = -0.80901699437494742410;  // cos 2 pi k / 5
  const double s1 = 0.95105651629515357212, s2 = 0.58778525229247312917;   // sin 2 pi k / 5
  MERVA_COLUMNS
  for (std::size_t q = 0; q < s; ++q) {
    const double a0r = xr[q], a0i = xi[q];
    const double a1r = xr[q + sm], a1i = xi[q + sm];
    const double a2r = xr[q + 2 * sm], a2i = xi[q + 2 * sm];
    const double a3r = xr[q + 3 * sm], a3i = xi[q + 3 * sm];
    const double a4r = xr[q + 4 * sm], a4i = xi[q + 4 * sm];
    const double p1r = a1r + a4r, p1i = a1i + a4i, p2r = a2r + a3r, p2i = a2i + a3i;
    const double d1r = a1r - a4r, d1i = a1i - a4i, d2r = a2r - a3r, d2i = a2i - a3i;
    yr[q] = a0r + p1r + p2r;
    yi[q] = a0i + p1i + p2i;
    const double e1r = a0r + c1 * p1r + c2 * p2r, e1i = a0i + c1 * p1i + c2 * p2i;
    const double e2r = a0r + c2 * p1r + c1 * p2r, e2i = a0i + c2 * p1i + c1 * p2i;
    const double f1r = s1 * d1r + s2 * d2r, f1i = s1 * d1i + s2 * d2i;
    const double f2r = s2 * d1r - s1 * d2r, f2i = s2 * d1i - s1 * d2i;
    // b_j = e_j - i f_j, b_{5-j} = e_j + i f_j
    Put<Twiddle>(yr, yi, wr, wi, q + s, 1, e1r + f1i, e1i - f1r);
    Put<Twiddle>(yr, yi, wr, wi, q + 4 * s, 4, e1r - f1i, e1i + f1r);
    Put<Twiddle>(yr, yi, wr, wi, q + 2 * s, 2, e2r + f2i, e2i - f2r);
    Put<Twiddle>(yr, yi, wr, wi, q + 3 * s, 3, e2r - f2i, e2i + f2r);
  }
}

template <GroupFunction Plain, GroupFunction Twiddled>
void SmallPass(std::size_t p, SplitComplex x, SplitComplex y, std::size_t m, std::size_t s,
               const double* wr, const double* wi) {
  const std::size_t sm = s * m;
  for (std::size_t t = 0; t < m; ++t) {
    const std::size_t i = s * t, o = p * s * t, w = (p - 1) * t;
    (t == 0 ? Plain : Twiddled)(x.re + i, x.im + i, y.re + o, y.im + o, s, sm, wr + w, wi + w);
  }
}

// Odd radix p: pairing inputs r and p - r halves the products, as
// b_j = a_0 + sum_r (a_r + a_{p-r}) cos(2 pi rj/p) - i (a_r - a_{p-r}) sin(2 pi rj/p)
// and b_{p-j} differs only in the sign of the sine part.
void OddPass(std::size_t p, SplitComplex x, SplitComplex y, std::size_t m, std::size_t s,
             const double* wr, const double* wi, const double* cs, const double* sn) {
  const std::size_t half = (p - 1) / 2, sm = s * m;
  double sumR[kRow / 2], sumI[kRow / 2], diffR[kRow / 2], diffI[kRow / 2];
  for (std::size_t t = 0; t < m; ++t) {
    const std::size_t i = s * t, o = p * s * t, w = (p - 1) * t;
    const double* xr = x.re + i;
    const double* xi = x.im + i;
    double* yr = y.re + o;
    double* yi = y.im + o;
    for (std::size_t q = 0; q < s; ++q) {
      const double a0r = xr[q], a0i = xi[q];
      double b0r = a0r, b0i = a0i;
      for (std::size_t r = 1; r <= half; ++r) {
        const double ar = xr[q + r * sm], ai = xi[q + r * sm];
        const double br = xr[q + (p - r) * sm], bi = xi[q + (p - r) * sm];
        sumR[r] = ar + br;
        sumI[r] = ai + bi;
        diffR[r] = ar - br;
        diffI[r] = ai - bi;
        b0r += sumR[r];
        b0i += sumI[r];
      }
      yr[q] = b0r;
      yi[q] = b0i;
      for (std::size_t j = 1; j <= half; ++j) {
        double er = a0r, ei = a0i, fr = 0.0, fi = 0.0;
        std::size_t k = 0;
        for (std::size_t r = 1; r <= half; ++r) {
          k += j;
          if (k >= p) k -= p;
          er += sumR[r] * cs[k];
          ei += sumI[r] * cs[k];
          fr += diffR[r] * sn[k];
          fi += diffI[r] * sn[k];
        }
        Put<true>(yr, yi, wr + w, wi + w, q + j * s, j, er + fi, ei - fr);
        Put<true>(yr, yi, wr + w, wi + w, q + (p - j) * s, p - j, er - fi, ei + fr);
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
  if (n % 2 == 0 && !radices.empty()) {
    radices.back() = 8;
    n /= 2;
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
    twiddleRe_.resize(total);
    twiddleIm_.resize(total);
    cos_.assign(kRow * kRow, 0.0);
    sin_.assign(kRow * kRow, 0.0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (const Pass& pass : passes_) {
    const std::size_t length = pass.radix * pass.m;
    for (std::size_t t = 0; t < pass.m; ++t) {
      for (std::size_t j = 1; j < pass.radix; ++j) {
        const double angle = -kTwoPi * static_cast<double>(j * t) / static_cast<double>(length);
        const std::size_t at = pass.twiddles + (pass.radix - 1) * t + j - 1;
        twiddleRe_[at] = std::cos(angle);
        twiddleIm_[at] = std::sin(angle);
      }
    }
    for (std::size_t k = 0; k < pass.radix && pass.radix % 2 == 1; ++k) {
      const double angle = kTwoPi * static_cast<double>(k) / static_cast<double>(pass.radix);
      cos_[pass.radix * kRow + k] = std::cos(angle);
      sin_[pass.radix * kRow + k] = std::sin(angle);
    }
  }
  n_ = n;
  return true;
}

bool StockhamFft::Run(SplitComplex data, SplitComplex work) const {
  SplitComplex x = data, y = work;
  bool inWork = false;
  for (const Pass& pass : passes_) {
    const double* wr = twiddleRe_.data() + pass.twiddles;
    const double* wi = twiddleIm_.data() + pass.twiddles;
    const std::size_t p = pass.radix, m = pass.m, s = pass.stride;
    switch (p) {
      case 2:
        SmallPass<Radix2<false>, Radix2<true>>(p, x, y, m, s, wr, wi);
        break;
      case 3:
        SmallPass<Radix3<false>, Radix3<true>>(p, x, y, m, s, wr, wi);
        break;
      case 4:
        SmallPass<Radix4<false>, Radix4<true>>(p, x, y, m, s, wr, wi);
        break;
      case 5:
        SmallPass<Radix5<false>, Radix5<true>>(p, x, y, m, s, wr, wi);
        break;
      case 8:
        SmallPass<Radix8<false>, Radix8<true>>(p, x, y, m, s, wr, wi);
        break;
      default:
        OddPass(p, x, y, m, s, wr, wi, cos_.data() + p * kRow, sin_.data() + p * kRow);
        break;
    }
    std::swap(x, y);
    inWork = !inWork;
  }
  return inWork;
}

}  // namespace merva
