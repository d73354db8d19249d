#pragma once
// Finds the status file in the shared container of the Zuvo application group, reads it whole and
// decodes it. Only reads: nothing is created, changed, locked or deleted, and nothing is kept
// between calls but the default file's path, which is built once and again only when the
// environment it is built from changes (no document or open file is kept). Every failure gives
// none, silently.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "document/widget_status.hpp"

namespace zuvo {

class StatusStore {
 public:
  static constexpr std::string_view kAppGroupIdentifier = "group.com.halverdyne.zuvo";
  static constexpr std::string_view kRelativePath = "Library/Application Support/widget-status.json";
  // A status file is a few hundred bytes; one beyond this bound is not read at all, so a runaway
  // writer cannot make every widget request allocate without limit.
  static constexpr std::size_t kMaxFileSize = std::size_t{16} << 20;

  // Where the shared container is or would be, looked up afresh on every call; none when no such
  // place can be named. It need not exist yet: a watcher watches where the file will appear.
  using ContainerLookup = std::function<std::optional<std::filesystem::path>()>;

  StatusStore() = default;  // the container of kAppGroupIdentifier, located from the environment
  explicit StatusStore(ContainerLookup container);
  // A store of one named status file in place of the container's (a file the host was handed),
  // read by the same rules.
  static StatusStore file(std::filesystem::path path);

  // Where the status file is or would be, whether or not it, its folders or its container exist yet
  // (what a watcher of the file watches); none without a container, that is when no place for one
  // can be named.
  std::optional<std::filesystem::path> fileURL() const;
  // The decoded status file, or none when it is missing, unreadable, too large, changing under the
  // read, not a regular file, or does not decode.
  std::optional<WidgetStatus> load() const;

 private:
  // The one place the file's path comes from. The default store's is kept per thread and handed out
  // by reference, so a request copies no path; `built` holds one made from a container lookup.
  const std::optional<std::filesystem::path>& path(std::optional<std::filesystem::path>& built) const;

  ContainerLookup container_;  // none: the default container
  std::optional<std::filesystem::path> file_;  // a named file, in place of any container's
};

}  // namespace zuvo
