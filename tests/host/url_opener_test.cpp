#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/platform/url_opener.hpp"
#include "test_files.hpp"

namespace host {
namespace {

namespace fs = std::filesystem;

class UrlOpenerTest : public ::testing::Test {
 protected:
  // A stand-in opener that writes how many arguments it got, then each on its own line.
  std::string fakeOpener(int exitStatus) {
    fs::path script = dir_ / "fake-open";
    std::ofstream(script) << "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > '"
                          << (dir_ / "args").string() << "'\nexit " << exitStatus << "\n";
    fs::permissions(script, fs::perms::owner_all);
    return script.string();
  }

  const TemporaryDirectory temporary_;
  const fs::path& dir_ = temporary_.path;
};

TEST_F(UrlOpenerTest, PassesTheUrlVerbatimAsOneArgument) {
  for (const char* text : {"zuvo://pane/new", "zuvo://pane/x;touch$HOME'`a`'&b|c>d"}) {
    EXPECT_EQ(openOnDesktop(*Url::parse(text), fakeOpener(0)), std::nullopt) << text;
    EXPECT_EQ(readFile(dir_ / "args"), std::string("1\n") + text + "\n");
  }
}

TEST_F(UrlOpenerTest, ReportsAFailingOrMissingOpener) {
  Url url = *Url::parse("zuvo://pane/activity");
  auto failed = openOnDesktop(url, fakeOpener(3));
  ASSERT_TRUE(failed);
  EXPECT_NE(failed->find("status 3"), std::string::npos) << *failed;
  EXPECT_TRUE(openOnDesktop(url, (dir_ / "no-such-opener").string()));
}

}  // namespace
}  // namespace host
