// Locale-formatted figures as the widget forms them: the locale read from the environment at every
// call, formatters kept per locale; against building an ICU formatter for every figure.
// Also the string catalog's lookup and formatting of a key with arguments.
#include <benchmark/benchmark.h>
#include <unicode/numberformatter.h>

#include <cstdlib>

#include "test_resources.hpp"
#include "host/locale/gettext_string_catalog.hpp"
#include "host/locale/key_formatter.hpp"
#include "host/locale/locale_environment.hpp"
#include "host/locale/number_format.hpp"
#include "host/platform/resource_directory.hpp"

namespace {

// The benchmark process's own environment: German for every category.
void useGermanLocale() {
  ::unsetenv("LC_ALL");
  ::unsetenv("LANGUAGE");
  for (const char* variable : {"LC_NUMERIC", "LC_MONETARY", "LC_MESSAGES"}) ::unsetenv(variable);
  ::setenv("LANG", "de_DE.UTF-8", 1);
}

void BM_FormatPercent_CurrentLocale(benchmark::State& state) {
  useGermanLocale();
  double value = 0.82;
  for (auto _ : state) {
    benchmark::DoNotOptimize(host::formatPercent(value));
    value += 1e-9;
  }
}
BENCHMARK(BM_FormatPercent_CurrentLocale);

void BM_FormatCurrency_CurrentLocale(benchmark::State& state) {
  useGermanLocale();
  double value = 1234.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(host::formatCurrency(value, "USD"));
    value += 1e-9;
  }
}
BENCHMARK(BM_FormatCurrency_CurrentLocale);

// What the cache saves: a new ICU formatter for every figure.
void BM_FormatPercent_NewFormatterEachCall(benchmark::State& state) {
  useGermanLocale();
  for (auto _ : state) {
    icu::Locale locale(host::currentLocaleId(host::LocaleCategory::numeric).c_str());
    auto formatter = icu::number::NumberFormatter::with()
                         .unit(icu::NoUnit::percent())
                         .scale(icu::number::Scale::powerOfTen(2))
                         .precision(icu::number::Precision::integer())
                         .roundingMode(UNUM_ROUND_HALFEVEN)
                         .locale(locale);
    UErrorCode status = U_ZERO_ERROR;
    std::string text;
    formatter.formatDouble(0.82, status).toString(status).toUTF8String(text);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatPercent_NewFormatterEachCall);

void BM_FormatKey(benchmark::State& state) {
  useGermanLocale();
  const std::vector<host::FormatArgument> arguments{"weekly", std::int64_t{60}};
  for (auto _ : state) benchmark::DoNotOptimize(host::formatKey("%@ %lld%%", arguments));
}
BENCHMARK(BM_FormatKey);

// Languages read from the environment, the German catalog looked up, the key filled.
void BM_GettextCatalog_CurrentLanguage(benchmark::State& state) {
  useGermanLocale();
  auto resources = builtResourceDirectory();
  if (!resources) {
    state.SkipWithError("no resource directory beside the executable");
    return;
  }
  host::GettextStringCatalog catalog(*resources / "locale", "zuvo-widgets");
  const host::LocalizedKey key{"%@ %lld%%", {"weekly", std::int64_t{60}}};
  for (auto _ : state) benchmark::DoNotOptimize(catalog.format(key));
}
BENCHMARK(BM_GettextCatalog_CurrentLanguage);

}  // namespace
