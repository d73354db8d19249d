#pragma once
// A laid-out view tree: one layout pass, many readers. The engine (layout.hpp) writes it; the
// Cairo drawer, hit testing, the JSON dump and the accessibility reader only read it.
//
// The nodes form a flat display list in pre-order: a parent comes before its children, children in
// document order, so drawing the list front to back paints a background before what stands on it.
// Every node knows its parent's index, its depth and where its subtree ends, so readers can walk
// up, skip a subtree or rebuild the nesting without pointers. Frames are absolute, in layout points
// from the widget's top-left corner. Colours are already resolved for the appearance the tree was
// laid out for; texts are already looked up and measured.
//
// Environment modifiers, groups, empty views and the widget-wide URL leave no node: their effect
// is in the payloads below and in LayoutTree::widgetURL.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/view/color.hpp"
#include "host/view/font.hpp"
#include "host/view/geometry.hpp"
#include "host/platform/url.hpp"
#include "host/view/view.hpp"

namespace host {

// Every kind of laid-out node, once: LayoutKind and the kinds' names are both made from this list.
#define HOST_LAYOUT_KINDS(KIND)                                                   \
  /* Structural: they place their children and draw nothing themselves. */       \
  KIND(vstack)                                                                    \
  KIND(hstack)                                                                    \
  KIND(zstack)                                                                    \
  KIND(spacer)                                                                    \
  KIND(frame)          /* fixed or flexible frame */                              \
  KIND(padding)                                                                   \
  KIND(background)     /* children: what lies behind, then the content */         \
  KIND(geometryReader)                                                            \
  KIND(label)          /* children: the symbol, then the title text */            \
  /* Drawn. */                                                                    \
  KIND(text)                                                                      \
  KIND(symbol)                                                                    \
  KIND(image)                                                                     \
  KIND(rectangle)                                                                 \
  KIND(capsule)                                                                   \
  /* Behaviour. */                                                                \
  KIND(link)                                                                      \
  KIND(accessibility)                                                             \
  KIND(identity)

enum class LayoutKind : std::uint8_t {
#define HOST_LAYOUT_KIND_NAME(kind) kind,
  HOST_LAYOUT_KINDS(HOST_LAYOUT_KIND_NAME)
#undef HOST_LAYOUT_KIND_NAME
};

// The kind's name as the list spells it: "vstack", "frame", "geometryReader", ...
std::string_view name(LayoutKind kind);

// A run of text, laid out from the frame's top-left within the frame's width.
struct TextRun {
  std::string text;       // the whole text after catalog lookup and formatting
  std::string drawnText;  // what is drawn: with a trailing "…" when cut off
  Font font{};
  bool tabularDigits = false;
  Rgba color{};
  std::optional<int> lineLimit{};
  bool truncated = false;
  int lineCount = 1;
  double baseline = 0;  // from the frame's top to the first line's baseline
};

// A system symbol, drawn to fill its frame, tinted with `color`.
struct SymbolRun {
  std::string name;
  Font font{};
  Rgba color{};
};

// A named image asset, drawn to fill its frame (the engine already applied aspect fit).
struct ImageRun {
  std::string name;
};

struct RectangleFill {
  Rgba fill{};
};

// A capsule: corner radius half the frame's shorter side. The stroke lies wholly inside the frame
// (its centre line inset by lineWidth / 2); the fill, when present, is drawn first.
struct CapsuleShape {
  std::optional<Rgba> fill{};
  std::optional<Rgba> stroke{};
  double lineWidth = 0;
};

// A tap anywhere in the frame opens `url`; the innermost link wins.
struct LinkTarget {
  Url url;
};

// What a screen reader makes of this subtree. With a label, the node is one element read as that
// label. `children` is how it treats what lies inside: ignore and combine hide the children as
// separate elements (combine reads their texts as its label when it has none); contain keeps them.
struct AccessibilityInfo {
  std::optional<std::string> label{};  // resolved through the string catalog
  std::optional<AccessibilityChildren> children{};

  // A label alone replaces what the content would be read as, like ignore.
  bool childrenHidden() const {
    return children == AccessibilityChildren::ignore || children == AccessibilityChildren::combine ||
           (!children && label);
  }
};

struct RowIdentity {
  std::string id;
};

using LayoutPayload = std::variant<std::monostate, TextRun, SymbolRun, ImageRun, RectangleFill, CapsuleShape,
                                   LinkTarget, AccessibilityInfo, RowIdentity>;

inline constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);

struct LayoutNode {
  LayoutKind kind = LayoutKind::zstack;
  std::size_t parent = kNoParent;  // index in LayoutTree::nodes; kNoParent for the root
  int depth = 0;                   // the root has depth 0
  std::size_t subtreeEnd = 0;      // one past the index of this node's last descendant
  Rect frame{};                    // absolute, from the widget's top-left
  LayoutPayload payload{};         // std::monostate for structural nodes

  template <class T>
  const T* as() const { return std::get_if<T>(&payload); }
};

struct LayoutTree {
  Size size{};
  std::optional<Url> widgetURL{};  // a tap anywhere outside every link opens it
  std::vector<LayoutNode> nodes;   // pre-order; nodes[0] is the root when not empty

  // Indices of the direct children of `index`, in document order.
  std::vector<std::size_t> children(std::size_t index) const {
    std::vector<std::size_t> out;
    for (std::size_t i = index + 1; i < nodes[index].subtreeEnd; i = nodes[i].subtreeEnd) out.push_back(i);
    return out;
  }
};

}  // namespace host
