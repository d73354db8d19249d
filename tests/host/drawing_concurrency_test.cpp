#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "drawing_test_support.hpp"
#include "host/draw/cairo_drawer.hpp"
#include "host/text/pango_text_measurer.hpp"
#include "test_resources.hpp"

namespace host {
namespace {

// Threads with a drawer each share one measurer and one asset catalog and get what one thread alone
// gets. Text drawing is left out: glib's locking is invisible to TSan.
TEST(DrawingConcurrency, SharedMeasurerAndCatalog) {
  PangoTextMeasurer measurer;
  const TextStyle style{Font::system(13, FontWeight::medium), true};
  SvgAssetCatalog assets(builtResourceDirectory());
  std::vector<LayoutNode> nodes(2);
  nodes[0] = {.kind = LayoutKind::symbol, .frame = {4, 4, 20, 20}, .payload = SymbolRun{"lock", style.font, {0.2, 0.3, 0.6, 1}}};
  nodes[1] = {.kind = LayoutKind::image, .frame = {30, 4, 74, 19}, .payload = ImageRun{"VantleWordmark"}};
  const LayoutTree tree = drawing_test::flatTree({110, 28}, {1, 1, 1, 1}, nodes);

  struct Result { std::string pixels; std::vector<TextMeasurement> measured; };
  std::vector<std::unique_ptr<CairoDrawer>> drawers;
  for (int i = 0; i < 5; ++i) drawers.push_back(std::make_unique<CairoDrawer>(assets));
  auto run = [&](CairoDrawer* drawer, Result* out) {
    for (double width : {80.0, 50.0, 30.0}) out->measured.push_back(measurer.measure("Kept private 82%", style, width, 1));
    std::string error;
    CairoSurface s = drawer->renderImage(tree, 2, &error);
    if (!s) return;
    const auto* data = reinterpret_cast<const char*>(cairo_image_surface_get_data(s.get()));
    out->pixels.assign(data, cairo_image_surface_get_stride(s.get()) * cairo_image_surface_get_height(s.get()));
  };

  std::vector<Result> results(4);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < results.size(); ++i) threads.emplace_back(run, drawers[i].get(), &results[i]);
  for (auto& thread : threads) thread.join();
  Result alone;
  run(drawers.back().get(), &alone);
  ASSERT_FALSE(alone.pixels.empty());
  for (const auto& result : results) {
    EXPECT_TRUE(result.pixels == alone.pixels);
    ASSERT_EQ(result.measured.size(), alone.measured.size());
    for (std::size_t i = 0; i < alone.measured.size(); ++i) {
      EXPECT_EQ(result.measured[i].drawnText, alone.measured[i].drawnText);
      EXPECT_EQ(result.measured[i].size, alone.measured[i].size);
    }
  }
}

}  // namespace
}  // namespace host
