#include "processing/mixed_radix_fft.h"

#include <algorithm>
#include <new>

#include "processing/bluestein_fft.h"
#include "processing/complex_fft.h"

namespace merva {

namespace {

using Complex = FftComplex;
// Paired transforms up to this many points keep their buffers (about 16
// bytes a point) for the next call.
constexpr std::size_t kKeptPoints = std::size_t{1} << 20;

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

// a and b from the sums x = C_k - i S_k; once = 1/n.
inline void Store(std::size_t k, std::size_t n, double once, const Complex& x, double* a,
                  double* b) {
  if (k == 0 || 2 * k == n) {
    a[k] = x.real() * once;
    b[k] = 0.0;
  } else {
    a[k] = 2.0 * once * x.real();
    b[k] = -2.0 * once * x.imag();
  }
}

// a + i b holds, for k < m = n/2, the transform z of the even samples plus
// i times the odd ones; it becomes the coefficients in place. With
// E_k = (z_k + conj z_{m-k}) / 2 and O_k = -i (z_k - conj z_{m-k}) / 2 the
// record's sums are X_k = E_k + W^k O_k, W = exp(-2 pi i/n), and
// X_{m-k} = conj(E_k - W^k O_k), so one root serves both.
bool Split(std::size_t n, double* a, double* b) {
  // Kept for the next record, as the transform is.
  thread_local FftRoots kept;
  FftRoots fresh;
  FftRoots& roots = n / 2 <= kKeptPoints ? kept : fresh;
  if (!roots.Prepare(n)) return false;
  const std::size_t m = n / 2;
  const double once = 1.0 / static_cast<double>(n), twice = 2.0 * once;
  const double r0 = a[0], i0 = b[0];
  Store(0, n, once, Complex(r0 + i0, 0.0), a, b);
  Store(m, n, once, Complex(r0 - i0, 0.0), a, b);
  // k runs in runs of kRun from k0, W^k = W^k0 W^(k - k0) from one table,
  // and the mirrored z and the results go through local arrays: that
  // leaves plain loops the compiler runs in vector registers.
  constexpr std::size_t kRun = 512;
  double wRe[kRun], wIm[kRun], upRe[kRun], upIm[kRun], downRe[kRun], downIm[kRun];
  for (std::size_t i = 0; i < kRun; ++i) {
    wRe[i] = roots(i).real();
    wIm[i] = roots(i).imag();
  }
  for (std::size_t k0 = 0; 2 * k0 <= m; k0 += kRun) {
    const std::size_t first = std::max<std::size_t>(k0, 1);
    const std::size_t end = std::min(k0 + kRun, m / 2 + 1);
    if (first >= end) break;
    const std::size_t count = end - first, skip = first - k0;
    const Complex base = roots(k0);
    for (std::size_t i = 0; i < count; ++i) {
      downRe[i] = a[m - first - i];
      downIm[i] = b[m - first - i];
    }
    for (std::size_t i = 0; i < count; ++i) {
      const double wr = base.real() * wRe[skip + i] - base.imag() * wIm[skip + i];
      const double wi = base.real() * wIm[skip + i] + base.imag() * wRe[skip + i];
      const double zr = a[first + i], zi = b[first + i], jr = downRe[i], ji = downIm[i];
      const double er = 0.5 * (zr + jr), ei = 0.5 * (zi - ji);
      const double odr = 0.5 * (zi + ji), odi = -0.5 * (zr - jr);
      const double tr = wr * odr - wi * odi, ti = wr * odi + wi * odr;
      upRe[i] = twice * (er + tr);
      upIm[i] = -twice * (ei + ti);
      downRe[i] = twice * (er - tr);
      downIm[i] = twice * (ei - ti);
    }
    std::copy(upRe, upRe + count, a + first);
    std::copy(upIm, upIm + count, b + first);
    for (std::size_t i = 0; i < count; ++i) {
      a[m - first - i] = downRe[i];
      b[m - first - i] = downIm[i];
    }
  }
  return true;
}

// The transform of the even samples plus i times the odd ones into a + i b.
bool PairedDft(const float* y, std::size_t m, double* a, double* b,
               const std::function<bool()>& interrupted) {
  if (m == 1 || !FftRadices(m).empty()) {
    // The transform of the last record up to kKeptPoints stays for the
    // next one, as a plan would: the page faults of fresh buffers cost
    // about as much as the transform itself.
    thread_local ComplexFft kept;
    ComplexFft fresh;
    ComplexFft& fft = m <= kKeptPoints ? kept : fresh;
    try {
      if (!fft.Prepare(m)) return false;
    } catch (const std::bad_alloc&) {
      return false;
    }
    fft.TransformPairs(y, SplitComplex{a, b});
    return true;
  }
  std::vector<Complex> z;
  try {
    z.resize(m);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::size_t j = 0; j < m; ++j) z[j] = Complex(y[2 * j], y[2 * j + 1]);
  if (!BluesteinDft(z, interrupted)) return false;
  for (std::size_t k = 0; k < m; ++k) {
    a[k] = z[k].real();
    b[k] = z[k].imag();
  }
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
  try {
    a.resize(half + 1);
    b.resize(half + 1);
  } catch (const std::bad_alloc&) {
    return false;
  }
  // An even record is transformed as N/2 complex points (even and odd
  // samples), which halves the work.
  if (n % 2 == 0) {
    if (!PairedDft(y, half, a.data(), b.data(), interrupted)) return false;
    if (interrupted && interrupted()) return false;
    return Split(n, a.data(), b.data());
  }
  std::vector<Complex> z;
  try {
    z.resize(n);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::size_t j = 0; j < n; ++j) z[j] = Complex(y[j], 0.0);
  if (!Dft(z, interrupted)) return false;
  const double once = 1.0 / static_cast<double>(n);
  for (std::size_t k = 0; k <= half; ++k) Store(k, n, once, z[k], a.data(), b.data());
  return true;
}

}  // namespace merva
