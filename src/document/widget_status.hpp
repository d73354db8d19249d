#pragma once
// The status document: what the Zuvo application hands to the widget, read from the status file.
#include <cstdint>
#include <optional>
#include <vector>

#include "document/agent_limit.hpp"

namespace zuvo {

struct WidgetStatus {
  std::int64_t waiting{};  // approvals waiting on the user
  std::int64_t unread{};   // new items in the Inbox
  // Share kept private over the last 7 days, as a fraction (0.82 is 82 per cent).
  std::optional<double> weekScore{};
  double weekSpend{};  // paid for AI over the last 7 days, in US dollars
  // An absent list and an empty one are different values.
  std::optional<std::vector<AgentLimit>> limits{};

  // What stands in for a status file that cannot be read or decoded.
  static WidgetStatus empty() { return WidgetStatus{}; }
  // What placeholders and gallery previews show.
  static WidgetStatus sample() { return WidgetStatus{.waiting = 1, .unread = 2, .weekScore = 0.82, .weekSpend = 4.2}; }

  friend bool operator==(const WidgetStatus&, const WidgetStatus&) = default;
};

}  // namespace zuvo
