#pragma once
// The resources that the build puts beside the test and benchmark programs: the symbols, images
// and compiled catalogs that the program ships, which the host's drawing and catalog tests use.
#include <filesystem>
#include <optional>

#include "host/resource_directory.hpp"

inline std::optional<std::filesystem::path> builtResourceDirectory() {
  return host::resourceDirectory({.program = "zuvo-widgets"});
}
