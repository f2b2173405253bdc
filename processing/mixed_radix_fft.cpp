#include "processing/mixed_radix_fft.h"

#include <new>

#include "processing/bluestein_fft.h"
#include "processing/complex_fft.h"

namespace merva {

namespace {

using Complex = FftComplex;

// Plain product: std::complex's operator* takes a slow path for infinities.
inline Complex Times(const Complex& a, const Complex& b) {
  return Complex(a.real() * b.real() - a.imag() * b.imag(),
                 a.real() * b.imag() + a.imag() * b.real());
}

// The DFT of z in place (exp(-i...)): lengths made of small primes go the
// direct way, the others through the chirp-z convolution.
bool Dft(std::vector<Complex>& z, const std::function<bool()>& interrupted) {
  if (FftRadices(z.size()).empty() && z.size() > 1) return BluesteinDft(z, interrupted);
  ComplexFft fft;
  try {
    if (!fft.Prepare(z.size())) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  fft.Transform(z.data());
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
  if (!Dft(z, interrupted)) return false;
  if (interrupted && interrupted()) return false;
  const double once = 1.0 / static_cast<double>(n), twice = 2.0 * once;
  FftRoots split;
  if (paired && !split.Prepare(n)) return false;
  for (std::size_t k = 0; k <= half; ++k) {
    Complex x = z[k < m ? k : 0];
    if (paired) {
      // z holds the even samples plus i times the odd ones.
      const Complex zk = x, zc = std::conj(z[k == 0 || k == m ? 0 : m - k]);
      const Complex even = (zk + zc) * 0.5, odd = Times(zk - zc, Complex(0.0, -0.5));
      x = even + Times(split(k), odd);
    }
    const double ck = x.real(), sk = -x.imag();  // sum y cos, sum y sin
    if (k == 0 || 2 * k == n) {
      a[k] = ck * once;
    } else {
      a[k] = ck * twice;
      b[k] = sk * twice;
    }
  }
  return true;
}

}  // namespace merva
