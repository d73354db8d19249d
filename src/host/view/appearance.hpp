#pragma once
// The desktop's appearance, known by name. A view that offers a list of appearance names gets
// back the one that this appearance best matches, or none.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace host {

inline constexpr std::string_view kAppearanceLight = "light";
inline constexpr std::string_view kAppearanceDark = "dark";

class Appearance {
 public:
  explicit Appearance(std::string name) : name_(std::move(name)) {}
  static Appearance light() { return Appearance(std::string(kAppearanceLight)); }
  static Appearance dark() { return Appearance(std::string(kAppearanceDark)); }

  const std::string& name() const { return name_; }

  // The first candidate that names this appearance or the family it belongs to ("dark" for
  // "dark-high-contrast"); none when no candidate does.
  std::optional<std::string_view> bestMatch(std::span<const std::string_view> candidates) const;

  // Whether this appearance, offered dark and then light, best matches dark. Light is the default:
  // an appearance that matches neither is light.
  bool isDark() const;

  friend bool operator==(const Appearance&, const Appearance&) = default;

 private:
  std::string name_;
};

}  // namespace host
