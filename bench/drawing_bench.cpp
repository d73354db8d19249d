// Drawing a medium widget (about 60 nodes, 12 texts) at scale 2, stage by stage:
//   LayoutShaping     layout with every text shaped afresh by Pango (the measurer's cache cleared)
//   LayoutCached      layout again over the same texts (measurements cached)
//   Draw              drawing the whole laid-out tree into a 728x340 image
//   DrawTextsAlone    shaping and drawing only its 12 text runs, the unavoidable part of Draw
//   DrawOneKind       the symbols, images, rectangles or capsules alone
//   PngEncode         encoding the drawn image as PNG, in memory
// The aim: Draw within 3x DrawTextsAlone.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "test_resources.hpp"
#include "host/cairo_drawer.hpp"
#include "host/key_formatter.hpp"
#include "host/layout.hpp"
#include "host/pango_text_measurer.hpp"
#include "host/resource_directory.hpp"
#include "host/string_catalog.hpp"
#include "host/svg_asset_catalog.hpp"
#include "host/view.hpp"
#include "host/widget_canvas.hpp"

namespace {

using namespace host;

class UntranslatedKeys final : public StringCatalog {
 public:
  std::string format(const LocalizedKey& key) const override { return formatKey(key.key, key.arguments); }
};

const Color kBackground = Color::fixed(Rgba::fromBytes(0xF8, 0xF6, 0xF2));
const Color kTrack = Color::fixed(Rgba::fromBytes(0xE4, 0xE0, 0xD8));
const Color kAccent = Color::fixed(Rgba::fromBytes(0x57, 0x58, 0x86));
const Color kAttention = Color::fixed(Rgba::fromBytes(0x63, 0x44, 0x37));
const Color kSecondary = Color::primary().opacity(0.6);
const Url kNew = *Url::parse("zuvo://pane/new");
const Url kInbox = *Url::parse("zuvo://pane/activity");

View button(std::string title, std::string symbol, const Url& url) {
  return Link(url, Label(std::move(title), std::move(symbol))
                       .font(Font::system(11, FontWeight::medium))
                       .padding(Edges::horizontal, 10)
                       .padding(Edges::vertical, 5)
                       .background(CapsuleStrokeBorder(kTrack, 1)));
}

View figureRow(std::string symbol, std::string label, std::string value) {
  return HStack({.spacing = 4}, {SymbolImage(std::move(symbol)).font(Font::system(10)).foregroundStyle(kAccent),
                                 Text(std::move(label)).font(Font::system(10)), Spacer(),
                                 Text(std::move(value))
                                     .font(Font::system(12, FontWeight::semibold, FontDesign::rounded))
                                     .monospacedDigit()})
      .lineLimit(1);
}

View agentRow(std::string agent, double used) {
  View bar = GeometryReader([used](Size size) {
               return ZStack({.alignment = Alignment::leading()},
                             {CapsuleFill(kTrack),
                              CapsuleFill(used >= 0.8 ? kAttention : kAccent)
                                  .frame(FixedFrame{.width = std::max(4.0, size.width * used)})});
             }).frame(FixedFrame{.height = 4});
  std::string usage = "Weekly " + std::to_string(static_cast<int>(used * 100)) + "%";
  return VStack({.alignment = HorizontalAlignment::leading, .spacing = 3},
                {HStack({.spacing = 4}, {Text(agent).font(Font::system(10, FontWeight::medium)), Spacer(),
                                         Text(usage).font(Font::system(10)).foregroundStyle(kSecondary).monospacedDigit()})
                     .lineLimit(1),
                 bar})
      .id(agent);
}

View mediumWidget() {
  View left =
      VStack({.alignment = HorizontalAlignment::leading, .spacing = 8},
             {HStack({.spacing = 6}, {Image({.name = "VantleWordmark", .resizable = true, .contentMode = ContentMode::fit})
                                          .frame(FixedFrame{.width = 74}),
                                      Spacer()}),
              Spacer(),
              VStack({.alignment = HorizontalAlignment::leading, .spacing = 2},
                     {Text(LocalizedKey{"%lld", {std::int64_t{3}}})
                          .font(Font::system(30, FontWeight::semibold, FontDesign::rounded))
                          .foregroundStyle(kAttention),
                      Text(LocalizedKey{"waiting on you"}).font(Font::system(12)).foregroundStyle(kSecondary)}),
              Spacer(),
              HStack({.spacing = 8}, {button("New", "square.and.pencil", kNew), button("Inbox", "tray", kInbox)})})
          .frame(FlexibleFrame{.maxWidth = kInfinity, .alignment = Alignment::leading()});
  View right = VStack({.alignment = HorizontalAlignment::leading, .spacing = 5},
                      {figureRow("lock", "Kept private", "82%"), figureRow("checkmark.circle", "Spent on AI", "$4.20"),
                       Spacer(),
                       VStack({.alignment = HorizontalAlignment::leading, .spacing = 6},
                              {agentRow("Claude", 0.6), agentRow("Codex", 0.85)})})
                   .frame(FixedFrame{.width = 136, .alignment = Alignment::leading()});
  return HStack({.spacing = 16}, {left, right});
}

struct Fixture {
  PangoTextMeasurer measurer;
  UntranslatedKeys strings;
  SvgAssetCatalog assets{builtResourceDirectory()};
  CairoDrawer drawer{assets};
  View view = mediumWidget();

