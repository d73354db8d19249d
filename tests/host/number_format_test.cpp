#include "host/number_format.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "host/locale_test_environment.hpp"

namespace host {
namespace {

struct Example {
  double value = 0;
  const char* text = "";
};

struct LocaleExamples {
  const char* locale = "";
  std::vector<Example> percents;
  std::vector<Example> amounts;  // US dollars
};

// Percentages: 0 fraction digits, halves to even (0.125 -> 12, 0.375 -> 38), not clamped.
// Amounts: exactly 2 fraction digits, halves to even (0.125 -> 0.12). French groups with a
// narrow no-break space and puts a no-break space before the sign; Turkish writes "%82".
const LocaleExamples kExamples[] = {
    {"en_US",
     {{0.82, "82%"}, {1.0, "100%"}, {0.125, "12%"}, {0.375, "38%"}, {1.5, "150%"}, {12.5, "1,250%"},
      {-0.05, "-5%"}, {0, "0%"}},
     {{4.2, "$4.20"}, {0, "$0.00"}, {1234.5, "$1,234.50"}, {-4.2, "-$4.20"}, {0.125, "$0.12"}, {0.375, "$0.38"}}},
    {"de_DE",
     {{0.82, "82\u00A0%"}, {0.125, "12\u00A0%"}, {12.5, "1.250\u00A0%"}, {-0.05, "-5\u00A0%"}},
     {{4.2, "4,20\u00A0$"}, {1234.5, "1.234,50\u00A0$"}, {-4.2, "-4,20\u00A0$"}, {0.125, "0,12\u00A0$"}}},
    {"fr_FR",
     {{0.82, "82\u00A0%"}, {0.375, "38\u00A0%"}, {12.5, "1\u202F250\u00A0%"}, {-0.05, "-5\u00A0%"}},
     {{4.2, "4,20\u00A0$US"}, {1234.5, "1\u202F234,50\u00A0$US"}, {-4.2, "-4,20\u00A0$US"}}},
    {"tr_TR",
     {{0.82, "%82"}, {0.125, "%12"}, {12.5, "%1.250"}, {-0.05, "-%5"}, {0, "%0"}},
     {{4.2, "$4,20"}, {1234.5, "$1.234,50"}, {-4.2, "-$4,20"}}},
};

TEST(NumberFormat, WritesExamplesInEachLocale) {
  for (const LocaleExamples& locale : kExamples) {
    for (const Example& e : locale.percents)
      EXPECT_EQ(formatPercent(e.value, locale.locale), e.text) << locale.locale << " " << e.value;
    for (const Example& e : locale.amounts)
      EXPECT_EQ(formatCurrency(e.value, "USD", locale.locale), e.text) << locale.locale << " " << e.value;
  }
}

TEST(NumberFormat, ReadsTheCurrentLocaleAtEveryCall) {
  ScopedLocaleEnvironment environment(LocaleVariables{{"LANG", "C.UTF-8"}});
  EXPECT_EQ(formatPercent(0.82), "82%");
  EXPECT_EQ(formatCurrency(1234.5, "USD"), "$1,234.50");

  // Percentages follow LC_NUMERIC, amounts LC_MONETARY; LC_ALL overrides both.
  environment.set({{"LANG", "en_US.UTF-8"}, {"LC_NUMERIC", "tr_TR.UTF-8"}, {"LC_MONETARY", "de_DE.UTF-8"}});
  EXPECT_EQ(formatPercent(0.82), "%82");
  EXPECT_EQ(formatCurrency(1234.5, "USD"), "1.234,50\u00A0$");
  environment.set({{"LC_ALL", "fr_FR.UTF-8"}});
  EXPECT_EQ(formatPercent(12.5), "1\u202F250\u00A0%");
  EXPECT_EQ(formatCurrency(-4.2, "USD"), "-4,20\u00A0$US");
}

TEST(NumberFormat, OtherCurrenciesKeepTwoDigitsAndBadCodesGiveAPlainNumber) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"EUR", "en_US", "\u20AC1,234.50"},   {"EUR", "de_DE", "1.234,50\u00A0\u20AC"},
      {"JPY", "en_US", "\u00A51,234.50"},   {"usd", "en_US", "$1,234.50"},
      {"XYZ", "en_US", "XYZ\u00A01,234.50"}, {"", "en_US", "1,234.50"},
      {"US", "de_DE", "1.234,50"},          {"U$D", "en_US", "1,234.50"},
  };
  for (const auto& [code, locale, text] : cases)
    EXPECT_EQ(formatCurrency(1234.5, code, locale), text) << code << " " << locale;
}

TEST(NumberFormat, NonFiniteValuesAreWritten) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (double v : {std::numeric_limits<double>::quiet_NaN(), inf, -inf}) {
    EXPECT_FALSE(formatPercent(v, "de_DE").empty()) << v;
    EXPECT_FALSE(formatCurrency(v, "USD", "de_DE").empty()) << v;
  }
  EXPECT_EQ(formatPercent(inf, "en_US"), "\u221E%");
  EXPECT_EQ(formatCurrency(-inf, "USD", "en_US"), "-$\u221E");
}

// Formatters built and kept by one thread are used by the others.
TEST(NumberFormatConcurrency, CallsFromManyThreadsAgree) {
  std::vector<std::thread> threads;
  std::vector<int> wrong(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &wrong] {
      const LocaleExamples& examples = kExamples[t % std::size(kExamples)];
      for (int i = 0; i < 200; ++i) {
        const Example& p = examples.percents[i % examples.percents.size()];
        const Example& a = examples.amounts[i % examples.amounts.size()];
        wrong[t] += formatPercent(p.value, examples.locale) != p.text;
        wrong[t] += formatCurrency(a.value, "USD", examples.locale) != a.text;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(8, 0));
}

}  // namespace
}  // namespace host
