// The in-place sort of a curve's points by X. Points are first dealt into
// buckets by their value (a monotonic map, so the buckets come out in
// order), then each small bucket is sorted in cache. NaN values end last.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "processing/curve_arithmetic.h"

namespace merva {

namespace {

// Total order of the bit patterns, agreeing with < for numbers (-0 before +0).
inline uint32_t Key(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const uint32_t mask = static_cast<uint32_t>(static_cast<int32_t>(bits) >> 31) | 0x80000000u;
  return bits ^ mask;
}

inline void SwapPoints(float* x, float* y, std::size_t a, std::size_t b) {
  std::swap(x[a], x[b]);
  std::swap(y[a], y[b]);
}

void InsertionSort(float* x, float* y, std::size_t n) {
  for (std::size_t i = 1; i < n; ++i) {
    const float xi = x[i], yi = y[i];
    const uint32_t ki = Key(xi);
    std::size_t j = i;
    for (; j > 0 && Key(x[j - 1]) > ki; --j) {
      x[j] = x[j - 1];
      y[j] = y[j - 1];
    }
    x[j] = xi;
    y[j] = yi;
  }
}

void SiftDown(float* x, float* y, std::size_t root, std::size_t n) {
  for (;;) {
    std::size_t child = 2 * root + 1;
    if (child >= n) return;
    if (child + 1 < n && Key(x[child + 1]) > Key(x[child])) ++child;
    if (Key(x[root]) >= Key(x[child])) return;
    SwapPoints(x, y, root, child);
    root = child;
  }
}

void HeapSort(float* x, float* y, std::size_t n) {
  for (std::size_t i = n / 2; i-- > 0;) SiftDown(x, y, i, n);
  for (std::size_t end = n; end-- > 1;) {
    SwapPoints(x, y, 0, end);
    SiftDown(x, y, 0, end);
  }
}

void IntroSort(float* x, float* y, std::size_t n, int depth) {
  while (n > 24) {
    if (depth-- == 0) {
      HeapSort(x, y, n);
      return;
    }
    const std::size_t mid = n / 2;
    if (Key(x[mid]) < Key(x[0])) SwapPoints(x, y, mid, 0);
    if (Key(x[n - 1]) < Key(x[0])) SwapPoints(x, y, n - 1, 0);
    if (Key(x[n - 1]) < Key(x[mid])) SwapPoints(x, y, n - 1, mid);
    const uint32_t pivot = Key(x[mid]);
    std::size_t i = 0, j = n - 1;
    for (;;) {
      while (Key(x[i]) < pivot) ++i;
      while (Key(x[j]) > pivot) --j;
      if (i >= j) break;
      SwapPoints(x, y, i, j);
      ++i;
      --j;
    }
    // Recurse into the smaller part, loop on the larger.
    const std::size_t left = j + 1;
    if (left < n - left) {
      IntroSort(x, y, left, depth);
      x += left;
      y += left;
      n -= left;
    } else {
      IntroSort(x + left, y + left, n - left, depth);
      n = left;
    }
  }
  InsertionSort(x, y, n);
}

void SmallSort(float* x, float* y, std::size_t n) {
  int depth = 0;
  for (std::size_t m = n; m > 1; m >>= 1) depth += 2;
  IntroSort(x, y, n, depth);
}

// Moves the NaN points to the end; the count of the others.
std::size_t NaNsLast(float* x, float* y, std::size_t n) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (std::isnan(x[i])) continue;
    if (i != kept) SwapPoints(x, y, i, kept);
    ++kept;
  }
  return kept;
}

// Buckets per pass: few enough that every bucket's write position stays in
// cache while the points are dealt out; big buckets are dealt again.
constexpr std::size_t MAX_BUCKETS = 256;
constexpr std::size_t SMALL_SORT_SIZE = 4096;
constexpr int MAX_BUCKET_DEPTH = 8;

void BucketSort(float* x, float* y, std::size_t n, int depth) {
  double low = HUGE_VAL, high = -HUGE_VAL;
  for (std::size_t i = 0; i < n; ++i) {
    const double v = x[i];
    if (std::isfinite(v)) {
      if (v < low) low = v;
      if (v > high) high = v;
    }
  }
  if (!(high > low) || depth > MAX_BUCKET_DEPTH) return SmallSort(x, y, n);
  const std::size_t buckets = std::min<std::size_t>(n / 512 + 1, MAX_BUCKETS);
  const double scale = static_cast<double>(buckets) / (high - low) * (1.0 - 1e-12);
  auto bucketOf = [&](float v) -> std::size_t {
    if (!(v > low)) return 0;  // -inf and the lowest value
    if (!(v < high)) return buckets - 1;
    const double b = (static_cast<double>(v) - low) * scale;
    return b >= static_cast<double>(buckets - 1) ? buckets - 1 : static_cast<std::size_t>(b);
  };
  std::vector<std::size_t> start(buckets + 1, 0);
  for (std::size_t i = 0; i < n; ++i) ++start[bucketOf(x[i]) + 1];
  for (std::size_t b = 0; b < buckets; ++b) start[b + 1] += start[b];
  std::vector<std::size_t> next(start.begin(), start.end() - 1);
  // Cycle each point to its bucket: every swap places one point for good.
  for (std::size_t b = 0; b < buckets; ++b) {
    const std::size_t end = start[b + 1];
    while (next[b] < end) {
      const std::size_t home = bucketOf(x[next[b]]);
      if (home == b) {
        ++next[b];
      } else {
        SwapPoints(x, y, next[b], next[home]++);
      }
    }
  }
  for (std::size_t b = 0; b < buckets; ++b) {
    const std::size_t size = start[b + 1] - start[b];
    if (size >= SMALL_SORT_SIZE)
      BucketSort(x + start[b], y + start[b], size, depth + 1);
    else if (size > 1)
      SmallSort(x + start[b], y + start[b], size);
  }
}

}  // namespace

void SortPointsByX(float* x, float* y, std::size_t n) {
  const std::size_t numbers = NaNsLast(x, y, n);
  if (numbers < SMALL_SORT_SIZE)
    SmallSort(x, y, numbers);
  else
    BucketSort(x, y, numbers, 0);
}

}  // namespace merva
