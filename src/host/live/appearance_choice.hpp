#pragma once
// How the desktop's dark or light setting is found, without the toolkit: the desktop portal's
// colour scheme when it answered, else the GTK_THEME variable, else the toolkit's settings.
#include <cstdint>
#include <optional>
#include <string_view>

#include <glib.h>

#include "host/view/appearance.hpp"

namespace host {

// What the toolkit's own settings say, read when the portal cannot answer.
struct ToolkitThemeSettings {
  bool preferDark = false;           // gtk-application-prefer-dark-theme
  std::string_view themeName{};      // gtk-theme-name
};

// The portal's org.freedesktop.appearance color-scheme: 0 no preference, 1 dark, 2 light.
// `portalScheme` is none while the portal has not answered (or cannot). A portal that answered
// decides alone: 1 is dark, every other value light. Without it, a GTK_THEME ending in ":dark",
// then a dark preference or a theme whose name ends in "-dark", gives dark; else light.
Appearance chooseAppearance(std::optional<std::uint32_t> portalScheme, std::string_view gtkThemeVariable,
                            const ToolkitThemeSettings& settings);

// The colour scheme in a reply of org.freedesktop.portal.Settings.Read, "(v)" holding the value
// inside one more variant on older portals; none for any other shape.
std::optional<std::uint32_t> portalColorScheme(GVariant* reply);

}  // namespace host
