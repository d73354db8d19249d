#pragma once
// Answers the widget host's placeholder, snapshot and timeline requests for the status widget.
// Keeps nothing between requests: every snapshot outside a preview and every timeline reads the
// status file anew, synchronously on the calling thread, and calls its completion exactly once
// before returning. Any thread may call it, also several at once.
#include <functional>

#include "document/status_store.hpp"
#include "host/platform/clock.hpp"
#include "host/kit/timeline.hpp"
#include "timeline/status_entry.hpp"

namespace zuvo {

class StatusProvider {
 public:
  // How long the host waits before asking for the next timeline.
  static constexpr double kReloadInterval = 3600.0;

  StatusProvider() = default;  // the system clock and the status file of the shared container
  // The clock and the store are fixed at construction and only ever read; tests pass their own.
  StatusProvider(host::Clock clock, StatusStore store) : clock_(std::move(clock)), store_(std::move(store)) {}

  // The sample status, stamped now; reads no file.
  StatusEntry placeholder(const host::TimelineProviderContext& context) const;
  // The sample status in a gallery preview, otherwise the status file (or the empty status).
  void getSnapshot(const host::TimelineProviderContext& context,
                   const std::function<void(StatusEntry)>& completion) const;
  // One entry with the status file (or the empty status), dated before the file is read, and a
  // reload an hour after a second clock reading taken once the file has been read.
  void getTimeline(const host::TimelineProviderContext& context,
                   const std::function<void(host::Timeline<StatusEntry>)>& completion) const;

  // The store it reads: where the status file is, for a host that watches it.
  const StatusStore& store() const { return store_; }
  // The clock it dates entries by, for a host that reads the time alongside its answers.
  const host::Clock& clock() const { return clock_; }

 private:
  WidgetStatus storedOrEmpty() const { return store_.load().value_or(WidgetStatus::empty()); }

  host::Clock clock_ = host::systemClock();
  StatusStore store_;
};
static_assert(host::TimelineProvider<StatusProvider, StatusEntry>);

}  // namespace zuvo
