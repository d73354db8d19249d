// The watch program as a status bar runs it: lines on its output as the status file changes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <functional>
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
  void replace(const std::string& content, const fs::path& file = {}) {
    const fs::path target = file.empty() ? file_ : file;
    fs::create_directories(target.parent_path());
    const auto temporary = target.parent_path() / ".widget-status.json.tmp";
    std::ofstream(temporary, std::ios::trunc) << content;
    fs::rename(temporary, target);
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

  // A burst: its first replace at once, then one line for the rest.
  for (int i = 3; i <= 12; ++i) replace(status(i));
  std::vector<std::string> burst;
  while (auto line = watch.line(400ms)) burst.push_back(statusOf(*line));
  EXPECT_TRUE(!burst.empty() && burst.size() <= 2 && burst.back() == encoded(status(12))) << testing::PrintToString(burst);

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

// Whatever a user or a sync tool does to the folders on the way to the file, or to links on it,
// the stream shows the file's new content within a second.
TEST_F(Watch, TheFileIsFollowedThroughRenamesDeletionsAndLinks) {
  const fs::path container = dataHome_ / "group.com.halverdyne.zuvo";
  const auto relink = [](const fs::path& target, const fs::path& link) {  // ln -sfn: a rename over the link
    fs::create_symlink(target, link.parent_path() / ".link");
    fs::rename(link.parent_path() / ".link", link);
  };
  const fs::path elsewhere = dataHome_ / "elsewhere";
  const struct {
    const char* what;
    std::function<void(const std::string&)> change;
  } steps[] = {
      {"the container renamed away, a new one made",
       [&](auto& s) { fs::rename(container, dataHome_ / "old-container"), replace(s); }},
      {"Library renamed away, a new one made",
       [&](auto& s) { fs::rename(container / "Library", dataHome_ / "old-library"), replace(s); }},
      {"the folder deleted, a link to another in its place", [&](auto& s) {
         replace(s, elsewhere / "1" / "widget-status.json"), fs::remove_all(folder_), relink("../../elsewhere/1", folder_);
       }},
      {"the link retargeted atomically",
       [&](auto& s) { replace(s, elsewhere / "2" / "widget-status.json"), relink(elsewhere / "2", folder_); }},
      {"the link removed and made again", [&](auto& s) {
         replace(s, elsewhere / "3" / "widget-status.json"), fs::remove(folder_);
         fs::create_directory_symlink(elsewhere / "3", folder_);
       }},
      {"the container deleted and made again", [&](auto& s) { fs::remove_all(container), replace(s); }},
      {"written again right after", [&](auto& s) { replace(s); }},
      {"the file a link to another file", [&](auto& s) { replace(s, elsewhere / "a.json"), relink(elsewhere / "a.json", file_); }},
      {"the link's target replaced", [&](auto& s) { replace(s, elsewhere / "a.json"); }},
  };
  replace(status(0));
  WatchProcess watch(dataHome_, {});
  EXPECT_EQ(statusOf(watch.line().value_or("")), encoded(status(0)));
  int n = 0;
  for (const auto& step : steps) {
    const std::string content = status(++n);
    const auto deadline = std::chrono::steady_clock::now() + 1s;
    step.change(content);
    std::optional<std::string> line;
    do line = watch.line(std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()));
    while (line && statusOf(*line) != encoded(content));
    EXPECT_TRUE(line) << step.what;
  }
  EXPECT_EQ(watch.stop(SIGTERM), 0);
}

// A careless writer rewrites the file in place, one document over another of the same length; a
// read that overlaps the write sees part of each, which need not decode. Slowed down here: the file
// stays torn longer than a burst. No line is the empty status, but a file that stays broken is.
TEST_F(Watch, AFileTornByAnInPlaceWriteIsReadAgainBeforeItCountsAsBroken) {
  const std::string documents[] = {status(1, 22), status(11, 2)};  // torn after 13 bytes, neither decodes
  replace(documents[0]);
  WatchProcess watch(dataHome_, {});
  EXPECT_EQ(statusOf(watch.line().value_or("")), encoded(documents[0]));
  const auto writeAt = [&](const std::string& bytes, off_t offset) {
    const int fd = ::open(file_.c_str(), O_WRONLY);
    EXPECT_EQ(::pwrite(fd, bytes.data(), bytes.size(), offset), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
  };
  for (int i = 1; i <= 3; ++i) {
    const std::string& next = documents[i % 2];
    writeAt(next.substr(0, 13), 0);
    std::this_thread::sleep_for(120ms);
    writeAt(next.substr(13), 13);
    EXPECT_EQ(statusOf(watch.line(1s).value_or("")), encoded(next)) << i;
  }
  writeAt("[", 0);
  EXPECT_EQ(statusOf(watch.line(1s).value_or("")), zuvo::encodeStatus(zuvo::WidgetStatus::empty()));
  EXPECT_EQ(watch.stop(SIGTERM), 0);
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
