#pragma once

// The "Styles" keys, shared by the settings file and the preference files.

#include <array>

#include "files/profile_store.h"
#include "files/settings.h"

namespace merva {

// "line width" holds the axes and the grid lines ahead of curves 1..20.
void ReadStyleKeys(ProfileStore& store, std::array<int, STYLE_CURVES>& lines,
                   std::array<int, STYLE_CURVES>& symbols, int& axisWidth, int& gridWidth,
                   std::array<int, STYLE_CURVES>& widths, std::array<int, STYLE_CURVES>& sizes,
                   bool& changed);
void PutStyleKeys(ProfileStore& store, const std::array<int, STYLE_CURVES>& lines,
                  const std::array<int, STYLE_CURVES>& symbols, int axisWidth, int gridWidth,
                  const std::array<int, STYLE_CURVES>& widths,
                  const std::array<int, STYLE_CURVES>& sizes);

}  // namespace merva
