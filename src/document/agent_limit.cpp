#include "document/agent_limit.hpp"

#include <algorithm>

namespace zuvo {

std::vector<AgentLimit::Window> AgentLimit::activeWindows(Instant now) const {
  std::vector<Window> active;
  std::copy_if(windows.begin(), windows.end(), std::back_inserter(active),
               [now](const Window& w) { return w.resetMoment() > now; });
  return active;
}

std::optional<AgentLimit::Window> AgentLimit::peakWindow(Instant now) const {
  const Window* peak = nullptr;
  for (const Window& w : windows) {
    if (!(w.resetMoment() > now)) continue;
    // Only a strictly higher use replaces the choice, so the earliest of equals stays.
    if (peak == nullptr || peak->used < w.used) peak = &w;
  }
  if (peak == nullptr) return std::nullopt;
  return *peak;
}

}  // namespace zuvo
