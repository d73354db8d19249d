#include "presentation/agent_limit_list.hpp"

#include <limits>
#include <memory>

#include "presentation/agent_limit_row.hpp"
#include "presentation/palette.hpp"

namespace zuvo {

host::View agentOverflowSummary(std::size_t hidden) {
  const auto count = static_cast<std::int64_t>(std::min<std::size_t>(hidden, std::numeric_limits<std::int64_t>::max()));
  return host::Text(host::LocalizedKey{"+%lld more", {count}})
      .font(host::Font::system(10))
      .foregroundStyle(Palette::secondaryText())
      .lineLimit(1)
      .accessibilityLabel(host::LocalizedKey{"%lld more agents", {count}});
}

host::View AgentLimitList::body() const {
  // Rows are built during layout, after this returns: they share one copy of the list and of what
  // they read of the record (its rendering mode and clock; not the status, which holds the list).
  struct Shared {
    std::vector<AgentLimit> limits;
    StatusWidgetView record;
  };
  auto built = std::make_shared<Shared>();
  built->limits = limits;
  built->record.family = record.family;
  built->record.renderingMode = record.renderingMode;
  built->record.clock = record.clock;
  std::shared_ptr<const Shared> shared = std::move(built);
  return host::FittingVStack(
      {.alignment = host::HorizontalAlignment::leading, .spacing = 6}, limits.size(),
      [shared](std::size_t i) {
        const AgentLimit& limit = shared->limits[i];
        return AgentLimitRow{limit, shared->record}.body().id(limit.id());
      },
      agentOverflowSummary);
}

}  // namespace zuvo
