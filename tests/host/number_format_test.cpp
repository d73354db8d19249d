#include "host/locale/number_format.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "host/locale_test_environment.hpp"

namespace host {
namespace {

struct Example { double value; const char* text; };
struct LocaleExamples { const char* locale; std::vector<Example> percents, amounts; };  // amounts in US dollars

// Percentages: no fraction digits, halves to even, not clamped. Amounts: exactly 2 fraction digits,
// halves to even. Turkish writes the sign first.
const LocaleExamples kExamples[] = {
    {"en_US",
     {{0.125, "12%"}, {0.375, "38%"}, {12.5, "1,250%"}, {-0.05, "-5%"}},
     {{1234.5, "$1,234.50"}, {-4.2, "-$4.20"}, {0.125, "$0.12"}, {0.375, "$0.38"}}},
    {"de_DE", {{0.82, "82\u00A0%"}, {12.5, "1.250\u00A0%"}}, {{1234.5, "1.234,50\u00A0$"}, {-4.2, "-4,20\u00A0$"}}},
    {"tr_TR", {{0.82, "%82"}, {-0.05, "-%5"}}, {{1234.5, "$1.234,50"}}},
};

TEST(NumberFormat, WritesExamplesInEachLocale) {
  for (const LocaleExamples& locale : kExamples) {
    for (const Example& e : locale.percents)
      EXPECT_EQ(formatPercent(e.value, locale.locale), e.text) << locale.locale << " " << e.value;
    for (const Example& e : locale.amounts)
      EXPECT_EQ(formatCurrency(e.value, "USD", locale.locale), e.text) << locale.locale << " " << e.value;
  }
  // Other currencies keep two digits; a bad code gives a plain number.
  EXPECT_EQ(formatCurrency(1234.5, "JPY", "en_US"), "\u00A51,234.50");
  EXPECT_EQ(formatCurrency(1234.5, "", "en_US"), "1,234.50");
}

// Percentages follow LC_NUMERIC, amounts LC_MONETARY.
TEST(NumberFormat, ReadsTheCurrentLocaleAtEveryCall) {
  ScopedLocaleEnvironment environment(LocaleVariables{{"LANG", "C.UTF-8"}});
  EXPECT_EQ(formatPercent(0.82), "82%");
  EXPECT_EQ(formatCurrency(1234.5, "USD"), "$1,234.50");
  environment.set({{"LANG", "en_US.UTF-8"}, {"LC_NUMERIC", "tr_TR.UTF-8"}, {"LC_MONETARY", "de_DE.UTF-8"}});
  EXPECT_EQ(formatPercent(0.82), "%82");
  EXPECT_EQ(formatCurrency(1234.5, "USD"), "1.234,50\u00A0$");
}

// Formatters built and kept by one thread are used by the others.
TEST(NumberFormatConcurrency, CallsFromManyThreadsAgree) {
  std::vector<int> wrong(8, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([t, &wrong] {
      const LocaleExamples& examples = kExamples[t % std::size(kExamples)];
      for (std::size_t i = 0; i < 200; ++i) {
        const Example& p = examples.percents[i % examples.percents.size()];
        const Example& a = examples.amounts[i % examples.amounts.size()];
        wrong[t] += formatPercent(p.value, examples.locale) != p.text;
        wrong[t] += formatCurrency(a.value, "USD", examples.locale) != a.text;
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(8, 0));
}

}  // namespace
}  // namespace host
