#include "widgets/status_widget.hpp"

#include "presentation/palette.hpp"
#include "presentation/status_widget_view.hpp"

namespace zuvo {

host::StaticConfiguration<StatusProvider> StatusWidget::body() const {
  return host::StaticConfiguration<StatusProvider>(kStatusWidgetKind, StatusProvider{}, &StatusWidget::content)
      .configurationDisplayName({"Zuvo", {}})
      .description({"What waits on you, and this week's privacy and what you paid for AI. Counts only.", {}})
      .supportedFamilies({host::WidgetFamily::systemSmall, host::WidgetFamily::systemMedium});
}

host::View StatusWidget::content(const StatusEntry& entry) {
  return host::WidgetEnvironmentReader([status = entry.status](const host::WidgetEnvironment& environment) {
           return StatusWidgetView{.status = status, .family = environment.family,
                                   .renderingMode = environment.renderingMode}
               .body();
         })
      .containerBackground(Palette::widgetBackground(), host::ContainerBackgroundPlacement::widget);
}

}  // namespace zuvo
