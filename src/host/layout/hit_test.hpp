#pragma once
// Where a tap on a laid-out widget leads.
#include <optional>

#include "host/view/geometry.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/platform/url.hpp"

namespace host {

// The URL of the innermost link whose frame holds `point` (of overlapping links, the one drawn on
// top), else the widget-wide URL, else none; none for a point outside the widget.
std::optional<Url> hitTest(const LayoutTree& tree, Point point);

}  // namespace host
