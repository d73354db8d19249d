#include "widgets/status_widget.hpp"

#include "presentation/palette.hpp"
#include "presentation/status_widget_view.hpp"

namespace zuvo {

host::StaticConfiguration<StatusProvider> StatusWidget::body() const {
  return host::StaticConfiguration<StatusProvider>(kStatusWidgetKind, StatusProvider{},
                                                   [](const StatusEntry& entry) { return content(entry); })
      .configurationDisplayName({"Zuvo", {}})
      .description({"What waits on you, and this week's privacy and what you paid for AI. Counts only.", {}})
      .supportedFamilies({host::WidgetFamily::systemSmall, host::WidgetFamily::systemMedium});
}

host::View StatusWidget::content(const StatusEntry& entry) { return content(entry, host::systemClock()); }

host::View StatusWidget::content(const StatusEntry& entry, host::Clock clock) {
  return host::WidgetEnvironmentReader([status = entry.status, clock = std::move(clock)](
                                           const host::WidgetEnvironment& environment) {
           return StatusWidgetView{.status = status, .family = environment.family,
                                   .renderingMode = environment.renderingMode, .clock = clock}
               .body();
         })
      .containerBackground(Palette::widgetBackground(), host::ContainerBackgroundPlacement::widget);
}

}  // namespace zuvo
