#pragma once

// The pattern choice of the fill dialog and the user pattern as text.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/plot_document.h"

namespace merva {

// 0 solid, 1..6 the hatches (horizontal, vertical, 45-degree downward,
// 45-degree upward, H-V cross, 45-degree cross), 7 user-defined.
constexpr int FILL_CHOICES = 8;
constexpr int FILL_CHOICE_USER = 7;
int FillChoiceOf(const FillRegion& fill);
void SetFillChoice(FillRegion& fill, int choice);

// Eight hexadecimal bytes, one per pattern row, separated by blanks.
std::string PatternText(const std::array<uint8_t, 8>& pattern);
// False unless exactly eight bytes 00..FF are given.
bool ParsePatternText(std::string_view text, std::array<uint8_t, 8>& pattern);

}  // namespace merva
