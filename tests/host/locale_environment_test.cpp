#include "host/locale/locale_environment.hpp"

#include <gtest/gtest.h>
#include <unicode/locid.h>

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
  const struct {
    LocaleVariables environment;
    const char* numeric;
    const char* monetary;
  } cases[] = {
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

}  // namespace
}  // namespace host
