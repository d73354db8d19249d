#include "host/locale/gettext_string_catalog.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <thread>

#include "host/locale_test_environment.hpp"
#include "test_files.hpp"
#include "test_resources.hpp"

namespace host {
namespace {

using A = std::vector<FormatArgument>;

std::filesystem::path localeDirectory() { return builtResourceDirectory().value_or("") / "locale"; }
GettextStringCatalog zuvoCatalog() { return GettextStringCatalog(localeDirectory(), "zuvo-widgets"); }

TEST(GettextStringCatalog, FollowsTheMessagesEnvironmentAtEveryFormat) {
  const std::pair<LocaleVariables, bool> cases[] = {
      {{}, false},
      {{{"LANG", "de_AT.UTF-8"}}, true},  // falls back to the "de" catalog
      {{{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}, false},
      {{{"LC_ALL", "de_CH.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}, true},
      {{{"LANGUAGE", "fr:en:de"}, {"LANG", "en_US.UTF-8"}}, true},  // French and English have no catalog: next entry
      {{{"LANGUAGE", "fr:C:de"}, {"LANG", "de_DE.UTF-8"}}, false},  // a C entry ends the list
      {{{"LANGUAGE", "de"}, {"LANG", "C"}}, false},                  // ignored under the C locale
      {{{"LANGUAGE", ":"}, {"LANG", "de_DE.UTF-8"}}, true},          // an empty list is ignored
  };
  GettextStringCatalog catalog = zuvoCatalog();
  for (const auto& [variables, german] : cases) {
    ScopedLocaleEnvironment scoped(variables);
    EXPECT_EQ(catalog.format({"Last 7 days", {}}), german ? "Letzte 7 Tage" : "Last 7 days") << ::testing::PrintToString(variables);
  }
}

TEST(GettextStringCatalog, UntranslatedKeysAreFormattedThemselves) {
  const std::vector<std::string> german{"de_DE"};
  const LocalizedKey key{"Last 7 days", {}};
  EXPECT_EQ(zuvoCatalog().format({"%lld items not in any catalog", A{std::int64_t{3}}}, german), "3 items not in any catalog");
  EXPECT_EQ(GettextStringCatalog("/nonexistent/locale", "zuvo-widgets").format(key, german), "Last 7 days");
  // A damaged catalog counts as none.
  const TemporaryDirectory temporary;
  const std::filesystem::path& damaged = temporary.path;
  std::filesystem::create_directories(damaged / "de/LC_MESSAGES");
  std::ofstream(damaged / "de/LC_MESSAGES/zuvo-widgets.mo") << "\x95\x04\x12\xde not a catalog";
  EXPECT_EQ(GettextStringCatalog(damaged, "zuvo-widgets").format(key, german), "Last 7 days");
}

TEST(GettextStringCatalogConcurrency, FormatsFromManyThreadsAgree) {
  GettextStringCatalog catalog = zuvoCatalog();
  std::vector<int> wrong(6, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 6; ++t)
    threads.emplace_back([&, t] {
      const std::vector<std::string> languages{t % 2 ? "de_DE" : "fr_FR"};
      for (int i = 0; i < 100; ++i)
        wrong[t] += catalog.format({"No usage yet", {}}, languages) != (t % 2 ? "Noch ungenutzt" : "No usage yet");
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(6, 0));
}

}  // namespace
}  // namespace host
