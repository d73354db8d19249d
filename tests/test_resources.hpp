#pragma once
// The symbols, images and compiled catalogs that the build puts beside the test programs.
#include <filesystem>
#include <optional>

#include "host/platform/resource_directory.hpp"

inline std::optional<std::filesystem::path> builtResourceDirectory() {
  return host::resourceDirectory({.program = "zuvo-widgets"});
}
