// The largest documents the store lets through (16 MiB) drawn as the program draws them: building
// the views, laying them out with every text shaped afresh, and drawing at scale 2, in both
// families. The goal is under 100 ms for each; bench/large_documents.sh measures whole `render`
// processes (time and peak memory, goal 64 MB) on the same shapes of document.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "test_resources.hpp"
#include "host/draw/cairo_drawer.hpp"
#include "host/locale/gettext_string_catalog.hpp"
#include "host/text/pango_text_measurer.hpp"
#include "host/draw/svg_asset_catalog.hpp"
#include "host/kit/widget_content_layout.hpp"
#include "widgets/status_widget.hpp"

namespace {

using namespace zuvo;

constexpr Instant kNow{800000000.0};
using W = AgentLimit::Window;

// About 8.7 MB as JSON: a hundred thousand agents of two windows each.
WidgetStatus manyAgents() {
  std::vector<AgentLimit> limits;
  limits.reserve(100'000);
  for (int i = 0; i < 100'000; ++i)
    limits.push_back({.agent = "Agent " + std::to_string(i),
                      .windows = {W{"daily", 0.42, kNow + 3600}, W{"weekly", 0.86, std::nullopt}},
                      .updatedAt = kNow});
  return {.waiting = 3, .unread = 5, .weekScore = 0.9, .weekSpend = 12.5, .limits = std::move(limits)};
}

// One agent whose name is seven million characters long (a mix of scripts and combining marks).
WidgetStatus hugeName() {
  std::string name;
  name.reserve(7'500'000);
  while (name.size() < 7'000'000) name += "Agent e\u0301 \u0410\u0433\u0435\u043d\u0442 ";
  return {.waiting = 1, .weekSpend = 4.2, .limits = std::vector<AgentLimit>{{.agent = std::move(name),
      .windows = {W{"daily", 0.5, std::nullopt}}, .updatedAt = kNow}}};
}

// Sixteen agents whose window names are each a million characters long.
WidgetStatus hugeWindowNames() {
  std::vector<AgentLimit> limits;
  for (int i = 0; i < 16; ++i)
    limits.push_back({.agent = "Agent " + std::to_string(i),
                      .windows = {W{std::string(1'000'000, static_cast<char>('a' + i)), 0.5, std::nullopt}},
                      .updatedAt = kNow});
  return {.waiting = 0, .unread = 2, .weekSpend = 1.0, .limits = std::move(limits)};
}

struct Program {
  std::optional<std::filesystem::path> resources = builtResourceDirectory();
  host::PangoTextMeasurer measurer;
  host::GettextStringCatalog strings{resources.value_or("") / "locale", "zuvo-widgets"};
  host::SvgAssetCatalog assets{resources};
  host::CairoDrawer drawer{assets};
};

void drawDocument(benchmark::State& state, WidgetStatus (*make)(), host::WidgetFamily family) {
  Program program;
  // The content step's view holds the status; laying it out builds the status view and its rows.
  const host::View content = StatusWidget::content({kNow, make()}, [] { return kNow; });
  std::string error;
  for (auto _ : state) {
    program.measurer.clearCache();  // every text shaped afresh, as in a new process
    const auto tree = host::layoutWidgetContent(content, {.family = family},
                                                {.measurer = program.measurer, .strings = program.strings,
                                                 .assets = program.assets});
    auto image = program.drawer.renderImage(tree, 2.0, &error);
    if (!image) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(image.get());
  }
}

BENCHMARK_CAPTURE(drawDocument, manyAgentsSmall, manyAgents, host::WidgetFamily::systemSmall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawDocument, manyAgentsMedium, manyAgents, host::WidgetFamily::systemMedium)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawDocument, hugeNameSmall, hugeName, host::WidgetFamily::systemSmall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawDocument, hugeNameMedium, hugeName, host::WidgetFamily::systemMedium)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawDocument, hugeWindowNamesMedium, hugeWindowNames, host::WidgetFamily::systemMedium)
    ->Unit(benchmark::kMillisecond);

}  // namespace
