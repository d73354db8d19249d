// The folder watch and the reload timer on a real main loop, against a temporary folder. (Bursts,
// rewrites and deletions are exercised through the watch program's tests.)
#include <gtest/gtest.h>

#include <fstream>

#include "host/refresh/file_watch.hpp"
#include "host/refresh/reload_timer.hpp"
#include "test_files.hpp"

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

TEST(RefreshLoop, FoldersCreatedAfterStartAreFollowedDownAndBackUp) {
  const TemporaryDirectory temporary;
  const fs::path root_ = temporary.path;
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

TEST(RefreshLoop, TimerFiresOnceAtTheLatestScheduleAndNotWhenCancelledOrDestroyed) {
  int calls = 0;
  ReloadTimer timer([&] { ++calls; });
  EXPECT_FALSE(timer.scheduled());
  timer.at(systemNow() + 0.05);
  timer.at(systemNow() + 0.3);  // replaces the first: the earlier moment must not fire
  EXPECT_TRUE(timer.scheduled());
  runFor(150);
  EXPECT_EQ(calls, 0);
  runFor(350);
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

  {  // destroyed while scheduled, twice over: no timeout may reach it afterwards
    ReloadTimer gone([&] { ++calls; });
    gone.at(systemNow() + 0.03);
    gone.at(systemNow() + 0.04);
  }
  runFor(80);
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace host
