#include "io/sample_lines.h"

namespace merva {

void ConvertSamples(const int16_t* raw, int first, int count, StraightLine xLine,
                    StraightLine yLine, float* x, float* y) {
  // 32-bit indices (the points fit an int): the conversions vectorize.
  for (int k = 0; k < count; ++k) {
    x[k] = static_cast<float>(static_cast<double>(first + k) * xLine.slope + xLine.base);
    y[k] = static_cast<float>(static_cast<double>(raw[k]) * yLine.slope + yLine.base);
  }
}

}  // namespace merva
