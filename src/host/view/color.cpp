#include "host/view/color.hpp"

#include <array>
#include <cmath>
#include <cstdio>

namespace host {

std::string Rgba::hex() const {
  auto byte = [](double c) {
    double clamped = c < 0 ? 0 : c > 1 ? 1 : c;
    return static_cast<unsigned>(std::lround(clamped * 255.0));
  };
  std::array<char, 10> buffer{};
  if (byte(alpha) == 255)
    std::snprintf(buffer.data(), buffer.size(), "#%02X%02X%02X", byte(red), byte(green), byte(blue));
  else
    std::snprintf(buffer.data(), buffer.size(), "#%02X%02X%02X%02X", byte(red), byte(green), byte(blue), byte(alpha));
  return buffer.data();
}

Color Color::fixed(Rgba value) { return Color(Kind::fixed, value, nullptr); }

Color Color::dynamic(Resolver resolver) {
  return Color(Kind::dynamic, {}, std::make_shared<const Resolver>(std::move(resolver)));
}

Color Color::lightDark(Rgba light, Rgba dark) {
  return dynamic([light, dark](const Appearance& appearance) { return appearance.isDark() ? dark : light; });
}

Color Color::primary() { return Color(Kind::primary, {}, nullptr); }

Color Color::opacity(double opacity) const {
  Color copy = *this;
  copy.opacity_ *= opacity;
  return copy;
}

Rgba Color::resolve(const Appearance& appearance) const {
  Rgba base = value_;
  if (kind_ == Kind::dynamic) {
    base = (*resolver_)(appearance);
  } else if (kind_ == Kind::primary) {
    base = appearance.isDark() ? kPrimaryDark : kPrimaryLight;
  }
  base.alpha *= opacity_;
  return base;
}

}  // namespace host
