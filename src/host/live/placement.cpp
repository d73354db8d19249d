#include "host/live/placement.hpp"

#include <algorithm>

namespace host {

std::string_view name(ScreenCorner corner) {
  switch (corner) {
    case ScreenCorner::topLeft: return "top-left";
    case ScreenCorner::topRight: return "top-right";
    case ScreenCorner::bottomLeft: return "bottom-left";
    case ScreenCorner::bottomRight: return "bottom-right";
  }
  return "top-right";
}

std::optional<ScreenCorner> screenCornerNamed(std::string_view text) {
  for (ScreenCorner corner : {ScreenCorner::topLeft, ScreenCorner::topRight, ScreenCorner::bottomLeft,
                              ScreenCorner::bottomRight})
    if (name(corner) == text) return corner;
  return std::nullopt;
}

Point cornerOrigin(const Rect& area, Size size, ScreenCorner corner, double margin) {
  const bool left = corner == ScreenCorner::topLeft || corner == ScreenCorner::bottomLeft;
  const bool top = corner == ScreenCorner::topLeft || corner == ScreenCorner::topRight;
  const double x = left ? area.x + margin : area.maxX() - margin - size.width;
  const double y = top ? area.y + margin : area.maxY() - margin - size.height;
  return {std::max(x, area.x), std::max(y, area.y)};
}

std::optional<std::string_view> preferredBackend(const DisplayEnvironment& environment) {
  if (!environment.requestedBackend.empty()) return std::nullopt;
  if (environment.wayland && environment.layerShell) return "wayland";
  if (environment.x11) return "x11";
  return std::nullopt;
}

bool layerShellBuilt() {
#ifdef HOST_HAVE_GTK4_LAYER_SHELL
  return true;
#else
  return false;
#endif
}

Placement placementFor(bool x11Backend, bool layerShellBuilt) {
  if (x11Backend) return Placement::x11DesktopLayer;
  return layerShellBuilt ? Placement::layerShell : Placement::plainWindow;
}

}  // namespace host
