// The widget bundle as the host reads it, and the status widget's content as the host draws it: the
// entry's date never reaches the view, the background fills it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/layout_fakes.hpp"
#include "host/layout/layout_json.hpp"
#include "host/kit/widget_content_layout.hpp"
#include "presentation/palette.hpp"
#include "test_files.hpp"
#include "widgets/status_widget.hpp"
#include "widgets/zuvo_mac_widgets.hpp"

namespace zuvo {
namespace {

using host::WidgetFamily;

TEST(Bundle, ListsTheStatusWidgetThenTheTwoControls) {
  host::WidgetBundleBody body = ZuvoMacWidgets{}.body();
  ASSERT_EQ(body.size(), 3u);
  EXPECT_TRUE(std::holds_alternative<host::WidgetConfiguration>(body[0]));
  std::vector<std::string> kinds;
  for (const auto& item : body) kinds.push_back(std::visit([](const auto& d) { return d.kind(); }, item));
  EXPECT_EQ(kinds, (std::vector<std::string>{"com.halverdyne.zuvo.mac.status", "com.halverdyne.zuvo.mac.new-vantle",
                                             "com.halverdyne.zuvo.mac.activity"}));
  const auto& widget = std::get<host::WidgetConfiguration>(body[0]);
  EXPECT_EQ(widget.configurationDisplayName().key, "Zuvo");
  EXPECT_EQ(widget.description().key,
            "What waits on you, and this week's privacy and what you paid for AI. Counts only.");
  EXPECT_EQ(widget.supportedFamilies(), (std::vector{WidgetFamily::systemSmall, WidgetFamily::systemMedium}));
  EXPECT_NE(widget.as<StatusProvider>(), nullptr);  // the host gets the typed configuration back
}

class StatusWidgetDrawing : public ::testing::Test {
 protected:
  host::LayoutTree layoutOf(const host::View& content, host::WidgetEnvironment environment,
                            host::Appearance appearance = host::Appearance::light()) const {
    return host::layoutWidgetContent(content, environment, fakes_.services(std::move(appearance)));
  }
  std::string drawn(const host::View& content, WidgetFamily family) const {
    return host::layoutJson(layoutOf(content, {family}));
  }
  static host::View content(WidgetStatus status, double date = 0) {
    return StatusWidget::content({.date = {date}, .status = std::move(status)});
  }
  host::testing_fakes::Fixture fakes_;
};

TEST_F(StatusWidgetDrawing, AnEntrysDateNeverReachesTheView) {
  for (WidgetFamily family : {WidgetFamily::systemSmall, WidgetFamily::systemMedium}) {
    SCOPED_TRACE(host::name(family));
    EXPECT_EQ(drawn(content(WidgetStatus::sample(), 1000), family), drawn(content(WidgetStatus::sample(), 9'000'000), family));
  }
}

TEST_F(StatusWidgetDrawing, TheBackgroundFillsTheWidget) {
  const host::View view = content(WidgetStatus::sample());
  for (WidgetFamily family : {WidgetFamily::systemSmall, WidgetFamily::systemMedium})
    for (const host::Appearance& appearance : {host::Appearance::light(), host::Appearance::dark()}) {
      host::LayoutTree tree = layoutOf(view, {family, host::WidgetRenderingMode::accented}, appearance);
      ASSERT_GE(tree.nodes.size(), 2u);
      ASSERT_EQ(tree.nodes[1].kind, host::LayoutKind::rectangle);  // the root background's fill
      EXPECT_EQ(tree.nodes[1].frame, (host::Rect{0, 0, tree.size.width, tree.size.height}));
      EXPECT_EQ(tree.nodes[1].as<host::RectangleFill>()->fill, Palette::widgetBackground().resolve(appearance));
    }
}

TEST_F(StatusWidgetDrawing, TheHostDrawsThroughTheProviderOfTheDeclaration) {
  const auto widget = std::get<host::WidgetConfiguration>(ZuvoMacWidgets{}.body()[0]);
  // The declaration's provider answers the host, and its content step draws the answer.
  EXPECT_EQ(drawn(widget.placeholder({}), WidgetFamily::systemMedium),
            drawn(content(WidgetStatus::sample()), WidgetFamily::systemMedium));
  // With no container the timeline holds the empty status, reloading an hour on.
  const host::Timeline<host::DatedView> timeline = [&] {
    const ScopedVariable noContainer("XDG_DATA_HOME", "/nonexistent/zuvo-bundle-test");
    return widget.timeline({});
  }();
  ASSERT_EQ(timeline.entries.size(), 1u);
  EXPECT_GE(timeline.policy.reloadMoment().secondsSinceReference,
            timeline.entries[0].date.secondsSinceReference + StatusProvider::kReloadInterval);
  EXPECT_EQ(drawn(timeline.entries[0].view, WidgetFamily::systemSmall),
            drawn(content(WidgetStatus::empty()), WidgetFamily::systemSmall));
}

}  // namespace
}  // namespace zuvo
