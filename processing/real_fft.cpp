#include "processing/real_fft.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace merva {

namespace {

constexpr double kTwoPi = 6.283185307179586476925;
// Complex values a block of early stages covers: 64 KiB.
constexpr std::size_t kCacheBlock = 8192;

std::size_t Reversed(std::size_t value, int bits) {
  std::size_t r = 0;
  for (int b = 0; b < bits; ++b, value >>= 1) r = (r << 1) | (value & 1);
  return r;
}

void Swap(float* data, std::size_t i, std::size_t j) {
  std::swap(data[2 * i], data[2 * j]);
  std::swap(data[2 * i + 1], data[2 * j + 1]);
}

// Index bits [high t | middle | low t] go to [rev low | rev middle | rev
// high]; taking all 2^t x 2^t values of one middle part at once reads and
// writes whole runs of 2^t neighbours instead of one value per cache line.
void BitReverse(float* data, std::size_t points) {
  int bits = 0;
  while ((std::size_t{1} << bits) < points) ++bits;
  constexpr int t = 4;
  if (bits < 2 * t + 1) {
    for (std::size_t i = 0; i < points; ++i) {
      const std::size_t j = Reversed(i, bits);
      if (j > i) Swap(data, i, j);
    }
    return;
  }
  const int middle = bits - 2 * t;
  std::size_t tile[std::size_t{1} << t];
  for (std::size_t a = 0; a < (std::size_t{1} << t); ++a) tile[a] = Reversed(a, t);
  for (std::size_t m = 0; m < (std::size_t{1} << middle); ++m) {
    const std::size_t rm = Reversed(m, middle);
    if (rm < m) continue;
    for (std::size_t a = 0; a < (std::size_t{1} << t); ++a) {
      for (std::size_t b = 0; b < (std::size_t{1} << t); ++b) {
        const std::size_t i = (a << (bits - t)) | (m << t) | b;
        const std::size_t j = (tile[b] << (bits - t)) | (rm << t) | tile[a];
        if (rm > m || j > i) Swap(data, i, j);
      }
    }
  }
}

// exp(i step k) for k < kFine.
constexpr std::size_t kFine = 1024;
void FineRoots(double step, double* re, double* im) {
  for (std::size_t k = 0; k < kFine; ++k) {
    re[k] = std::cos(step * static_cast<double>(k));
    im[k] = std::sin(step * static_cast<double>(k));
  }
}

// Stage tables side by side: the butterflies that join transforms of h
// points read exp(2 pi i k / 2h), k < h, as table[h + k] (real parts)
// and table[points + h + k] (imaginary parts); apart, the loops vectorise. The top
// stage's roots come from exact ones every 1024 steps times a table of the
// first 1024, right to the double's rounding; the lower stages take every
// second root of the stage above.
std::vector<float> StageTwiddles(std::size_t points) {
  std::vector<float> table(2 * points);
  const double step = kTwoPi / static_cast<double>(points);
  double fineRe[kFine], fineIm[kFine];
  FineRoots(step, fineRe, fineIm);
  const std::size_t top = points / 2;
  for (std::size_t base = 0; base < top; base += kFine) {
    const double cr = std::cos(step * static_cast<double>(base));
    const double ci = std::sin(step * static_cast<double>(base));
    for (std::size_t k = 0; k < kFine && base + k < top; ++k) {
      table[top + base + k] = static_cast<float>(cr * fineRe[k] - ci * fineIm[k]);
      table[points + top + base + k] = static_cast<float>(cr * fineIm[k] + ci * fineRe[k]);
    }
  }
  for (std::size_t h = top / 2; h >= 1; h /= 2) {
    for (std::size_t k = 0; k < h; ++k) {
      table[h + k] = table[2 * h + 2 * k];
      table[points + h + k] = table[points + 2 * h + 2 * k];
    }
  }
  return table;
}

// The table of the last length up to kKeptPoints stays for the next
// transform, as a plan would (smoothing runs a forward and an inverse one
// of a length): building it and faulting its pages in cost about a fifth
// of the transform. Longer ones go to `fresh`.
const std::vector<float>& StageTable(std::size_t points, std::vector<float>& fresh) {
  constexpr std::size_t kKeptPoints = std::size_t{1} << 20;
  if (points > kKeptPoints) return fresh = StageTwiddles(points);
  thread_local std::vector<float> kept;
  thread_local std::size_t keptPoints = 0;
  if (keptPoints != points) {
    keptPoints = 0;
    kept = StageTwiddles(points);
    keptPoints = points;
  }
  return kept;
}

// Joins pairs of transforms of h points into ones of 2h. The inverse
// (sign -1) takes the conjugate twiddles.
void Radix2Stage(float* data, std::size_t points, std::size_t h, const float* twr, const float* twi,
                 float sign) {
  const float* __restrict wr = twr + h;
  const float* __restrict wi = twi + h;
  for (std::size_t block = 0; block < points; block += 2 * h) {
    float* __restrict a = data + 2 * block;
    float* __restrict b = a + 2 * h;
    for (std::size_t k = 0; k < h; ++k) {
      const std::size_t r = 2 * k, i = r + 1;
      const float fr = wr[k], fi = sign * wi[k];
      const float tr = fr * b[r] - fi * b[i];
      const float ti = fr * b[i] + fi * b[r];
      b[r] = a[r] - tr;
      b[i] = a[i] - ti;
      a[r] += tr;
      a[i] += ti;
    }
  }
}

// Two stages at once: four transforms of h points a, b, c, e become one of
// 4h, with (a + w b) + v (c + w e) and (a - w b) +- i v (c - w e) where
// w, v are the twiddles of the stages for h and 2h.
void Radix4Stage(float* data, std::size_t points, std::size_t h, const float* __restrict twr,
                 const float* __restrict twi, float sign) {
  for (std::size_t block = 0; block < points; block += 4 * h) {
    float* __restrict a = data + 2 * block;
    float* __restrict b = a + 2 * h;
    float* __restrict c = b + 2 * h;
    float* __restrict e = c + 2 * h;
    const float* __restrict w1r = twr + h;
    const float* __restrict w1i = twi + h;
    const float* __restrict w2r = twr + 2 * h;
    const float* __restrict w2i = twi + 2 * h;
    for (std::size_t k = 0; k < h; ++k) {
      const float wr = w1r[k], wi = sign * w1i[k], vr = w2r[k], vi = sign * w2i[k];
      const std::size_t r = 2 * k, i = r + 1;
      const float br = wr * b[r] - wi * b[i], bi = wr * b[i] + wi * b[r];
      const float er = wr * e[r] - wi * e[i], ei = wr * e[i] + wi * e[r];
      const float x1r = a[r] + br, x1i = a[i] + bi, y1r = a[r] - br, y1i = a[i] - bi;
      const float x2r = c[r] + er, x2i = c[i] + ei, y2r = c[r] - er, y2i = c[i] - ei;
      const float tr = vr * x2r - vi * x2i, ti = vr * x2i + vi * x2r;
      // i v (c - w e) for the forward sign, -i v (c - w e) for the inverse
      const float ur = -sign * (vr * y2i + vi * y2r), ui = sign * (vr * y2r - vi * y2i);
      a[r] = x1r + tr;
      a[i] = x1i + ti;
      c[r] = x1r - tr;
      c[i] = x1i - ti;
      b[r] = y1r + ur;
      b[i] = y1i + ui;
      e[r] = y1r - ur;
      e[i] = y1i - ui;
    }
  }
}

// The stages for h = from, 2 from, ... below `to` over `points` values, in
// pairs where it can.
void Stages(float* data, std::size_t points, std::size_t from, std::size_t to, const float* twr,
            const float* twi, float sign) {
  std::size_t levels = 0;
  for (std::size_t h = from; h < to; h *= 2) ++levels;
  std::size_t h = from;
  if (levels % 2 == 1) {
    Radix2Stage(data, points, h, twr, twi, sign);
    h *= 2;
  }
  for (; h < to; h *= 4) Radix4Stage(data, points, h, twr, twi, sign);
}

// Complex FFT of `points` interleaved values with exp(+i...) for direction 1.
// The early stages run block by block while a block stays in the cache;
// only the later ones sweep the whole record.
void ComplexFft(float* data, std::size_t points, int direction) {
  BitReverse(data, points);
  if (points < 2) return;
  std::vector<float> fresh;
  const std::vector<float>& table = StageTable(points, fresh);
  const float* twr = table.data();
  const float* twi = twr + points;
  const float sign = direction == 1 ? 1.0f : -1.0f;
  const std::size_t block = std::min(points, kCacheBlock);
  for (std::size_t start = 0; start < points; start += block)
    Stages(data + 2 * start, block, 1, block, twr, twi, sign);
  Stages(data, points, block, points, twr, twi, sign);
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
  // w = exp(i theta i): exact every kFine steps times a table of the first
  // kFine, so no rounding builds up along the record.
  double fineRe[kFine], fineIm[kFine];
  FineRoots(theta, fineRe, fineIm);
  for (std::size_t base = 0; base < (n >> 2); base += kFine) {
    const double cr = std::cos(theta * static_cast<double>(base));
    const double ci = std::sin(theta * static_cast<double>(base));
    const std::size_t end = std::min(n >> 2, base + kFine);
    for (std::size_t i = std::max<std::size_t>(base, 1); i < end; ++i) {
      const double wr = cr * fineRe[i - base] - ci * fineIm[i - base];
      const double wi = cr * fineIm[i - base] + ci * fineRe[i - base];
      const std::size_t i1 = 2 * i, i2 = i1 + 1, i3 = n - i1, i4 = i3 + 1;
      const double h1r = c1 * (data[i1] + data[i3]);
      const double h1i = c1 * (data[i2] - data[i4]);
      const double h2r = -c2 * (data[i2] + data[i4]);
      const double h2i = c2 * (data[i1] - data[i3]);
      data[i1] = static_cast<float>(h1r + wr * h2r - wi * h2i);
      data[i2] = static_cast<float>(h1i + wr * h2i + wi * h2r);
      data[i3] = static_cast<float>(h1r - wr * h2r + wi * h2i);
      data[i4] = static_cast<float>(-h1i + wr * h2i + wi * h2r);
    }
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
