#include "host/refresh/refresh_rules.hpp"

#include <algorithm>
#include <cmath>

#include <sys/inotify.h>

namespace host {

EventMeaning eventMeaning(std::uint32_t mask, std::string_view name, std::string_view entry) {
  if (mask & (IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) return EventMeaning::readNow;
  if (name != entry) return EventMeaning::unrelated;
  if (mask & (IN_CLOSE_WRITE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO)) return EventMeaning::readNow;
  if (mask & IN_CREATE) return EventMeaning::readWhenSettled;
  return EventMeaning::unrelated;
}

std::uint32_t levelEvents(bool filesFolder) {
  const std::uint32_t way = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                            IN_ONLYDIR | IN_EXCL_UNLINK;
  return filesFolder ? way | IN_CLOSE_WRITE : way;
}

std::vector<WatchLevel> watchLevels(const std::filesystem::path& file,
                                    const std::function<PathEntry(const std::filesystem::path&)>& inspect) {
  namespace fs = std::filesystem;
  std::vector<WatchLevel> levels;
  // The names still to walk, the next one last; `here` is an existing directory, reached through
  // directories only, so its lexical parent is its real one.
  std::vector<std::string> ahead;
  const auto push = [&ahead](const fs::path& path) {
    std::vector<std::string> names;
    for (const auto& name : path.relative_path()) names.push_back(name.string());
    ahead.insert(ahead.end(), names.rbegin(), names.rend());
  };
  push(file);
  fs::path here = file.root_path();
  int links = 0;
  while (!ahead.empty()) {
    const std::string name = std::move(ahead.back());
    ahead.pop_back();
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      here = here.parent_path();
      continue;
    }
    levels.push_back({here, name});
    const PathEntry entry = inspect(here / name);
    if (entry.kind == PathEntry::Kind::symbolicLink) {
      if (++links > kMostLinksFollowed) break;
      if (entry.linkTarget.is_absolute()) here = entry.linkTarget.root_path();
      push(entry.linkTarget);
      continue;
    }
    if (entry.kind != PathEntry::Kind::directory || ahead.empty()) break;
    here /= name;
  }
  return levels;
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
