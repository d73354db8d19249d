#pragma once
// How the host lays out what a widget's content step made: the widget environment goes to the
// readers inside, and the container background of the content's outermost view fills the widget.
#include "host/view/color.hpp"
#include "host/layout/layout.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/view/view.hpp"
#include "host/view/widget_environment.hpp"

namespace host {

// What fills a widget whose content sets no container background: the desktop's window colour.
const Color& defaultContainerBackground();

// The container background that `content` asks for with the widget placement, if its outermost
// view (under environment modifiers) is one.
std::optional<Color> widgetContainerBackground(const View& content);

// Lays `content` out on the widget canvas of `environment.family` (widget_canvas.hpp), over its
// container background or the default one, with `environment` for its readers.
LayoutTree layoutWidgetContent(const View& content, const WidgetEnvironment& environment,
                               const LayoutServices& services);

}  // namespace host
