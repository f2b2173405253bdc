#include "processing/lowpass_cascades.h"

#include <cstddef>

namespace merva {

namespace {

// The samples in the direction of the pass: index 0 is the first one run.
class Samples {
 public:
  Samples(float* y, std::size_t n, bool backward)
      : base_(backward ? y + (n - 1) : y),
        step_(backward ? -1 : 1),
        n_(static_cast<std::ptrdiff_t>(n)) {}
  float& operator[](std::ptrdiff_t i) const { return base_[i * step_]; }
  std::ptrdiff_t size() const { return n_; }

 private:
  float* base_;
  std::ptrdiff_t step_;
  std::ptrdiff_t n_;
};

// Sums of earlier inputs run from the end back, so that each input is read
// before it is overwritten.
void PairSum(const Samples& s, std::ptrdiff_t lag) {
  for (std::ptrdiff_t i = s.size() - 1; i >= lag; --i) s[i] = s[i] + s[i - lag];
}

void ThreeTermSum(const Samples& s) {
  for (std::ptrdiff_t i = s.size() - 1; i >= 0; --i) {
    double sum = s[i];
    if (i >= 1) sum += s[i - 1];
    if (i >= 2) sum += s[i - 2];
    s[i] = static_cast<float>(sum);
  }
}

void Sharpen(const Samples& s, std::ptrdiff_t lag, float p, float q) {
  for (std::ptrdiff_t i = 0; i < s.size(); ++i) {
    const double earlier = i >= lag ? static_cast<double>(s[i - lag]) : 0.0;
    s[i] = static_cast<float>(static_cast<double>(p) * s[i] - static_cast<double>(q) * earlier);
  }
}

void Divide(const Samples& s, int gain) {
  for (std::ptrdiff_t i = 0; i < s.size(); ++i) s[i] = static_cast<float>(s[i] / double(gain));
}

struct Cascade {
  int pairLags[5];  // the S_k passes after S_1 and T, 0 ends the list
  int sharpenLag;
  float p, q;
  int gain;
};

const Cascade kCascades[LOWPASS_OPTION_COUNT] = {
    {{2, 0}, 3, 1.43f, 0.43f, 12},
    {{2, 2, 4, 0}, 6, 1.36f, 0.36f, 48},
    {{3, 3, 6, 0}, 9, 1.32f, 0.32f, 48},
    {{2, 4, 4, 8, 0}, 12, 1.324f, 0.324f, 96},
};

}  // namespace

int LowPassGain(int option) {
  if (option < 1 || option > LOWPASS_OPTION_COUNT) return 0;
  return kCascades[option - 1].gain;
}

bool RunLowPassCascade(float* y, std::size_t n, int option, bool backward) {
  if (option < 1 || option > LOWPASS_OPTION_COUNT) return false;
  if (n == 0) return true;
  const Cascade& c = kCascades[option - 1];
  const Samples s(y, n, backward);
  PairSum(s, 1);
  ThreeTermSum(s);
  for (int lag : c.pairLags) {
    if (lag == 0) break;
    PairSum(s, lag);
  }
  Sharpen(s, c.sharpenLag, c.p, c.q);
  Divide(s, c.gain);
  return true;
}

}  // namespace merva
