#pragma once
// When what the widget shows for a status can change on its own, without a new status file: an
// agent row shows its most used window that has not reset, so the row can change when any
// window's reset moment passes.
#include <optional>

#include "document/instant.hpp"
#include "document/widget_status.hpp"

namespace zuvo {

// The earliest `resetsAt` strictly after `now` among the windows of all agents; none when no
// window resets after now (windows without `resetsAt` never do).
std::optional<Instant> nextChange(const WidgetStatus& status, Instant now);

}  // namespace zuvo
