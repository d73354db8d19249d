#include "presentation/palette.hpp"

#include <array>
#include <string_view>

namespace zuvo {
namespace {

using host::Rgba;

constexpr std::array<std::string_view, 2> kCandidates{host::kAppearanceDark, host::kAppearanceLight};

// The resolver captures the colour's two values and nothing else. A function-local static is
// initialised exactly once, also when threads race to it.
host::Color makeColor(PaletteValues values) {
  return host::Color::dynamic([values](const host::Appearance& appearance) {
    return resolvePaletteColor(values, appearance);
  });
}

}  // namespace

Rgba resolvePaletteColor(const PaletteValues& values, const host::Appearance& appearance) {
  const auto match = appearance.bestMatch(kCandidates);
  return match && *match == host::kAppearanceDark ? values.dark : values.light;
}

const host::Color& Palette::widgetBackground() {
  static const host::Color color = makeColor({Rgba::fromBytes(248, 246, 242), Rgba::fromBytes(14, 17, 19)});
  return color;
}
const host::Color& Palette::primaryText() {
  static const host::Color color = makeColor({Rgba::fromBytes(20, 25, 28), Rgba::fromBytes(240, 237, 230)});
  return color;
}
const host::Color& Palette::secondaryText() {
  static const host::Color color = makeColor({Rgba::fromBytes(63, 65, 109), Rgba::fromBytes(160, 165, 170)});
  return color;
}
const host::Color& Palette::tertiaryText() {
  static const host::Color color = makeColor({Rgba::fromBytes(72, 74, 122), Rgba::fromBytes(134, 142, 149)});
  return color;
}
const host::Color& Palette::track() {
  static const host::Color color = makeColor({Rgba::fromBytes(183, 188, 192), Rgba::fromBytes(42, 50, 55)});
  return color;
}
const host::Color& Palette::accent() {
  static const host::Color color = makeColor({Rgba::fromBytes(87, 88, 134), Rgba::fromBytes(146, 146, 177)});
  return color;
}
const host::Color& Palette::attention() {
  static const host::Color color = makeColor({Rgba::fromBytes(99, 68, 55), Rgba::fromBytes(167, 137, 117)});
  return color;
}

}  // namespace zuvo
