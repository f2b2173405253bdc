// Every build computes in the precision of its operands: values kept in
// single precision round at each step in the 32-bit program as they do in
// the 64-bit one (no x87 extended precision).

#include <gtest/gtest.h>

#include <cfloat>

static_assert(FLT_EVAL_METHOD == 0, "build with SSE2 arithmetic (-msse2 -mfpmath=sse)");

namespace merva {
namespace {

TEST(FloatArithmetic, SingleSumsRoundAtEachStep) {
  volatile float start = 16777216.0f;  // 2^24: adding 1 rounds back to it
  float sum = start;
  for (int i = 0; i < 4; ++i) sum += 1.0f;
  EXPECT_EQ(sum, 16777216.0f);
}

}  // namespace
}  // namespace merva
