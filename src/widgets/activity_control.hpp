#pragma once
// The "Zuvo Inbox" control: one button that opens Zuvo's activity pane.
#include "host/kit/control_configuration.hpp"

namespace zuvo {

inline constexpr const char* kActivityControlKind = "com.halverdyne.zuvo.mac.activity";

struct ActivityControl {
  host::StaticControlConfiguration body() const;
};

}  // namespace zuvo
