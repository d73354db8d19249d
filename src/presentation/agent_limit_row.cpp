#include "presentation/agent_limit_row.hpp"

#include "presentation/figures.hpp"
#include "presentation/palette.hpp"
#include "presentation/usage_bar.hpp"

namespace zuvo {
namespace {

using host::Font;
using host::FontWeight;
using host::LocalizedKey;

struct RowTexts {
  LocalizedKey usage;
  LocalizedKey accessibility;
};

// Each argument copied once: a braced list would copy every name twice, and names may be
// megabytes long.
template <class... Values>
std::vector<host::FormatArgument> arguments(const Values&... values) {
  std::vector<host::FormatArgument> out;
  out.reserve(sizeof...(values));
  (out.emplace_back(values), ...);
  return out;
}

RowTexts textsFor(const std::string& agent, const std::optional<AgentLimit::Window>& window) {
  if (!window) return {{"No usage yet"}, {"%@ usage not known yet", arguments(agent)}};
  if (const auto percent = usagePercent(window->used))
    return {{"%@ %lld%%", arguments(window->name, *percent)},
            {"%@ %@ %lld percent used", arguments(agent, window->name, *percent)}};
  return {{"%@ \u2014", arguments(window->name)}, {"%@ %@ usage not known", arguments(agent, window->name)}};
}

}  // namespace

host::View AgentLimitRow::body() const {
  const auto window = limit.peakWindow(record.clock());
  auto texts = textsFor(limit.agent, window);
  const std::optional<double> fraction = window ? std::optional<double>(window->used) : std::nullopt;

  auto header = host::HStack({.alignment = host::VerticalAlignment::center, .spacing = 4},
                             {host::Text(limit.agent)
                                  .font(Font::system(10, FontWeight::medium))
                                  .foregroundStyle(Palette::primaryText()),
                              host::Spacer({.minLength = 0}),
                              host::Text(std::move(texts.usage))
                                  .font(Font::system(10))
                                  .monospacedDigit()
                                  .foregroundStyle(Palette::secondaryText())})
                    .lineLimit(1);
  auto bar = UsageBar{fraction, record.renderingMode}.body().frame(host::FixedFrame{.height = kUsageBarHeight});

  return host::VStack({.alignment = host::HorizontalAlignment::leading, .spacing = 3},
                      {std::move(header), std::move(bar)})
      .accessibilityElement(host::AccessibilityChildren::ignore)
      .accessibilityLabel(std::move(texts.accessibility));
}

}  // namespace zuvo
