#pragma once
// How the host draws a control's button: its label (symbol and title) on a capsule in the
// desktop's control colours, which follow the light and dark appearance.
#include "host/kit/control_configuration.hpp"
#include "host/view/view.hpp"

namespace host {

View controlButtonView(const ControlWidgetButton& button);

}  // namespace host
