#pragma once
// The sizes the host draws widgets in, and how it renders their colours.
#include <optional>
#include <string_view>

namespace host {

enum class WidgetFamily { systemSmall, systemMedium, systemLarge };

// fullColor draws colours as given; accented and vibrant are the desktop's tinted modes,
// in which widgets are expected to draw with the primary colour.
enum class WidgetRenderingMode { fullColor, accented, vibrant };

std::string_view name(WidgetFamily family);          // "small", "medium", "large"
std::string_view name(WidgetRenderingMode mode);     // "full-color", "accented", "vibrant"
std::optional<WidgetFamily> widgetFamilyNamed(std::string_view name);
std::optional<WidgetRenderingMode> renderingModeNamed(std::string_view name);

}  // namespace host
