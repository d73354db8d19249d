#pragma once
// What the host tells a widget's views about where they are drawn. The host supplies it when it
// lays a widget out, so views read it at drawing time, never when they are built.
#include "host/view/widget_family.hpp"

namespace host {

struct WidgetEnvironment {
  WidgetFamily family = WidgetFamily::systemSmall;
  WidgetRenderingMode renderingMode = WidgetRenderingMode::fullColor;
  friend bool operator==(const WidgetEnvironment&, const WidgetEnvironment&) = default;
};

}  // namespace host
