// Agent rows through the laid-out tree: the window shown against a fixed clock, the usage text and
// its accessibility label, the bar's fill against its track and its colours by rendering mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "presentation/palette.hpp"
#include "presentation/usage_bar.hpp"
#include "widget_harness.hpp"

namespace zuvo {
namespace {

using host::Appearance, host::Font, host::FontWeight, host::WidgetFamily, host::WidgetRenderingMode;
using namespace zuvo::testing;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

enum class Fill { none, accent, attention };

struct RowCase {
  const char* what;
  std::vector<AgentLimit::Window> windows;
  const char* usage;
  const char* label;
  std::optional<double> fillShare;  // of the track's width; none: no fill
  Fill fill = Fill::none;
};

std::vector<RowCase> rowCases() {
  return {
      {"no windows", {}, "No usage yet", "Claude usage not known yet", {}},
      {"all reset", {window("daily", 0.5, 0), window("weekly", 0.9, -1)}, "No usage yet", "Claude usage not known yet", {}},
      {"most used", {window("daily", 0.3, 60), window("weekly", 0.6, 600)}, "weekly 60%", "Claude weekly 60 percent used",
       0.6, Fill::accent},
      {"tie: the first", {window("a", 0.5, 60), window("b", 0.5)}, "a 50%", "Claude a 50 percent used", 0.5, Fill::accent},
      {"at the threshold", {window("daily", 0.8)}, "daily 80%", "Claude daily 80 percent used", 0.8, Fill::attention},
      {"rounds to 80 below it", {window("daily", 0.7999)}, "daily 80%", "Claude daily 80 percent used", 0.7999, Fill::accent},
      {"over the limit", {window("daily", 1.25)}, "daily 125%", "Claude daily 125 percent used", 1.0, Fill::attention},
      {"zero", {window("daily", 0)}, "daily 0%", "Claude daily 0 percent used", 0.0, Fill::accent},
      {"negative", {window("daily", -0.1)}, "daily -10%", "Claude daily -10 percent used", 0.0, Fill::accent},
      {"half away from zero", {window("daily", 0.425)}, "daily 43%", "Claude daily 43 percent used", 0.425, Fill::accent},
      {"no percent: NaN", {window("daily", kNan)}, "daily \u2014", "Claude daily usage not known", 1.0, Fill::accent},
      {"no percent: huge", {window("daily", 1e300)}, "daily \u2014", "Claude daily usage not known", 1.0, Fill::attention},
  };
}

class AgentLimitRows : public WidgetHarnessTest {};

TEST_F(AgentLimitRows, ShowThePeakWindowWithItsBarInEveryFamilyAppearanceAndMode) {
  for (const auto& c : rowCases())
    for (auto family : {WidgetFamily::systemSmall, WidgetFamily::systemMedium})
      for (const auto& appearance : {Appearance::light(), Appearance::dark()})
        for (auto mode : {WidgetRenderingMode::fullColor, WidgetRenderingMode::accented}) {
          SCOPED_TRACE(::testing::Message() << c.what << " " << host::name(family) << " " << appearance.name() << " "
                                            << host::name(mode));
          WidgetStatus status{.waiting = 1, .limits = std::vector<AgentLimit>{agent("Claude", c.windows)}};
          const auto tree = harness.lay(viewOf(status, family, mode), appearance);

          const auto* name = textNode(tree, "Claude");
          ASSERT_TRUE(isRun(name, Font::system(10, FontWeight::medium), Palette::primaryText().resolve(appearance)));
          EXPECT_EQ(name->as<host::TextRun>()->lineLimit, 1);
          const auto* usage = textNode(tree, c.usage);
          ASSERT_TRUE(isRun(usage, Font::system(10), Palette::secondaryText().resolve(appearance)));
          EXPECT_TRUE(usage->as<host::TextRun>()->tabularDigits);
          EXPECT_EQ(usage->as<host::TextRun>()->lineLimit, 1);
          EXPECT_EQ(elementsLabelled(tree, c.label), 1);
          EXPECT_EQ(elementsLabelled(tree, "Claude") + elementsLabelled(tree, c.usage), 0);
          const auto rows = nodesOf(tree, host::LayoutKind::identity);
          ASSERT_EQ(rows.size(), 1u);
          std::vector<const host::LayoutNode*> bar;  // the row's capsules: the track, then any fill
          for (std::size_t i = rows[0]; i < tree.nodes[rows[0]].subtreeEnd; ++i)
            if (tree.nodes[i].kind == host::LayoutKind::capsule) bar.push_back(&tree.nodes[i]);
          const bool tinted = mode != WidgetRenderingMode::fullColor;
          const auto& track = *bar[0];
          EXPECT_NEAR(usage->frame.maxX(), track.frame.maxX(), 0.01);  // usage text at the trailing edge
          EXPECT_DOUBLE_EQ(track.frame.height, kUsageBarHeight);
          EXPECT_EQ(track.as<host::CapsuleShape>()->fill,
                    tinted ? host::Color::primary().opacity(0.22).resolve(appearance) : Palette::track().resolve(appearance));
          ASSERT_EQ(bar.size(), c.fillShare ? 2u : 1u);
          if (!c.fillShare) continue;
          const auto& fill = *bar[1];
          EXPECT_DOUBLE_EQ(fill.frame.x, track.frame.x);
          EXPECT_DOUBLE_EQ(fill.frame.height, kUsageBarHeight);
          EXPECT_NEAR(fill.frame.width, std::max(4.0, track.frame.width * *c.fillShare), 1e-9);
          const auto& expected = tinted ? host::Color::primary() : c.fill == Fill::attention ? Palette::attention() : Palette::accent();
          EXPECT_EQ(fill.as<host::CapsuleShape>()->fill, expected.resolve(appearance));
        }
}

}  // namespace
}  // namespace zuvo
