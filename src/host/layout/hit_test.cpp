#include "host/layout/hit_test.hpp"

namespace host {

std::optional<Url> hitTest(const LayoutTree& tree, Point point) {
  // Content may overflow the laid-out view (the widget), but a point outside it is not on it.
  if (!Rect{0, 0, tree.size.width, tree.size.height}.contains(point)) return std::nullopt;
  // Pre-order puts a nested link after the link around it and a later sibling, drawn on top, after
  // an earlier one: the last link that holds the point is the one tapped.
  for (auto node = tree.nodes.rbegin(); node != tree.nodes.rend(); ++node) {
    if (const auto* link = node->as<LinkTarget>(); link && node->frame.contains(point)) return link->url;
  }
  return tree.widgetURL;
}

}  // namespace host
