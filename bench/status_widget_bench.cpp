// From a status to pixels for the medium widget with three agents, in the program's own set-up
// (Pango measurer, gettext catalogs, SVG assets), split into its stages: building the view values,
// laying them out (text measurements already cached, as at every drawing after the first), and
// drawing at scale 2. The whole `zuvo-widgets render` process is measured outside, with
// /usr/bin/time -v (see the README).
#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "test_resources.hpp"
#include "host/draw/cairo_drawer.hpp"
#include "host/locale/gettext_string_catalog.hpp"
#include "host/text/pango_text_measurer.hpp"
#include "host/platform/resource_directory.hpp"
#include "host/draw/svg_asset_catalog.hpp"
#include "host/kit/widget_canvas.hpp"
#include "host/kit/widget_content_layout.hpp"
#include "presentation/palette.hpp"
#include "presentation/status_widget_view.hpp"
#include "widgets/status_widget.hpp"

namespace {

using namespace zuvo;

constexpr Instant kNow{800000000.0};

StatusWidgetView busyMediumView() {
  using W = AgentLimit::Window;
  std::vector<AgentLimit> limits{
      {.agent = "Claude", .windows = {W{"daily", 0.42, kNow + 3600}, W{"weekly", 0.86, kNow + 86400}}, .updatedAt = kNow},
      {.agent = "Codex", .windows = {W{"hourly", 0.15, std::nullopt}}, .updatedAt = kNow},
      {.agent = "Gemini", .windows = {W{"daily", 0.5, kNow + -60}}, .updatedAt = kNow}};
  return {.status = {.waiting = 12, .unread = 30, .weekScore = 0.9347, .weekSpend = 1234.5, .limits = limits},
          .family = host::WidgetFamily::systemMedium,
          .renderingMode = host::WidgetRenderingMode::fullColor,
          .clock = [] { return kNow; }};
}

struct Program {
  std::optional<std::filesystem::path> resources = builtResourceDirectory();
  host::PangoTextMeasurer measurer;
  host::GettextStringCatalog strings{resources.value_or("") / "locale", "zuvo-widgets"};
  host::SvgAssetCatalog assets{resources};
  host::LayoutServices services() const { return {.measurer = measurer, .strings = strings, .assets = assets}; }
};

// As the program lays an entry out: the content step, then the host's content layout.
host::LayoutTree layOut(const StatusWidgetView& view, const Program& program) {
  return host::layoutWidgetContent(StatusWidget::content({kNow, view.status}, view.clock),
                                   {.family = view.family, .renderingMode = view.renderingMode}, program.services());
}

void BM_ViewBuilding(benchmark::State& state) {
  const auto view = busyMediumView();
  for (auto _ : state) benchmark::DoNotOptimize(view.body());
}
BENCHMARK(BM_ViewBuilding);

void BM_Layout(benchmark::State& state) {
  Program program;
  const auto view = busyMediumView();
  const auto body = view.body();
  (void)layOut(view, program);  // warms the measurement cache
  // The canvas layout under the content layout, on the view built once.
  for (auto _ : state)
    benchmark::DoNotOptimize(host::layoutWidget(body, view.family, Palette::widgetBackground(), program.services()));
}
BENCHMARK(BM_Layout);

// What a drawing costs before the drawing itself: view building and layout together.
void BM_ViewBuildingAndLayout(benchmark::State& state) {
  Program program;
  const auto view = busyMediumView();
  (void)layOut(view, program);
  for (auto _ : state) benchmark::DoNotOptimize(layOut(view, program));
}
BENCHMARK(BM_ViewBuildingAndLayout);

// The same with every text shaped afresh: the first drawing of a process.
void BM_ViewBuildingAndLayoutColdText(benchmark::State& state) {
  Program program;
  const auto view = busyMediumView();
  for (auto _ : state) {
    program.measurer.clearCache();
    benchmark::DoNotOptimize(layOut(view, program));
  }
}
BENCHMARK(BM_ViewBuildingAndLayoutColdText);

void BM_DrawingAtScale2(benchmark::State& state) {
  Program program;
  const auto tree = layOut(busyMediumView(), program);
  host::CairoDrawer drawer(program.assets);
  std::string error;
  for (auto _ : state) {
    auto image = drawer.renderImage(tree, 2.0, &error);
    if (!image) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(image.get());
  }
}
BENCHMARK(BM_DrawingAtScale2);

}  // namespace
