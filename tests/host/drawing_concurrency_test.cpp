#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "drawing_test_support.hpp"
#include "host/cairo_drawer.hpp"
#include "host/pango_text_measurer.hpp"
#include "host/resource_directory.hpp"

namespace host {
namespace {

// One measurer and one asset catalog shared by several threads, each with its own drawer: every
// thread draws the same pixels as a drawing made alone.
TEST(DrawingConcurrency, SharedMeasurerAndCatalogDrawAlike) {
  PangoTextMeasurer measurer;
  SvgAssetCatalog assets(resourceDirectory());
  auto build = [&] {
    const TextStyle style{Font::system(13, FontWeight::medium)};
    TextMeasurement m = measurer.measure("Kept private 82%", style, 80, 1);
    std::vector<LayoutNode> nodes(3);
    nodes[0].kind = LayoutKind::text;
    nodes[0].frame = {4, 4, m.size.width, m.size.height};
    nodes[0].payload = TextRun{"Kept private 82%", m.drawnText, style.font, true, {0, 0, 0, 1}, 1, m.truncated};
    nodes[1].kind = LayoutKind::symbol;
    nodes[1].frame = {4, 24, 20, 20};
    nodes[1].payload = SymbolRun{"lock", style.font, {0.2, 0.3, 0.6, 1}};
    nodes[2].kind = LayoutKind::image;
    nodes[2].frame = {30, 24, 74, 19};
    nodes[2].payload = ImageRun{"VantleWordmark"};
    return drawing_test::flatTree({110, 48}, {1, 1, 1, 1}, nodes);
  };
  auto render = [&](std::string* pixels) {
    CairoDrawer drawer(assets);
    std::string error;
    CairoSurface s = drawer.renderImage(build(), 2, &error);
    if (!s) return;
    const auto* data = reinterpret_cast<const char*>(cairo_image_surface_get_data(s.get()));
    pixels->assign(data, cairo_image_surface_get_stride(s.get()) * cairo_image_surface_get_height(s.get()));
  };

  std::vector<std::string> results(4);
  std::vector<std::thread> threads;
  for (auto& result : results) threads.emplace_back(render, &result);
  for (auto& thread : threads) thread.join();
  std::string alone;
  render(&alone);
  ASSERT_FALSE(alone.empty());
  for (const auto& result : results) EXPECT_TRUE(result == alone);
}

}  // namespace
}  // namespace host
