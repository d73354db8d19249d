#pragma once
// The texts of the widget's figures. The weekly figures are written in the user's current locale,
// read afresh each time they are formed; they round halves to even. The agents' usage percent
// rounds halves away from zero.
#include <cstdint>
#include <optional>
#include <string>

namespace zuvo {

// A cut amount is a wrong amount: a figure too wide for its place first shrinks, down to this
// share of its size, and only then is cut off.
inline constexpr double kFigureMinimumScale = 0.6;

// The share kept private over the week: "—" (an em dash) when unknown, else the fraction as a
// whole percentage in the locale's pattern, not clamped.
std::string privacyFigure(std::optional<double> weekScore);

// What was paid for AI over the week: always US dollars, written the locale's way, 2 digits.
std::string spendFigure(double weekSpend);

// `used` times 100 (in double precision), to the nearest whole number, halves away from zero;
// none when that is not finite or lies outside the signed 64-bit range.
std::optional<std::int64_t> usagePercent(double used);

// From this share of an allowance on (inclusive, compared with the unrounded `used`) the usage
// counts as near its limit: the bar's fill takes the attention colour.
inline constexpr double kUsageAttentionThreshold = 0.8;

}  // namespace zuvo