  LayoutTree lay() {
    return layoutWidget(view, WidgetFamily::systemMedium, kBackground, {measurer, strings, assets, Appearance::light()});
  }
  // The tree's text runs alone, on the same canvas.
  LayoutTree textsOnly(const LayoutTree& full) {
    LayoutTree texts;
    texts.size = full.size;
    for (const LayoutNode& node : full.nodes)
      if (node.kind == LayoutKind::text) texts.nodes.push_back(node);
    return texts;
  }
  CairoSurface canvas(const LayoutTree& tree) {
    return CairoSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(tree.size.width * 2),
                                                   static_cast<int>(tree.size.height * 2)));
  }
};

void drawOn(Fixture& f, cairo_surface_t* surface, const LayoutTree& tree) {
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, 2, 2);
  f.drawer.draw(cr, tree);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
}

void BM_LayoutShaping(benchmark::State& state) {
  Fixture f;
  std::size_t nodes = 0, texts = 0;
  for (auto _ : state) {
    f.measurer.clearCache();
    LayoutTree tree = f.lay();
    nodes = tree.nodes.size();
    benchmark::DoNotOptimize(tree);
  }
  texts = f.textsOnly(f.lay()).nodes.size();
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["texts"] = static_cast<double>(texts);
}
BENCHMARK(BM_LayoutShaping)->Unit(benchmark::kMicrosecond);

void BM_LayoutCached(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) benchmark::DoNotOptimize(f.lay());
}
BENCHMARK(BM_LayoutCached)->Unit(benchmark::kMicrosecond);

void BM_Draw(benchmark::State& state) {
  Fixture f;
  LayoutTree tree = f.lay();
  CairoSurface surface = f.canvas(tree);
  for (auto _ : state) drawOn(f, surface.get(), tree);
}
BENCHMARK(BM_Draw)->Unit(benchmark::kMicrosecond);

void BM_DrawTextsAlone(benchmark::State& state) {
  Fixture f;
  LayoutTree tree = f.lay();
  LayoutTree texts = f.textsOnly(tree);
  CairoSurface surface = f.canvas(tree);
  for (auto _ : state) drawOn(f, surface.get(), texts);
}
BENCHMARK(BM_DrawTextsAlone)->Unit(benchmark::kMicrosecond);

// Where the rest of Draw goes: the nodes of one drawn kind alone.
void BM_DrawOneKind(benchmark::State& state) {
  Fixture f;
  const auto kind = static_cast<LayoutKind>(state.range(0));
  LayoutTree tree = f.lay();
  LayoutTree only;
  only.size = tree.size;
  for (const LayoutNode& node : tree.nodes)
    if (node.kind == kind) only.nodes.push_back(node);
  CairoSurface surface = f.canvas(tree);
  for (auto _ : state) drawOn(f, surface.get(), only);
  state.SetLabel(std::string(name(kind)) + " x" + std::to_string(only.nodes.size()));
}
BENCHMARK(BM_DrawOneKind)
    ->Unit(benchmark::kMicrosecond)
    ->DenseRange(static_cast<int>(LayoutKind::symbol), static_cast<int>(LayoutKind::capsule));

void BM_PngEncode(benchmark::State& state) {
  Fixture f;
  LayoutTree tree = f.lay();
  CairoSurface surface = f.canvas(tree);
  drawOn(f, surface.get(), tree);
  std::vector<unsigned char> png;
  auto append = [](void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
  };
  for (auto _ : state) {
    png.clear();
    cairo_surface_write_to_png_stream(surface.get(), append, &png);
    benchmark::DoNotOptimize(png.data());
  }
  state.counters["bytes"] = static_cast<double>(png.size());
}
BENCHMARK(BM_PngEncode)->Unit(benchmark::kMillisecond);

}  // namespace
