#include "host/live/stand_ins.hpp"

#include <algorithm>

#include "host/layout/accessibility.hpp"

namespace host {

std::vector<StandIn> standIns(const LayoutTree& tree) {
  std::vector<StandIn> out;
  for (auto& element : accessibleElements(tree)) {
    StandIn standIn{.kind = element.link ? StandIn::Kind::button : StandIn::Kind::label,
                    .label = std::move(element.label),
                    .frame = element.frame,
                    .link = std::move(element.link)};
    out.push_back(std::move(standIn));
  }
  return out;
}

bool insideRoundedRectangle(Size size, double radius, Point point) {
  if (!Rect{0, 0, size.width, size.height}.contains(point)) return false;
  radius = std::clamp(radius, 0.0, std::min(size.width, size.height) / 2);
  // Outside the corner squares the rectangle's edges decide; inside one, the distance to its arc.
  const double cx = std::clamp(point.x, radius, size.width - radius);
  const double cy = std::clamp(point.y, radius, size.height - radius);
  const double dx = point.x - cx, dy = point.y - cy;
  return dx * dx + dy * dy <= radius * radius;
}

}  // namespace host
