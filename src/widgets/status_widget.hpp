#pragma once
// The status widget: what waits on the user, this week's privacy and spend, and the agents' usage,
// in the small and the medium family, fed by the status timeline provider.
#include "host/kit/static_configuration.hpp"
#include "host/platform/clock.hpp"
#include "host/view/view.hpp"
#include "timeline/status_entry.hpp"
#include "timeline/status_provider.hpp"

namespace zuvo {

inline constexpr const char* kStatusWidgetKind = "com.halverdyne.zuvo.mac.status";

struct StatusWidget {
  host::StaticConfiguration<StatusProvider> body() const;

  // The content step: a status view for the entry's status (its date stays behind), bound to the
  // family and rendering mode the host draws in, over the palette's widget background. The agent
  // rows read the system clock when they are built.
  static host::View content(const StatusEntry& entry);
  // The same with the clock the rows read fixed, for tests and reproducible pictures. The host lays
  // either out with host::layoutWidgetContent, the one road from a content view to a laid-out tree.
  static host::View content(const StatusEntry& entry, host::Clock clock);
};

}  // namespace zuvo
