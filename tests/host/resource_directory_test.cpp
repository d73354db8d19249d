#include "host/resource_directory.hpp"

#include <filesystem>

#include <gtest/gtest.h>

namespace host {
namespace {

namespace fs = std::filesystem;

TEST(ResourceDirectory, BuildTreeThenInstalledThenOverride) {
  const fs::path root = fs::temp_directory_path() / ("zuvo-resources-" + std::to_string(::getpid()));
  fs::create_directories(root / "build/share/zuvo-widgets");
  fs::create_directories(root / "prefix/bin");
  fs::create_directories(root / "prefix/share/zuvo-widgets");
  fs::create_directories(root / "elsewhere");
  const std::string override = (root / "elsewhere").string();

  EXPECT_EQ(resourceDirectory(root / "build", nullptr), root / "build/share/zuvo-widgets");
  EXPECT_EQ(resourceDirectory(root / "prefix/bin", nullptr), root / "prefix/share/zuvo-widgets");
  EXPECT_EQ(resourceDirectory(root / "prefix/bin", override.c_str()), root / "elsewhere");
  EXPECT_EQ(resourceDirectory(root / "prefix/bin", ""), root / "prefix/share/zuvo-widgets");
  // An override that does not exist is passed over.
  EXPECT_EQ(resourceDirectory(root / "build", (root / "missing").c_str()), root / "build/share/zuvo-widgets");
  EXPECT_EQ(resourceDirectory(root / "elsewhere", nullptr), std::nullopt);
  EXPECT_EQ(resourceDirectory({}, nullptr), std::nullopt);
  fs::remove_all(root);

  // The test program itself runs from the build root, with its resources beside it.
  ASSERT_TRUE(executableDirectory());
  EXPECT_TRUE(resourceDirectory());
}

}  // namespace
}  // namespace host
