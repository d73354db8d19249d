#pragma once
// The decisions behind FileWatch and ReloadTimer, as plain functions so that they can be checked
// without a main loop: which directory events concern a watched name, which directory to watch
// while the file's folder may not exist yet, and how long to wait for a moment on the wall clock.
#include <gio/gio.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "host/platform/instant.hpp"

namespace host {

// Whether an event of a directory monitor (watching moves) concerns the entry `watchedName` of
// that directory. `name` is the entry the event is about; `otherName` the new name of a rename
// ("" otherwise). A plain change is never enough: it fires while a writer is still writing, and
// the close that ends the write gives a changes-done hint. Creation, deletion, a rename from or to
// the name and a move into or out of the directory all count.
bool eventConcernsName(GFileMonitorEvent event, std::string_view name, std::string_view otherName,
                       std::string_view watchedName);

// What to monitor for a file: the nearest existing directory on its way, and the entry in that
// directory that leads to the file (the file's own name once its folder exists).
struct WatchTarget {
  std::filesystem::path directory;
  std::string entry;
  friend bool operator==(const WatchTarget&, const WatchTarget&) = default;
};

// `file` must be absolute. `isDirectory` tells which paths exist as directories; the root always
// counts as one.
WatchTarget watchTarget(const std::filesystem::path& file,
                        const std::function<bool(const std::filesystem::path&)>& isDirectory);

// The timer waits at most this long at a time and then reads the wall clock again: a monotonic
// timeout does not advance while the machine sleeps, and the wall clock may be set.
inline constexpr std::chrono::milliseconds kLongestWait{std::chrono::minutes(10)};

// How long to wait from `now` until `when`, rounded up to whole milliseconds, at least 0 and at
// most kLongestWait.
std::chrono::milliseconds delayUntil(Instant now, Instant when);

// How long to wait, at an event at `now` of a burst whose first event came at `first`, before
// answering the burst: `debounce` after the latest event, but never later than ten times that
// after the first, so that a writer that never stops still shows.
std::chrono::milliseconds debounceDelay(std::chrono::steady_clock::time_point first,
                                        std::chrono::steady_clock::time_point now, std::chrono::milliseconds debounce);

}  // namespace host
