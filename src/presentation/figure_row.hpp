#pragma once
// One weekly figure of the medium layout: its label at the leading edge, its value at the
// trailing edge, each on one line and cut off rather than wrapped.
#include <string>

#include "host/view/view.hpp"

namespace zuvo {

struct FigureRow {
  std::string label;  // shown unchanged
  std::string value;  // shown unchanged

  host::View body() const;
};

}  // namespace zuvo
