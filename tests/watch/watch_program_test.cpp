// The watch program as a status bar runs it: lines on its output as the status file changes.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "document/status_decoder.hpp"
#include "document/status_encoder.hpp"
#include "host/platform/clock.hpp"
#include "test_files.hpp"
#include "watch_process.hpp"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string status(int waiting, int unread = 0) {
  return R"({"waiting":)" + std::to_string(waiting) + R"(,"unread":)" + std::to_string(unread) + R"(,"weekSpend":1.5})";
}

// The status inside a JSON line, re-encoded as the document encoder writes it.
std::string statusOf(const std::string& line) {
  const auto at = line.find(R"("status":)");
  if (at == std::string::npos || line.empty() || line.back() != '}') return "not an entry: " + line;
  return line.substr(at + 9, line.size() - at - 10);
}
std::string encoded(const std::string& document) {
  auto decoded = zuvo::decodeStatus(document);
  return decoded.status ? zuvo::encodeStatus(*decoded.status) : "undecodable";
}

class Watch : public testing::Test {
 protected:
  void replace(const std::string& content) {
    fs::create_directories(folder_);
    const auto temporary = folder_ / ".widget-status.json.tmp";
    std::ofstream(temporary, std::ios::trunc) << content;
    fs::rename(temporary, file_);
  }

  TemporaryDirectory temporary_;
  const fs::path dataHome_ = temporary_.path;
  const fs::path folder_ = dataHome_ / "group.com.halverdyne.zuvo" / "Library" / "Application Support";
  const fs::path file_ = folder_ / "widget-status.json";
};

