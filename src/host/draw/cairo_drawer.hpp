#pragma once
// Draws a laid-out tree with Cairo and Pango: rectangles, capsules, text runs, tinted symbols and
// image assets, front to back in display-list order. The tree is in layout points; the drawer
// draws at whatever transformation the Cairo context has, so a window or a scaled PNG only sets it.
//
//   SvgAssetCatalog assets(resourceDirectory({.program = "my-program"}));
//   CairoDrawer drawer(assets);
//   drawer.renderToFile(tree, "widget.png", 2.0, &error, {.appearance = Appearance::dark()});
//
// Text goes through the same PangoTextLayout set-up as the measurer, so it is drawn as measured.
// A drawer holds Pango objects: use one drawer per thread.
#include <filesystem>
#include <memory>
#include <string>

#include <cairo.h>

#include "host/view/appearance.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/text/pango_text_layout.hpp"
#include "host/draw/svg_asset_catalog.hpp"

namespace host {

struct DrawOptions {
  // Colours in the tree are already resolved; the appearance only picks image variants.
  Appearance appearance = Appearance::light();
};

struct CairoSurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;

inline constexpr double kDefaultDrawScale = 2.0;

class CairoDrawer {
 public:
  explicit CairoDrawer(const SvgAssetCatalog& assets) : assets_(assets) {}

  // Draws every node of `tree` at the current transformation of `cr`, one point per user unit.
  void draw(cairo_t* cr, const LayoutTree& tree, const DrawOptions& options = {});

  // A transparent image surface of the tree's size × scale pixels (at least 1×1) with the tree drawn
  // on it; null with `error` set when the scale or the size is unusable.
  CairoSurface renderImage(const LayoutTree& tree, double scale, std::string* error, const DrawOptions& options = {});

  // By the file's extension: ".png" pixels at `scale`; ".svg" and ".pdf" vector pages in points
  // (the scale does not apply). The file appears whole or not at all (host/platform/whole_file_write.hpp).
  // False with `error` set on an unknown extension or a failed write ("cannot write x.pdf: No space
  // left on device").
  bool renderToFile(const LayoutTree& tree, const std::filesystem::path& path, double scale, std::string* error,
                    const DrawOptions& options = {});

 private:
  void drawText(cairo_t* cr, const Rect& frame, const TextRun& run);

  const SvgAssetCatalog& assets_;
  PangoTextLayout text_;
};

}  // namespace host
