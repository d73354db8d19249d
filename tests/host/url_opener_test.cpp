// The desktop opener gets the URL as its one argument, with no shell in between, and its failures
// come back as messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/url_opener.hpp"

namespace host {
namespace {

namespace fs = std::filesystem;

class UrlOpenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zuvo-url-opener-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A stand-in opener that writes how many arguments it got, then each on its own line.
  fs::path fakeOpener(int exitStatus) {
    fs::path script = dir_ / "fake-open";
    std::ofstream(script) << "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > '"
                          << (dir_ / "args").string() << "'\nexit " << exitStatus << "\n";
    fs::permissions(script, fs::perms::owner_all);
    return script;
  }
  std::string recordedArguments() const {
    std::ifstream in(dir_ / "args");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir_;
};

TEST_F(UrlOpenerTest, PassesTheUrlVerbatimAsOneArgument) {
  for (const char* text : {"zuvo://pane/new", "zuvo://pane/x;touch$HOME'`a`'&b|c>d"}) {
    SCOPED_TRACE(text);
    Url url = *Url::parse(text);
    EXPECT_EQ(openOnDesktop(url, fakeOpener(0).string()), std::nullopt);
    EXPECT_EQ(recordedArguments(), std::string("1\n") + text + "\n");
  }
}

TEST_F(UrlOpenerTest, ReportsAFailingOrMissingOpener) {
  Url url = *Url::parse("zuvo://pane/activity");
  auto failed = openOnDesktop(url, fakeOpener(3).string());
  ASSERT_TRUE(failed);
  EXPECT_NE(failed->find("status 3"), std::string::npos) << *failed;
  EXPECT_TRUE(openOnDesktop(url, (dir_ / "no-such-opener").string()));
}

}  // namespace
}  // namespace host
