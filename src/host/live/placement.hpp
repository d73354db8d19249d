#pragma once
// Where a live widget window goes: which corner of which monitor, and how the desktop lets a window
// stay on its desktop layer. Pure decisions, kept apart from the toolkit so they can be tested.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
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

// Widgets that share a corner stand in a row along the screen's top or bottom edge, in the order
// they started, `margin` apart: the origin of a window of `size` after windows of `earlierWidths`.
Point cornerRowOrigin(const Rect& area, Size size, ScreenCorner corner, double margin,
                      std::span<const double> earlierWidths);

// The monitor `request` names among `connectors`, the toolkit's monitors in its order, each by its
// connector name (empty when it has none), `primary` being the index of the primary one: a connector
// name ("HDMI-1"), "primary", or an index in that order ("0", "1"). Under XWayland the toolkit sees
// only XWAYLAND0, XWAYLAND1..., so the index is the name that always works. An empty request asks
// for the primary. None when nothing matches.
std::optional<std::size_t> chooseMonitor(std::span<const std::string> connectors, std::size_t primary,
                                         std::string_view request);

// Why `request` matched no monitor, naming those there are by index and name, on one line:
// no monitor "HDMI-1" (there are 0 XWAYLAND0 (primary), 1 XWAYLAND1)
std::string noSuchMonitor(std::string_view request, std::span<const std::string> connectors, std::size_t primary);

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
