#include "render/fill_choice.h"

#include <gtest/gtest.h>

namespace merva {
namespace {

TEST(FillChoice, ChoicesMapToBrushKindsAndHatches) {
  FillRegion f;
  for (int choice = 0; choice < FILL_CHOICES; ++choice) {
    SetFillChoice(f, choice);
    EXPECT_EQ(FillChoiceOf(f), choice);
  }
  SetFillChoice(f, 3);  // 45-degree downward
  EXPECT_EQ(f.kind, 2);
  EXPECT_EQ(f.style, 2);
  SetFillChoice(f, FILL_CHOICE_USER);
  EXPECT_EQ(f.kind, FILL_KIND_PATTERN);
  SetFillChoice(f, 0);
  EXPECT_EQ(f.kind, 0);
  f.kind = 2;
  f.style = 99;  // from a damaged file
  EXPECT_EQ(FillChoiceOf(f), 0);
}

TEST(FillChoice, PatternText) {
  std::array<uint8_t, 8> p{0xAA, 0x55, 0xAA, 0x55, 0, 0xFF, 1, 0x10};
  EXPECT_EQ(PatternText(p), "AA 55 AA 55 00 FF 01 10");
  std::array<uint8_t, 8> q{};
  EXPECT_TRUE(ParsePatternText("aa,55 AA 55 0 ff 1 10", q));
  EXPECT_EQ(q, p);
  const auto before = q;
  EXPECT_FALSE(ParsePatternText("AA 55", q));
  EXPECT_FALSE(ParsePatternText("AA 55 AA 55 00 FF 01 10 20", q));
  EXPECT_FALSE(ParsePatternText("AA 55 AA 55 00 FF 01 1G", q));
  EXPECT_FALSE(ParsePatternText("AA 55 AA 55 00 FF 01 100", q));
  EXPECT_FALSE(ParsePatternText("", q));
  EXPECT_EQ(q, before);
}

}  // namespace
}  // namespace merva
