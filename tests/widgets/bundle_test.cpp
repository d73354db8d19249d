// The widget bundle as the host reads it, and the status widget's content step as the host draws
// it: the family and rendering mode come from the drawing, the entry's date never reaches the
// view, and the palette's widget background fills the widget.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/layout_fakes.hpp"
#include "host/layout_json.hpp"
#include "host/widget_content_layout.hpp"
#include "presentation/palette.hpp"
#include "widgets/status_widget.hpp"
#include "widgets/zuvo_mac_widgets.hpp"

namespace zuvo {
namespace {

using host::WidgetFamily;
using host::WidgetRenderingMode;

std::string kindOf(const host::WidgetBundleItem& item) {
  return std::visit([](const auto& declaration) { return declaration.kind(); }, item);
}

TEST(Bundle, ListsTheStatusWidgetThenTheTwoControls) {
  host::WidgetBundleBody body = ZuvoMacWidgets{}.body();
  ASSERT_EQ(body.size(), 3u);
  EXPECT_TRUE(std::holds_alternative<host::WidgetConfiguration>(body[0]));
  EXPECT_TRUE(std::holds_alternative<host::StaticControlConfiguration>(body[1]));
  EXPECT_TRUE(std::holds_alternative<host::StaticControlConfiguration>(body[2]));
  std::vector<std::string> kinds;
  for (const auto& item : body) kinds.push_back(kindOf(item));
  EXPECT_EQ(kinds, (std::vector<std::string>{"com.halverdyne.zuvo.mac.status", "com.halverdyne.zuvo.mac.new-vantle",
                                             "com.halverdyne.zuvo.mac.activity"}));
  // Asked again, the host gets the same declarations.
  for (std::size_t i = 0; i < body.size(); ++i) EXPECT_EQ(kindOf(ZuvoMacWidgets{}.body()[i]), kinds[i]);
}

TEST(Bundle, StatusWidgetDeclaresItsGalleryTextsAndTwoFamiliesInOrder) {
  const auto widget = std::get<host::WidgetConfiguration>(ZuvoMacWidgets{}.body()[0]);
  EXPECT_EQ(widget.configurationDisplayName().key, "Zuvo");
  EXPECT_EQ(widget.description().key,
            "What waits on you, and this week's privacy and what you paid for AI. Counts only.");
  EXPECT_EQ(widget.supportedFamilies(), (std::vector{WidgetFamily::systemSmall, WidgetFamily::systemMedium}));
  EXPECT_NE(widget.as<StatusProvider>(), nullptr);  // the host gets the typed configuration back
}

class StatusWidgetDrawing : public ::testing::Test {
 protected:
  std::string drawn(const host::View& content, host::WidgetEnvironment environment,
                    host::Appearance appearance = host::Appearance::light()) const {
    return host::layoutJson(layoutOf(content, environment, std::move(appearance)));
  }
  host::LayoutTree layoutOf(const host::View& content, host::WidgetEnvironment environment,
                            host::Appearance appearance = host::Appearance::light()) const {
    return host::layoutWidgetContent(content, environment, fakes_.services(std::move(appearance)));
  }
  host::testing_fakes::Fixture fakes_;
};

TEST_F(StatusWidgetDrawing, AnEntrysDateNeverReachesTheView) {
  for (WidgetFamily family : {WidgetFamily::systemSmall, WidgetFamily::systemMedium}) {
    SCOPED_TRACE(host::name(family));
    WidgetStatus status = WidgetStatus::sample();
    host::View early = StatusWidget::content(StatusEntry{.date = {1000}, .status = status});
    host::View late = StatusWidget::content(StatusEntry{.date = {9'000'000}, .status = status});
    EXPECT_EQ(drawn(early, {family}), drawn(late, {family}));
    // ...while the status does reach it.
    status.waiting = 7;
    EXPECT_NE(drawn(StatusWidget::content({.date = {1000}, .status = status}), {family}), drawn(early, {family}));
  }
}

TEST_F(StatusWidgetDrawing, FamilyIsReadWhenTheHostDraws) {
  // One content view, drawn in two families: the small one with its tap target, the medium one with
  // its link buttons and no tap target.
  host::View content = StatusWidget::content({.date = {0}, .status = WidgetStatus::sample()});
  host::LayoutTree small = layoutOf(content, {WidgetFamily::systemSmall});
  host::LayoutTree medium = layoutOf(content, {WidgetFamily::systemMedium});
  EXPECT_TRUE(small.widgetURL);
  EXPECT_FALSE(medium.widgetURL);
  EXPECT_TRUE(std::any_of(medium.nodes.begin(), medium.nodes.end(),
                          [](const host::LayoutNode& n) { return n.as<host::LinkTarget>() != nullptr; }));
}

TEST_F(StatusWidgetDrawing, WidgetBackgroundFillsEveryFamilyModeAndAppearance) {
  host::View content = StatusWidget::content({.date = {0}, .status = WidgetStatus::empty()});
  for (WidgetFamily family : {WidgetFamily::systemSmall, WidgetFamily::systemMedium})
    for (WidgetRenderingMode mode : {WidgetRenderingMode::fullColor, WidgetRenderingMode::accented})
      for (const host::Appearance& appearance : {host::Appearance::light(), host::Appearance::dark()}) {
        SCOPED_TRACE(std::string(host::name(family)) + " " + std::string(host::name(mode)) + " " + appearance.name());
        host::LayoutTree tree = layoutOf(content, {family, mode}, appearance);
        ASSERT_GE(tree.nodes.size(), 2u);
        ASSERT_EQ(tree.nodes[1].kind, host::LayoutKind::rectangle);  // the root background's fill
        EXPECT_EQ(tree.nodes[1].frame, (host::Rect{0, 0, tree.size.width, tree.size.height}));
        EXPECT_EQ(tree.nodes[1].as<host::RectangleFill>()->fill, Palette::widgetBackground().resolve(appearance));
      }
}

TEST_F(StatusWidgetDrawing, TheHostDrawsThroughTheProviderOfTheDeclaration) {
  const auto widget = std::get<host::WidgetConfiguration>(ZuvoMacWidgets{}.body()[0]);
  // The placeholder reads no file: it is the sample status, drawn by the content step.
  host::View placeholder = widget.placeholder({});
  EXPECT_EQ(drawn(placeholder, {WidgetFamily::systemMedium}),
            drawn(StatusWidget::content({.date = {0}, .status = WidgetStatus::sample()}), {WidgetFamily::systemMedium}));
}

TEST_F(StatusWidgetDrawing, TheTimelineRoadDrawsTheStatusFileAndKeepsTheReloadPolicy) {
  namespace fs = std::filesystem;
  fs::path dataHome = fs::temp_directory_path() / ("zuvo-bundle-test-" + std::to_string(::getpid()));
  fs::path file = dataHome / "group.com.halverdyne.zuvo" / std::string(StatusStore::kRelativePath);
  fs::create_directories(file.parent_path());
  std::ofstream(file) << R"({"waiting": 0, "unread": 4, "weekScore": 0.5, "weekSpend": 1})";
  const char* saved = std::getenv("XDG_DATA_HOME");
  std::string savedValue = saved ? saved : "";
  ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);

  const auto widget = std::get<host::WidgetConfiguration>(ZuvoMacWidgets{}.body()[0]);
  host::Timeline<host::DatedView> timeline = widget.timeline({});
  if (saved) ::setenv("XDG_DATA_HOME", savedValue.c_str(), 1);
  else ::unsetenv("XDG_DATA_HOME");
  fs::remove_all(dataHome);

  ASSERT_EQ(timeline.entries.size(), 1u);
  const auto& entry = timeline.entries.front();
  EXPECT_GE(timeline.policy.reloadMoment().secondsSinceReference,
            entry.date.secondsSinceReference + StatusProvider::kReloadInterval);
  WidgetStatus stored{.unread = 4, .weekScore = 0.5, .weekSpend = 1};
  EXPECT_EQ(drawn(entry.view, {WidgetFamily::systemSmall}),
            drawn(StatusWidget::content({.date = {0}, .status = stored}), {WidgetFamily::systemSmall}));
}

}  // namespace
}  // namespace zuvo
