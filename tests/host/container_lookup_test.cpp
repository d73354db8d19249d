#include "host/platform/container_lookup.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace host {
namespace {

namespace fs = std::filesystem;

TEST(ContainerLookup, FollowsTheXdgDataHomeRule) {
  const TemporaryDirectory temporary;
  const fs::path& root = temporary.path;
  const fs::path data = root / "data";
  const fs::path homeData = root / "home" / ".local" / "share";
  fs::create_directories(data / "group.x");
  fs::create_directories(homeData / "group.x");
  std::ofstream(data / "group.file") << "not a directory";

  ScopedVariable home("HOME", (root / "home").string());
  const std::tuple<std::optional<std::string>, const char*, std::optional<fs::path>> cases[] = {
      {data.string(), "group.x", data / "group.x"},   {std::nullopt, "group.x", homeData / "group.x"},
      {"", "group.x", homeData / "group.x"},          {"relative/data", "group.x", homeData / "group.x"},
      {data.string(), "group.missing", std::nullopt}, {data.string(), "group.file", std::nullopt},  // not a container
      {data.string(), "../data", std::nullopt},
  };
  for (const auto& [xdgValue, group, expected] : cases) {
    ScopedVariable xdg("XDG_DATA_HOME", xdgValue);
    EXPECT_EQ(containerURL(group), expected) << xdgValue.value_or("(unset)") << " " << group;
  }
}

}  // namespace
}  // namespace host
