#pragma once

// The real forward transform of a record of any length with the amplitude
// conventions of FFTPACK's EZFFTF. An even record becomes N/2 complex
// points; lengths made of primes up to 31 then go through the mixed-radix
// passes of complex_fft.h, the others through Bluestein's chirp-z method,
// so a prime length costs about three transforms of twice its size.

#include <cstddef>
#include <functional>
#include <vector>

namespace merva {

// Single-precision values the work array holds: 3*N + 15.
std::size_t MixedRadixWorkSize(std::size_t n);

// The factors the transform would use, in order: 4, 2, 3, 5, then odd
// numbers, a factor 2 moved to the front.
std::vector<long long> TransformFactors(long long n);

// The EZFFTF coefficients: a0 = mean; a[k] = (2/N) C_k, b[k] = (2/N) S_k
// for k = 1..(N-1)/2; for even N a[N/2] = C_{N/2}/N, b[N/2] = 0. `a` and `b`
// get N/2 + 1 entries (index 0 holds a0 and 0). Returns false when the
// storage cannot be had, or when `interrupted` answers true.
bool EzfftfCoefficients(const float* y, std::size_t n, std::vector<double>& a,
                        std::vector<double>& b, const std::function<bool()>& interrupted = nullptr);

}  // namespace merva
