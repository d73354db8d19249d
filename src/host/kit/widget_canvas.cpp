#include "host/kit/widget_canvas.hpp"

namespace host {

Size widgetSize(WidgetFamily family) {
  switch (family) {
    case WidgetFamily::systemSmall: return {170, 170};
    case WidgetFamily::systemMedium: return {364, 170};
    case WidgetFamily::systemLarge: return {364, 382};
  }
  return {170, 170};
}

LayoutTree layoutWidget(const View& content, WidgetFamily family, const Color& containerBackground,
                        const LayoutServices& services) {
  Size widget = widgetSize(family);
  View canvas = content
                    .frame(FixedFrame{.width = widget.width - 2 * kWidgetContentMargin,
                                      .height = widget.height - 2 * kWidgetContentMargin})
                    .padding(Edges::all, kWidgetContentMargin)
                    .background(Rectangle(containerBackground));
  return layout(canvas, widget, services);
}

}  // namespace host
