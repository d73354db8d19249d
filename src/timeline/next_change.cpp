#include "timeline/next_change.hpp"

namespace zuvo {

std::optional<Instant> nextChange(const WidgetStatus& status, Instant now) {
  std::optional<Instant> earliest;
  if (!status.limits) return earliest;
  for (const auto& limit : *status.limits)
    for (const auto& window : limit.windows)
      if (window.resetsAt && *window.resetsAt > now && (!earliest || *window.resetsAt < *earliest))
        earliest = window.resetsAt;
  return earliest;
}

}  // namespace zuvo
