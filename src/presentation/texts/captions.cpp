#include "presentation/texts/captions.hpp"

#include "presentation/texts/figures.hpp"

#include <vector>

namespace zuvo {

using host::LocalizedKey;

namespace {

// Each argument copied once: a braced list would copy every name twice, and names may be
// megabytes long.
template <class... Values>
std::vector<host::FormatArgument> arguments(const Values&... values) {
  std::vector<host::FormatArgument> out;
  out.reserve(sizeof...(values));
  (out.emplace_back(values), ...);
  return out;
}

}  // namespace

AttentionTexts attentionTexts(std::int64_t waiting, std::int64_t unread) {
  if (waiting >= 1) return {AttentionRow::waiting, LocalizedKey{"%lld", {waiting}}, {"waiting on you"}};
  if (unread >= 1) return {AttentionRow::inbox, LocalizedKey{"%lld", {unread}}, {"new in Inbox"}};
  return {AttentionRow::nothingWaiting, std::nullopt, {"Nothing waiting"}};
}

AgentRowTexts agentRowTexts(const std::string& agent, const std::optional<AgentLimit::Window>& window) {
  if (!window) return {{"No usage yet"}, {"%@ usage not known yet", arguments(agent)}};
  if (const auto percent = usagePercent(window->used))
    return {{"%@ %lld%%", arguments(window->name, *percent)},
            {"%@ %@ %lld percent used", arguments(agent, window->name, *percent)}};
  return {{"%@ \u2014", arguments(window->name)}, {"%@ %@ usage not known", arguments(agent, window->name)}};
}

}  // namespace zuvo
