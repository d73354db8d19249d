// The moment an agent row can show another window without a new status file.
#include <gtest/gtest.h>

#include "timeline/next_change.hpp"

namespace zuvo {
namespace {

using Window = AgentLimit::Window;

TEST(NextChange, EarliestResetStrictlyAfterNowAcrossAgents) {
  const Instant now{1000};
  EXPECT_EQ(nextChange(WidgetStatus::empty(), now), std::nullopt);
  WidgetStatus status{.limits = std::vector<AgentLimit>{}};
  EXPECT_EQ(nextChange(status, now), std::nullopt);

  status.limits = {
      {.agent = "A", .windows = {{"daily", 0.3, Instant{900}}, {"weekly", 0.6, Instant{5000}}, {"forever", 0.1, {}}}},
      {.agent = "B", .windows = {}},
      {.agent = "C", .windows = {{"now", 0.9, Instant{1000}}, {"soon", 0.2, Instant{1800}}}},
  };
  // 900 and 1000 are not after now; a window without a reset never changes the row.
  EXPECT_EQ(nextChange(status, now), Instant{1800});
  EXPECT_EQ(nextChange(status, Instant{1800}), Instant{5000});
  EXPECT_EQ(nextChange(status, Instant{5000}), std::nullopt);
}

}  // namespace
}  // namespace zuvo
