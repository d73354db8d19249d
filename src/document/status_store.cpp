#include "document/status_store.hpp"

#include <system_error>

#include "document/status_decoder.hpp"
#include "host/platform/container_lookup.hpp"
#include "host/platform/whole_file_read.hpp"

namespace zuvo {

StatusStore::StatusStore() : StatusStore([] { return host::containerLocation(kAppGroupIdentifier); }) {}

StatusStore::StatusStore(ContainerLookup container) : container_(std::move(container)) {}

std::optional<std::filesystem::path> StatusStore::fileURL() const {
  auto container = container_();
  std::error_code error;
  if (!container || !std::filesystem::is_directory(*container, error)) return std::nullopt;
  return *container / kRelativePath;
}

std::optional<WidgetStatus> StatusStore::load() const {
  // Without the container there is no file to open either, so the read answers both questions
  // with one lookup fewer on every request.
  const auto container = container_();
  if (!container) return std::nullopt;
  const auto file = host::readWholeRegularFile(*container / kRelativePath, kMaxFileSize, kDecodePadding);
  if (!file) return std::nullopt;
  return decodeStatus(file->bytes(), file->buffer.size()).status;
}

}  // namespace zuvo
