#pragma once

// Reading the user's regional settings: the "intl" section of the system
// profile and the two monetary separators of the user's registry.

#include "files/profile_store.h"
#include "render/number_format.h"

namespace merva {

inline constexpr char INTL_SECTION[] = "intl";
inline constexpr char INTERNATIONAL_REGISTRY_KEY[] = "Control Panel\\International";

// Field limits of the texts.
constexpr int SHORT_DATE_LIMIT = 32;
constexpr int AM_PM_LIMIT = 16;
constexpr int TIME_SEPARATOR_LIMIT = 4;
constexpr int CURRENCY_SYMBOL_LIMIT = 16;
constexpr int MONETARY_SEPARATOR_LIMIT = 3;

// Absent or unreadable keys keep their defaults; the monetary separators
// default to the decimal and thousands separators read before them.
RegionalSettings ReadRegionalSettings(ProfileStore& systemProfile, ProfileStore& userRegistry);

}  // namespace merva
