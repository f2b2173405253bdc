#pragma once

// The prime factors of a record length as the FFT Options dialog lists them.

#include <string>

namespace merva {

enum class FactorResult { OK, TABLE_EXHAUSTED, NO_TABLE };

// Distinct prime factors with their exponents joined by " * ", for
// example "2^3 * 5^3" for 1000 and "1000003" for a prime. Trial division
// by a table of the primes below 65536, which settles every 32-bit N.
FactorResult PrimeFactorText(long long n, std::string& text);

}  // namespace merva
