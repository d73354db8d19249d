#include "presentation/status_widget_view.hpp"

#include "presentation/medium_status_layout.hpp"
#include "presentation/small_status_layout.hpp"

namespace zuvo {

host::View StatusWidgetView::body() const {
  if (family == host::WidgetFamily::systemMedium)
    return host::HStack({.alignment = host::VerticalAlignment::center, .spacing = 16},
                        MediumStatusLayout{*this}.columns());
  return SmallStatusLayout{*this}.body();
}

}  // namespace zuvo
