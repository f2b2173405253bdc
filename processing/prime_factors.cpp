#include "processing/prime_factors.h"

#include <new>
#include <vector>

namespace merva {

namespace {

constexpr int kPrimeLimit = 65536;

std::vector<int> PrimesBelow(int limit) {
  std::vector<bool> composite(static_cast<std::size_t>(limit), false);
  std::vector<int> primes;
  for (int i = 2; i < limit; ++i) {
    if (composite[static_cast<std::size_t>(i)]) continue;
    primes.push_back(i);
    for (long long j = static_cast<long long>(i) * i; j < limit; j += i)
      composite[static_cast<std::size_t>(j)] = true;
  }
  return primes;
}

void AppendFactor(std::string& text, long long prime, int exponent) {
  if (!text.empty()) text += " * ";
  text += std::to_string(prime);
  if (exponent > 1) text += "^" + std::to_string(exponent);
}

}  // namespace

FactorResult PrimeFactorText(long long n, std::string& text) {
  text.clear();
  std::vector<int> primes;
  try {
    primes = PrimesBelow(kPrimeLimit);
  } catch (const std::bad_alloc&) {
    return FactorResult::NO_TABLE;
  }
  if (n < 2) {
    text = std::to_string(n);
    return FactorResult::OK;
  }
  for (int p : primes) {
    if (static_cast<long long>(p) * p > n) break;
    int exponent = 0;
    while (n % p == 0) {
      n /= p;
      ++exponent;
    }
    if (exponent > 0) AppendFactor(text, p, exponent);
  }
  if (n > 1) {
    const long long last = primes.back();
    if (last * last < n) return FactorResult::TABLE_EXHAUSTED;
    AppendFactor(text, n, 1);
  }
  return FactorResult::OK;
}

}  // namespace merva
