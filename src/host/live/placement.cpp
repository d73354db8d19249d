#include "host/live/placement.hpp"

#include <algorithm>
#include <charconv>

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

Point cornerRowOrigin(const Rect& area, Size size, ScreenCorner corner, double margin,
                      std::span<const double> earlierWidths) {
  Point origin = cornerOrigin(area, size, corner, margin);
  double along = 0;
  for (const double width : earlierWidths) along += width + margin;
  const bool left = corner == ScreenCorner::topLeft || corner == ScreenCorner::bottomLeft;
  origin.x += left ? along : -along;
  return origin;
}

std::optional<std::size_t> chooseMonitor(std::span<const std::string> connectors, std::size_t primary,
                                         std::string_view request) {
  if (connectors.empty()) return std::nullopt;
  const std::size_t primaryIndex = std::min(primary, connectors.size() - 1);
  if (request.empty()) return primaryIndex;
  // A connector's name wins over the other two readings.
  for (std::size_t i = 0; i < connectors.size(); ++i)
    if (!connectors[i].empty() && connectors[i] == request) return i;
  if (request == "primary") return primaryIndex;
  std::size_t index = 0;
  const char* end = request.data() + request.size();
  if (const auto [next, error] = std::from_chars(request.data(), end, index);
      error == std::errc{} && next == end && index < connectors.size())
    return index;
  return std::nullopt;
}

namespace {

// The names come from the user and the display server: shown on one line whatever they hold.
void appendPrintable(std::string& out, std::string_view text) {
  for (const char c : text) out += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
}

}  // namespace

std::string noSuchMonitor(std::string_view request, std::span<const std::string> connectors, std::size_t primary) {
  std::string message = "no monitor \"";
  appendPrintable(message, request);
  message += "\" (there are ";
  if (connectors.empty()) message += "none";
  for (std::size_t i = 0; i < connectors.size(); ++i) {
    if (i > 0) message += ", ";
    message += std::to_string(i);
    if (!connectors[i].empty()) {
      message += ' ';
      appendPrintable(message, connectors[i]);
    }
    if (i == primary) message += " (primary)";
  }
  return message + ")";
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
