// Drawing a medium widget (medium_widget_tree.hpp) at scale 2, stage by stage:
//   LayoutShaping     layout with every text shaped afresh by Pango (the measurer's cache cleared)
//   LayoutCached      layout again over the same texts (measurements cached)
//   LayoutAgents      a list of 10 to 10,000 agent rows, shaped afresh (cold) or cached; the
//                     per_agent figure should stay flat as the list grows
//   Draw              drawing the whole laid-out tree into a 728x340 image
//   DrawTextsAlone    shaping and drawing only its 12 text runs, the unavoidable part of Draw
//   DrawOneKind       the symbols, images, rectangles or capsules alone
//   PngEncode         encoding the drawn image as PNG, in memory: Cairo's writer, ours, libspng
// The aim: Draw within 3x DrawTextsAlone.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef ZUVO_BENCH_SPNG
#include <spng.h>
#endif

#include "host/draw/cairo_drawer.hpp"
#include "host/draw/png_writer.hpp"
#include "host/locale/key_formatter.hpp"
#include "host/layout/layout.hpp"
#include "host/text/pango_text_measurer.hpp"
#include "host/platform/resource_directory.hpp"
#include "host/view/string_catalog.hpp"
#include "host/draw/svg_asset_catalog.hpp"
#include "host/view/view.hpp"
#include "host/kit/widget_canvas.hpp"
#include "medium_widget_tree.hpp"
#include "test_resources.hpp"

namespace {

using namespace host;

class UntranslatedKeys final : public StringCatalog {
 public:
  std::string format(const LocalizedKey& key) const override { return formatKey(key.key, key.arguments); }
};

using bench_tree::kBackground;
using bench_tree::mediumWidget;

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

void BM_LayoutAgents(benchmark::State& state) {
  Fixture f;
  const auto agents = static_cast<int>(state.range(0));
  const bool cold = state.range(1) != 0;
  View view = bench_tree::agentList(agents);
  LayoutServices services{f.measurer, f.strings, f.assets, Appearance::light()};
  benchmark::DoNotOptimize(layout(view, bench_tree::kAgentListSize, services));
  for (auto _ : state) {
    if (cold) f.measurer.clearCache();
    benchmark::DoNotOptimize(layout(view, bench_tree::kAgentListSize, services));
  }
  state.SetLabel(cold ? "cold" : "cached");
  state.counters["per_agent"] =
      benchmark::Counter(agents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LayoutAgents)
    ->Unit(benchmark::kMicrosecond)
    ->ArgNames({"agents", "cold"})
    ->ArgsProduct({{10, 100, 1'000, 10'000}, {0, 1}});

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

// The same drawn image through each PNG encoder: Cairo's writer (what the program used before),
// ours (libpng set for speed, png_writer.hpp) and libspng at the same settings, when built with it.
enum PngEncoder { kCairo, kLibpng, kSpng };

std::vector<unsigned char> cairoPng(cairo_surface_t* surface) {
  std::vector<unsigned char> png;
  auto append = [](void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
  };
  cairo_surface_write_to_png_stream(surface, append, &png);
  return png;
}

#ifdef ZUVO_BENCH_SPNG
// An opaque image, as RGB rows, unfiltered, at zlib level 1 (as ours).
std::vector<unsigned char> spngPng(cairo_surface_t* surface) {
  const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    unsigned char* out = rgb.data() + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x, out += 3) {
      out[0] = static_cast<unsigned char>(row[x] >> 16);
      out[1] = static_cast<unsigned char>(row[x] >> 8);
      out[2] = static_cast<unsigned char>(row[x]);
    }
  }
  spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
  spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
  spng_set_option(ctx, SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_NONE);
  spng_set_option(ctx, SPNG_IMG_COMPRESSION_LEVEL, 1);
  spng_ihdr ihdr{};
  ihdr.width = static_cast<std::uint32_t>(width);
  ihdr.height = static_cast<std::uint32_t>(height);
  ihdr.bit_depth = 8;
  ihdr.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
  spng_set_ihdr(ctx, &ihdr);
  spng_encode_image(ctx, rgb.data(), rgb.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
  std::size_t length = 0;
  int error = 0;
  auto* bytes = static_cast<unsigned char*>(spng_get_png_buffer(ctx, &length, &error));
  std::vector<unsigned char> png(bytes, bytes + (bytes ? length : 0));
  std::free(bytes);
  spng_ctx_free(ctx);
  return png;
}
#endif

void BM_PngEncode(benchmark::State& state) {
  Fixture f;
  LayoutTree tree = f.lay();
  CairoSurface surface = f.canvas(tree);
  drawOn(f, surface.get(), tree);
  const auto encoder = static_cast<PngEncoder>(state.range(0));
#ifndef ZUVO_BENCH_SPNG
  if (encoder == kSpng) {
    state.SkipWithError("built without libspng (libspng-dev)");
    return;
  }
#endif
  std::vector<unsigned char> png;
  for (auto _ : state) {
    switch (encoder) {
      case kCairo: png = cairoPng(surface.get()); break;
      case kLibpng: png = *encodePng(surface.get(), nullptr); break;
      case kSpng:
#ifdef ZUVO_BENCH_SPNG
        png = spngPng(surface.get());
#endif
        break;
    }
    benchmark::DoNotOptimize(png.data());
  }
  static const char* const names[] = {"cairo", "libpng fast", "libspng fast"};
  state.SetLabel(names[encoder]);
  state.counters["bytes"] = static_cast<double>(png.size());
}
BENCHMARK(BM_PngEncode)->Unit(benchmark::kMillisecond)->ArgName("encoder")->DenseRange(kCairo, kSpng);

}  // namespace
