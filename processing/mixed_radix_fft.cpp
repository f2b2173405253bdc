#include "processing/mixed_radix_fft.h"

#include <cmath>
#include <complex>
#include <cstdint>
#include <new>

#include "processing/real_fft.h"

namespace merva {

namespace {

using Complex = std::complex<double>;
constexpr double kPi = 3.141592653589793238463;

// Plain product: std::complex's operator* takes a slow path for infinities.
inline Complex Times(const Complex& a, const Complex& b) {
  return Complex(a.real() * b.real() - a.imag() * b.imag(),
                 a.real() * b.imag() + a.imag() * b.real());
}

// Radix-2 complex FFT, exp(-i...) forward, unscaled. `twiddle` holds
// exp(-2 pi i k / n) for k < n/2.
void Radix2(std::vector<Complex>& a, const std::vector<Complex>& twiddle, bool inverse) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  // The stage's twiddles side by side, so that the butterflies read them
  // in order.
  std::vector<Complex> stage;
  stage.reserve(n / 2);
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const std::size_t half = len / 2, stride = n / len;
    stage.resize(half);
    for (std::size_t k = 0; k < half; ++k)
      stage[k] = inverse ? std::conj(twiddle[k * stride]) : twiddle[k * stride];
    for (std::size_t i = 0; i < n; i += len) {
      for (std::size_t k = 0; k < half; ++k) {
        const Complex u = a[i + k], v = Times(a[i + k + half], stage[k]);
        a[i + k] = u + v;
        a[i + k + half] = u - v;
      }
    }
  }
}

// exp(-i pi m^2 / n), with m^2 reduced mod 2n so large m keep their digits.
Complex Chirp(std::size_t m, std::size_t n) {
  const unsigned long long twoN = 2ULL * n;
  const unsigned long long r = (static_cast<unsigned long long>(m) % twoN) *
                               (static_cast<unsigned long long>(m) % twoN) % twoN;
  const double angle = -kPi * static_cast<double>(r) / static_cast<double>(n);
  return Complex(std::cos(angle), std::sin(angle));
}

// exp(-2 pi i j / n) for j < count: exact every 64 steps, a rotation in
// between (errors stay near the double's rounding).
void FillRoots(Complex* out, std::size_t count, std::size_t n) {
  const double step = -2.0 * kPi / static_cast<double>(n);
  const Complex rotation(std::cos(step), std::sin(step));
  for (std::size_t j = 0; j < count; ++j) {
    if (j % 64 == 0) {
      const double angle = step * static_cast<double>(j);
      out[j] = Complex(std::cos(angle), std::sin(angle));
    } else {
      out[j] = Times(out[j - 1], rotation);
    }
  }
}

// Factors of n for the mixed-radix recursion (4 first, then primes up
// to kLargestRadix); empty when a larger prime divides n.
constexpr std::size_t kLargestRadix = 31;

std::vector<std::size_t> SmallFactors(std::size_t n) {
  std::vector<std::size_t> factors;
  while (n % 4 == 0) {
    factors.push_back(4);
    n /= 4;
  }
  for (std::size_t p = 2; p <= kLargestRadix && n > 1; ++p) {
    while (n % p == 0) {
      factors.push_back(p);
      n /= p;
    }
  }
  if (n > 1) factors.clear();
  return factors;
}

// Decimation in time: `n` points of `in` (every `stride`-th) into `out`.
// roots[j] = exp(-2 pi i j / N) for the full length N = n * rootStride.
void MixedRadix(const Complex* in, std::size_t stride, Complex* out, std::size_t n,
                const std::size_t* factors, const std::vector<Complex>& roots,
                std::size_t rootStride) {
  const std::size_t p = factors[0], m = n / p;
  if (m == 1) {
    for (std::size_t r = 0; r < p; ++r) out[r] = in[r * stride];
  } else {
    for (std::size_t r = 0; r < p; ++r)
      MixedRadix(in + r * stride, stride * p, out + r * m, m, factors + 1, roots, rootStride * p);
  }
  // r * k * rootStride stays below N, as k < m and r < p.
  Complex t[kLargestRadix + 1];
  if (p == 2 || p == 4) {
    for (std::size_t k = 0; k < m; ++k) {
      for (std::size_t r = 0; r < p; ++r) t[r] = Times(out[r * m + k], roots[r * k * rootStride]);
      if (p == 2) {
        out[k] = t[0] + t[1];
        out[m + k] = t[0] - t[1];
        continue;
      }
      const Complex a = t[0] + t[2], b = t[0] - t[2], c = t[1] + t[3];
      const Complex d(t[1].imag() - t[3].imag(), t[3].real() - t[1].real());  // -i (t1 - t3)
      out[k] = a + c;
      out[m + k] = b + d;
      out[2 * m + k] = a - c;
      out[3 * m + k] = b - d;
    }
    return;
  }
  Complex w[kLargestRadix];  // exp(-2 pi i j / p)
  for (std::size_t j = 0; j < p; ++j) w[j] = roots[j * m * rootStride];
  for (std::size_t k = 0; k < m; ++k) {
    for (std::size_t r = 0; r < p; ++r) t[r] = Times(out[r * m + k], roots[r * k * rootStride]);
    for (std::size_t q = 0; q < p; ++q) {
      Complex sum = t[0];
      std::size_t j = 0;
      for (std::size_t r = 1; r < p; ++r) {
        j += q;
        if (j >= p) j -= p;
        sum += Times(t[r], w[j]);
      }
      out[q * m + k] = sum;
    }
  }
}

