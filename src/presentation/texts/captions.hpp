#pragma once
// The words of the status widget, apart from how they are drawn: which localisable key, with which
// arguments, each piece shows. The widget's views and the plain-text answers of the command line
// take them from here, so that both say the same thing in every language.
#include <cstdint>
#include <optional>
#include <string>

#include "document/agent_limit.hpp"
#include "host/view/localized_string.hpp"

namespace zuvo {

// The figure labels and button titles are shown unchanged; the caption under the weekly figures
// is a localisable key.
inline constexpr const char* kKeptPrivateLabel = "Kept private";
inline constexpr const char* kSpentOnAiLabel = "Spent on AI";
inline constexpr const char* kLastSevenDaysKey = "Last 7 days";

// Which row of the attention counts shows: approvals waiting, else new Inbox items, else nothing.
enum class AttentionRow { waiting, inbox, nothingWaiting };

struct AttentionTexts {
  AttentionRow row{};
  // The count ("%lld" with it), absent in the nothing-waiting row, which shows a symbol instead.
  std::optional<host::LocalizedKey> figure{};
  host::LocalizedKey caption{};
};

// Waiting wins over unread; a count of 0 or below counts as nothing.
AttentionTexts attentionTexts(std::int64_t waiting, std::int64_t unread);

// An agent row's usage text and accessibility label for its shown window (none: not known yet).
// A window whose usage percent cannot be formed shows "—" in place of the percent.
struct AgentRowTexts {
  host::LocalizedKey usage;
  host::LocalizedKey accessibility;
};

AgentRowTexts agentRowTexts(const std::string& agent, const std::optional<AgentLimit::Window>& window);

}  // namespace zuvo
