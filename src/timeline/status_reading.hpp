#pragma once
// The status widget's provider as a live reader uses it (a desktop window, a status-bar stream):
// each look gives the provider's timeline entry and the moment to look again, and the reading
// names the file whose changes call for a look in between. The reader only shows and waits.
//
//   StatusReading reading(provider);
//   watch(reading.watchedPath());           // on a change: look again
//   const auto look = reading.read();        // show look.entry if settled, then wait until look.lookAgainAt
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
    // False when the file is there but gave the empty status: a read that overlapped a writer's
    // rewrite in place sees part of each document. The reader keeps what it shows and looks again
    // at lookAgainAt, soon; after kMostRereads such looks in a row the file counts as broken and
    // its empty entry is settled. (A document that is the empty status itself waits as long, and
    // shows the same.)
    bool settled = true;
  };

  static constexpr int kMostRereads = 5;
  static constexpr double kRereadDelay = 0.05;  // seconds: the rereads span about a quarter second

  explicit StatusReading(StatusProvider provider = {}) : provider_(std::move(provider)) {}

  // Asks the provider for a timeline now (one read of the status file) and takes its entry.
  Look read();

  // Where the status file is or would be, whether or not it or its folder exists yet; none when no
  // place can be named (no data folder), and then only the moments to look again remain.
  std::optional<std::filesystem::path> watchedPath() const { return provider_.store().fileURL(); }

 private:
  StatusProvider provider_;
  int rereads_ = 0;  // unsettled looks in a row
};

}  // namespace zuvo
