#include "host/locale/number_format.hpp"

#include <unicode/numberformatter.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

#include "host/locale/locale_environment.hpp"

namespace host {
namespace {

using icu::number::LocalizedNumberFormatter;
using icu::number::NumberFormatter;
using icu::number::Precision;
using icu::number::Scale;

// Building a formatter costs tens of microseconds, using one well under one; formatDouble is
// const and thread-safe, so one formatter per key serves every thread. Entries are never
// removed, so a pointer stays valid once the lock is released. Past kMaxEntries (reachable only
// with many distinct explicit locale names) formatters are built per call instead of kept.
class FormatterCache {
 public:
  // `make` builds the formatter for `key` when none is kept yet.
  template <typename Make>
  std::string format(const std::string& key, double value, Make&& make) {
    if (const LocalizedNumberFormatter* cached = find(key)) return write(*cached, value);
    auto built = std::make_unique<const LocalizedNumberFormatter>(make());
    std::unique_lock lock(mutex_);
    if (formatters_.size() >= kMaxEntries && !formatters_.contains(key)) {
      lock.unlock();
      return write(*built, value);
    }
    const LocalizedNumberFormatter& formatter = *formatters_.try_emplace(key, std::move(built)).first->second;
    lock.unlock();
    return write(formatter, value);
  }

 private:
  static constexpr std::size_t kMaxEntries = 64;

  const LocalizedNumberFormatter* find(const std::string& key) const {
    std::shared_lock lock(mutex_);
    auto entry = formatters_.find(key);
    return entry == formatters_.end() ? nullptr : entry->second.get();
  }

  static std::string write(const LocalizedNumberFormatter& formatter, double value) {
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString text = formatter.formatDouble(value, status).toString(status);
    std::string out;
    if (U_SUCCESS(status)) text.toUTF8String(out);
    return out;
  }

  mutable std::shared_mutex mutex_;
  std::unordered_map<std::string, std::unique_ptr<const LocalizedNumberFormatter>> formatters_;
};

FormatterCache& percentFormatters() {
  static FormatterCache cache;
  return cache;
}

FormatterCache& currencyFormatters() {
  static FormatterCache cache;
  return cache;
}

icu::Locale icuLocale(std::string_view localeName) { return icu::Locale(icuLocaleId(localeName).c_str()); }

LocalizedNumberFormatter makePercentFormatter(std::string_view localeName) {
  return NumberFormatter::with()
      .unit(icu::NoUnit::percent())
      .scale(Scale::powerOfTen(2))
      .precision(Precision::integer())
      .roundingMode(UNUM_ROUND_HALFEVEN)
      .sign(UNUM_SIGN_NEGATIVE)  // a figure that rounds to zero has no sign: never "-0%"
      .locale(icuLocale(localeName));
}

bool isCurrencyCode(std::string_view code) {
  return code.size() == 3 && std::all_of(code.begin(), code.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
         });
}

// `isoCode` is a currency code or "" for none.
LocalizedNumberFormatter makeCurrencyFormatter(std::string_view isoCode, std::string_view localeName) {
  auto formatter = NumberFormatter::with()
                       .precision(Precision::fixedFraction(2))
                       .roundingMode(UNUM_ROUND_HALFEVEN)
                       .sign(UNUM_SIGN_NEGATIVE)
                       .locale(icuLocale(localeName));
  if (isoCode.empty()) return formatter;
  UErrorCode status = U_ZERO_ERROR;
  icu::CurrencyUnit unit(icu::StringPiece(isoCode.data(), static_cast<int32_t>(isoCode.size())), status);
  return U_SUCCESS(status) ? std::move(formatter).unit(unit) : formatter;
}

}  // namespace

std::string formatPercent(double fraction, std::string_view locale) {
  return percentFormatters().format(std::string(locale), fraction, [&] { return makePercentFormatter(locale); });
}

std::string formatPercent(double fraction) { return formatPercent(fraction, posixLocaleName(LocaleCategory::numeric)); }

std::string formatCurrency(double amount, std::string_view isoCode, std::string_view locale) {
  // Every code that is not one gets the same plain formatter, keyed "---".
  std::string_view code = isCurrencyCode(isoCode) ? isoCode : std::string_view();
  std::string key(code.empty() ? "---" : code);
  key.append(locale);
  return currencyFormatters().format(key, amount, [&] { return makeCurrencyFormatter(code, locale); });
}

std::string formatCurrency(double amount, std::string_view isoCode) {
  return formatCurrency(amount, isoCode, posixLocaleName(LocaleCategory::monetary));
}

}  // namespace host
