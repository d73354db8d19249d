#include "presentation/palette.hpp"

namespace zuvo {

using host::Rgba;

// Each colour is a function-local static: created exactly once, also when threads race to it.
const host::Color& Palette::widgetBackground() {
  static const host::Color color = host::Color::lightDark(Rgba::fromBytes(248, 246, 242), Rgba::fromBytes(14, 17, 19));
  return color;
}
const host::Color& Palette::primaryText() {
  static const host::Color color = host::Color::lightDark(Rgba::fromBytes(20, 25, 28), Rgba::fromBytes(240, 237, 230));
  return color;
}
const host::Color& Palette::secondaryText() {
  static const host::Color color = host::Color::lightDark(Rgba::fromBytes(63, 65, 109), Rgba::fromBytes(160, 165, 170));
  return color;
}
const host::Color& Palette::tertiaryText() {
  static const host::Color color = host::Color::lightDark(Rgba::fromBytes(72, 74, 122), Rgba::fromBytes(134, 142, 149));
  return color;
}
const host::Color& Palette::track() {
  static const host::Color color = host::Color::lightDark(Rgba::fromBytes(183, 188, 192), Rgba::fromBytes(42, 50, 55));
  return color;
}
const host::Color& Palette::accent() {
  static const host::Color color = host::Color::lightDark(Rgba::fromBytes(87, 88, 134), Rgba::fromBytes(146, 146, 177));
  return color;
}
const host::Color& Palette::attention() {
  static const host::Color color = host::Color::lightDark(Rgba::fromBytes(99, 68, 55), Rgba::fromBytes(167, 137, 117));
  return color;
}

}  // namespace zuvo
