// The provider with a scripted clock and a store in a temporary container.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "timeline/status_provider.hpp"
#include "test_files.hpp"
#include "timeline/timeline_encoder.hpp"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

const WidgetStatus kStored{.waiting = 7, .unread = 0, .weekSpend = 1.5};

class Provider : public testing::Test {
 protected:
  void SetUp() override { write(R"({"waiting":7,"unread":0,"weekSpend":1.5})"); }

  void write(const std::string& content) {
    const auto file = container_ / "Library" / "Application Support" / "widget-status.json";
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
  }

  // Clock readings give 100, 200, ... from the start; the log records readings and file lookups in order.
  StatusProvider provider() {
    log_.clear();
    readings_ = 0;
    return StatusProvider([this] { return log_.push_back("clock"), Instant{100.0 * ++readings_}; },
                          StatusStore([this] { return log_.push_back("store"), std::optional<fs::path>(container_); }));
  }
  StatusEntry snapshot(const StatusProvider& p, bool preview) {
    std::vector<StatusEntry> answers;
    p.getSnapshot({.isPreview = preview}, [&](StatusEntry e) { answers.push_back(e); });
    EXPECT_EQ(answers.size(), 1u);
    return answers.at(0);
  }
  host::Timeline<StatusEntry> timeline(bool preview) {
    std::vector<host::Timeline<StatusEntry>> answers;
    provider().getTimeline({.isPreview = preview}, [&](host::Timeline<StatusEntry> t) { answers.push_back(t); });
    EXPECT_EQ(answers.size(), 1u);
    return answers.at(0);
  }

  TemporaryDirectory temporary_;
  const fs::path container_ = temporary_.path;
  std::vector<std::string> log_;
  int readings_ = 0;
};

TEST_F(Provider, PlaceholderAndPreviewSnapshotAreTheSampleAndReadNoFile) {
  EXPECT_EQ(provider().placeholder({}), (StatusEntry{Instant{100}, WidgetStatus::sample()}));
  EXPECT_EQ(log_, std::vector<std::string>{"clock"});
  const StatusProvider p = provider();
  EXPECT_EQ(snapshot(p, true), (StatusEntry{Instant{100}, WidgetStatus::sample()}));
  EXPECT_EQ(log_, std::vector<std::string>{"clock"});
  EXPECT_EQ(snapshot(p, false), (StatusEntry{Instant{200}, kStored}));
}

// The reload is an hour after the second clock reading, taken once the file was read.
TEST_F(Provider, TimelineHoldsOneEntryAndReloadsAnHourAfterTheFileWasRead) {
  for (bool preview : {false, true}) {  // a preview context reads the file all the same
    const auto t = timeline(preview);
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0], (StatusEntry{Instant{100}, kStored}));
    EXPECT_EQ(t.policy, host::TimelineReloadPolicy::after(Instant{3800}));
    EXPECT_EQ(log_, (std::vector<std::string>{"clock", "store", "clock"}));
  }
}

TEST_F(Provider, MissingAndUndecodableFilesBothGiveTheEmptyStatus) {
  fs::remove_all(container_ / "Library");
  for (const char* content : {static_cast<const char*>(nullptr), "{\"waiting\":1}", "not json"}) {
    if (content) write(content);
    EXPECT_EQ(snapshot(provider(), false).status, WidgetStatus::empty());
    const auto t = timeline(false);
    EXPECT_EQ(t.entries.at(0).status, WidgetStatus::empty());
    EXPECT_EQ(t.policy.reloadMoment(), Instant{3800});
  }
}

TEST(TimelineEncoding, WritesEntriesAndThePolicy) {
  const StatusEntry entry{Instant{794059200.5}, WidgetStatus::sample()};
  EXPECT_EQ(encodeEntry(entry),
            R"({"date":794059200.5,"status":{"waiting":1,"unread":2,"weekScore":0.82,"weekSpend":4.2}})");
  host::Timeline<StatusEntry> t{{entry}, host::TimelineReloadPolicy::after(Instant{794062800})};
  EXPECT_EQ(encodeTimeline(t), R"({"entries":[)" + encodeEntry(entry) + R"(],"policy":{"after":794062800}})");
}

}  // namespace
}  // namespace zuvo
