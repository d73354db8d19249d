#pragma once
// A custom-drawn widget cannot give the toolkit's accessibility tree children of its own, so each
// accessibility element of the laid-out tree gets a real, invisible widget at its frame: a button
// for an element that lies in a link (activating it opens the link), a label otherwise. This is
// the plan for them, in reading order; the window builds the widgets from it.
#include <optional>
#include <string>
#include <vector>

#include "host/layout/layout_tree.hpp"
#include "host/platform/url.hpp"
#include "host/view/geometry.hpp"

namespace host {

struct StandIn {
  enum class Kind { button, label };
  Kind kind = Kind::label;
  std::string label;
  Rect frame{};
  std::optional<Url> link{};  // set exactly for buttons
  friend bool operator==(const StandIn&, const StandIn&) = default;
};

std::vector<StandIn> standIns(const LayoutTree& tree);

// Whether `point` lies inside a rounded rectangle of `size` with corners of `radius`: what a click
// on the widget's shape hits, as opposed to the transparent corners outside it.
bool insideRoundedRectangle(Size size, double radius, Point point);

}  // namespace host
