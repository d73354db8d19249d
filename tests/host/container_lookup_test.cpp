#include "host/container_lookup.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>
#include <optional>
#include <string>

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
  struct Case {
    std::optional<std::string> xdg;
    const char* group;
    std::optional<fs::path> expected;
  };
  for (const auto& c : {
           Case{data.string(), "group.x", data / "group.x"},
           Case{std::nullopt, "group.x", homeData / "group.x"},
           Case{"", "group.x", homeData / "group.x"},
           Case{"relative/data", "group.x", homeData / "group.x"},
           Case{data.string(), "group.missing", std::nullopt},
           Case{data.string(), "group.file", std::nullopt},  // a file is not a container
           Case{data.string(), "../data", std::nullopt},
       }) {
    ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
    EXPECT_EQ(containerURL(c.group), c.expected) << c.xdg.value_or("(unset)") << " " << c.group;
  }
  {
    ScopedEnv noXdg("XDG_DATA_HOME", std::nullopt);
    ScopedEnv noHome("HOME", std::nullopt);
    EXPECT_EQ(containerURL("group.x"), std::nullopt);
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace host
