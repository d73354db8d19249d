#include "host/view/widget_family.hpp"

namespace host {

std::string_view name(WidgetFamily family) {
  switch (family) {
    case WidgetFamily::systemSmall: return "small";
    case WidgetFamily::systemMedium: return "medium";
    case WidgetFamily::systemLarge: return "large";
  }
  return "small";
}

std::string_view name(WidgetRenderingMode mode) {
  switch (mode) {
    case WidgetRenderingMode::fullColor: return "full-color";
    case WidgetRenderingMode::accented: return "accented";
    case WidgetRenderingMode::vibrant: return "vibrant";
  }
  return "full-color";
}

std::optional<WidgetFamily> widgetFamilyNamed(std::string_view text) {
  for (auto f : {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge})
    if (name(f) == text) return f;
  return std::nullopt;
}

std::optional<WidgetRenderingMode> renderingModeNamed(std::string_view text) {
  for (auto m : {WidgetRenderingMode::fullColor, WidgetRenderingMode::accented, WidgetRenderingMode::vibrant})
    if (name(m) == text) return m;
  return std::nullopt;
}

}  // namespace host
