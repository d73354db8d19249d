#pragma once
// Colours as the host draws them: fixed, dynamic (resolved against the appearance at every
// drawing), or the host's primary colour; any of them at an opacity.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host/view/appearance.hpp"

namespace host {

// Components are fractions from 0 to 1.
struct Rgba {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;

  // Exactly n/255 per component.
  static constexpr Rgba fromBytes(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    return {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
  }
  // "#RRGGBB" when opaque, else "#RRGGBBAA".
  std::string hex() const;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

// The primary colour: near black on light, near white on dark.
inline constexpr Rgba kPrimaryLight = Rgba::fromBytes(0x1D, 0x1D, 0x1F);
inline constexpr Rgba kPrimaryDark = Rgba::fromBytes(0xF5, 0xF5, 0xF7);

class Color {
 public:
  using Resolver = std::function<Rgba(const Appearance&)>;

  static Color fixed(Rgba value);
  // The resolver runs at every resolution; the colour object itself never changes.
  static Color dynamic(Resolver resolver);
  // A dynamic colour with one value for a dark appearance and another for every other.
  static Color lightDark(Rgba light, Rgba dark);
  static Color primary();

  // This colour with its alpha multiplied by `opacity`.
  Color opacity(double opacity) const;

  Rgba resolve(const Appearance& appearance) const;

  // Same kind, same value or same resolver object, same opacity.
  friend bool operator==(const Color&, const Color&) = default;

 private:
  enum class Kind : std::uint8_t { fixed, dynamic, primary };
  Color(Kind kind, Rgba value, std::shared_ptr<const Resolver> resolver)
      : kind_(kind), value_(value), resolver_(std::move(resolver)) {}

  Kind kind_ = Kind::fixed;
  Rgba value_{};
  std::shared_ptr<const Resolver> resolver_;
  double opacity_ = 1.0;
};

}  // namespace host
