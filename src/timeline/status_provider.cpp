#include "timeline/status_provider.hpp"

namespace zuvo {

StatusEntry StatusProvider::placeholder(const host::TimelineProviderContext&) const {
  return StatusEntry{clock_(), WidgetStatus::sample()};
}

void StatusProvider::getSnapshot(const host::TimelineProviderContext& context,
                                 const std::function<void(StatusEntry)>& completion) const {
  const bool preview = context.isPreview;
  const Instant date = clock_();
  completion(StatusEntry{date, preview ? WidgetStatus::sample() : storedOrEmpty()});
}

void StatusProvider::getTimeline(const host::TimelineProviderContext&,
                                 const std::function<void(host::Timeline<StatusEntry>)>& completion) const {
  const Instant date = clock_();
  host::Timeline<StatusEntry> timeline;
  timeline.entries.push_back(StatusEntry{date, storedOrEmpty()});
  // A second reading: the hour counts from when the file has been read, not from the entry's date.
  timeline.policy = host::TimelineReloadPolicy::after(clock_() + kReloadInterval);
  completion(std::move(timeline));
}

}  // namespace zuvo
