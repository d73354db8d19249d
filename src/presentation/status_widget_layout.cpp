#include "presentation/status_widget_layout.hpp"

#include "host/kit/widget_canvas.hpp"
#include "presentation/palette.hpp"

namespace zuvo {

host::LayoutTree layoutStatusWidget(const StatusWidgetView& view, const host::LayoutServices& services) {
  return host::layoutWidget(view.body(), view.family, Palette::widgetBackground(), services);
}

}  // namespace zuvo
