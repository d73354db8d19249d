#pragma once
// The decisions behind FileWatch and ReloadTimer, as plain functions so that they can be checked
// without a main loop: what a directory's events mean for the file, which folders lie on the way
// to the file (symbolic links followed), and how long to wait for a moment on the wall clock.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/platform/instant.hpp"

namespace host {

// What a kernel event (inotify) on one watched directory means for the file: nothing; read now,
// since the file holds a whole document or none (renamed or moved onto or off the name, closed
// after a write, deleted) or the way to it changed (the directory itself went, events were lost);
// or read once the burst settles (the entry was created: its writer has yet to write). A plain
// modification is never enough: it fires while a writer is still writing. `name` is the entry the
// event is about ("" for the directory itself); `entry` the one the level leads on through.
enum class EventMeaning { unrelated, readNow, readWhenSettled };
EventMeaning eventMeaning(std::uint32_t mask, std::string_view name, std::string_view entry);

// The events each level asks the kernel for: changes of its entries' names, and of the directory
// itself; in the file's own folder also the close after a write.
std::uint32_t levelEvents(bool filesFolder);

// What one entry on the way to the file is, as far as following the path needs.
struct PathEntry {
  enum class Kind { missing, directory, symbolicLink, other };
  Kind kind = Kind::missing;
  std::filesystem::path linkTarget{};  // of a symbolic link, as written in it
};

// One level of the way to the file: an existing directory, and the entry in it that leads on.
struct WatchLevel {
  std::filesystem::path directory;
  std::string entry;
  friend bool operator==(const WatchLevel&, const WatchLevel&) = default;
};

// A path is followed through at most this many symbolic links, as the kernel does.
inline constexpr int kMostLinksFollowed = 40;

// Every level from the root down to the file, following symbolic links to their targets: the link's
// own folder stays a level (retargeting renames over the link there), then the target's way is
// walked from where the link points. The walk ends at the file, at the first entry that does not
// exist or is not a directory, or after kMostLinksFollowed links. `file` must be absolute;
// `inspect` tells what an entry is without following it (lstat).
std::vector<WatchLevel> watchLevels(const std::filesystem::path& file,
                                    const std::function<PathEntry(const std::filesystem::path&)>& inspect);

// The timer waits at most this long at a time and then reads the wall clock again: a monotonic
// timeout does not advance while the machine sleeps, and the wall clock may be set.
inline constexpr std::chrono::milliseconds kLongestWait{std::chrono::minutes(10)};

// How long to wait from `now` until `when`, rounded up to whole milliseconds, at least 0 and at
// most kLongestWait.
std::chrono::milliseconds delayUntil(Instant now, Instant when);

// How long to wait, at an event at `now` of a burst whose first event came at `first`, before
// reading what the rest of the burst left: `debounce` after the latest event, but never later
// than ten times that after the first, so that a writer that never stops still shows.
std::chrono::milliseconds debounceDelay(std::chrono::steady_clock::time_point first,
                                        std::chrono::steady_clock::time_point now, std::chrono::milliseconds debounce);

}  // namespace host
