// The folder watch and the reload timer on a real main loop, against a temporary folder.
#include <gtest/gtest.h>

#include <fstream>

#include "host/refresh/file_watch.hpp"
#include "host/refresh/reload_timer.hpp"

namespace host {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

// Runs the default main context for `ms` milliseconds.
void runFor(int ms) {
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  g_timeout_add(static_cast<guint>(ms), [](gpointer l) { return g_main_loop_quit(static_cast<GMainLoop*>(l)), G_SOURCE_REMOVE; }, loop);
  g_main_loop_run(loop);
  g_main_loop_unref(loop);
}

void writeAtomically(const fs::path& file, const std::string& content) {
  const auto temporary = file.parent_path() / ("." + file.filename().string() + ".tmp");
  std::ofstream(temporary, std::ios::binary | std::ios::trunc) << content;
  fs::rename(temporary, file);
}

class RefreshLoop : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zuvo-refresh-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(RefreshLoop, ABurstOfReplacesGivesOneCallAndOtherFilesNone) {
  const auto file = root_ / "status.json";
  int calls = 0;
  FileWatch watch(file, [&] { ++calls; }, milliseconds(80));
  runFor(20);
  for (int i = 0; i < 10; ++i) writeAtomically(file, std::to_string(i));
  runFor(300);
  EXPECT_EQ(calls, 1);

  std::ofstream(root_ / "other.json") << "x";  // another name in the same folder
  runFor(200);
  EXPECT_EQ(calls, 1);

  std::ofstream(file, std::ios::trunc) << "in place";  // a rewrite counts at its close
  runFor(200);
  EXPECT_EQ(calls, 2);
  fs::remove(file);
  runFor(200);
  EXPECT_EQ(calls, 3);
}

TEST_F(RefreshLoop, FoldersCreatedAfterStartAreFollowedDownAndBackUp) {
  const auto folder = root_ / "container" / "Library";
  const auto file = folder / "status.json";
  int calls = 0;
  FileWatch watch(file, [&] { ++calls; }, milliseconds(30));
  EXPECT_EQ(watch.target(), (WatchTarget{root_, "container"}));

  fs::create_directories(folder);
  writeAtomically(file, "1");
  for (int i = 0; i < 20 && watch.target().directory != folder; ++i) runFor(50);
  EXPECT_EQ(watch.target(), (WatchTarget{folder, "status.json"}));
  EXPECT_GE(calls, 1);

  const int before = calls;
  writeAtomically(file, "2");  // watched where it now lives
  runFor(100);
  EXPECT_EQ(calls, before + 1);

  fs::remove_all(root_ / "container");
  for (int i = 0; i < 20 && watch.target().directory != root_; ++i) runFor(50);
  EXPECT_EQ(watch.target(), (WatchTarget{root_, "container"}));
  EXPECT_GT(calls, before + 1);
}

TEST_F(RefreshLoop, TimerFiresOnceAtTheLatestScheduleAndNotWhenCancelled) {
  int calls = 0;
  ReloadTimer timer([&] { ++calls; });
  EXPECT_FALSE(timer.scheduled());
  timer.at(systemNow() + 10.0);
  timer.at(systemNow() + 0.15);  // replaces the first
  EXPECT_TRUE(timer.scheduled());
  runFor(20);
  EXPECT_EQ(calls, 0);
  runFor(250);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(timer.scheduled());

  timer.at(systemNow() + -5.0);  // already past: at once, from the loop
  EXPECT_EQ(calls, 1);
  runFor(20);
  EXPECT_EQ(calls, 2);

  timer.at(systemNow() + 0.03);
  timer.cancel();
  runFor(80);
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace host
