#include "host/view/appearance.hpp"

namespace host {

std::optional<std::string_view> Appearance::bestMatch(std::span<const std::string_view> candidates) const {
  for (std::string_view candidate : candidates) {
    if (name_ == candidate) return candidate;
  }
  for (std::string_view candidate : candidates) {
    if (name_.size() > candidate.size() && name_.starts_with(candidate) && name_[candidate.size()] == '-')
      return candidate;
  }
  return std::nullopt;
}

bool Appearance::isDark() const {
  static constexpr std::string_view kCandidates[] = {kAppearanceDark, kAppearanceLight};
  return bestMatch(kCandidates) == kAppearanceDark;
}

}  // namespace host