// The DFT of z in place (exp(-i...)); false when n has a large prime
// factor or the storage cannot be had.
bool SmallPrimeDft(std::vector<Complex>& z) {
  const std::size_t n = z.size();
  const std::vector<std::size_t> factors = SmallFactors(n);
  if (n > 1 && factors.empty()) return false;
  if (n <= 1) return true;
  std::vector<Complex> out, roots;
  try {
    out.resize(n);
    roots.resize(n);
  } catch (const std::bad_alloc&) {
    return false;
  }
  FillRoots(roots.data(), n, n);
  MixedRadix(z.data(), 1, out.data(), n, factors.data(), roots, 1);
  z.swap(out);
  return true;
}

// The DFT of z in place (exp(-i...)) by Bluestein's chirp-z convolution.
bool Bluestein(std::vector<Complex>& z, const std::function<bool()>& interrupted) {
  const std::size_t n = z.size();
  const long long length = NextPowerOfTwo(2 * static_cast<long long>(n) - 1);
  if (length == 0 || static_cast<unsigned long long>(length) > (SIZE_MAX / sizeof(Complex)) / 2)
    return false;
  std::vector<Complex> u, v, twiddle;
  try {
    twiddle.resize(static_cast<std::size_t>(length / 2));
    u.assign(static_cast<std::size_t>(length), Complex());
    v.assign(static_cast<std::size_t>(length), Complex());
  } catch (const std::bad_alloc&) {
    return false;
  }
  const std::size_t L = u.size();
  FillRoots(twiddle.data(), twiddle.size(), L);
  for (std::size_t j = 0; j < n; ++j) {
    const Complex c = Chirp(j, n);
    u[j] = Times(z[j], c);
    v[j] = std::conj(c);
    if (j > 0) v[L - j] = std::conj(c);
  }
  Radix2(u, twiddle, false);
  if (interrupted && interrupted()) return false;
  Radix2(v, twiddle, false);
  for (std::size_t i = 0; i < L; ++i) u[i] = Times(u[i], v[i]);
  if (interrupted && interrupted()) return false;
  Radix2(u, twiddle, true);
  const double scale = 1.0 / static_cast<double>(L);
  for (std::size_t k = 0; k < n; ++k) z[k] = Times(u[k] * scale, Chirp(k, n));
  return true;
}

}  // namespace

std::size_t MixedRadixWorkSize(std::size_t n) { return 3 * n + 15; }

std::vector<long long> TransformFactors(long long n) {
  std::vector<long long> factors;
  long long trial = 4;
  int index = 0;
  while (n > 1) {
    if (index >= 2 && trial * trial > n) {
      if (n == 2)
        factors.insert(factors.begin(), 2);
      else
        factors.push_back(n);
      break;
    }
    if (n % trial == 0) {
      n /= trial;
      if (trial == 2)
        factors.insert(factors.begin(), 2);
      else
        factors.push_back(trial);
      continue;
    }
    ++index;
    trial = index == 1 ? 2 : index == 2 ? 3 : index == 3 ? 5 : trial + 2;
  }
  return factors;
}

bool EzfftfCoefficients(const float* y, std::size_t n, std::vector<double>& a,
                        std::vector<double>& b, const std::function<bool()>& interrupted) {
  if (n < 1) return false;
  const std::size_t half = n / 2;
  // An even record is transformed as N/2 complex points (even and odd
  // samples), which halves the work.
  const bool paired = n % 2 == 0;
  const std::size_t m = paired ? half : n;
  std::vector<Complex> z;
  try {
    a.assign(half + 1, 0.0);
    b.assign(half + 1, 0.0);
    z.resize(m);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::size_t j = 0; j < m; ++j)
    z[j] = paired ? Complex(y[2 * j], y[2 * j + 1]) : Complex(y[j], 0.0);
  // Lengths made of small primes go the direct way; the others through the
  // chirp-z convolution.
  if (!SmallPrimeDft(z) && !Bluestein(z, interrupted)) return false;
  const double dn = static_cast<double>(n);
  std::vector<Complex> split;
  try {
    split.resize(paired ? half + 1 : 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  FillRoots(split.data(), split.size(), n);
  for (std::size_t k = 0; k <= half; ++k) {
    Complex x = z[k % m];
    if (paired) {
      const Complex zk = z[k % m], zc = std::conj(z[(m - k % m) % m]);
      const Complex even = (zk + zc) * 0.5, odd = Times(zk - zc, Complex(0.0, -0.5));
      x = even + Times(split[k], odd);
    }
    const double ck = x.real(), sk = -x.imag();  // sum y cos, sum y sin
    if (k == 0) {
      a[0] = ck / dn;
    } else if (2 * k == n) {
      a[k] = ck / dn;
    } else {
      a[k] = 2.0 * ck / dn;
      b[k] = 2.0 * sk / dn;
    }
  }
  return true;
}

}  // namespace merva
