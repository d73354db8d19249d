// Both layouts read through the laid-out tree: what shows, in which colours and fonts, where, and
// where a tap leads.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "host/layout/accessibility.hpp"
#include "host/layout/hit_test.hpp"
#include "host/locale_test_environment.hpp"
#include "presentation/texts/figures.hpp"
#include "presentation/palette.hpp"
#include "presentation/small_status_layout.hpp"
#include "widget_harness.hpp"

namespace zuvo {
namespace {

using host::Appearance;
using host::Font;
using host::FontDesign;
using host::FontWeight;
using host::LayoutKind;
using host::WidgetFamily;
using namespace zuvo::testing;

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
const Appearance kAppearances[] = {Appearance::light(), Appearance::dark()};

class StatusWidgetLayout : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(harness.hasResources()); }
  host::ScopedLocaleEnvironment locale{host::LocaleVariables{{"LANG", "en_US.UTF-8"}}};
  WidgetHarness harness;
};

TEST_F(StatusWidgetLayout, OnlyTheSmallBranchHasATapTargetAndItFollowsTheSumOfTheCounts) {
  const struct {
    std::int64_t waiting, unread;
    const char* url;
  } cases[] = {
      {0, 0, "zuvo://pane/new"}, {0, 1, "zuvo://pane/activity"}, {2, -5, "zuvo://pane/new"}, {-1, 2, "zuvo://pane/activity"},
      {kMax, kMax, "zuvo://pane/activity"}, {kMin, kMin, "zuvo://pane/new"}, {kMax, kMin, "zuvo://pane/new"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.waiting << " + " << c.unread);
    const WidgetStatus status{.waiting = c.waiting, .unread = c.unread};
    EXPECT_EQ(tapTarget(status).string(), c.url);
    for (auto family : {WidgetFamily::systemSmall, WidgetFamily::systemLarge}) {
      const auto tree = harness.lay(viewOf(status, family));
      ASSERT_TRUE(tree.widgetURL);
      EXPECT_EQ(tree.widgetURL->string(), c.url);
      EXPECT_EQ(host::hitTest(tree, {tree.size.width / 2, tree.size.height / 2})->string(), c.url);
    }
    EXPECT_FALSE(harness.lay(viewOf(status, WidgetFamily::systemMedium)).widgetURL);
  }
  // Counts stand as given: 2 waiting with -5 unread still shows 2 waiting.
  const auto tree = harness.lay(viewOf({.waiting = 2, .unread = -5}, WidgetFamily::systemSmall));
  EXPECT_TRUE(textNode(tree, "2") && textNode(tree, "waiting on you"));
}

TEST_F(StatusWidgetLayout, AttentionCountsShowOneRowInBothFamiliesAndAppearances) {
  const struct {
    std::int64_t waiting, unread;
    const char* figure;  // null: the check mark
    const char* caption;
    const host::Color& (*color)();
  } cases[] = {
      {1, 0, "1", "waiting on you", &Palette::attention}, {0, 7, "7", "new in Inbox", &Palette::accent},
      {4, 9, "4", "waiting on you", &Palette::attention}, {-1, -3, nullptr, "Nothing waiting", &Palette::accent},
  };
  for (const auto& c : cases)
    for (auto family : {WidgetFamily::systemSmall, WidgetFamily::systemMedium})
      for (const auto& appearance : kAppearances) {
        SCOPED_TRACE(::testing::Message() << c.waiting << "/" << c.unread << " " << host::name(family) << " "
                                          << appearance.name());
        const auto tree = harness.lay(viewOf({.waiting = c.waiting, .unread = c.unread}, family), appearance);
        const auto* caption = textNode(tree, c.caption);
        ASSERT_TRUE(isRun(caption, Font::system(12), Palette::secondaryText().resolve(appearance)));
        EXPECT_FALSE(textNode(tree, "9"));
        const auto symbols = nodesOf(tree, LayoutKind::symbol);
        const auto checkmark = std::find_if(symbols.begin(), symbols.end(), [&](std::size_t i) {
          return tree.nodes[i].as<host::SymbolRun>()->name == "checkmark.circle";
        });
        if (c.figure) {
          const auto* figure = textNode(tree, c.figure);
          ASSERT_TRUE(isRun(figure, Font::system(30, FontWeight::semibold, FontDesign::rounded), c.color().resolve(appearance)));
          EXPECT_LT(figure->frame.maxY(), caption->frame.y + 0.01);
          EXPECT_EQ(checkmark, symbols.end());
        } else {
          ASSERT_NE(checkmark, symbols.end());
          EXPECT_EQ(tree.nodes[*checkmark].as<host::SymbolRun>()->font, Font::system(22));
          EXPECT_EQ(tree.nodes[*checkmark].as<host::SymbolRun>()->color, c.color().resolve(appearance));
        }
      }
}

