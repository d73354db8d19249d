// Which folder events make a watched file be read again, where to watch while its folders do not
// exist yet, and how long the timers wait.
#include <gtest/gtest.h>

#include <set>

#include "host/refresh/refresh_rules.hpp"

namespace host {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

TEST(RefreshRules, EventsThatConcernTheWatchedName) {
  const std::string f = "widget-status.json";
  // Creation, deletion, the close after a write, moves in and out of the folder.
  for (auto event : {G_FILE_MONITOR_EVENT_CREATED, G_FILE_MONITOR_EVENT_DELETED, G_FILE_MONITOR_EVENT_CHANGES_DONE_HINT,
                     G_FILE_MONITOR_EVENT_MOVED_IN, G_FILE_MONITOR_EVENT_MOVED_OUT}) {
    EXPECT_TRUE(eventConcernsName(event, f, "", f)) << event;
    EXPECT_FALSE(eventConcernsName(event, "other.json", "", f)) << event;
  }
  // A rename counts from either side: an atomic replace renames a temporary file onto the name.
  EXPECT_TRUE(eventConcernsName(G_FILE_MONITOR_EVENT_RENAMED, ".widget-status.json.tmp", f, f));
  EXPECT_TRUE(eventConcernsName(G_FILE_MONITOR_EVENT_RENAMED, f, "backup.json", f));
  EXPECT_FALSE(eventConcernsName(G_FILE_MONITOR_EVENT_RENAMED, "a.tmp", "b.json", f));
  // A plain change fires mid-write; attribute changes and mounts say nothing about the content.
  for (auto event : {G_FILE_MONITOR_EVENT_CHANGED, G_FILE_MONITOR_EVENT_ATTRIBUTE_CHANGED,
                     G_FILE_MONITOR_EVENT_PRE_UNMOUNT, G_FILE_MONITOR_EVENT_UNMOUNTED})
    EXPECT_FALSE(eventConcernsName(event, f, "", f)) << event;
}

TEST(RefreshRules, WatchTargetIsTheNearestExistingFolderOnTheWay) {
  const fs::path file = "/home/u/.local/share/group/Library/Application Support/widget-status.json";
  auto existing = [](std::set<fs::path> folders) {
    return [folders](const fs::path& p) { return folders.count(p) > 0; };
  };
  EXPECT_EQ(watchTarget(file, existing({"/home/u/.local/share/group/Library/Application Support"})),
            (WatchTarget{"/home/u/.local/share/group/Library/Application Support", "widget-status.json"}));
  // The container does not exist yet: watch its parent for the container's name.
  EXPECT_EQ(watchTarget(file, existing({"/home/u/.local/share", "/home/u"})),
            (WatchTarget{"/home/u/.local/share", "group"}));
  // Nothing exists: the root.
  EXPECT_EQ(watchTarget(file, existing({})), (WatchTarget{"/", "home"}));
  EXPECT_EQ(watchTarget("/widget-status.json", existing({})), (WatchTarget{"/", "widget-status.json"}));
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
