#include "widgets/new_vantle_control.hpp"

#include "widgets/new_vantle_intent.hpp"

namespace zuvo {

host::StaticControlConfiguration NewVantleControl::body() const {
  return host::StaticControlConfiguration(kNewVantleControlKind,
                                          [] {
                                            return host::ControlWidgetButton(
                                                NewVantleIntent{}, {{"New Vantle", {}}, "square.and.pencil"});
                                          })
      .displayName({"New Vantle", {}})
      .description({"Open Zuvo's pane on a new conversation.", {}});
}

}  // namespace zuvo
