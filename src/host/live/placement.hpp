#pragma once
// Where a live widget window goes: which corner of which monitor, and how the desktop lets a window
// stay on its desktop layer. Pure decisions, kept apart from the toolkit so they can be tested.
#include <optional>
#include <string_view>

#include "host/view/geometry.hpp"

namespace host {

enum class ScreenCorner { topLeft, topRight, bottomLeft, bottomRight };

// "top-left", "top-right", "bottom-left", "bottom-right".
std::string_view name(ScreenCorner corner);
std::optional<ScreenCorner> screenCornerNamed(std::string_view name);

// The window's top-left for a window of `size` kept `margin` points from the two edges of `area`
// (the monitor's work area) that meet at `corner`. A window larger than the area sticks to the
// area's top-left edge rather than leaving it.
Point cornerOrigin(const Rect& area, Size size, ScreenCorner corner, double margin);

// How the window stays on the desktop layer.
enum class Placement {
  x11DesktopLayer,  // an X11 window (also XWayland): below others, sticky, no taskbar, moved to the corner
  layerShell,       // a Wayland layer-shell surface on the bottom layer, anchored to the corner
  plainWindow,      // Wayland without layer shell: a plain window the compositor places
};

struct DisplayEnvironment {
  bool x11 = false;        // DISPLAY is set
  bool wayland = false;    // WAYLAND_DISPLAY is set
  bool layerShell = false; // built with gtk4-layer-shell
  std::string_view requestedBackend{};  // GDK_BACKEND as the user set it
};

// The toolkit backend to ask for, or none to leave the user's GDK_BACKEND alone. Without layer
// shell, X11 (XWayland under a Wayland session) is the only way to stay below other windows.
std::optional<std::string_view> preferredBackend(const DisplayEnvironment& environment);

// Whether this build places windows with gtk4-layer-shell.
bool layerShellBuilt();

// The placement for the backend the toolkit ended up with.
Placement placementFor(bool x11Backend, bool layerShellBuilt);

}  // namespace host
