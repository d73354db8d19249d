#include "host/platform/container_lookup.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>


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

  ScopedVariable home("HOME", (root / "home").string());
  const std::tuple<std::optional<std::string>, const char*, std::optional<fs::path>> cases[] = {
      {data.string(), "group.x", data / "group.x"},   {std::nullopt, "group.x", homeData / "group.x"},
      {"", "group.x", homeData / "group.x"},          {"relative/data", "group.x", homeData / "group.x"},
      {data.string(), "group.missing", data / "group.missing"},  // not created yet: still the place
      {data.string(), "../data", std::nullopt},       {data.string(), "..", std::nullopt},
      {data.string(), "", std::nullopt},
  };
  for (const auto& [xdgValue, group, expected] : cases) {
    ScopedVariable xdg("XDG_DATA_HOME", xdgValue);
    EXPECT_EQ(containerLocation(group), expected) << xdgValue.value_or("(unset)") << " " << group;
  }
}

}  // namespace
}  // namespace host
