// Which folder events make a watched file be read again (and which may be read at once), which
// levels of its path are watched, and how long the timers wait.
#include <gtest/gtest.h>

#include <sys/inotify.h>

#include <map>
#include <tuple>

#include "host/refresh/refresh_rules.hpp"

namespace host {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

TEST(RefreshRules, WhatAnEventMeansForTheFile) {
  const std::string f = "widget-status.json";
  using enum EventMeaning;
  const std::tuple<std::uint32_t, std::string, EventMeaning> cases[] = {
      // A rename onto or off the name (an atomic replace), a move in or out, a deletion, the close
      // after a write: a whole document, or none, to read now.
      {IN_MOVED_TO, f, readNow}, {IN_MOVED_FROM, f, readNow}, {IN_DELETE, f, readNow}, {IN_CLOSE_WRITE, f, readNow},
      // A creation waits for its writer; a modification fires mid-write; other names do not count.
      {IN_CREATE, f, readWhenSettled}, {IN_MODIFY, f, unrelated}, {IN_ATTRIB, f, unrelated},
      {IN_MOVED_TO, ".widget-status.json.tmp", unrelated}, {IN_CLOSE_WRITE, "other.json", unrelated},
      // The directory itself going, or lost events: the way may have changed.
      {IN_DELETE_SELF, "", readNow}, {IN_MOVE_SELF, "", readNow}, {IN_IGNORED, "", readNow},
      {IN_Q_OVERFLOW, "", readNow}};
  for (const auto& [mask, name, meaning] : cases) EXPECT_EQ(eventMeaning(mask, name, f), meaning) << mask << " " << name;
}

TEST(RefreshRules, EveryLevelOnTheWayIsWatchedAndLinksAreFollowed) {
  using Kind = PathEntry::Kind;
  const fs::path file = "/d/C/Library/Application Support/widget-status.json";
  struct Case {
    const char* what;
    std::map<fs::path, PathEntry> entries;  // what is not listed is missing
    std::vector<WatchLevel> levels;
  };
  const PathEntry dir{.kind = Kind::directory};
  const std::vector<WatchLevel> fullWay{{"/", "d"}, {"/d", "C"}, {"/d/C", "Library"},
      {"/d/C/Library", "Application Support"}, {"/d/C/Library/Application Support", "widget-status.json"}};
  const Case cases[] = {
      {"all there",
       {{"/d", dir}, {"/d/C", dir}, {"/d/C/Library", dir}, {"/d/C/Library/Application Support", dir},
        {"/d/C/Library/Application Support/widget-status.json", {.kind = Kind::other}}},
       fullWay},
      {"the file not yet written", {{"/d", dir}, {"/d/C", dir}, {"/d/C/Library", dir},
        {"/d/C/Library/Application Support", dir}}, fullWay},
      {"no container yet: up to its name", {{"/d", dir}}, {{"/", "d"}, {"/d", "C"}}},
      {"a file where a folder should be", {{"/d", dir}, {"/d/C", {.kind = Kind::other}}}, {{"/", "d"}, {"/d", "C"}}},
      {"a relative link on the way, then its target's way",
       {{"/d", dir}, {"/d/C", dir}, {"/d/C/Library", dir}, {"/d/C/Library/Application Support",
        {.kind = Kind::symbolicLink, .linkTarget = "../../Y"}}, {"/d/Y", dir}},
       {{"/", "d"}, {"/d", "C"}, {"/d/C", "Library"}, {"/d/C/Library", "Application Support"},
        {"/d", "Y"}, {"/d/Y", "widget-status.json"}}},
      {"the file a link to another folder's file",
       {{"/d", dir}, {"/d/C", dir}, {"/d/C/Library", dir}, {"/d/C/Library/Application Support", dir},
        {"/d/C/Library/Application Support/widget-status.json", {.kind = Kind::symbolicLink, .linkTarget = "/s/x"}},
        {"/s", dir}},
       [&] { auto way = fullWay; way.insert(way.end(), {{"/", "s"}, {"/s", "x"}}); return way; }()},
  };
  for (const Case& c : cases) {
    const auto inspect = [&](const fs::path& p) { return c.entries.count(p) ? c.entries.at(p) : PathEntry{}; };
    EXPECT_EQ(watchLevels(file, inspect), c.levels) << c.what;
  }
  // A link to itself ends the walk after as many links as the kernel follows.
  const auto loop = [](const fs::path& p) {
    return p == "/l" ? PathEntry{.kind = Kind::symbolicLink, .linkTarget = "l"} : PathEntry{};
  };
  EXPECT_EQ(watchLevels("/l", loop).size(), static_cast<std::size_t>(kMostLinksFollowed) + 1);
}

TEST(RefreshRules, DelayUntilAMomentRoundsUpAndIsBounded) {
  // 1000.0001 gives 1 ms: a timer never fires before the moment.
  const std::pair<double, milliseconds> cases[] = {{999.0, milliseconds(0)}, {1000.0, milliseconds(0)},
      {1000.0001, milliseconds(1)}, {1002.5, milliseconds(2500)}, {1000.0 + 3600.0, kLongestWait}, {1e300, kLongestWait},
      {std::numeric_limits<double>::quiet_NaN(), milliseconds(0)}};
  for (const auto& [moment, delay] : cases) EXPECT_EQ(delayUntil(Instant{1000.0}, Instant{moment}), delay) << moment;
}

TEST(RefreshRules, DebounceWaitsAfterTheLatestEventButNotForever) {
  const auto first = std::chrono::steady_clock::time_point{} + std::chrono::seconds(5);
  const milliseconds debounce(100);
  const std::pair<int, int> cases[] = {{0, 100}, {500, 100}, {950, 50}, {5000, 0}};  // latest event, then the wait
  for (const auto& [latest, wait] : cases)
    EXPECT_EQ(debounceDelay(first, first + milliseconds(latest), debounce), milliseconds(wait)) << latest;
}

}  // namespace
}  // namespace host
