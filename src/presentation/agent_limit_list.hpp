#pragma once
// One AgentLimitRow per agent, in the list's order, each identified by the agent's name; nothing
// else. The caller supplies the stack around the rows.
#include <vector>

#include "document/agent_limit.hpp"
#include "host/view/view.hpp"
#include "presentation/status_widget_view.hpp"

namespace zuvo {

struct AgentLimitList {
  const std::vector<AgentLimit>& limits;
  const StatusWidgetView& record;  // one copy shared read-only by the rows

  host::View body() const;
};

}  // namespace zuvo
