#pragma once
// The layout engine: turns a view tree into a laid-out display list (layout_tree.hpp) by the
// propose-and-choose model. A parent proposes a size to each child, the child chooses its own size,
// and the parent places it. Text is looked up in the string catalog and measured through the
// TextMeasurer, each distinct text once per pass; colours are resolved against `appearance`, so a
// change of appearance is a fresh, cheap layout.
//
//   LayoutServices services{.measurer = pango, .strings = catalog, .assets = assets,
//                           .appearance = Appearance::dark()};
//   LayoutTree tree = layout(view, {170, 170}, services);
#include "host/appearance.hpp"
#include "host/asset_catalog.hpp"
#include "host/geometry.hpp"
#include "host/layout_tree.hpp"
#include "host/string_catalog.hpp"
#include "host/text_measurer.hpp"
#include "host/view.hpp"

namespace host {

struct LayoutServices {
  const TextMeasurer& measurer;
  const StringCatalog& strings;
  const AssetCatalog& assets;
  Appearance appearance = Appearance::light();
};

// Lays `view` out in the size it chooses for `proposal`, placed at the origin. Either axis of the
// proposal may be kInfinity (the view's largest size) or 0 (its smallest).
LayoutTree layout(const View& view, Size proposal, const LayoutServices& services);

}  // namespace host
