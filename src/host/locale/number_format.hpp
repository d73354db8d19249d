#pragma once
// Percentages and currency amounts written the way a locale writes them, through ICU.
// Without a locale argument, the user's current locale is read from the environment at every
// call (LC_ALL, then LC_NUMERIC or LC_MONETARY, then LANG; see locale_environment.hpp), so a
// change shows at the next call; formatters are built once per locale and kept for the process.
// Safe to call from any thread. Non-finite values are written as ICU writes them ("NaN", "∞").
#include <string>
#include <string_view>

namespace host {

// `fraction` times 100, exactly 0 fraction digits, halves to even, in the locale's percent
// pattern (sign, grouping and the place of the percent sign); not clamped.
// en_US: 0.375 -> "38%", 12.5 -> "1,250%", -0.05 -> "-5%".
std::string formatPercent(double fraction);

// `amount` in the currency `isoCode` (three ASCII letters, e.g. "USD"), exactly 2 fraction
// digits, halves to even, with the locale's symbol for that currency, its place, separators and
// minus placement. en_US: 1234.5 -> "$1,234.50", -4.2 -> "-$4.20". A code that is not three
// letters gives the amount as a plain decimal number with 2 fraction digits and no symbol.
std::string formatCurrency(double amount, std::string_view isoCode);

// The same in a given locale: a POSIX locale name ("de_DE.UTF-8") or an ICU id ("de_DE");
// names unknown to ICU, "C" and "POSIX" mean en_US.
std::string formatPercent(double fraction, std::string_view locale);
std::string formatCurrency(double amount, std::string_view isoCode, std::string_view locale);

}  // namespace host
