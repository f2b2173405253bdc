#include "render/regional_settings.h"

#include "files/profile_values.h"

namespace merva {

namespace {

void ReadCut(ProfileStore& store, const char* section, const char* key, std::string& value,
             std::size_t limit) {
  ReadText(store, section, key, value, limit, LongText::Cut);
}

}  // namespace

RegionalSettings ReadRegionalSettings(ProfileStore& profile, ProfileStore& registry) {
  RegionalSettings r;
  ReadCut(profile, INTL_SECTION, "sShortDate", r.sShortDate, SHORT_DATE_LIMIT);
  ReadInt(profile, INTL_SECTION, "iTime", r.iTime, -2147483647 - 1, 2147483647);
  ReadInt(profile, INTL_SECTION, "iTLZero", r.iTLZero, -2147483647 - 1, 2147483647);
  ReadCut(profile, INTL_SECTION, "s1159", r.s1159, AM_PM_LIMIT);
  ReadCut(profile, INTL_SECTION, "s2359", r.s2359, AM_PM_LIMIT);
  ReadCut(profile, INTL_SECTION, "sTime", r.sTime, TIME_SEPARATOR_LIMIT);
  ReadCut(profile, INTL_SECTION, "sCurrency", r.sCurrency, CURRENCY_SYMBOL_LIMIT);
  ReadCut(profile, INTL_SECTION, "sDecimal", r.sDecimal, 1);
  ReadCut(profile, INTL_SECTION, "sThousand", r.sThousand, 1);
  ReadInt(profile, INTL_SECTION, "iCurrency", r.iCurrency, -2147483647 - 1, 2147483647);
  ReadInt(profile, INTL_SECTION, "iLzero", r.iLzero, -2147483647 - 1, 2147483647);
  ReadInt(profile, INTL_SECTION, "iNegCurr", r.iNegCurr, -2147483647 - 1, 2147483647);
  r.sMonDecimalSep = r.sDecimal;
  r.sMonThousandSep = r.sThousand;
  ReadCut(registry, INTERNATIONAL_REGISTRY_KEY, "sMonDecimalSep", r.sMonDecimalSep,
          MONETARY_SEPARATOR_LIMIT);
  ReadCut(registry, INTERNATIONAL_REGISTRY_KEY, "sMonThousandSep", r.sMonThousandSep,
          MONETARY_SEPARATOR_LIMIT);
  return r;
}

}  // namespace merva
