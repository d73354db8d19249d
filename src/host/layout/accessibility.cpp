#include "host/layout/accessibility.hpp"

namespace host {
namespace {

std::optional<Url> enclosingLink(const LayoutTree& tree, std::size_t index) {
  for (std::size_t i = index; i != kNoParent; i = tree.nodes[i].parent)
    if (const auto* link = tree.nodes[i].as<LinkTarget>()) return link->url;
  return std::nullopt;
}

std::string joinedTexts(const LayoutTree& tree, std::size_t index) {
  std::string joined;
  for (std::size_t i = index + 1; i < tree.nodes[index].subtreeEnd; ++i) {
    if (const auto* text = tree.nodes[i].as<TextRun>()) {
      if (!joined.empty()) joined += ", ";
      joined += text->text;
    }
  }
  return joined;
}

}  // namespace

std::vector<AccessibleElement> accessibleElements(const LayoutTree& tree) {
  std::vector<AccessibleElement> elements;
  std::size_t i = 0;
  while (i < tree.nodes.size()) {
    const LayoutNode& node = tree.nodes[i];
    if (const auto* info = node.as<AccessibilityInfo>()) {
      std::optional<std::string> label = info->label;
      if (!label && info->children == AccessibilityChildren::combine) label = joinedTexts(tree, i);
      if (label) elements.push_back({*label, node.frame, enclosingLink(tree, i)});
      if (info->childrenHidden()) {
        i = node.subtreeEnd;
        continue;
      }
    } else if (const auto* text = node.as<TextRun>()) {
      elements.push_back({text->text, node.frame, enclosingLink(tree, i)});
    }
    ++i;
  }
  return elements;
}

}  // namespace host
