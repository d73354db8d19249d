#pragma once
// One agent of the limits panel: its name, the usage of its most used window that has not yet
// reset (read against the clock when the row is built), and a usage bar. Screen readers announce
// the row as one element, by its label only.
//
// A window whose usage percent cannot be formed (used times 100 not finite, or beyond the 64-bit
// range) still shows its name, with "—" in place of the percent, and reads "<agent> <window> usage
// not known"; its bar follows the bar's own rule for any fraction.
#include "document/agent_limit.hpp"
#include "host/view/view.hpp"
#include "presentation/status_widget_view.hpp"

namespace zuvo {

struct AgentLimitRow {
  const AgentLimit& limit;
  const StatusWidgetView& record;  // the rows read its rendering mode and clock

  host::View body() const;
};

}  // namespace zuvo
