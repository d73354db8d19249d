#include "presentation/texts/figures.hpp"

#include <cmath>

#include "host/locale/number_format.hpp"

namespace zuvo {

std::string privacyFigure(std::optional<double> weekScore) {
  if (!weekScore) return "\u2014";
  return host::formatPercent(*weekScore);
}

std::string spendFigure(double weekSpend) { return host::formatCurrency(weekSpend, "USD"); }

std::optional<std::int64_t> usagePercent(double used) {
  const double rounded = std::round(used * 100.0);  // halves away from zero
  // -2^63 and 2^63 are exact doubles: the range check needs no integer conversion.
  constexpr double kLow = -9223372036854775808.0;
  constexpr double kHigh = 9223372036854775808.0;
  if (!std::isfinite(rounded) || rounded < kLow || rounded >= kHigh) return std::nullopt;
  return static_cast<std::int64_t>(rounded);
}

}  // namespace zuvo
