#pragma once

// The complex DFT of any length by Bluestein's chirp-z method: with
// jk = (j^2 + k^2 - (k - j)^2) / 2 the transform becomes a convolution
// with the chirp exp(i pi m^2 / n), done by FFTs of a 2^a 3^b 5^c length
// >= 2n - 1.

#include <functional>
#include <vector>

#include "processing/stockham_fft.h"

namespace merva {

// z_k <- sum z_j exp(-2 pi i jk / n) in place. False when the storage
// cannot be had or `interrupted` answers true.
bool BluesteinDft(std::vector<FftComplex>& z, const std::function<bool()>& interrupted);

}  // namespace merva
