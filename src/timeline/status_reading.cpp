#include "timeline/status_reading.hpp"

#include "timeline/next_change.hpp"

namespace zuvo {

StatusReading::Look StatusReading::read() const {
  Look look;
  provider_.getTimeline({}, [&](host::Timeline<StatusEntry> timeline) {
    if (!timeline.entries.empty()) look.entry = std::move(timeline.entries.front());
    look.lookAgainAt = timeline.policy.reloadMoment();
  });
  look.readAt = provider_.clock()();
  if (const auto reset = nextChange(look.entry.status, look.readAt); reset && *reset < look.lookAgainAt)
    look.lookAgainAt = *reset;
  return look;
}

}  // namespace zuvo
