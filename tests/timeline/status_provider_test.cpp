// The provider with a scripted clock and a store in a temporary container.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "timeline/status_provider.hpp"
#include "timeline/timeline_encoder.hpp"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

class Provider : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zuvo-provider-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    container_ = pattern;
  }
  void TearDown() override { fs::remove_all(container_); }

  void writeStatusFile(const std::string& content) {
    const auto file = container_ / "Library" / "Application Support" / "widget-status.json";
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
  }

  // Each clock reading gives the next of 100, 200, ...; the log records readings and file lookups
  // in the order they happen.
  StatusProvider provider() {
    auto clock = [this] {
      log_.push_back("clock");
      return Instant{100.0 * ++readings_};
    };
    StatusStore store([this] {
      log_.push_back("store");
      return std::optional<fs::path>(container_);
    });
    return StatusProvider(clock, store);
  }

  StatusEntry snapshot(bool preview) {
    std::vector<StatusEntry> answers;
    provider().getSnapshot({.isPreview = preview}, [&](StatusEntry e) { answers.push_back(e); });
    EXPECT_EQ(answers.size(), 1u);
    return answers.at(0);
  }
  host::Timeline<StatusEntry> timeline(bool preview) {
    std::vector<host::Timeline<StatusEntry>> answers;
    provider().getTimeline({.isPreview = preview}, [&](host::Timeline<StatusEntry> t) { answers.push_back(t); });
    EXPECT_EQ(answers.size(), 1u);
    return answers.at(0);
  }

  fs::path container_;
  std::vector<std::string> log_;
  int readings_ = 0;
};

const WidgetStatus kStored{.waiting = 7, .unread = 0, .weekSpend = 1.5};
const char* const kStoredJson = R"({"waiting":7,"unread":0,"weekSpend":1.5})";

TEST_F(Provider, PlaceholderIsTheSampleAndReadsNoFile) {
  writeStatusFile(kStoredJson);
  EXPECT_EQ(provider().placeholder({}), (StatusEntry{Instant{100}, WidgetStatus::sample()}));
  EXPECT_EQ(log_, std::vector<std::string>{"clock"});
}

TEST_F(Provider, SnapshotIsTheSampleInAPreviewAndTheFileOtherwise) {
  writeStatusFile(kStoredJson);
  EXPECT_EQ(snapshot(true), (StatusEntry{Instant{100}, WidgetStatus::sample()}));
  EXPECT_EQ(log_, std::vector<std::string>{"clock"});
  EXPECT_EQ(snapshot(false), (StatusEntry{Instant{200}, kStored}));
}

TEST_F(Provider, TimelineHoldsOneEntryAndReloadsAnHourAfterTheFileWasRead) {
  writeStatusFile(kStoredJson);
  for (bool preview : {false, true}) {  // a preview context reads the file all the same
    log_.clear();
    readings_ = 0;
    const auto t = timeline(preview);
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0], (StatusEntry{Instant{100}, kStored}));
    EXPECT_EQ(t.policy, host::TimelineReloadPolicy::after(Instant{3800}));
    EXPECT_EQ(log_, (std::vector<std::string>{"clock", "store", "clock"}));
  }
}

TEST_F(Provider, MissingAndUndecodableFilesBothGiveTheEmptyStatus) {
  for (const char* content : {static_cast<const char*>(nullptr), "{\"waiting\":1}", "not json"}) {
    if (content) writeStatusFile(content);
    readings_ = 0;
    EXPECT_EQ(snapshot(false).status, WidgetStatus::empty());
    readings_ = 0;
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
