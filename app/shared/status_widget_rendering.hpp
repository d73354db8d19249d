#pragma once
// From a widget's content view to a laid-out tree and to pixels, with the program's own text
// measurer, string catalog and assets, for render, layout, tap, the gallery and show. The layout is
// the host's content layout (host/kit/widget_content_layout.hpp), the road that the tests and the
// benchmarks take too.
//
//   StatusWidgetRenderer renderer;
//   auto tree = renderer.layout(content, {.family = WidgetFamily::systemMedium}, Appearance::dark());
//   renderer.renderToFile(tree, "widget.png", 2.0, Appearance::dark(), &error);
#include <filesystem>
#include <memory>
#include <string>

#include "host/view/appearance.hpp"
#include "host/draw/cairo_drawer.hpp"
#include "host/layout/layout.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/text/pango_text_measurer.hpp"
#include "host/view/string_catalog.hpp"
#include "host/draw/svg_asset_catalog.hpp"
#include "host/view/view.hpp"
#include "host/view/widget_environment.hpp"

class StatusWidgetRenderer {
 public:
  StatusWidgetRenderer();

  // A widget's content view (what its content step made), laid out as the host draws it.
  host::LayoutTree layout(const host::View& content, const host::WidgetEnvironment& environment,
                          const host::Appearance& appearance) const;
  // PNG at `scale`, SVG or PDF, by the file's extension. False with `error` set when it fails.
  bool renderToFile(const host::LayoutTree& tree, const std::filesystem::path& path, double scale,
                    const host::Appearance& appearance, std::string* error);

  // The same services and drawer, for views that are not the widget (the gallery sheet).
  host::LayoutServices services(const host::Appearance& appearance) const {
    return {.measurer = measurer_, .strings = *strings_, .assets = assets_, .appearance = appearance};
  }
  const host::StringCatalog& strings() const { return *strings_; }
  host::CairoDrawer& drawer() { return drawer_; }

 private:
  host::PangoTextMeasurer measurer_;
  std::unique_ptr<host::StringCatalog> strings_;
  host::SvgAssetCatalog assets_;
  host::CairoDrawer drawer_;
};
