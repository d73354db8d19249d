// Strokes kept inside their frame, names and frames that draw nothing, and the output files.
#include "host/draw/cairo_drawer.hpp"

#include <fstream>

#include <gtest/gtest.h>

#include "drawing_test_support.hpp"
#include "test_files.hpp"
#include "test_resources.hpp"

namespace host {
namespace {

using drawing_test::Pixel, drawing_test::pixelAt;
namespace fs = std::filesystem;

const Rgba kWhite{1, 1, 1, 1};
const Pixel kWhitePixel{255, 255, 255, 255};

LayoutNode node(LayoutKind kind, Rect frame, LayoutPayload payload) {
  return {.kind = kind, .frame = frame, .payload = std::move(payload)};
}

TEST(Drawing, StrokesStayInsideAndUnknownNamesAndEmptyFramesDrawNothing) {
  SvgAssetCatalog assets{builtResourceDirectory()};
  CairoDrawer drawer{assets};
  const Rgba green = Rgba::fromBytes(0, 160, 0);
  const Rect stroked{100, 10, 40, 20};
  LayoutTree tree = drawing_test::flatTree(
      {150, 35}, kWhite,
      {node(LayoutKind::symbol, {5, 5, 24, 24}, SymbolRun{"checkmark.circle", Font::system(22), green}),
       node(LayoutKind::symbol, {35, 5, 24, 24}, SymbolRun{"no.such.symbol", Font::system(22), green}),
       node(LayoutKind::symbol, {0, 0, 4, 4}, SymbolRun{"../symbols/lock", Font::system(22), green}),
       node(LayoutKind::image, {65, 5, 24, 24}, ImageRun{"NoSuchImage"}),
       // A known image squeezed to nothing by its stack draws nothing, not its artwork's own size.
       node(LayoutKind::image, {40, 10, 0, 0}, ImageRun{"VantleWordmark"}),
       node(LayoutKind::capsule, stroked, CapsuleShape{.stroke = Rgba::fromBytes(0, 0, 255), .lineWidth = 4})});
  std::string error;
  CairoSurface s = drawer.renderImage(tree, 2, &error);
  ASSERT_TRUE(s) << error;
  EXPECT_EQ(pixelAt(s.get(), 2 * (5 + 12), 15), (Pixel{0, 160, 0, 255}));  // the ring at the top, tinted
  EXPECT_EQ(pixelAt(s.get(), 240, 24), (Pixel{0, 0, 255, 255}));           // the stroke's middle, 2 inside the top
  EXPECT_EQ(pixelAt(s.get(), 240, 40), kWhitePixel);                       // not filled inside
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 300; ++x)
      if ((x < 8 && y < 8) || (x >= 70 && x < 190) || (x >= 190 && !stroked.contains({x / 2.0, y / 2.0}))) {
        EXPECT_EQ(pixelAt(s.get(), x, y), kWhitePixel) << x << "," << y;
      }
}

TEST(Drawing, FilesByExtension) {
  SvgAssetCatalog assets{builtResourceDirectory()};
  CairoDrawer drawer{assets};
  LayoutTree tree = drawing_test::flatTree({30, 20}, kWhite,
                                           {node(LayoutKind::capsule, {2, 2, 26, 16}, CapsuleShape{.fill = Rgba{1, 0, 0, 1}})});
  const TemporaryDirectory temporary;
  const fs::path& dir = temporary.path;
  std::string error;
  ASSERT_TRUE(drawer.renderToFile(tree, dir / "w.png", 3, &error)) << error;
  cairo_surface_t* png = cairo_image_surface_create_from_png((dir / "w.png").c_str());
  EXPECT_EQ(cairo_image_surface_get_width(png), 90);
  EXPECT_EQ(cairo_image_surface_get_height(png), 60);
  cairo_surface_destroy(png);
  // A symbol in an SVG file stays vector: its own strokes, in the tint, and no embedded picture.
  LayoutTree symbol = drawing_test::flatTree(
      {30, 30}, kWhite, {node(LayoutKind::symbol, {3, 3, 24, 24}, SymbolRun{"checkmark.circle", Font::system(22), Rgba{0, 1, 0, 1}})});
  ASSERT_TRUE(drawer.renderToFile(symbol, dir / "symbol.svg", 1, &error)) << error;
  const std::string svg = readFile(dir / "symbol.svg");
  EXPECT_NE(svg.find("stroke:rgb(0%,100%,0%)"), std::string::npos);
  EXPECT_EQ(svg.find("<image"), std::string::npos);
  EXPECT_FALSE(drawer.renderToFile(tree, dir / "w.bmp", 2, &error));
  EXPECT_NE(error.find(".bmp"), std::string::npos);
  EXPECT_FALSE(drawer.renderToFile(tree, dir / "w.png", 0, &error));
  EXPECT_FALSE(drawer.renderToFile(tree, dir / "missing" / "w.svg", 2, &error));
}

}  // namespace
}  // namespace host
