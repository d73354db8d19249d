// Text in layout: lookup, environment, truncation, the measurement cache and a width sweep.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "host/layout.hpp"
#include "host/view.hpp"
#include "layout_fakes.hpp"

namespace host {
namespace {

using testing_fakes::findText;
using testing_fakes::Fixture;

const Font kTen = Font::system(10);

TEST(LayoutText, LineLimitOneCutsOffWithAnEllipsisWrappingDoesNot) {
  const struct {
    std::optional<int> lineLimit;
    const char* drawn;
    int lines;
    Size size;
  } rows[] = {{1, "abcde…", 1, {36, 12}}, {std::nullopt, "abcde\nfghij", 2, {30, 24}}, {2, "abcde\nfghij", 2, {30, 24}}};
  for (const auto& row : rows) {
    LayoutTree tree = Fixture().lay(Text("abcde fghij").font(kTen).lineLimit(row.lineLimit), Size{40, 100});
    const TextRun& run = *tree.nodes[0].as<TextRun>();
    EXPECT_EQ(run.drawnText, row.drawn);
    EXPECT_EQ(run.truncated, row.lineLimit == 1);
    EXPECT_EQ(run.lineCount, row.lines);
    EXPECT_EQ(tree.nodes[0].frame.size(), row.size);
  }
}

TEST(LayoutText, EnvironmentIsInheritedAndTheNearestSettingWins) {
  Fixture f;
  const Color greyish = Color::dynamic([](const Appearance& a) {
    return a == Appearance::dark() ? Rgba::fromBytes(0xEE, 0xEE, 0xEE) : Rgba::fromBytes(0x11, 0x11, 0x11);
  });
  View view = VStack({}, {Text("outer"), Text("inner").font(Font::system(12, FontWeight::semibold)).foregroundStyle(greyish),
                          Label(std::string("title"), "lock")})
                  .font(kTen)
                  .monospacedDigit()
                  .lineLimit(1);
  for (const auto& [appearance, hex] : {std::pair{Appearance::light(), "#111111"}, std::pair{Appearance::dark(), "#EEEEEE"}}) {
    LayoutTree tree = f.lay(view, Size{200, 200}, appearance);
    const TextRun& outer = *findText(tree, "outer")->as<TextRun>();
    const TextRun& inner = *findText(tree, "inner")->as<TextRun>();
    EXPECT_EQ(outer.font, kTen);
    EXPECT_EQ(outer.color, Color::primary().resolve(appearance));
    EXPECT_TRUE(outer.tabularDigits);
    EXPECT_EQ(outer.lineLimit, 1);
    EXPECT_EQ(inner.font, Font::system(12, FontWeight::semibold));
    EXPECT_EQ(inner.color.hex(), hex);
    const auto* symbol = testing_fakes::findNode(tree, LayoutKind::symbol, [](const LayoutNode&) { return true; });
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->as<SymbolRun>()->font, kTen);
  }
  // With nothing set, the body font, proportional digits and no line limit.
  const TextRun& plain = *f.lay(Text("x"), Size{100, 100}).nodes[0].as<TextRun>();
  EXPECT_EQ(plain.font, kBodyFont);
  EXPECT_FALSE(plain.tabularDigits);
  EXPECT_EQ(plain.lineLimit, std::nullopt);
}

// Nested stacks ask their children for minimum, maximum and final sizes again and again; the same
// text in the same style appears twice.
TEST(LayoutText, EachTextIsMeasuredOncePerWidthInAPass) {
  Fixture f;
  auto row = [](std::string name) {
    return HStack({.spacing = 4}, {Text(std::move(name)), Spacer(), Text("60%").monospacedDigit()}).lineLimit(1);
  };
  View view = VStack({.spacing = 6}, {VStack({}, {row("Claude"), row("Codex")}), VStack({}, {row("Claude"), row("Gemini")})})
                  .font(kTen)
                  .frame(FlexibleFrame{.maxWidth = kInfinity, .maxHeight = kInfinity});
  f.lay(view, Size{138, 138});
  ASSERT_FALSE(f.measurer.calls.empty());
  std::map<std::tuple<std::string, bool, double, std::optional<int>>, int> asked;
  std::map<std::string, int> perText;
  for (const auto& call : f.measurer.calls) {
    ++asked[{call.text, call.style.monospacedDigits, call.maxWidth, call.lineLimit}];
    ++perText[call.text];
  }
  for (const auto& [key, count] : asked) EXPECT_EQ(count, 1) << std::get<0>(key) << " at " << std::get<2>(key);
  // Every text fits: measured at its smallest and its ideal width, which then serves the final one.
  for (const auto& [text, count] : perText) EXPECT_LE(count, 2) << text;
}

// The usage text stays whole at the trailing edge while it fits in half the room, the name is cut
// off only when the two do not fit side by side, and the row keeps to its width once both can shrink.
TEST(LayoutText, RowAtEveryWidth) {
  Fixture f;
  View row = HStack({.spacing = 4}, {Text("Claude"), Spacer(), Text("60%")}).font(kTen).lineLimit(1);
  constexpr double kWhole = 36 + 4 + 4 + 18, kUsageWhole = 2 * 18 + 8, kSmallest = 6 + 8 + 6;
  for (double width = 0; width <= 120; width += 1) {
    SCOPED_TRACE(width);
    LayoutTree tree = f.lay(row, Size{width, 50});
    const LayoutNode &stack = tree.nodes[0], &name = tree.nodes[1], &usage = tree.nodes[3];
    EXPECT_EQ(name.as<TextRun>()->truncated, width < kWhole);
    EXPECT_EQ(usage.as<TextRun>()->truncated, width < kUsageWhole);
    EXPECT_EQ(stack.frame.width, std::max(width, kSmallest));
    EXPECT_EQ(usage.frame.maxX(), stack.frame.maxX());
    EXPECT_EQ(name.frame.x, 0);
    EXPECT_LE(name.frame.maxX() + 4, tree.nodes[2].frame.x + 1e-9);
  }
}

}  // namespace
}  // namespace host
