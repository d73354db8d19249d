#include "host/platform/container_lookup.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace host {
namespace {

namespace fs = std::filesystem;

// Sets or unsets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ContainerLookup, FollowsTheXdgDataHomeRule) {
  const fs::path root = fs::temp_directory_path() / ("zuvo-lookup-" + std::to_string(::getpid()));
  const fs::path data = root / "data";
  const fs::path homeData = root / "home" / ".local" / "share";
  fs::create_directories(data / "group.x");
  fs::create_directories(homeData / "group.x");
  std::ofstream(data / "group.file") << "not a directory";

  ScopedEnv home("HOME", (root / "home").string());
  const std::tuple<std::optional<std::string>, const char*, std::optional<fs::path>> cases[] = {
      {data.string(), "group.x", data / "group.x"},   {std::nullopt, "group.x", homeData / "group.x"},
      {"", "group.x", homeData / "group.x"},          {"relative/data", "group.x", homeData / "group.x"},
      {data.string(), "group.missing", std::nullopt}, {data.string(), "group.file", std::nullopt},  // not a container
      {data.string(), "../data", std::nullopt},
  };
  for (const auto& [xdgValue, group, expected] : cases) {
    ScopedEnv xdg("XDG_DATA_HOME", xdgValue);
    EXPECT_EQ(containerURL(group), expected) << xdgValue.value_or("(unset)") << " " << group;
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace host
