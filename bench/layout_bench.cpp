// The layout engine on a tree shaped like a medium widget (medium_widget_tree.hpp): building
// the view values, laying them out with a measurer that does no shaping, and dumping the result.
// The measurer is trivial on purpose, so the figures are the engine's own cost. LayoutAgents lays
// out a list of 10 to 10,000 agent rows; its per_agent figure should stay flat as the list grows.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "host/layout/asset_catalog.hpp"
#include "host/layout/layout.hpp"
#include "host/layout/layout_json.hpp"
#include "host/view/string_catalog.hpp"
#include "host/layout/text_measurer.hpp"
#include "host/view/view.hpp"
#include "host/kit/widget_canvas.hpp"
#include "medium_widget_tree.hpp"

namespace {

using namespace host;

// Every code point 6 points wide, lines 1.2 times the font size; a line limit cuts by characters.
class FixedWidthMeasurer final : public TextMeasurer {
 public:
  TextMeasurement measure(std::string_view text, const TextStyle& style, double maxWidth,
                          std::optional<int> lineLimit) const override {
    ++calls;
    double characters = 0;
    for (unsigned char c : text)
      if ((c & 0xC0) != 0x80) ++characters;
    double lineHeight = style.font.size * 1.2;
    TextMeasurement m{.size = {characters * 6, lineHeight}, .drawnText = std::string(text)};
    if (m.size.width > maxWidth) {
      if (lineLimit == 1) {
        m.truncated = true;
        m.size.width = maxWidth;
      } else {
        m.lineCount = static_cast<int>(m.size.width / std::max(maxWidth, 6.0)) + 1;
        m.size = {maxWidth, lineHeight * m.lineCount};
      }
    }
    m.baseline = style.font.size;
    return m;
  }
  Size symbolSize(const Font& font) const override { return {font.size, font.size}; }
  mutable long calls = 0;
};

class KeysAsText final : public StringCatalog {
 public:
  std::string format(const LocalizedKey& key) const override {
    if (key.arguments.empty()) return key.key;
    if (const auto* n = std::get_if<std::int64_t>(&key.arguments.front())) return std::to_string(*n);
    return std::get<std::string>(key.arguments.front()) + " " + key.key;
  }
};

class OneImage final : public AssetCatalog {
 public:
  std::optional<Size> imageSize(std::string_view) const override { return Size{240, 60}; }
};

using bench_tree::kBackground;
using bench_tree::mediumWidget;

struct Services {
  FixedWidthMeasurer measurer;
  KeysAsText strings;
  OneImage assets;
  LayoutServices get() const { return {measurer, strings, assets, Appearance::light()}; }
};

void BM_BuildView(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(mediumWidget());
}
BENCHMARK(BM_BuildView)->Unit(benchmark::kMicrosecond);

void BM_Layout(benchmark::State& state) {
  Services services;
  View view = mediumWidget();
  std::size_t nodes = 0, texts = 0;
  for (auto _ : state) {
    LayoutTree tree = layoutWidget(view, WidgetFamily::systemMedium, kBackground, services.get());
    nodes = tree.nodes.size();
    benchmark::DoNotOptimize(tree);
  }
  long callsBefore = services.measurer.calls;
  for (const auto& node : layoutWidget(view, WidgetFamily::systemMedium, kBackground, services.get()).nodes)
    texts += node.kind == LayoutKind::text;
  state.counters["measures"] = static_cast<double>(services.measurer.calls - callsBefore);
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["texts"] = static_cast<double>(texts);
}
BENCHMARK(BM_Layout)->Unit(benchmark::kMicrosecond);

void BM_LayoutAgents(benchmark::State& state) {
  Services services;
  const auto agents = static_cast<int>(state.range(0));
  View view = bench_tree::agentList(agents);
  for (auto _ : state) benchmark::DoNotOptimize(layout(view, bench_tree::kAgentListSize, services.get()));
  const LayoutTree tree = layout(view, bench_tree::kAgentListSize, services.get());
  state.counters["tree_MB"] = static_cast<double>(tree.nodes.capacity() * sizeof(LayoutNode)) / 1e6;
  state.counters["nodes"] = static_cast<double>(tree.nodes.size());
  state.counters["node_B"] = sizeof(LayoutNode);
  state.counters["per_agent"] =
      benchmark::Counter(agents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LayoutAgents)->Unit(benchmark::kMicrosecond)->RangeMultiplier(10)->Range(10, 10'000);

void BM_BuildAndLayout(benchmark::State& state) {
  Services services;
  for (auto _ : state)
    benchmark::DoNotOptimize(layoutWidget(mediumWidget(), WidgetFamily::systemMedium, kBackground, services.get()));
}
BENCHMARK(BM_BuildAndLayout)->Unit(benchmark::kMicrosecond);

void BM_LayoutJson(benchmark::State& state) {
  Services services;
  LayoutTree tree = layoutWidget(mediumWidget(), WidgetFamily::systemMedium, kBackground, services.get());
  for (auto _ : state) benchmark::DoNotOptimize(layoutJson(tree));
}
BENCHMARK(BM_LayoutJson)->Unit(benchmark::kMicrosecond);

}  // namespace

