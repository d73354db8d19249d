#include "test_resources.hpp"
#include "host/cairo_drawer.hpp"

#include <fstream>

#include <gtest/gtest.h>

#include "drawing_test_support.hpp"
#include "host/pango_text_measurer.hpp"
#include "host/resource_directory.hpp"

namespace host {
namespace {

using drawing_test::flatTree;
using drawing_test::Pixel;
using drawing_test::pixelAt;
namespace fs = std::filesystem;

const Rgba kWhite{1, 1, 1, 1};
const Rgba kRed = Rgba::fromBytes(255, 0, 0);
const Rgba kBlue = Rgba::fromBytes(0, 0, 255);
const Rgba kGreen = Rgba::fromBytes(0, 160, 0);
const Pixel kWhitePixel{255, 255, 255, 255};

LayoutNode node(LayoutKind kind, Rect frame, LayoutPayload payload) {
  LayoutNode n;
  n.kind = kind;
  n.frame = frame;
  n.payload = std::move(payload);
  return n;
}

class Drawing : public ::testing::Test {
 protected:
  SvgAssetCatalog assets{builtResourceDirectory()};
  CairoDrawer drawer{assets};

  // Every pixel of a rectangle in points, at scale 2.
  template <class F>
  void forEachPixel(cairo_surface_t* s, Rect r, F f) {
    for (int y = static_cast<int>(r.y * 2); y < static_cast<int>(r.maxY() * 2); ++y)
      for (int x = static_cast<int>(r.x * 2); x < static_cast<int>(r.maxX() * 2); ++x) f(pixelAt(s, x, y), x, y);
  }
};

TEST_F(Drawing, CapsulesFillAndStrokeInsideTheirBounds) {
  const Rect filled{10, 10, 40, 20}, stroked{60, 10, 40, 20};
  LayoutTree tree = flatTree({110, 40}, kWhite,
                             {node(LayoutKind::capsule, filled, CapsuleShape{.fill = kRed}),
                              node(LayoutKind::capsule, stroked, CapsuleShape{.stroke = kBlue, .lineWidth = 4})});
  std::string error;
  CairoSurface s = drawer.renderImage(tree, 2, &error);
  ASSERT_TRUE(s) << error;
  ASSERT_EQ(cairo_image_surface_get_width(s.get()), 220);
  ASSERT_EQ(cairo_image_surface_get_height(s.get()), 80);

  EXPECT_EQ(pixelAt(s.get(), 60, 40), (Pixel{255, 0, 0, 255}));   // fill at the centre
  EXPECT_EQ(pixelAt(s.get(), 21, 21), kWhitePixel);               // a corner is cut round
  EXPECT_EQ(pixelAt(s.get(), 160, 24), (Pixel{0, 0, 255, 255}));  // the stroke's middle, 2 inside the top
  EXPECT_EQ(pixelAt(s.get(), 160, 40), kWhitePixel);              // not filled inside
  // Nothing of the stroke outside the frame.
  forEachPixel(s.get(), {55, 5, 50, 30}, [&](Pixel p, int x, int y) {
    if (!stroked.contains({x / 2.0, y / 2.0})) {
      EXPECT_EQ(p, kWhitePixel) << x << "," << y;
    }
  });
}

// Drawn straight on an image (rasters cached per pixel size), and through a recording surface as on
// SVG and PDF pages (the artwork stays vector), then replayed.
CairoSurface viaRecording(CairoDrawer& drawer, const LayoutTree& tree) {
  cairo_rectangle_t extents{0, 0, tree.size.width, tree.size.height};
  cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
  cairo_t* cr = cairo_create(recording);
  drawer.draw(cr, tree);
  cairo_destroy(cr);
  CairoSurface image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(tree.size.width * 2),
                                                static_cast<int>(tree.size.height * 2)));
  cr = cairo_create(image.get());
  cairo_scale(cr, 2, 2);
  cairo_set_source_surface(cr, recording, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(recording);
  cairo_surface_flush(image.get());
  return image;
}

TEST_F(Drawing, SymbolsAreTintedAndUnknownNamesAndEmptyFramesDrawNothing) {
  const Rect known{5, 5, 24, 24}, unknownSymbol{35, 5, 24, 24}, unknownImage{65, 5, 24, 24};
  LayoutTree tree = flatTree(
      {95, 35}, kWhite,
      {node(LayoutKind::symbol, known, SymbolRun{"checkmark.circle", Font::system(22), kGreen}),
       node(LayoutKind::symbol, unknownSymbol, SymbolRun{"no.such.symbol", Font::system(22), kGreen}),
       node(LayoutKind::symbol, {0, 0, 4, 4}, SymbolRun{"../symbols/lock", Font::system(22), kGreen}),
       node(LayoutKind::image, unknownImage, ImageRun{"NoSuchImage"}),
       // A known image squeezed to nothing by its stack draws nothing, not its artwork's own size.
       node(LayoutKind::image, {40, 10, 0, 0}, ImageRun{"VantleWordmark"})});
  EXPECT_EQ(assets.imageSize("NoSuchImage"), std::nullopt);
  std::string error;
  for (bool vector : {false, true}) {
    SCOPED_TRACE(vector ? "vector" : "image");
    CairoSurface s = vector ? viaRecording(drawer, tree) : drawer.renderImage(tree, 2, &error);
    ASSERT_TRUE(s) << error;
    int tinted = 0;
    forEachPixel(s.get(), known, [&](Pixel p, int, int) {
      if (p == kWhitePixel) return;
      ++tinted;
      // Green over white: red and blue move together, green stays on top.
      EXPECT_EQ(p.r, p.b);
      EXPECT_GE(p.g, p.r);
    });
    EXPECT_GT(tinted, 200);
    EXPECT_EQ(pixelAt(s.get(), 2 * (5 + 12), 15), (Pixel{0, 160, 0, 255}));  // the ring at the top
    forEachPixel(s.get(), {35, 0, 60, 35}, [&](Pixel p, int x, int y) { EXPECT_EQ(p, kWhitePixel) << x << "," << y; });
    forEachPixel(s.get(), {0, 0, 4, 4}, [&](Pixel p, int x, int y) { EXPECT_EQ(p, kWhitePixel) << x << "," << y; });
  }
}

TEST_F(Drawing, TextStaysInsideItsMeasuredFrame) {
  PangoTextMeasurer measurer;
  const TextStyle style{Font::system(12)};
  const char* text = "Approvals wait on you in the Inbox today";
  std::vector<LayoutNode> nodes;
  double y = 4;
  for (std::optional<int> limit : {std::optional<int>(1), std::optional<int>()}) {
    TextMeasurement m = measurer.measure(text, style, 70, limit);
    nodes.push_back(node(LayoutKind::text, {4, y, m.size.width, m.size.height},
                         TextRun{text, m.drawnText, style.font, false, kBlue, limit, m.truncated, m.lineCount,
                                 m.baseline}));
    y += m.size.height + 6;
  }
  LayoutTree tree = flatTree({80, y}, kWhite, nodes);
  std::string error;
  CairoSurface s = drawer.renderImage(tree, 2, &error);
  ASSERT_TRUE(s) << error;
  int ink = 0;
  forEachPixel(s.get(), {0, 0, 80, y}, [&](Pixel p, int x, int py) {
    if (p == kWhitePixel) return;
    ++ink;
    EXPECT_EQ(p.r, p.g);  // blue ink only
    const Point at{x / 2.0, py / 2.0};
    bool inside = false;
    for (const LayoutNode& n : nodes)
      inside = inside || Rect{n.frame.x - 1, n.frame.y - 1, n.frame.width + 2, n.frame.height + 2}.contains(at);
    EXPECT_TRUE(inside) << x << "," << py;
  });
  EXPECT_GT(ink, 500);
}

TEST_F(Drawing, FilesByExtension) {
  LayoutTree tree = flatTree({30, 20}, kWhite, {node(LayoutKind::capsule, {2, 2, 26, 16}, CapsuleShape{.fill = kRed})});
  const fs::path dir = fs::temp_directory_path() / ("zuvo-drawing-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string error;
  for (double scale : {1.0, 2.0, 3.0}) {
    ASSERT_TRUE(drawer.renderToFile(tree, dir / "w.png", scale, &error)) << error;
    cairo_surface_t* png = cairo_image_surface_create_from_png((dir / "w.png").c_str());
    EXPECT_EQ(cairo_image_surface_get_width(png), 30 * scale);
    EXPECT_EQ(cairo_image_surface_get_height(png), 20 * scale);
    cairo_surface_destroy(png);
  }
  auto head = [](const fs::path& p) {
    std::ifstream in(p);
    std::string s(5, '\0');
    in.read(s.data(), 5);
    return s;
  };
  ASSERT_TRUE(drawer.renderToFile(tree, dir / "w.svg", 2, &error)) << error;
  EXPECT_EQ(head(dir / "w.svg"), "<?xml");
  ASSERT_TRUE(drawer.renderToFile(tree, dir / "w.PDF", 2, &error)) << error;
  EXPECT_EQ(head(dir / "w.PDF"), "%PDF-");

  EXPECT_FALSE(drawer.renderToFile(tree, dir / "w.bmp", 2, &error));
  EXPECT_NE(error.find(".bmp"), std::string::npos);
  EXPECT_FALSE(drawer.renderToFile(tree, dir / "w.png", 0, &error));
  EXPECT_FALSE(drawer.renderToFile(tree, dir / "missing" / "w.png", 2, &error));
  EXPECT_FALSE(drawer.renderToFile(tree, dir / "missing" / "w.svg", 2, &error));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace host