TEST_F(StatusWidgetLayout, SmallBottomRegionIsTheAgentRowsOrElseThePrivacyAndSpendLine) {
  const struct {
    WidgetStatus status;
    const char* privacy;  // null: no privacy-and-spend line
    const char* spend;
    std::size_t rows;
  } cases[] = {
      {WidgetStatus::sample(), "82%", "$4.20", 0},
      {{.weekScore = 1.0, .limits = std::vector<AgentLimit>{}}, "100%", "$0.00", 0},
      {{.weekScore = 0.82, .weekSpend = 4.2, .limits = std::vector<AgentLimit>{agent("A", {}), agent("B", {})}},
       nullptr, nullptr, 2},
  };
  for (const auto& c : cases)
    for (const auto& appearance : kAppearances) {
      const auto tree = harness.lay(viewOf(c.status, WidgetFamily::systemSmall), appearance);
      EXPECT_EQ(nodesOf(tree, LayoutKind::identity).size(), c.rows);
      if (!c.privacy) {
        EXPECT_FALSE(textNode(tree, "82%") || textNode(tree, "$4.20"));
        continue;
      }
      const auto* privacy = textNode(tree, c.privacy);
      ASSERT_TRUE(isRun(privacy, Font::system(11, FontWeight::medium), Palette::accent().resolve(appearance)));
      const auto& label = tree.nodes[privacy->parent];
      ASSERT_EQ(label.kind, LayoutKind::label);
      const auto& lock = *tree.nodes[tree.children(privacy->parent).front()].as<host::SymbolRun>();
      EXPECT_EQ(lock.name, "lock");
      EXPECT_EQ(lock.color, Palette::accent().resolve(appearance));
      const auto* spend = textNode(tree, c.spend);
      ASSERT_TRUE(isRun(spend, Font::system(11, FontWeight::medium), Palette::secondaryText().resolve(appearance)));
      EXPECT_NEAR(spend->frame.x, label.frame.maxX() + 10, 0.01);
    }
}

