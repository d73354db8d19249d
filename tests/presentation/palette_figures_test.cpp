// The palette, built once, and the figure texts.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "host/locale_test_environment.hpp"
#include "presentation/texts/figures.hpp"
#include "presentation/palette.hpp"

namespace zuvo {
namespace {

using host::Appearance;

// For ThreadSanitizer: racing first uses of a colour must not race (the language already makes
// them build one object); each thread still sees the colour's own values.
TEST(PaletteConcurrency, FirstUseFromManyThreadsIsRaceFreeUnderThreadSanitizer) {
  std::vector<std::string> seen(8);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i)
    threads.emplace_back([&seen, i] {
      seen[i] = Palette::tertiaryText().resolve(i % 2 ? Appearance::dark() : Appearance::light()).hex();
    });
  for (auto& t : threads) t.join();
  for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], i % 2 ? "#868E95" : "#484A7A");
}

// Each colour in each appearance; an appearance that matches neither name is light.
TEST(Palette, EveryColourHasItsLightAndDarkValue) {
  const struct {
    const host::Color& color;
    const char *light, *dark;
  } cases[] = {{Palette::widgetBackground(), "#F8F6F2", "#0E1113"}, {Palette::primaryText(), "#14191C", "#F0EDE6"},
               {Palette::secondaryText(), "#3F416D", "#A0A5AA"}, {Palette::tertiaryText(), "#484A7A", "#868E95"},
               {Palette::track(), "#B7BCC0", "#2A3237"},         {Palette::accent(), "#575886", "#9292B1"},
               {Palette::attention(), "#634437", "#A78975"}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.color.resolve(Appearance::light()).hex(), c.light);
    EXPECT_EQ(c.color.resolve(Appearance::dark()).hex(), c.dark);
    EXPECT_EQ(c.color.resolve(Appearance("high-contrast")).hex(), c.light);
  }
}

TEST(Figures, UsagePercentRoundsHalvesAwayFromZeroAndKnowsItsRange) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct { double used; std::optional<std::int64_t> percent; } cases[] = {
      {0.005, 1},  {0.004, 0},  {-0.004, 0},  {-0.005, -1},  {0.425, 43},  {0.285, 28},  {0.125, 13},
      {kNan, {}},  {kInf, {}},  {-kInf, {}},   {1e300, {}},
      {92233720368547758.08, {}},                                      // 2^63 after rounding
      {-92233720368547758.08, std::numeric_limits<std::int64_t>::min()},  // -2^63 fits
  };
  for (const auto& c : cases) EXPECT_EQ(usagePercent(c.used), c.percent) << c.used;
}

TEST(Figures, WeeklyFiguresFollowTheCurrentLocale) {
  host::ScopedLocaleEnvironment environment(host::LocaleVariables{{"LANG", "en_US.UTF-8"}});
  EXPECT_EQ(privacyFigure(0.125), "12%");  // halves to even, unlike the usage percent
  EXPECT_EQ(spendFigure(-4.2), "-$4.20");
  // A figure that rounds to zero has no sign.
  EXPECT_EQ(spendFigure(-0.004), "$0.00");
  EXPECT_EQ(spendFigure(-0.0), "$0.00");
  EXPECT_EQ(privacyFigure(-0.0), "0%");
  EXPECT_EQ(privacyFigure(-0.004), "0%");
  EXPECT_EQ(privacyFigure(-0.005), "0%");  // -0.5 percent goes to the even neighbour, zero
  environment.set({{"LC_ALL", "de_DE.UTF-8"}});
  EXPECT_EQ(privacyFigure(0.82), "82\u00a0%");
  EXPECT_EQ(spendFigure(1234.5), "1.234,50\u00a0$");
}

}  // namespace
}  // namespace zuvo
