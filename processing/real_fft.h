#pragma once

// The packed real FFT of a power-of-two record, in place: a complex FFT of
// half the length (bit-reversal reordering, Danielson-Lanczos butterflies)
// followed by the real-data split.

#include <cstddef>

namespace merva {

// True for 1, 2, 4, ...
bool IsPowerOfTwo(long long n);
// Smallest power of two >= n (1 for n <= 1); 0 when it would pass 2^62.
long long NextPowerOfTwo(long long n);

// Forward (direction 1): data[0] = C_0, data[1] = C_{n/2}, data[2k] = C_k,
// data[2k+1] = S_k for k = 1..n/2-1, with C_k = sum y_j cos(2 pi k j / n)
// and S_k = sum y_j sin(2 pi k j / n). Inverse (direction -1) takes that
// layout back to the data times n/2. n must be a power of two >= 2.
void PackedRealFft(float* data, std::size_t n, int direction);

}  // namespace merva
