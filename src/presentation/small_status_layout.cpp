#include "presentation/small_status_layout.hpp"

#include "presentation/agent_limit_list.hpp"
#include "presentation/agent_limit_row.hpp"
#include "presentation/attention_counts.hpp"
#include "presentation/privacy_spend_line.hpp"
#include "presentation/wordmark_header.hpp"
#include "widgets/deep_links.hpp"

namespace zuvo {
namespace {

using host::HorizontalAlignment;

host::View bottomRegion(const StatusWidgetView& record) {
  const auto& status = record.status;
  if (status.limits && !status.limits->empty()) {
    // The region keeps one row's room whatever shows in it (the summary is lower than a row), so
    // the counts above sit where they sit with one agent, however many there are. Every row is one
    // line over a bar, so a row of a placeholder agent holds that room (names can be megabytes).
    static const AgentLimit kPlaceholder{.agent = "Agent"};
    return host::ZStack({.alignment = host::Alignment::bottomLeading()},
                        {AgentLimitRow{kPlaceholder, record}.body().hidden(),
                         AgentLimitList{*status.limits, record}.body()});
  }
  return PrivacySpendLine{status.weekScore, status.weekSpend}.body();
}

}  // namespace

const host::Url& tapTarget(const WidgetStatus& status) {
  // Two 64-bit counts always fit in 128 bits.
  const __int128 sum = static_cast<__int128>(status.waiting) + status.unread;
  return sum >= 1 ? activityLink() : newConversationLink();
}

host::View SmallStatusLayout::body() const {
  const auto& status = record.status;
  return host::VStack({.alignment = HorizontalAlignment::leading, .spacing = 8},
                      {host::HStack({.alignment = host::VerticalAlignment::center, .spacing = 6},
                                    WordmarkHeader{}.children()),
                       host::Spacer({.minLength = 0}),
                       AttentionCounts{status.waiting, status.unread}.body(),
                       host::Spacer({.minLength = 0}),
                       bottomRegion(record)})
      .frame(host::FlexibleFrame{.maxWidth = host::kInfinity,
                                 .maxHeight = host::kInfinity,
                                 .alignment = host::Alignment::leading()})
      .widgetURL(tapTarget(status));
}

}  // namespace zuvo
