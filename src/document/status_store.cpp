#include "document/status_store.hpp"

#include <cstdlib>
#include <string>

#include "document/status_decoder.hpp"
#include "host/platform/container_lookup.hpp"
#include "host/platform/whole_file_read.hpp"

namespace zuvo {

namespace {

// The status file in a container, when there is one.
std::optional<std::filesystem::path> inContainer(const std::optional<std::filesystem::path>& container) {
  return container ? std::optional(*container / StatusStore::kRelativePath) : std::nullopt;
}

// The default status file's path (none when no data directory can be named), built once per thread
// from XDG_DATA_HOME and HOME and again only when either changes, so a request costs no path
// building and no allocation while a host or test that moves the data directory is still followed.
class DefaultFileLocation {
 public:
  const std::optional<std::filesystem::path>& file() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (!built_ || !same(dataHome_, dataHome) || !same(home_, home)) {
      dataHome_ = remember(dataHome);
      home_ = remember(home);
      file_ = inContainer(host::containerLocation(StatusStore::kAppGroupIdentifier));
      built_ = true;
    }
    return file_;
  }

 private:
  static bool same(const std::optional<std::string>& kept, const char* value) {
    return value ? kept && *kept == value : !kept;
  }
  static std::optional<std::string> remember(const char* value) {
    return value ? std::optional<std::string>(value) : std::nullopt;
  }

  bool built_ = false;
  std::optional<std::string> dataHome_, home_;
  std::optional<std::filesystem::path> file_;
};

const std::optional<std::filesystem::path>& defaultFile() {
  thread_local DefaultFileLocation location;
  return location.file();
}

}  // namespace

StatusStore::StatusStore(ContainerLookup container) : container_(std::move(container)) {}

StatusStore StatusStore::file(std::filesystem::path path) {
  StatusStore store;
  store.file_ = std::move(path);
  return store;
}

const std::optional<std::filesystem::path>& StatusStore::path(std::optional<std::filesystem::path>& built) const {
  if (file_) return file_;
  if (!container_) return defaultFile();
  built = inContainer(container_());
  return built;
}

std::optional<std::filesystem::path> StatusStore::fileURL() const {
  std::optional<std::filesystem::path> built;
  return path(built);
}

std::optional<WidgetStatus> StatusStore::load() const {
  std::optional<std::filesystem::path> built;
  const auto& file = path(built);
  if (!file) return std::nullopt;
  const auto bytes = host::readWholeRegularFile(*file, kMaxFileSize, kDecodePadding);
  if (!bytes) return std::nullopt;
  return decodeStatus(bytes->bytes(), bytes->buffer.size()).status;
}

}  // namespace zuvo
