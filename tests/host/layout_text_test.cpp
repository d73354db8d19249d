#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "host/layout/layout.hpp"
#include "host/view/view.hpp"
#include "layout_fakes.hpp"

namespace host {
namespace {

using testing_fakes::findText, testing_fakes::FakeMeasurer, testing_fakes::Fixture;

const Font kTen = Font::system(10);

TEST(LayoutText, LineLimitOneCutsOffWithAnEllipsisWrappingDoesNot) {
  const struct { std::optional<int> lineLimit; const char* drawn; int lines; Size size; } rows[] = {{1, "abcde…", 1, {36, 12}}, {std::nullopt, "abcde\nfghij", 2, {30, 24}}};
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
  const Color greyish = Color::dynamic([](const Appearance& a) {
    return a == Appearance::dark() ? Rgba::fromBytes(0xEE, 0xEE, 0xEE) : Rgba::fromBytes(0x11, 0x11, 0x11);
  });
  View view = VStack({}, {Text("outer"), Text("inner").font(Font::system(12, FontWeight::semibold)).foregroundStyle(greyish)})
                  .font(kTen).monospacedDigit().lineLimit(1);
  LayoutTree tree = Fixture().lay(view, Size{200, 200}, Appearance::dark());
  const TextRun& outer = *findText(tree, "outer")->as<TextRun>();
  const TextRun& inner = *findText(tree, "inner")->as<TextRun>();
  EXPECT_EQ(outer.font, kTen);
  EXPECT_EQ(outer.color, Color::primary().resolve(Appearance::dark()));
  EXPECT_TRUE(outer.tabularDigits);
  EXPECT_EQ(outer.lineLimit, 1);
  EXPECT_EQ(inner.font, Font::system(12, FontWeight::semibold));
  EXPECT_EQ(inner.color.hex(), "#EEEEEE");
  const LayoutTree plainTree = Fixture().lay(Text("x"), Size{100, 100});
  const TextRun& plain = *plainTree.nodes[0].as<TextRun>();
  EXPECT_EQ(plain.font, kBodyFont);
  EXPECT_FALSE(plain.tabularDigits);
  EXPECT_EQ(plain.lineLimit, std::nullopt);
}

// Nested stacks ask their children for sizes again and again; "Claude" appears twice.
TEST(LayoutText, EachTextIsMeasuredOncePerWidthInAPass) {
  Fixture f;
  auto row = [](std::string name) {
    return HStack({.spacing = 4}, {Text(std::move(name)), Spacer(), Text("60%").monospacedDigit()}).lineLimit(1);
  };
  View view = VStack({.spacing = 6}, {VStack({}, {row("Claude"), row("Codex")}), VStack({}, {row("Claude"), row("Gemini")})})
                  .font(kTen).frame(FlexibleFrame{.maxWidth = kInfinity, .maxHeight = kInfinity});
  f.lay(view, Size{138, 138});
  ASSERT_FALSE(f.measurer.calls.empty());
  std::map<FakeMeasurer::Call, int> asked;
  std::map<std::string, int> perText;
  for (const auto& call : f.measurer.calls) ++asked[call], ++perText[std::get<0>(call)];
  for (const auto& [key, count] : asked) EXPECT_EQ(count, 1) << std::get<0>(key) << " at " << std::get<2>(key);
  // Every text fits: measured at its smallest and its ideal width, which then serves the final one.
  for (const auto& [text, count] : perText) EXPECT_LE(count, 2) << text;
}

// The same words in another style or line limit are another text, measured on their own.
TEST(LayoutText, SameWordsInAnotherStyleAreMeasuredApart) {
  Fixture f;
  View view = VStack({}, {Text("60%"), Text("60%").monospacedDigit(), Text("60%").lineLimit(1), Text("60%"),
                          Text("60%").font(kTen)});
  const LayoutTree tree = f.lay(view, Size{100, 100});
  std::set<std::tuple<bool, std::optional<int>>> styles;
  for (const auto& [text, tabular, width, limit] : f.measurer.calls) styles.emplace(tabular, limit);
  EXPECT_EQ(styles.size(), 3u);
  std::vector<double> heights;
  for (const LayoutNode& node : tree.nodes)
    if (node.kind == LayoutKind::text) heights.push_back(node.frame.height);
  ASSERT_EQ(heights.size(), 5u);
  EXPECT_EQ(heights[0], heights[3]);
  EXPECT_LT(heights[4], heights[0]);  // 10 points, not the 13 of the first "60%"
}

// Side by side the usage stays whole and the name is cut off only when both do not fit.
TEST(LayoutText, RowCutsTheNameBeforeTheUsage) {
  View row = HStack({.spacing = 4}, {Text("Claude"), Spacer(), Text("60%")}).font(kTen).lineLimit(1);
  for (double width : {50.0, 62.0}) {
    LayoutTree tree = Fixture().lay(row, Size{width, 50});
    EXPECT_EQ(tree.nodes[1].as<TextRun>()->truncated, width < 62) << width;
    EXPECT_FALSE(tree.nodes[3].as<TextRun>()->truncated) << width;
    EXPECT_EQ(tree.nodes[3].frame.maxX(), width);
  }
}

// A text is measured only as far as could ever show in the size the root was proposed: at most a
// glyph every twentieth of the font size across, a line every half size down.
TEST(LayoutText, HugeTextsAreCutToWhatCouldShowBeforeMeasuring) {
  const std::string huge(1'000'000, 'x');
  const struct { std::optional<int> lineLimit; ProposedSize root; std::size_t kept; } rows[] = {
      {1, Size{1000, 50}, 2001},                      // 1000 / 0.5 + 1 per line
      {2, Size{1000, 50}, 4002},
      {std::nullopt, Size{1000, 50}, 2001 * 11},      // 50 / 5 + 1 lines
      {1, ProposedSize{std::nullopt, 50}, 65535},     // no wider than a drawing surface can be
  };
  for (const auto& row : rows) {
    Fixture f;
    const LayoutTree tree = f.lay(Text(huge).font(Font::system(10)).lineLimit(row.lineLimit), row.root);
    EXPECT_EQ(tree.nodes[0].as<TextRun>()->text, huge.substr(0, row.kept));
    for (const auto& call : f.measurer.calls) EXPECT_EQ(std::get<0>(call).size(), row.kept);
  }
  // Never fewer than a thousand clusters are kept, however small the root.
  Fixture f;
  EXPECT_EQ(f.lay(Text(huge).lineLimit(1), Size{1, 1}).nodes[0].as<TextRun>()->text.size(), 1024u);
  // An accessibility label is cut as a text of the body font (13 points) would be: 1539 a line, 8 lines.
  const LayoutTree labelled = f.lay(Text("x").accessibilityLabel(huge), Size{1000, 50});
  EXPECT_EQ(labelled.nodes[0].as<AccessibilityInfo>()->label, huge.substr(0, 1539 * 8));
}

}  // namespace
}  // namespace host
