#pragma once
// The status widget's provider as a live reader uses it (a desktop window, a status-bar stream):
// each look gives the provider's timeline entry and the moment to look again, and the reading
// names the file whose changes call for a look in between. The reader only shows and waits.
//
//   const StatusReading reading(provider);
//   watch(reading.watchedPath());           // on a change: look again
//   const auto look = reading.read();        // show look.entry, then wait until look.lookAgainAt
#include <filesystem>
#include <optional>

#include "document/instant.hpp"
#include "timeline/status_entry.hpp"
#include "timeline/status_provider.hpp"

namespace zuvo {

class StatusReading {
 public:
  struct Look {
    StatusEntry entry;
    // The clock once the file has been read: the moment the agent rows are built for.
    Instant readAt{};
    // The provider's reload moment, or the next window reset when that comes first: an agent row
    // shows its most used window that has not reset, so a reset changes the widget, not the file.
    Instant lookAgainAt{};
  };

  explicit StatusReading(StatusProvider provider = {}) : provider_(std::move(provider)) {}

  // Asks the provider for a timeline now (one read of the status file) and takes its entry.
  Look read() const;

  // Where the status file is or would be, whether or not it or its folder exists yet; none when no
  // place can be named (no data folder), and then only the moments to look again remain.
  std::optional<std::filesystem::path> watchedPath() const { return provider_.store().fileURL(); }

 private:
  StatusProvider provider_;
};

}  // namespace zuvo