// The right column: figures at its trailing edge on one line, caption under them, the agent rows at
// its foot; the buttons open their links whatever the counts.
TEST_F(StatusWidgetLayout, MediumRightColumnIsExactly136WideWithFiguresAtItsTrailingEdge) {
  WidgetStatus wide = busyStatus();
  wide.weekSpend = 1e15;
  const struct {
    WidgetStatus status;
    const char* privacy;
    std::size_t rows;
  } cases[] = {{WidgetStatus::empty(), "\u2014", 0}, {busyStatus(), "93%", 3}, {wide, "93%", 3}};
  for (const auto& c : cases)
    for (const auto& appearance : kAppearances) {
      const auto tree = harness.lay(viewOf(c.status, WidgetFamily::systemMedium), appearance);
      const auto* label = textNode(tree, "Kept private");
      ASSERT_TRUE(label);
      std::size_t column = label->parent;
      while (!(tree.nodes[column].kind == LayoutKind::frame && tree.nodes[column].frame.width == 136)) {
        ASSERT_NE(tree.nodes[column].parent, host::kNoParent);
        column = tree.nodes[column].parent;
      }
      const auto& columnFrame = tree.nodes[column].frame;
      EXPECT_DOUBLE_EQ(columnFrame.maxX(), tree.size.width - 16);
      EXPECT_DOUBLE_EQ(label->frame.x, columnFrame.x);
      EXPECT_EQ(label->as<host::TextRun>()->color, Palette::tertiaryText().resolve(appearance));
      const auto* caption = textNode(tree, "Last 7 days");
      ASSERT_TRUE(caption && textNode(tree, "Spent on AI"));
      EXPECT_GT(caption->frame.y, textNode(tree, "Spent on AI")->frame.maxY());
      for (const auto* value : {textNode(tree, c.privacy), textNode(tree, spendFigure(c.status.weekSpend))}) {
        ASSERT_TRUE(isRun(value, Font::system(12, FontWeight::semibold, FontDesign::rounded), Palette::primaryText().resolve(appearance)));
        EXPECT_NEAR(value->frame.maxX(), columnFrame.maxX(), 0.01);
        EXPECT_EQ(value->as<host::TextRun>()->lineCount, 1);
        EXPECT_TRUE(value->as<host::TextRun>()->tabularDigits);
      }
      EXPECT_EQ(textNode(tree, spendFigure(c.status.weekSpend))->as<host::TextRun>()->truncated,
                c.status.weekSpend == 1e15);
      const auto rows = nodesOf(tree, LayoutKind::identity);
      ASSERT_EQ(rows.size(), c.rows);
      if (!rows.empty()) {
        EXPECT_NEAR(tree.nodes[rows.back()].frame.maxY(), tree.size.height - 16, 0.01);  // at the foot
        EXPECT_GT(tree.nodes[rows.front()].frame.y, caption->frame.maxY());
        EXPECT_EQ(tree.nodes[rows.front()].as<host::RowIdentity>()->id, "Claude");
        EXPECT_EQ(tree.nodes[rows.back()].as<host::RowIdentity>()->id, "Gemini");
      }
      for (const auto& [title, url] : {std::pair{"New", "zuvo://pane/new"}, std::pair{"Inbox", "zuvo://pane/activity"}}) {
        const auto* text = textNode(tree, title);
        ASSERT_TRUE(isRun(text, Font::system(11, FontWeight::medium), Palette::primaryText().resolve(appearance)));
        EXPECT_LT(text->frame.maxX(), columnFrame.x - 16);
        EXPECT_EQ(host::hitTest(tree, {text->frame.x + 1, text->frame.y + 1})->string(), url);
      }
      const auto outlines = nodesOf(tree, LayoutKind::capsule);
      EXPECT_EQ(std::count_if(outlines.begin(), outlines.end(), [&](std::size_t i) {
                  const auto& shape = *tree.nodes[i].as<host::CapsuleShape>();
                  return shape.stroke == Palette::track().resolve(appearance) && shape.lineWidth == 1 && !shape.fill;
                }),
                2);
    }
}

TEST_F(StatusWidgetLayout, GermanCatalogGivesTheCaptions) {
  locale.set({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "de"}});
  const auto medium = harness.lay(viewOf(busyStatus(), WidgetFamily::systemMedium));
  for (const char* text : {"für dich offen", "Letzte 7 Tage", "weekly 86\u00a0%"}) EXPECT_TRUE(textNode(medium, text)) << text;
  EXPECT_TRUE(textNode(medium, "Kept private")) << "figure labels are never looked up";
  const auto elements = host::accessibleElements(medium);
  EXPECT_TRUE(std::any_of(elements.begin(), elements.end(),
                          [](const auto& e) { return e.label == "Claude, weekly: 86 Prozent genutzt"; }));
}

}  // namespace
}  // namespace zuvo
