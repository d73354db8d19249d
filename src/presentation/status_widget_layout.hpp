#pragma once
// The status widget laid out as the host draws it: the view's content in the widget's content
// area, over the palette's widget background filling the whole widget. One road from a status to
// a laid-out tree, for the commands, the gallery, tests and benchmarks alike.
#include "host/layout/layout.hpp"
#include "host/layout/layout_tree.hpp"
#include "presentation/status_widget_view.hpp"

namespace zuvo {

host::LayoutTree layoutStatusWidget(const StatusWidgetView& view, const host::LayoutServices& services);

}  // namespace zuvo
