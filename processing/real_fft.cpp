#include "processing/real_fft.h"

#include <cmath>
#include <utility>
#include <vector>

namespace merva {

namespace {

constexpr double kTwoPi = 6.283185307179586476925;

void BitReverse(float* data, std::size_t points) {
  std::size_t j = 0;
  for (std::size_t i = 0; i < points; ++i) {
    if (j > i) {
      std::swap(data[2 * j], data[2 * i]);
      std::swap(data[2 * j + 1], data[2 * i + 1]);
    }
    std::size_t m = points >> 1;
    while (m >= 1 && j >= m) {
      j -= m;
      m >>= 1;
    }
    j += m;
  }
}

// Complex FFT of `points` interleaved values with exp(+i...) for direction 1.
// Each stage's twiddles come from a double-precision recurrence into a
// table, so that the butterflies can walk the record in order.
void ComplexFft(float* data, std::size_t points, int direction) {
  BitReverse(data, points);
  const std::size_t n = points * 2;
  std::vector<float> twiddle;
  twiddle.reserve(points);
  for (std::size_t mmax = 2; mmax < n; mmax <<= 1) {
    const std::size_t step = mmax << 1;
    const double theta = direction * (kTwoPi / static_cast<double>(mmax));
    const double s = std::sin(0.5 * theta);
    const double wpr = -2.0 * s * s, wpi = std::sin(theta);
    double wr = 1.0, wi = 0.0;
    twiddle.resize(mmax);
    for (std::size_t m = 0; m < mmax; m += 2) {
      twiddle[m] = static_cast<float>(wr);
      twiddle[m + 1] = static_cast<float>(wi);
      const double t = wr;
      wr = t * wpr - wi * wpi + wr;
      wi = wi * wpr + t * wpi + wi;
    }
    for (std::size_t block = 0; block < n; block += step) {
      for (std::size_t m = 0; m < mmax; m += 2) {
        const float fr = twiddle[m], fi = twiddle[m + 1];
        const std::size_t i = block + m, j = i + mmax;
        const float tr = fr * data[j] - fi * data[j + 1];
        const float ti = fr * data[j + 1] + fi * data[j];
        data[j] = data[i] - tr;
        data[j + 1] = data[i + 1] - ti;
        data[i] += tr;
        data[i + 1] += ti;
      }
    }
  }
}

}  // namespace

bool IsPowerOfTwo(long long n) { return n > 0 && (n & (n - 1)) == 0; }

long long NextPowerOfTwo(long long n) {
  long long p = 1;
  while (p < n) {
    if (p >= (1LL << 62)) return 0;
    p <<= 1;
  }
  return p;
}

void PackedRealFft(float* data, std::size_t n, int direction) {
  if (n < 2) return;
  const double c1 = 0.5;
  double c2 = 0.5;
  double theta = kTwoPi / 2.0 / static_cast<double>(n >> 1);
  if (direction == 1) {
    c2 = -0.5;
    ComplexFft(data, n >> 1, 1);
  } else {
    theta = -theta;
  }
  const double s = std::sin(0.5 * theta);
  const double wpr = -2.0 * s * s, wpi = std::sin(theta);
  double wr = 1.0 + wpr, wi = wpi;
  for (std::size_t i = 1; i < (n >> 2); ++i) {
    const std::size_t i1 = 2 * i, i2 = i1 + 1, i3 = n - i1, i4 = i3 + 1;
    const double h1r = c1 * (data[i1] + data[i3]);
    const double h1i = c1 * (data[i2] - data[i4]);
    const double h2r = -c2 * (data[i2] + data[i4]);
    const double h2i = c2 * (data[i1] - data[i3]);
    data[i1] = static_cast<float>(h1r + wr * h2r - wi * h2i);
    data[i2] = static_cast<float>(h1i + wr * h2i + wi * h2r);
    data[i3] = static_cast<float>(h1r - wr * h2r + wi * h2i);
    data[i4] = static_cast<float>(-h1i + wr * h2i + wi * h2r);
    const double t = wr;
    wr = t * wpr - wi * wpi + wr;
    wi = wi * wpr + t * wpi + wi;
  }
  const float first = data[0];
  if (direction == 1) {
    data[0] = first + data[1];
    data[1] = first - data[1];
  } else {
    data[0] = static_cast<float>(c1 * (first + data[1]));
    data[1] = static_cast<float>(c1 * (first - data[1]));
    ComplexFft(data, n >> 1, -1);
  }
}

}  // namespace merva
