#include "widgets/zuvo_mac_widgets.hpp"

#include "widgets/activity_control.hpp"
#include "widgets/new_vantle_control.hpp"
#include "widgets/status_widget.hpp"

namespace zuvo {

host::WidgetBundleBody ZuvoMacWidgets::body() const {
  return {StatusWidget{}.body(), NewVantleControl{}.body(), ActivityControl{}.body()};
}

}  // namespace zuvo
