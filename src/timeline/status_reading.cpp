#include "timeline/status_reading.hpp"

#include <system_error>

#include "timeline/next_change.hpp"

namespace zuvo {

namespace {

// What the provider gives for a file that did not decode. Field by field: the empty status has no
// agents, so no name comparison (and none of the Unicode library it needs) comes into it.
bool isEmptyStatus(const WidgetStatus& status) {
  return status.waiting == 0 && status.unread == 0 && !status.weekScore && status.weekSpend == 0 && !status.limits;
}

}  // namespace

StatusReading::Look StatusReading::read() {
  Look look;
  provider_.getTimeline({}, [&](host::Timeline<StatusEntry> timeline) {
    if (!timeline.entries.empty()) look.entry = std::move(timeline.entries.front());
    look.lookAgainAt = timeline.policy.reloadMoment();
  });
  look.readAt = provider_.clock()();
  if (const auto reset = nextChange(look.entry.status, look.readAt); reset && *reset < look.lookAgainAt)
    look.lookAgainAt = *reset;
  std::error_code error;
  const auto file = watchedPath();
  if (isEmptyStatus(look.entry.status) && file && std::filesystem::is_regular_file(*file, error) &&
      rereads_ < kMostRereads) {
    ++rereads_;
    look.settled = false;
    look.lookAgainAt = look.readAt + kRereadDelay;
  } else {
    rereads_ = 0;
  }
  return look;
}

}  // namespace zuvo
