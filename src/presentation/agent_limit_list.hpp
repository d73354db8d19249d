#pragma once
// The agent rows, in the list's order, each identified by the agent's name, in a column (leading,
// spacing 6) that shows the leading rows that fit whole in the height the layout leaves it. When
// some do not fit, the last line is a summary, "+N more" (read "N more agents"), as high as a
// row's header; rows that are not shown are never built.
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

// The summary line standing for `hidden` agents that do not fit.
host::View agentOverflowSummary(std::size_t hidden);

}  // namespace zuvo
