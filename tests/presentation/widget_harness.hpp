#pragma once
// Lays the status widget out as the program does (the content step, the host's content layout,
// Pango, the compiled catalogs, the SVG assets) with a fixed clock, and finds what a laid-out tree
// shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "host/layout/accessibility.hpp"
#include "host/locale_test_environment.hpp"
#include "test_resources.hpp"
#include "host/locale/gettext_string_catalog.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/text/pango_text_measurer.hpp"
#include "host/platform/resource_directory.hpp"
#include "host/draw/svg_asset_catalog.hpp"
#include "host/kit/widget_content_layout.hpp"
#include "presentation/status_widget_view.hpp"
#include "widgets/status_widget.hpp"

namespace zuvo::testing {

inline constexpr Instant kNow{800000000.0};

inline StatusWidgetView viewOf(WidgetStatus status, host::WidgetFamily family,
                               host::WidgetRenderingMode mode = host::WidgetRenderingMode::fullColor) {
  return {.status = std::move(status), .family = family, .renderingMode = mode, .clock = [] { return kNow; }};
}

inline AgentLimit agent(std::string name, std::vector<AgentLimit::Window> windows) {
  return {.agent = std::move(name), .windows = std::move(windows), .updatedAt = kNow};
}
inline AgentLimit::Window window(std::string name, double used, std::optional<double> resetsIn = std::nullopt) {
  std::optional<Instant> resetsAt;
  if (resetsIn) resetsAt = kNow + *resetsIn;
  return {.name = std::move(name), .used = used, .resetsAt = resetsAt};
}

// Twelve waiting, three agents: one near its limit, one light, one with every window reset.
inline WidgetStatus busyStatus() {
  return {.waiting = 12,
          .unread = 30,
          .weekScore = 0.9347,
          .weekSpend = 1234.5,
          .limits = std::vector<AgentLimit>{
              agent("Claude", {window("daily", 0.42, 3600), window("weekly", 0.86, 86400)}),
              agent("Codex", {window("hourly", 0.15)}),
              agent("Gemini", {window("daily", 0.5, -60)})}};
}

class WidgetHarness {
 public:
  WidgetHarness()
      : resources_(builtResourceDirectory()),
        strings_(resources_.value_or("") / "locale", "zuvo-widgets"),
        assets_(resources_) {}

  host::LayoutTree lay(const StatusWidgetView& view, const host::Appearance& appearance = host::Appearance::light()) const {
    return lay(view, strings_, appearance);
  }
  // With another string catalog in place of the compiled ones. The view's status goes through the
  // widget's content step, drawn in the view's family and rendering mode.
  host::LayoutTree lay(const StatusWidgetView& view, const host::StringCatalog& strings,
                       const host::Appearance& appearance = host::Appearance::light()) const {
    return host::layoutWidgetContent(StatusWidget::content({kNow, view.status}, view.clock),
                                     {.family = view.family, .renderingMode = view.renderingMode},
                                     {.measurer = measurer_, .strings = strings, .assets = assets_, .appearance = appearance});
  }
  const host::SvgAssetCatalog& assets() const { return assets_; }
  bool hasResources() const { return resources_.has_value(); }

 private:
  std::optional<std::filesystem::path> resources_;
  host::PangoTextMeasurer measurer_;
  host::GettextStringCatalog strings_;
  host::SvgAssetCatalog assets_;
};

// A test with the harness, in United States English unless it sets another locale.
class WidgetHarnessTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(harness.hasResources()); }
  host::ScopedLocaleEnvironment locale{host::LocaleVariables{{"LANG", "en_US.UTF-8"}}};
  WidgetHarness harness;
};

// Indices of every node of `kind`, in drawing order.
inline std::vector<std::size_t> nodesOf(const host::LayoutTree& tree, host::LayoutKind kind) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < tree.nodes.size(); ++i)
    if (tree.nodes[i].kind == kind) found.push_back(i);
  return found;
}

// The first text node whose whole text is `text`, or null.
inline const host::LayoutNode* textNode(const host::LayoutTree& tree, std::string_view text) {
  for (const auto& node : tree.nodes)
    if (const auto* run = node.as<host::TextRun>(); run && run->text == text) return &node;
  return nullptr;
}

// How many of the tree's accessibility elements carry `label`.
inline long elementsLabelled(const host::LayoutTree& tree, std::string_view label) {
  const auto elements = host::accessibleElements(tree);
  return std::count_if(elements.begin(), elements.end(), [&](const auto& e) { return e.label == label; });
}

// `node` is a text run in `font` and `color`.
inline ::testing::AssertionResult isRun(const host::LayoutNode* node, const host::Font& font, const host::Rgba& color) {
  const auto* run = node ? node->as<host::TextRun>() : nullptr;
  if (!run) return ::testing::AssertionFailure() << "no such text";
  if (!(run->font == font)) return ::testing::AssertionFailure() << run->text << ": another font";
  if (!(run->color == color)) return ::testing::AssertionFailure() << run->text << ": colour " << run->color.hex();
  return ::testing::AssertionSuccess();
}

}  // namespace zuvo::testing
