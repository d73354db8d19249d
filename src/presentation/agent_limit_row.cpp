#include "presentation/agent_limit_row.hpp"

#include "presentation/texts/captions.hpp"
#include "presentation/palette.hpp"
#include "presentation/usage_bar.hpp"

namespace zuvo {
namespace {

using host::Font;
using host::FontWeight;

}  // namespace

host::View AgentLimitRow::body() const {
  const auto window = limit.peakWindow(record.clock());
  auto texts = agentRowTexts(limit.agent, window);
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
