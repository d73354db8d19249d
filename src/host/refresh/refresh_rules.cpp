#include "host/refresh/refresh_rules.hpp"

#include <algorithm>
#include <cmath>

namespace host {

bool eventConcernsName(GFileMonitorEvent event, std::string_view name, std::string_view otherName,
                       std::string_view watchedName) {
  switch (event) {
    case G_FILE_MONITOR_EVENT_CREATED:
    case G_FILE_MONITOR_EVENT_DELETED:
    case G_FILE_MONITOR_EVENT_CHANGES_DONE_HINT:
    case G_FILE_MONITOR_EVENT_MOVED_IN:
    case G_FILE_MONITOR_EVENT_MOVED_OUT:
      return name == watchedName;
    case G_FILE_MONITOR_EVENT_RENAMED:
    case G_FILE_MONITOR_EVENT_MOVED:  // only without watching moves; then `otherName` is known too
      return name == watchedName || otherName == watchedName;
    default:  // changed (mid-write), attribute changes, mounts
      return false;
  }
}

WatchTarget watchTarget(const std::filesystem::path& file,
                        const std::function<bool(const std::filesystem::path&)>& isDirectory) {
  WatchTarget target{file.parent_path(), file.filename().string()};
  while (target.directory != target.directory.root_path() && !isDirectory(target.directory)) {
    target.entry = target.directory.filename().string();
    target.directory = target.directory.parent_path();
  }
  return target;
}

std::chrono::milliseconds delayUntil(Instant now, Instant when) {
  const double seconds = when.secondsSinceReference - now.secondsSinceReference;
  if (!(seconds > 0)) return std::chrono::milliseconds(0);  // also NaN
  if (seconds * 1000.0 >= static_cast<double>(kLongestWait.count())) return kLongestWait;
  return std::chrono::milliseconds(static_cast<long long>(std::ceil(seconds * 1000.0)));
}

std::chrono::milliseconds debounceDelay(std::chrono::steady_clock::time_point first,
                                        std::chrono::steady_clock::time_point now, std::chrono::milliseconds debounce) {
  const auto deadline = first + debounce * 10;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
  return std::clamp(left, std::chrono::milliseconds(0), debounce);
}

}  // namespace host
