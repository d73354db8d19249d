#include "presentation/agent_limit_list.hpp"

#include "presentation/agent_limit_row.hpp"

namespace zuvo {

host::View AgentLimitList::body() const {
  return host::ForEach(limits, [](const AgentLimit& limit) { return limit.id(); },
                       [this](const AgentLimit& limit) { return AgentLimitRow{limit, record}.body(); });
}

}  // namespace zuvo
