#pragma once
// The "New Vantle" control: one button that opens Zuvo on a new conversation.
#include "host/kit/control_configuration.hpp"

namespace zuvo {

inline constexpr const char* kNewVantleControlKind = "com.halverdyne.zuvo.mac.new-vantle";

struct NewVantleControl {
  host::StaticControlConfiguration body() const;
};

}  // namespace zuvo