TEST_F(Watch, ALineAtStartAndOneLinePerReplaceBurstAndNoneForTheSameAnswer) {
  replace(status(1));
  WatchProcess watch(dataHome_, {});
  EXPECT_EQ(statusOf(watch.line().value_or("")), encoded(status(1)));

  // The stream for a status bar maps no drawing or text-layout library.
  std::ifstream maps("/proc/" + std::to_string(watch.pid()) + "/maps");
  const std::string mapped((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
  for (const char* library : {"libpango", "libcairo", "librsvg", "libgtk", "libharfbuzz", "libfreetype"})
    EXPECT_EQ(mapped.find(library), std::string::npos) << library;

  auto start = std::chrono::steady_clock::now();
  replace(status(2));
  EXPECT_EQ(statusOf(watch.line(500ms).value_or("")), encoded(status(2)));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);

  for (int i = 3; i <= 12; ++i) replace(status(i));
  EXPECT_EQ(statusOf(watch.line(1000ms).value_or("")), encoded(status(12)));
  EXPECT_EQ(watch.line(400ms), std::nullopt);  // one line for the burst

  replace(status(12));  // the same answer again
  std::ofstream(file_, std::ios::trunc) << status(12);
  EXPECT_EQ(watch.line(400ms), std::nullopt);
  std::ofstream(file_, std::ios::trunc) << status(13);  // rewritten in place: seen at its close
  EXPECT_EQ(statusOf(watch.line(1000ms).value_or("")), encoded(status(13)));

  fs::remove(file_);
  EXPECT_EQ(statusOf(watch.line(1000ms).value_or("")), zuvo::encodeStatus(zuvo::WidgetStatus::empty()));
  EXPECT_EQ(watch.stop(SIGTERM), 0);
}

TEST_F(Watch, AContainerCreatedAfterStartIsPickedUp) {
  WatchProcess watch(dataHome_, {"--format", "text"});
  EXPECT_EQ(watch.line(), "Nothing waiting");
  replace(status(4));
  EXPECT_EQ(watch.line(5000ms), "4 waiting on you");
  EXPECT_EQ(watch.stop(SIGINT), 0);
}

TEST_F(Watch, AWindowResetGivesANewLineRightAfterIt) {
  const double resetsAt = (host::systemNow() + 2.0).secondsSinceReference;
  replace(R"({"waiting":0,"unread":0,"weekSpend":0,"limits":[{"agent":"A","updatedAt":0,"windows":[)"
          R"({"name":"day","used":0.9,"resetsAt":)" + std::to_string(resetsAt) + R"(},{"name":"week","used":0.25}]}]})");
  WatchProcess watch(dataHome_, {"--format", "waybar"});
  const auto before = watch.line().value_or("");
  EXPECT_NE(before.find(R"("percentage":90)"), std::string::npos) << before;
  const auto after = watch.line(3500ms).value_or("");
  EXPECT_GE(host::systemNow().secondsSinceReference, resetsAt);
  EXPECT_LT(host::systemNow().secondsSinceReference, resetsAt + 0.5);
  EXPECT_NE(after.find(R"("percentage":25)"), std::string::npos) << after;
  EXPECT_NE(after.find(R"("class":["idle"])"), std::string::npos) << after;  // no longer near the limit
  EXPECT_EQ(watch.stop(SIGTERM), 0);
}

TEST_F(Watch, AReaderThatGoesAwayEndsTheStreamQuietly) {
  WatchProcess watch(dataHome_, {});
  ASSERT_TRUE(watch.line().has_value());
  watch.closeOutput();
  replace(status(1));  // whether or not it noticed already, the next line cannot be written
  EXPECT_EQ(watch.stop(0), 0);
  EXPECT_EQ(watch.errors(), "");
}

TEST_F(Watch, AReaderThatStopsReadingHoldsBackOnlyTheOutput) {
  // Lines longer than the pipe holds: many agents with long names.
  auto document = [](int waiting) {
    std::string limits;
    for (int i = 0; i < 40; ++i)
      limits += std::string(i ? "," : "") + R"({"agent":")" + std::string(100, 'a' + i % 26) + R"(","updatedAt":0,"windows":[]})";
    return R"({"waiting":)" + std::to_string(waiting) + R"(,"unread":0,"weekSpend":0,"limits":[)" + limits + "]}";
  };
  replace(document(1));
  {
    WatchProcess stuck(dataHome_, {"--format", "waybar"}, {}, 4096);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(stuck.stop(SIGTERM), 0);  // the signal is not held up by the full pipe
  }
  WatchProcess watch(dataHome_, {"--format", "waybar"}, {}, 4096);
  std::this_thread::sleep_for(300ms);
  for (int waiting : {2, 3}) {
    replace(document(waiting));
    std::this_thread::sleep_for(300ms);
  }
  // The first line comes whole, then the newest answer; the one in between was never begun.
  EXPECT_EQ(watch.line().value_or("").rfind(R"({"text":"1 waiting on you")", 0), 0u);
  EXPECT_EQ(watch.line().value_or("").rfind(R"({"text":"3 waiting on you")", 0), 0u);
  EXPECT_EQ(watch.line(300ms), std::nullopt);
  EXPECT_EQ(watch.stop(SIGTERM), 0);
}

// A whole waybar line, as a Waybar custom module reads it, in the widget's words and figures for
// the locale; the class follows the counts.
TEST_F(Watch, WaybarLinesSpeakTheLocale) {
  const std::string document =
      R"({"waiting":3,"unread":5,"weekScore":0.82,"weekSpend":12.5,"limits":[)"
      R"({"agent":"Claude","updatedAt":0,"windows":[{"name":"weekly","used":0.825}]},)"
      R"({"agent":"Codex","updatedAt":0,"windows":[]}]})";
  const struct { std::vector<std::string> arguments, environment; std::string line; } cases[] = {
      {{"--format", "waybar", "--locale", "en_US.UTF-8"}, {"LANGUAGE=de"},
       R"({"text":"3 waiting on you","tooltip":"3 waiting on you\nKept private 82%\nSpent on AI $12.50\nLast 7 days\n)"
       R"(Claude: weekly 83%\nCodex: No usage yet","class":["attention","limit"],"percentage":83})"},
      {{"--format", "waybar"}, {"LANG=de_DE.UTF-8"},
       "{\"text\":\"3 für dich offen\",\"tooltip\":\"3 für dich offen\\nKept private 82\u00a0%\\nSpent on AI "
       "12,50\u00a0$\\nLetzte 7 Tage\\nClaude: weekly 83\u00a0%\\nCodex: Noch ungenutzt\",\"class\":[\"attention\","
       "\"limit\"],\"percentage\":83}"},
  };
  for (const auto& c : cases) {
    replace(document);
    WatchProcess watch(dataHome_, c.arguments, c.environment);
    EXPECT_EQ(watch.line(), c.line);
    replace(status(0, 5));  // no agents: no percentage
    const auto inbox = watch.line().value_or("");
    EXPECT_TRUE(inbox.ends_with(R"(","class":["inbox"]})")) << inbox;
    EXPECT_EQ(watch.stop(SIGTERM), 0);
  }
}

}  // namespace
