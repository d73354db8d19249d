#include "presentation/medium_status_layout.hpp"

#include "presentation/agent_limit_list.hpp"
#include "presentation/attention_counts.hpp"
#include "presentation/figure_row.hpp"
#include "presentation/texts/captions.hpp"
#include "presentation/texts/figures.hpp"
#include "presentation/palette.hpp"
#include "presentation/quick_link_button.hpp"
#include "presentation/wordmark_header.hpp"
#include "widgets/deep_links.hpp"

namespace zuvo {
namespace {

using host::HorizontalAlignment;
using host::VerticalAlignment;

host::View leftColumn(const WidgetStatus& status) {
  return host::VStack(
             {.alignment = HorizontalAlignment::leading, .spacing = 8},
             {host::HStack({.alignment = VerticalAlignment::center, .spacing = 6}, WordmarkHeader{}.children()),
              host::Spacer({.minLength = 0}),
              AttentionCounts{status.waiting, status.unread}.body(),
              host::Spacer({.minLength = 0}),
              host::HStack({.alignment = VerticalAlignment::center, .spacing = 8},
                           {QuickLinkButton{"New", "square.and.pencil", newConversationLink()}.body(),
                            QuickLinkButton{"Inbox", "tray", activityLink()}.body()})})
      .frame(host::FlexibleFrame{.maxWidth = host::kInfinity, .alignment = host::Alignment::leading()});
}

host::View rightColumn(const StatusWidgetView& record) {
  static const std::vector<AgentLimit> kNoLimits;
  const auto& status = record.status;
  return host::VStack({.alignment = HorizontalAlignment::leading, .spacing = 5},
                      {FigureRow{kKeptPrivateLabel, privacyFigure(status.weekScore)}.body(),
                       FigureRow{kSpentOnAiLabel, spendFigure(status.weekSpend)}.body(),
                       host::Text(host::LocalizedKey{kLastSevenDaysKey})
                           .font(host::Font::system(10))
                           .foregroundStyle(Palette::tertiaryText()),
                       host::Spacer({.minLength = 0}),
                       AgentLimitList{status.limits ? *status.limits : kNoLimits, record}.body()})
      .frame(host::FixedFrame{.width = kMediumRightColumnWidth, .alignment = host::Alignment::leading()});
}

}  // namespace

std::vector<host::View> MediumStatusLayout::columns() const { return {leftColumn(record.status), rightColumn(record)}; }

}  // namespace zuvo
