#include "host/locale/locale_environment.hpp"

#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <cstdlib>
#include <string>

#include "host/locale_test_environment.hpp"

namespace host {
namespace {

TEST(IcuLocaleId, ConvertsPosixNamesAndFallsBackToUnitedStatesEnglish) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "en_US"},           {"C.utf8", "en_US"}, {"POSIX", "en_US"},
      {"de_DE.ISO-8859-15@euro", "de_DE"},  // the currency is always given explicitly
      {"sr_RS.UTF-8@latin", "sr_Latn_RS"}, {"de-AT", "de_AT"}, {"xx_YY.UTF-8", "en_US"}, {"../de", "en_US"},
  };
  // ICU answers an unknown locale with its process default; the fallback must not depend on it.
  icu::Locale before = icu::Locale::getDefault();
  UErrorCode status = U_ZERO_ERROR;
  icu::Locale::setDefault(icu::Locale("fr_FR"), status);
  for (const auto& [posix, icu] : cases) EXPECT_EQ(icuLocaleId(posix), icu) << "'" << posix << "'";
  icu::Locale::setDefault(before, status);
}

TEST(CurrentLocaleId, FollowsLcAllThenCategoryThenLang) {
  const struct { LocaleVariables environment; const char *numeric, *monetary; } cases[] = {
      {{}, "en_US", "en_US"},
      {{{"LANG", "de_DE.UTF-8"}, {"LC_NUMERIC", "fr_FR.UTF-8"}}, "fr_FR", "de_DE"},
      {{{"LANG", "de_DE.UTF-8"}, {"LC_MONETARY", "tr_TR.UTF-8"}}, "de_DE", "tr_TR"},
      {{{"LC_ALL", "fr_FR"}, {"LC_NUMERIC", "de_DE"}, {"LC_MONETARY", "de_DE"}, {"LANG", "de_DE"}}, "fr_FR", "fr_FR"},
      {{{"LC_ALL", "C.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, "en_US", "en_US"},
      {{{"LC_ALL", ""}, {"LC_NUMERIC", ""}, {"LANG", "de_DE"}}, "de_DE", "de_DE"},  // empty is unset
  };
  for (const auto& c : cases) {
    ScopedLocaleEnvironment environment(c.environment);
    EXPECT_EQ(currentLocaleId(LocaleCategory::numeric), c.numeric) << ::testing::PrintToString(c.environment);
    EXPECT_EQ(currentLocaleId(LocaleCategory::monetary), c.monetary) << ::testing::PrintToString(c.environment);
  }
}

TEST(PlausibleLocaleName, TakesLocaleNamesAndRefusesOtherText) {
  for (const char* name : {"C", "de_DE.UTF-8", "sr_RS@latin", "de-AT", "en_US@currency=EUR", "ca_ES.UTF-8@valencia"})
    EXPECT_TRUE(isPlausibleLocaleName(name)) << name;
  for (std::string name : {"", "\xff", "de\xe9", "de_DE.\xff", "../de", "/usr/lib/locale/de", "de DE", "de\n", "1de"})
    EXPECT_FALSE(isPlausibleLocaleName(name)) << name;
  EXPECT_TRUE(isPlausibleLocaleName(std::string(255, 'a')));
  EXPECT_FALSE(isPlausibleLocaleName(std::string(256, 'a')));
}

// What cannot name a locale leaves the environment itself, so that no library reading it sees it;
// a LANGUAGE list keeps its good entries.
TEST(DropImplausibleLocaleVariables, LeavesOnlyPlausibleNames) {
  ScopedLocaleEnvironment environment({{"LC_ALL", "\xff"}, {"LC_NUMERIC", "de\xe9"}, {"LC_MONETARY", "de_DE.UTF-8"},
                                       {"LC_MESSAGES", "de_DE.\xff"}, {"LANG", "sr_RS.UTF-8@latin"},
                                       {"LANGUAGE", "de:\xff::/tmp/x:fr_FR"}});
  dropImplausibleLocaleVariables();
  for (const char* gone : {"LC_ALL", "LC_NUMERIC", "LC_MESSAGES"}) EXPECT_EQ(std::getenv(gone), nullptr) << gone;
  EXPECT_STREQ(std::getenv("LC_MONETARY"), "de_DE.UTF-8");
  EXPECT_STREQ(std::getenv("LANG"), "sr_RS.UTF-8@latin");
  EXPECT_STREQ(std::getenv("LANGUAGE"), "de:fr_FR");
  EXPECT_EQ(currentLocaleId(LocaleCategory::numeric), "sr_Latn_RS");

  environment.set({{"LANGUAGE", "\xff:de\xe9"}});
  dropImplausibleLocaleVariables();
  EXPECT_EQ(std::getenv("LANGUAGE"), nullptr);
}

}  // namespace
}  // namespace host
