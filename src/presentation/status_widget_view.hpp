#pragma once
// The one view of the status widget. The widget configuration makes one per timeline entry from
// the entry's status; the family and rendering mode are the host's drawing context. The medium
// family gets the medium layout; every other family the small layout with its tap target.
#include "document/widget_status.hpp"
#include "host/platform/clock.hpp"
#include "host/view/view.hpp"
#include "host/view/widget_family.hpp"

namespace zuvo {

struct StatusWidgetView {
  WidgetStatus status{};
  host::WidgetFamily family = host::WidgetFamily::systemSmall;
  host::WidgetRenderingMode renderingMode = host::WidgetRenderingMode::fullColor;
  // The clock the agent rows read when they are built: the system's, unless a test or a
  // reproducible picture fixes the moment.
  host::Clock clock = host::systemClock();

  host::View body() const;
};

}  // namespace zuvo
