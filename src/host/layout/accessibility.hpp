#pragma once
// What a screen reader announces for a laid-out tree, in reading (document) order.
//
// An accessibility node with a label is one element read as that label; when it ignores or
// combines its children, or has only a label, nothing inside is announced separately (a combining
// element without a label reads its texts joined by ", "). A text outside such elements is an
// element of its own, read as its whole text even when drawn cut off. Symbols and images without
// a label are decoration and are not announced.
#include <optional>
#include <string>
#include <vector>

#include "host/view/geometry.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/platform/url.hpp"

namespace host {

struct AccessibleElement {
  std::string label;
  Rect frame{};
  std::optional<Url> link{};  // the link the element lies in: activating it opens the URL
  friend bool operator==(const AccessibleElement&, const AccessibleElement&) = default;
};

std::vector<AccessibleElement> accessibleElements(const LayoutTree& tree);

}  // namespace host
