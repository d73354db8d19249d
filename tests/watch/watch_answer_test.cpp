// What a line says, and when two moments give the same answer.
#include <gtest/gtest.h>

#include "host/locale/gettext_string_catalog.hpp"
#include "host/locale_test_environment.hpp"
#include "watch/watch_answer.hpp"

namespace {

using zuvo::AgentLimit, zuvo::WidgetStatus;

const host::KeyOnlyStringCatalog kStrings;

AgentLimit agent(std::string name, std::vector<AgentLimit::Window> windows) { return {.agent = name, .windows = windows}; }

TEST(WatchAnswer, WaybarClassesAndPercentageFollowTheShownWindows) {
  host::ScopedLocaleEnvironment locale(host::LocaleVariables{{"LC_ALL", "en_US.UTF-8"}});
  const host::Instant now{1000};
  WidgetStatus status{.waiting = -1, .unread = 3};
  // Usage beyond the allowance and below zero is clamped; a reset window no longer counts.
  status.limits = {agent("A", {{"day", 1.5, host::Instant{900}}, {"week", -0.2, {}}}), agent("B", {{"week", 0.79, {}}})};
  EXPECT_EQ(watchAnswer(WatchFormat::waybar, {now, status}, now, kStrings).line,
            R"({"text":"3 new in Inbox","tooltip":"3 new in Inbox\nKept private —\nSpent on AI $0.00\nLast 7 days\n)"
            R"(A: week -20%\nB: week 79%","class":["inbox"],"percentage":79})");
  // Before the day window reset it is the shown one: over the limit, clamped to 100.
  EXPECT_EQ(watchAnswer(WatchFormat::waybar, {now, status}, host::Instant{800}, kStrings).line,
            R"({"text":"3 new in Inbox","tooltip":"3 new in Inbox\nKept private —\nSpent on AI $0.00\nLast 7 days\n)"
            R"(A: day 150%\nB: week 79%","class":["inbox","limit"],"percentage":100})");
  EXPECT_EQ(watchAnswer(WatchFormat::text, {now, status}, now, kStrings).line, "3 new in Inbox");
  // 80 % exactly is the limit: the widget's bar turns to the attention colour there.
  status.limits = {agent("B", {{"week", 0.8, {}}})};
  const auto atLimit = watchAnswer(WatchFormat::waybar, {now, status}, now, kStrings).line;
  EXPECT_NE(atLimit.find(R"("class":["inbox","limit"],"percentage":80})"), std::string::npos) << atLimit;

  // Agents without a shown window give no percentage.
  status.limits = {agent("A", {})};
  EXPECT_EQ(watchAnswer(WatchFormat::waybar, {now, status}, now, kStrings).line.find("percentage"), std::string::npos);
}

TEST(WatchAnswer, JsonLinesAreComparedWithoutTheirDateButWithTheShownWindows) {
  WidgetStatus status{.waiting = 2};
  status.limits = {agent("A", {{"day", 0.9, host::Instant{2000}}, {"week", 0.1, {}}})};
  const auto first = watchAnswer(WatchFormat::json, {host::Instant{1000}, status}, host::Instant{1000}, kStrings);
  const auto later = watchAnswer(WatchFormat::json, {host::Instant{1500}, status}, host::Instant{1500}, kStrings);
  EXPECT_EQ(first.line.rfind(R"({"date":1000,"status":{"waiting":2,)", 0), 0u) << first.line;
  EXPECT_NE(first.line, later.line);
  EXPECT_EQ(first.key, later.key);  // the same answer: no new line
  EXPECT_NE(watchAnswer(WatchFormat::json, {host::Instant{2000}, status}, host::Instant{2000}, kStrings).key,
            first.key);  // the day window has reset
}

}  // namespace
