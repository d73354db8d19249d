#pragma once
// The widget canvas of our host: the fixed size of each family, its rounded shape, the content
// margins and the container background that fills the whole widget behind the content.
#include "host/view/color.hpp"
#include "host/view/geometry.hpp"
#include "host/layout/layout.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/view/view.hpp"
#include "host/view/widget_family.hpp"

namespace host {

// Small 170x170, medium 364x170, large 364x382 points.
Size widgetSize(WidgetFamily family);

// The widget's shape: its rectangle with corners rounded by this radius, in every family. Whoever
// shows the widget (a window, a gallery tile) clips to it.
inline constexpr double kWidgetCornerRadius = 20;

// The host insets the content by this much on every edge.
inline constexpr double kWidgetContentMargin = 16;

// Lays `content` out in the widget's content area (the widget less its margins), centred there
// when it chooses a smaller size, over `containerBackground` filling the whole widget. The root of
// the tree is the widget's background node, with the widget's size.
LayoutTree layoutWidget(const View& content, WidgetFamily family, const Color& containerBackground,
                        const LayoutServices& services);

}  // namespace host
