// Both layouts read through the laid-out tree: what shows, in which colours and fonts, where, and
// where a tap leads.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "host/layout/hit_test.hpp"
#include "host/locale/key_formatter.hpp"
#include "presentation/texts/figures.hpp"
#include "presentation/palette.hpp"
#include "widget_harness.hpp"

namespace zuvo {
namespace {

using host::Appearance, host::Font, host::FontDesign, host::FontWeight, host::LayoutKind, host::WidgetFamily;
using namespace zuvo::testing;

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
const Appearance kAppearances[] = {Appearance::light(), Appearance::dark()};

class StatusWidgetLayout : public WidgetHarnessTest {};

TEST_F(StatusWidgetLayout, OnlyTheSmallBranchHasATapTargetAndItFollowsTheSumOfTheCounts) {
  const struct { std::int64_t waiting, unread; const char* url; } cases[] = {
      {0, 0, "zuvo://pane/new"}, {0, 1, "zuvo://pane/activity"}, {2, -5, "zuvo://pane/new"}, {-1, 2, "zuvo://pane/activity"},
      {kMax, kMax, "zuvo://pane/activity"}, {kMin, kMin, "zuvo://pane/new"}, {kMax, kMin, "zuvo://pane/new"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.waiting << " + " << c.unread);
    const WidgetStatus status{.waiting = c.waiting, .unread = c.unread};
    for (auto family : {WidgetFamily::systemSmall, WidgetFamily::systemLarge}) {
      const auto tree = harness.lay(viewOf(status, family));
      ASSERT_TRUE(tree.widgetURL);
      EXPECT_EQ(tree.widgetURL->string(), c.url);
      EXPECT_EQ(host::hitTest(tree, {tree.size.width / 2, tree.size.height / 2})->string(), c.url);
    }
    EXPECT_FALSE(harness.lay(viewOf(status, WidgetFamily::systemMedium)).widgetURL);
  }
}

TEST_F(StatusWidgetLayout, AttentionCountsShowOneRowInBothFamiliesAndAppearances) {
  const struct {
    std::int64_t waiting, unread;
    const char *figure, *caption;  // figure null: the check mark
    const host::Color& (*color)();
  } cases[] = {
      {1, 0, "1", "waiting on you", &Palette::attention}, {0, 7, "7", "new in Inbox", &Palette::accent},
      {4, 9, "4", "waiting on you", &Palette::attention}, {-1, -3, nullptr, "Nothing waiting", &Palette::accent},
      {2, -5, "2", "waiting on you", &Palette::attention},  // counts stand as given, whatever the other
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
    const char *privacy, *spend;  // null: no privacy-and-spend line
    std::size_t rows;
  } cases[] = {
      {WidgetStatus::sample(), "82%", "$4.20", 0},
      {{.weekScore = 1.0, .limits = std::vector<AgentLimit>{}}, "100%", "$0.00", 0},
      {{.weekScore = 0.82, .weekSpend = 4.2, .limits = std::vector<AgentLimit>{agent("A", {})}}, nullptr, nullptr, 1},
  };
  for (const auto& c : cases)
    for (const auto& appearance : kAppearances) {
      const auto tree = harness.lay(viewOf(c.status, WidgetFamily::systemSmall), appearance);
      EXPECT_EQ(nodesOf(tree, LayoutKind::identity).size(), c.rows);
      if (!c.privacy) { EXPECT_FALSE(textNode(tree, "82%") || textNode(tree, "$4.20")); continue; }
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
  const struct { WidgetStatus status; const char* privacy; std::size_t rows; } cases[] = {
      {WidgetStatus::empty(), "\u2014", 0}, {busyStatus(), "93%", 3}};
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
        ASSERT_TRUE(isRun(value, Font::system(12, FontWeight::semibold, FontDesign::rounded),
                          Palette::primaryText().resolve(appearance)));
        EXPECT_FALSE(value->as<host::TextRun>()->truncated);
        EXPECT_NEAR(value->frame.maxX(), columnFrame.maxX(), 0.01);
        EXPECT_EQ(value->as<host::TextRun>()->lineCount, 1);
        EXPECT_TRUE(value->as<host::TextRun>()->tabularDigits);
      }
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
      }), 2);
    }
}

