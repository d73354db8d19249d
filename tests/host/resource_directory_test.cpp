#include "host/platform/resource_directory.hpp"
#include "test_files.hpp"

#include <filesystem>

#include <gtest/gtest.h>

namespace host {
namespace {

namespace fs = std::filesystem;

TEST(ResourceDirectory, BuildTreeThenInstalledThenOverride) {
  const TemporaryDirectory temporary;
  const fs::path& root = temporary.path;
  for (const char* dir : {"build/share/some-program", "prefix/bin", "prefix/share/some-program",
                          "prefix/libexec/some-program", "prefix/libexec/other", "elsewhere"})
    fs::create_directories(root / dir);
  const std::string override = (root / "elsewhere").string();

  EXPECT_EQ(resourceDirectory(root / "build", "some-program", nullptr), root / "build/share/some-program");
  EXPECT_EQ(resourceDirectory(root / "prefix/bin", "some-program", nullptr), root / "prefix/share/some-program");
  EXPECT_EQ(resourceDirectory(root / "prefix/libexec/some-program", "some-program", nullptr),
            root / "prefix/share/some-program");
  EXPECT_EQ(resourceDirectory(root / "prefix/libexec/other", "some-program", nullptr), std::nullopt);
  EXPECT_EQ(resourceDirectory(root / "prefix/bin", "some-program", override.c_str()), root / "elsewhere");
  // An override that does not exist is passed over.
  EXPECT_EQ(resourceDirectory(root / "build", "some-program", (root / "missing").c_str()), root / "build/share/some-program");
  EXPECT_EQ(resourceDirectory(root / "elsewhere", "some-program", nullptr), std::nullopt);

  // The test program itself runs from the build root, with the program's resources beside it.
  ASSERT_TRUE(executableDirectory());
  EXPECT_TRUE(resourceDirectory({.program = "zuvo-widgets"}));
  EXPECT_FALSE(resourceDirectory({.program = "no-such-program"}));
}

}  // namespace
}  // namespace host
