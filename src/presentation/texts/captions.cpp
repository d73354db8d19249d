#include "presentation/texts/captions.hpp"

#include "presentation/texts/figures.hpp"

namespace zuvo {

using host::LocalizedKey;

AttentionTexts attentionTexts(std::int64_t waiting, std::int64_t unread) {
  if (waiting >= 1) return {AttentionRow::waiting, LocalizedKey{"%lld", {waiting}}, {"waiting on you"}};
  if (unread >= 1) return {AttentionRow::inbox, LocalizedKey{"%lld", {unread}}, {"new in Inbox"}};
  return {AttentionRow::nothingWaiting, std::nullopt, {"Nothing waiting"}};
}

AgentRowTexts agentRowTexts(const std::string& agent, const std::optional<AgentLimit::Window>& window) {
  if (!window) return {{"No usage yet"}, {"%@ usage not known yet", {agent}}};
  if (const auto percent = usagePercent(window->used))
    return {{"%@ %lld%%", {window->name, *percent}}, {"%@ %@ %lld percent used", {agent, window->name, *percent}}};
  return {{"%@ \u2014", {window->name}}, {"%@ %@ usage not known", {agent, window->name}}};
}

}  // namespace zuvo
