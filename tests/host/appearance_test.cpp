#include "host/view/appearance.hpp"

#include <gtest/gtest.h>

#include <array>

#include "host/view/color.hpp"

namespace host {
namespace {

constexpr std::array<std::string_view, 2> kDarkThenLight{kAppearanceDark, kAppearanceLight};

TEST(Appearance, BestMatchIsTheFirstCandidateNamingItOrItsFamily) {
  const std::pair<const char*, std::optional<std::string_view>> cases[] = {
      {"light", kAppearanceLight}, {"dark-high-contrast", kAppearanceDark}, {"darkish", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [name, match] : cases) EXPECT_EQ(Appearance(name).bestMatch(kDarkThenLight), match) << name;
  constexpr std::array<std::string_view, 1> lightOnly{kAppearanceLight};  // only what is offered can be answered
  EXPECT_EQ(Appearance::dark().bestMatch(lightOnly), std::nullopt);
}

// Dark only on a positive match of the dark appearance; anything else is light.
TEST(Color, PrimaryAndDynamicColoursFollowTheAppearance) {
  const Rgba light = Rgba::fromBytes(248, 246, 242), dark = Rgba::fromBytes(14, 17, 19);
  const Color dynamic = Color::dynamic(
      [&](const Appearance& appearance) { return appearance.bestMatch(kDarkThenLight) == kAppearanceDark ? dark : light; });
  const std::pair<Appearance, bool> cases[] = {
      {Appearance::light(), false}, {Appearance("dark-high-contrast"), true}, {Appearance("sepia"), false}};
  for (const auto& [appearance, isDark] : cases) {
    EXPECT_EQ(Color::primary().resolve(appearance), isDark ? kPrimaryDark : kPrimaryLight) << appearance.name();
    EXPECT_EQ(dynamic.resolve(appearance), isDark ? dark : light) << appearance.name();
  }
}

TEST(Color, OpacityScalesAlphaAndHexShowsItOnlyWhenNotOpaque) {
  EXPECT_EQ(Color::primary().opacity(0.22).resolve(Appearance::dark()).hex(), "#F5F5F738");
  EXPECT_EQ(Color::fixed(Rgba::fromBytes(87, 88, 134)).opacity(0.5).opacity(0.5).resolve(Appearance::light()).alpha, 0.25);
  EXPECT_EQ((Rgba{1.5, -0.5, 0.5, 1}).hex(), "#FF0080");  // out-of-range components are clamped
}

}  // namespace
}  // namespace host
