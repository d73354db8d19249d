#pragma once
// The top of both layouts: the Vantle wordmark, held at the leading edge by a spacer. The caller
// supplies the horizontal stack around the two children.
#include <vector>

#include "host/view/view.hpp"

namespace zuvo {

struct WordmarkHeader {
  std::vector<host::View> children() const;
};

}  // namespace zuvo
