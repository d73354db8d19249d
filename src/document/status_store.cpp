#include "document/status_store.hpp"

#include <cstdlib>
#include <string>
#include <system_error>

#include "document/status_decoder.hpp"
#include "host/platform/container_lookup.hpp"
#include "host/platform/whole_file_read.hpp"

namespace zuvo {

namespace {

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
      const auto container = host::containerLocation(StatusStore::kAppGroupIdentifier);
      file_ = container ? std::optional(*container / StatusStore::kRelativePath) : std::nullopt;
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

std::optional<std::filesystem::path> StatusStore::location() const {
  if (file_) return file_;
  if (container_) {
    const auto container = container_();
    return container ? std::optional(*container / kRelativePath) : std::nullopt;
  }
  return defaultFile();
}

std::optional<std::filesystem::path> StatusStore::container() const {
  if (container_) return container_();
  return host::containerLocation(kAppGroupIdentifier);
}

std::optional<std::filesystem::path> StatusStore::fileURL() const {
  if (file_) return file_;
  auto container = this->container();
  std::error_code error;
  if (!container || !std::filesystem::is_directory(*container, error)) return std::nullopt;
  return *container / kRelativePath;
}

std::optional<WidgetStatus> StatusStore::load() const {
  // Without the container there is no file to open either, so the read answers both questions
  // with one lookup fewer on every request.
  std::optional<std::filesystem::path> named;
  if (!file_ && container_) named = location();
  const auto& file = file_ ? file_ : container_ ? named : defaultFile();
  if (!file) return std::nullopt;
  const auto bytes = host::readWholeRegularFile(*file, kMaxFileSize, kDecodePadding);
  if (!bytes) return std::nullopt;
  return decodeStatus(bytes->bytes(), bytes->buffer.size()).status;
}

}  // namespace zuvo
