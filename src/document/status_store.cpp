#include "document/status_store.hpp"

#include "document/status_decoder.hpp"
#include "host/container_lookup.hpp"
#include "host/whole_file_read.hpp"

namespace zuvo {

StatusStore::StatusStore() : StatusStore([] { return host::containerURL(kAppGroupIdentifier); }) {}

StatusStore::StatusStore(ContainerLookup container) : container_(std::move(container)) {}

std::optional<std::filesystem::path> StatusStore::fileURL() const {
  auto container = container_();
  if (!container) return std::nullopt;
  return *container / kRelativePath;
}

std::optional<WidgetStatus> StatusStore::load() const {
  const auto location = fileURL();
  if (!location) return std::nullopt;
  const auto file = host::readWholeRegularFile(*location, kMaxFileSize, kDecodePadding);
  if (!file) return std::nullopt;
  return decodeStatus(file->bytes(), file->buffer.size()).status;
}

}  // namespace zuvo
