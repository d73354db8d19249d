#pragma once
// The status widget's timeline entry: a status and the moment from which the host shows it.
#include "document/instant.hpp"
#include "document/widget_status.hpp"
#include "host/kit/timeline.hpp"

namespace zuvo {

struct StatusEntry {
  Instant date{};
  WidgetStatus status{};

  friend bool operator==(const StatusEntry&, const StatusEntry&) = default;
};
static_assert(host::TimelineEntry<StatusEntry>);

}  // namespace zuvo
