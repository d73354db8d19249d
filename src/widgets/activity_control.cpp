#include "widgets/activity_control.hpp"

#include "widgets/open_activity_intent.hpp"

namespace zuvo {

host::StaticControlConfiguration ActivityControl::body() const {
  return host::StaticControlConfiguration(
             kActivityControlKind,
             [] { return host::ControlWidgetButton(OpenActivityIntent{}, {{"Zuvo Inbox", {}}, "tray"}); })
      .displayName({"Zuvo Inbox", {}})
      .description({"Approvals waiting on you and Zuvo's messages.", {}});
}

}  // namespace zuvo
