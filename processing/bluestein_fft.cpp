#include "processing/bluestein_fft.h"

#include <cstdint>
#include <new>

#include "processing/complex_fft.h"

namespace merva {

namespace {

using C = FftComplex;

inline C Mul(const C& a, const C& b) {
  return C(a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real());
}

}  // namespace

bool BluesteinDft(std::vector<C>& z, const std::function<bool()>& interrupted) {
  const std::size_t n = z.size();
  if (n <= 1) return true;
  if (n > SIZE_MAX / 4 / sizeof(C)) return false;
  const std::size_t length = NextSmoothLength(2 * n - 1);
  if (length == 0 || length > SIZE_MAX / 2 / sizeof(C)) return false;
  ComplexFft fft;
  FftRoots roots;  // exp(-i pi r / n), the chirp at r = m^2 mod 2n
  std::vector<C> u, v, chirp;
  try {
    if (!fft.Prepare(length) || !roots.Prepare(2 * n)) return false;
    chirp.resize(n);
    u.assign(length, C());
    v.assign(length, C());
  } catch (const std::bad_alloc&) {
    return false;
  }
  // m^2 mod 2n step by step: (m + 1)^2 = m^2 + 2m + 1.
  for (std::size_t m = 0, r = 0; m < n; ++m) {
    chirp[m] = roots(r);
    r += 2 * m + 1;
    while (r >= 2 * n) r -= 2 * n;
  }
  const std::size_t L = length;
  for (std::size_t j = 0; j < n; ++j) {
    u[j] = Mul(z[j], chirp[j]);
    v[j] = std::conj(chirp[j]);
    if (j > 0) v[L - j] = v[j];
  }
  fft.Transform(u.data());
  if (interrupted && interrupted()) return false;
  fft.Transform(v.data());
  // The inverse transform as the conjugate of the forward one of the
  // conjugate.
  for (std::size_t i = 0; i < L; ++i) u[i] = std::conj(Mul(u[i], v[i]));
  if (interrupted && interrupted()) return false;
  fft.Transform(u.data());
  const double scale = 1.0 / static_cast<double>(L);
  for (std::size_t k = 0; k < n; ++k) z[k] = Mul(std::conj(u[k]) * scale, chirp[k]);
  return true;
}

}  // namespace merva
