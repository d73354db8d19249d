#pragma once
// A link button of the medium layout: a symbol and a title in a capsule outline; a tap anywhere on
// it opens its URL in the Zuvo application.
#include <string>

#include "host/platform/url.hpp"
#include "host/view/view.hpp"

namespace zuvo {

struct QuickLinkButton {
  std::string title;   // shown unchanged
  std::string symbol;  // a system symbol name
  host::Url destination;

  host::View body() const;
};

}  // namespace zuvo
