#pragma once
// What the widget host exchanges with a timeline provider: the request context, the timeline of
// entries it gets back, and when it should ask again.
#include <concepts>
#include <functional>
#include <vector>

#include "host/platform/instant.hpp"

namespace host {

struct TimelineProviderContext {
  // True when the host shows the widget as a preview in its gallery.
  bool isPreview{};
};

// When the host asks for the next timeline. The extension uses only "no earlier than a moment";
// the host's other policies are left out until something needs them.
class TimelineReloadPolicy {
 public:
  static TimelineReloadPolicy after(Instant moment) { return TimelineReloadPolicy(moment); }
  Instant reloadMoment() const { return moment_; }
  friend bool operator==(const TimelineReloadPolicy&, const TimelineReloadPolicy&) = default;

 private:
  explicit TimelineReloadPolicy(Instant moment) : moment_(moment) {}
  Instant moment_;
};

// An entry is anything with the moment from which the host shows it.
template <class Entry>
concept TimelineEntry = std::copyable<Entry> && requires(const Entry& e) {
  { e.date } -> std::convertible_to<Instant>;
};

template <TimelineEntry Entry>
struct Timeline {
  std::vector<Entry> entries{};
  TimelineReloadPolicy policy = TimelineReloadPolicy::after(Instant{});
};

// The provider contract: each completion is called exactly once, before the call returns.
template <class Provider, class Entry>
concept TimelineProvider = TimelineEntry<Entry> &&
    requires(const Provider& p, const TimelineProviderContext& context,
             std::function<void(Entry)> entryDone, std::function<void(Timeline<Entry>)> timelineDone) {
      { p.placeholder(context) } -> std::same_as<Entry>;
      p.getSnapshot(context, entryDone);
      p.getTimeline(context, timelineDone);
    };

}  // namespace host