// However many agents there are, the rows that fit show, then a summary of the rest; nothing is
// cut off at the widget's edges and nothing above the rows moves.
TEST_F(StatusWidgetLayout, AgentsThatDoNotFitGiveWayToASummaryAndNothingAboveMoves) {
  auto withAgents = [](std::size_t count) {
    WidgetStatus status = busyStatus();
    status.limits.emplace();
    for (std::size_t i = 1; i <= count; ++i)
      status.limits->push_back(agent("Agent " + std::to_string(i), {window("daily", 0.07 * double(i), 3600)}));
    return status;
  };
  auto frameOf = [](const host::LayoutTree& tree, const char* text) {
    return textNode(tree, text) ? textNode(tree, text)->frame : host::Rect{-1, -1, -1, -1}; };
  for (auto family : {WidgetFamily::systemSmall, WidgetFamily::systemMedium}) {
    const bool medium = family == WidgetFamily::systemMedium;
    const auto one = harness.lay(viewOf(withAgents(1), family));
    std::vector<const char*> fixed{"12", "waiting on you"};
    if (medium) fixed.insert(fixed.end(), {"Kept private", "93%", "Spent on AI", "$1,234.50", "Last 7 days", "New", "Inbox"});
    const double headerHeight = frameOf(one, "Agent 1").height;
    std::size_t previous = 0;  // rows shown for one agent fewer
    for (std::size_t count = 1; count <= 12; ++count) {
      SCOPED_TRACE(::testing::Message() << host::name(family) << ", " << count << " agents");
      const auto tree = harness.lay(viewOf(withAgents(count), family));
      for (const auto& node : tree.nodes)
        ASSERT_TRUE(node.frame.x >= -0.01 && node.frame.y >= -0.01 && node.frame.maxX() <= tree.size.width + 0.01 &&
                    node.frame.maxY() <= tree.size.height + 0.01) << host::name(node.kind);
      const auto images = nodesOf(tree, LayoutKind::image);
      ASSERT_EQ(images.size(), 1u);
      EXPECT_DOUBLE_EQ(tree.nodes[images[0]].frame.width, 74);
      EXPECT_DOUBLE_EQ(tree.nodes[images[0]].frame.x, 16);
      for (const char* text : fixed) EXPECT_EQ(frameOf(tree, text), frameOf(one, text)) << text;

      const auto rows = nodesOf(tree, LayoutKind::identity);
      for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(tree.nodes[rows[i]].as<host::RowIdentity>()->id, "Agent " + std::to_string(i + 1));
      if (previous < count - 1) { EXPECT_LE(rows.size(), previous); }  // once some are left out, never more rows
      previous = rows.size();
      if (medium) {
        EXPECT_GE(rows.size(), std::min<std::size_t>(count, 2)) << "the medium widget always has room for two rows";
      } else {
        EXPECT_EQ(rows.size(), count == 1 ? 1u : 0u) << "the small one for one row, or the summary";
      }
      const std::size_t hidden = count - rows.size();
      const auto* summary = textNode(tree, "+" + std::to_string(hidden) + " more");
      if (hidden == 0) { EXPECT_FALSE(summary); continue; }
      ASSERT_TRUE(isRun(summary, Font::system(10), Palette::secondaryText().resolve(Appearance::light())));
      EXPECT_DOUBLE_EQ(summary->frame.height, headerHeight);
      if (!rows.empty()) { EXPECT_NEAR(summary->frame.y, tree.nodes[rows.back()].frame.maxY() + 6, 0.01); }
      EXPECT_EQ(elementsLabelled(tree, std::to_string(hidden) + " more agents"), 1);
    }
  }
}

// A cut amount is a wrong amount: figures shrink to fit first, and are cut only at the smallest size.
TEST_F(StatusWidgetLayout, FiguresShrinkToFitBeforeTheyAreCut) {
  const struct { const char* locale; double spend; } cases[] = {{"de_DE.UTF-8", 12345.68}, {"fr_FR.UTF-8", 12345.68}, {"en_US.UTF-8", 1e15}};
  for (const auto& c : cases) {
    locale.set({{"LC_ALL", c.locale}});
    const std::string figure = spendFigure(c.spend);
    for (auto family : {WidgetFamily::systemSmall, WidgetFamily::systemMedium}) {
      SCOPED_TRACE(::testing::Message() << c.locale << " " << host::name(family) << " " << figure);
      WidgetStatus status = busyStatus();
      status.weekSpend = c.spend;
      status.limits.reset();  // the small widget shows its spend
      const auto tree = harness.lay(viewOf(status, family));
      const auto* node = textNode(tree, figure);
      ASSERT_TRUE(node);
      const auto& run = *node->as<host::TextRun>();
      const double full = family == WidgetFamily::systemMedium ? 12 : 11;
      EXPECT_LE(node->frame.maxX(), tree.size.width - 16 + 0.01);
      EXPECT_GE(run.font.size, full * kFigureMinimumScale - 1e-9);
      if (c.spend == 12345.68) {
        EXPECT_FALSE(run.truncated);
        EXPECT_EQ(run.drawnText, figure);
      } else if (family == WidgetFamily::systemMedium) {
        EXPECT_TRUE(run.truncated);  // even at the smallest size a quadrillion does not fit
      }
      if (run.truncated) { EXPECT_DOUBLE_EQ(run.font.size, full * kFigureMinimumScale); }
    }
  }
}

TEST_F(StatusWidgetLayout, GermanCatalogGivesTheCaptions) {
  locale.set({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "de"}});
  const auto medium = harness.lay(viewOf(busyStatus(), WidgetFamily::systemMedium));
  for (const char* text : {"für dich offen", "Letzte 7 Tage", "weekly 86\u00a0%"}) EXPECT_TRUE(textNode(medium, text)) << text;
  EXPECT_EQ(elementsLabelled(medium, "Claude, weekly: 86 Prozent genutzt"), 1);
  EXPECT_EQ(elementsLabelled(medium, "Nutzung von Gemini noch unbekannt"), 1);
  WidgetStatus many = busyStatus();
  many.limits->resize(12, agent("Gemini", {}));
  const auto crowded = harness.lay(viewOf(many, WidgetFamily::systemMedium));
  EXPECT_TRUE(textNode(crowded, "+10 weitere"));
  EXPECT_EQ(elementsLabelled(crowded, "weitere Agenten: 10"), 1);
}

// Names, figure labels and button titles are shown as they are, even by a catalog that has them.
TEST_F(StatusWidgetLayout, FigureLabelsAndButtonTitlesAreNeverLookedUp) {
  class Translating final : public host::StringCatalog {
   public:
    std::string format(const host::LocalizedKey& key) const override {
      return host::formatKey("[" + key.key + "]", key.arguments);
    }
  } translating;
  const auto tree = harness.lay(viewOf(busyStatus(), WidgetFamily::systemMedium), translating);
  EXPECT_TRUE(textNode(tree, "[Last 7 days]")) << "the catalog is used";
  for (const char* text : {"Kept private", "Spent on AI", "New", "Inbox", "Claude", "93%", "$1,234.50"})
    EXPECT_TRUE(textNode(tree, text)) << text;
}

}  // namespace
}  // namespace zuvo
