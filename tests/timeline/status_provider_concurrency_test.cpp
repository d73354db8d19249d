// Many threads asking one provider for timelines, snapshots and placeholders at once, as the host may.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "test_files.hpp"
#include "timeline/status_provider.hpp"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

TEST(StatusProviderConcurrency, ManyThreadsGetTheStoredStatus) {
  const TemporaryDirectory temporary;
  const fs::path container = temporary.path;
  const auto file = container / "Library" / "Application Support" / "widget-status.json";
  fs::create_directories(file.parent_path());
  std::ofstream(file) << R"({"waiting":3,"unread":5,"weekSpend":12.5,"limits":[
      {"agent":"Scribe","updatedAt":1,"windows":[{"name":"daily","used":0.42}]}]})";
  const StatusProvider provider(host::systemClock(), StatusStore([container] { return std::optional<fs::path>(container); }));
  constexpr int kThreads = 8, kRounds = 200;
  std::atomic<int> good{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < kRounds; ++i) {
        if ((i + t) % 2)
          provider.getTimeline({}, [&](host::Timeline<StatusEntry> timeline) {
            const auto& entry = timeline.entries.at(0);
            good += entry.status.waiting == 3 && timeline.policy.reloadMoment() > entry.date;
          });
        else
          provider.getSnapshot({.isPreview = i % 3 == 0},
                               [&, i](StatusEntry entry) { good += entry.status.waiting == (i % 3 == 0 ? 1 : 3); });
        good += provider.placeholder({}).status == WidgetStatus::sample();
      }
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(good, kThreads * kRounds * 2);
}

}  // namespace
}  // namespace zuvo
