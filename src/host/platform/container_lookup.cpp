#include "host/platform/container_lookup.hpp"

#include <cstdlib>

namespace host {
namespace {

std::optional<std::filesystem::path> absoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0' || *value != '/') return std::nullopt;
  return std::filesystem::path(value);
}

}  // namespace

std::optional<std::filesystem::path> containerLocation(std::string_view groupIdentifier) {
  // An identifier that could climb out of the data directory names no container.
  if (groupIdentifier.empty() || groupIdentifier == "." || groupIdentifier == ".." ||
      groupIdentifier.find('/') != std::string_view::npos) {
    return std::nullopt;
  }
  auto dataHome = absoluteFromEnvironment("XDG_DATA_HOME");
  if (!dataHome) {
    auto home = absoluteFromEnvironment("HOME");
    if (!home) return std::nullopt;
    dataHome = *home / ".local" / "share";
  }
  return *dataHome / groupIdentifier;
}

}  // namespace host
