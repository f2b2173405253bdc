#include "render/regional_settings.h"

#include <gtest/gtest.h>

#include "files/ini_profile.h"

namespace merva {
namespace {

TEST(RegionalSettings, DefaultsWhenAbsent) {
  IniProfile profile, registry;
  const RegionalSettings r = ReadRegionalSettings(profile, registry);
  EXPECT_EQ(r.sShortDate, "M/d/yy");
  EXPECT_EQ(r.iTime, 0);
  EXPECT_EQ(r.iTLZero, 1);
  EXPECT_EQ(r.s1159, "AM");
  EXPECT_EQ(r.s2359, "PM");
  EXPECT_EQ(r.sTime, ":");
  EXPECT_EQ(r.sCurrency, "$");
  EXPECT_EQ(r.sDecimal, ".");
  EXPECT_EQ(r.sThousand, ",");
  EXPECT_EQ(r.iCurrency, 0);
  EXPECT_EQ(r.iLzero, 0);
  EXPECT_EQ(r.iNegCurr, 0);
  EXPECT_EQ(r.sMonDecimalSep, ".");
  EXPECT_EQ(r.sMonThousandSep, ",");
}

TEST(RegionalSettings, ProfileAndRegistryValues) {
  IniProfile profile(
      "[intl]\nsShortDate=dd.MM.yyyy\niTime=1\niTLZero=0\ns1159=vorm.\ns2359=nachm.\nsTime=.\n"
      "sCurrency=EUR\nsDecimal=,\nsThousand=.\niCurrency=3\niLzero=1\niNegCurr=8\n");
  IniProfile registry;
  RegionalSettings r = ReadRegionalSettings(profile, registry);
  EXPECT_EQ(r.sShortDate, "dd.MM.yyyy");
  EXPECT_EQ(r.iTime, 1);
  EXPECT_EQ(r.iTLZero, 0);
  EXPECT_EQ(r.s1159, "vorm.");
  EXPECT_EQ(r.sTime, ".");
  EXPECT_EQ(r.sCurrency, "EUR");
  EXPECT_EQ(r.iCurrency, 3);
  EXPECT_EQ(r.iLzero, 1);
  EXPECT_EQ(r.iNegCurr, 8);
  // The monetary separators follow the ordinary ones unless the registry has them.
  EXPECT_EQ(r.sMonDecimalSep, ",");
  EXPECT_EQ(r.sMonThousandSep, ".");
  registry.Parse("[Control Panel\\International]\nsMonDecimalSep=;\nsMonThousandSep='\n");
  r = ReadRegionalSettings(profile, registry);
  EXPECT_EQ(r.sMonDecimalSep, ";");
  EXPECT_EQ(r.sMonThousandSep, "'");
}

TEST(RegionalSettings, OverLongAndBadValues) {
  const std::string longText(100000, 'z');
  IniProfile profile("[intl]\nsShortDate=" + longText + "\ns1159=" + longText +
                     "\nsDecimal=::\niTime=twelve\nsTime=" + longText + "\n");
  IniProfile registry;
  const RegionalSettings r = ReadRegionalSettings(profile, registry);
  EXPECT_EQ(r.sShortDate.size(), 32u);
  EXPECT_EQ(r.s1159.size(), 16u);
  EXPECT_EQ(r.sTime.size(), 4u);
  EXPECT_EQ(r.sDecimal, ":");
  EXPECT_EQ(r.iTime, 0);
}

}  // namespace
}  // namespace merva
