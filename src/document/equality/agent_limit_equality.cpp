// Equality of agents and windows compares their names as canonically equivalent Unicode, which
// needs ICU: it lives apart from the rest of the document so that readers of the status that never
// compare two (the status commands) do not load ICU.
#include "document/agent_limit.hpp"
#include "document/equality/text_equality.hpp"

namespace zuvo {

bool operator==(const AgentLimit::Window& a, const AgentLimit::Window& b) {
  return a.used == b.used && a.resetsAt == b.resetsAt && textsEqual(a.name, b.name);
}

bool operator==(const AgentLimit& a, const AgentLimit& b) {
  return a.updatedAt == b.updatedAt && a.windows == b.windows && textsEqual(a.agent, b.agent);
}

}  // namespace zuvo
