#pragma once
// Views as values. A view describes what to draw; it holds no layout results and no state, and
// is cheap to copy (one shared, immutable node). Build trees with the flat factory functions
// below and adjust them with the chained modifiers of View:
//
//   VStack({.alignment = HorizontalAlignment::leading, .spacing = 2}, {
//       Text(LocalizedKey{"%lld", {count}}).font(Font::system(30, FontWeight::semibold)),
//       Text(LocalizedKey{"waiting on you"}).foregroundStyle(secondary)})
//
// The layout engine (layout.hpp) turns a tree into a laid-out display list.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/view/alignment.hpp"
#include "host/view/color.hpp"
#include "host/view/container_background.hpp"
#include "host/view/font.hpp"
#include "host/view/geometry.hpp"
#include "host/view/localized_string.hpp"
#include "host/platform/url.hpp"
#include "host/view/widget_environment.hpp"

namespace host {

struct Node;

struct FixedFrame {
  std::optional<double> width{};
  std::optional<double> height{};
  Alignment alignment = Alignment::center();
};

// Unset bounds leave that side of the proposal alone; kInfinity as a maximum takes all offered.
struct FlexibleFrame {
  std::optional<double> minWidth{};
  std::optional<double> idealWidth{};
  std::optional<double> maxWidth{};
  std::optional<double> minHeight{};
  std::optional<double> idealHeight{};
  std::optional<double> maxHeight{};
  Alignment alignment = Alignment::center();
};

enum class AccessibilityChildren { ignore, combine, contain };

class View {
 public:
  View();  // an empty view: takes no space, draws nothing
  explicit View(Node node);

  const Node& node() const { return *node_; }

  View frame(const FixedFrame& frame) const;
  View frame(const FlexibleFrame& frame) const;
  View padding(const EdgeInsets& insets) const;
  View padding(Edges edges, double length) const;
  View background(View behind, Alignment alignment = Alignment::center()) const;
  View background(const Color& color) const;

  // Environment: inherited by every text, label and symbol inside, nearest setting wins.
  View font(const Font& font) const;
  View foregroundStyle(const Color& color) const;
  View lineLimit(std::optional<int> lines) const;
  View monospacedDigit() const;
  // A text with a line limit that does not fit its width first shrinks, down to this fraction of
  // its font size, and only then is cut off.
  View minimumScaleFactor(double factor) const;

  View accessibilityElement(AccessibilityChildren children) const;
  View accessibilityLabel(TextContent label) const;
  View widgetURL(const Url& url) const;
  // Takes the room it would take, and shows nothing there: no drawing, no link, no element.
  View hidden() const;
  // What the host fills the container with behind this view; the widget canvas reads it from the
  // outermost view of a widget's content.
  View containerBackground(const Color& color, ContainerBackgroundPlacement placement) const;
  // Identity of a repeated row, so the host can match rows between two drawings.
  View id(std::string identity) const;

 private:
  std::shared_ptr<const Node> node_;
};

struct HStackOptions {
  VerticalAlignment alignment = VerticalAlignment::center;
  double spacing = 8;
};
struct VStackOptions {
  HorizontalAlignment alignment = HorizontalAlignment::center;
  double spacing = 8;
};
struct ZStackOptions {
  Alignment alignment = Alignment::center();
};
// A column of rows made on demand that shows the leading rows that fit whole in the height it is
// offered and, when some do not, a view made from the number left out in place of the last ones.
struct FittingVStackOptions {
  HorizontalAlignment alignment = HorizontalAlignment::center;
  double spacing = 8;
};
struct SpacerOptions {
  double minLength = 0;
};
enum class ContentMode { fit, fill };
struct ImageOptions {
  std::string name;
  bool resizable = false;
  std::optional<ContentMode> contentMode{};
};

// Node kinds. A node never stores layout results.
struct EmptyNode {};
struct VStackNode { VStackOptions options; std::vector<View> children; };
struct HStackNode { HStackOptions options; std::vector<View> children; };
struct ZStackNode { ZStackOptions options; std::vector<View> children; };
// Children spliced into the enclosing stack, as if written there one by one (rows of ForEach).
struct GroupNode { std::vector<View> children; };
struct SpacerNode { SpacerOptions options; };
struct FittingVStackNode {
  FittingVStackOptions options;
  std::size_t count = 0;
  std::function<View(std::size_t)> row;       // row i, 0 <= i < count
  std::function<View(std::size_t)> overflow;  // stands for that many rows left out
};
struct TextNode { TextContent content{}; };
// A symbol, then a title, in the host's standard label arrangement.
struct LabelNode { TextContent title; std::string symbol; };
struct SymbolNode { std::string name; };
struct ImageNode { ImageOptions options; };
struct RectangleNode { Color fill; };
// A capsule filled, or stroked along the inside of its bounds (strokeBorder), or both.
struct CapsuleNode { std::optional<Color> fill{}; std::optional<Color> stroke{}; double lineWidth = 1; };
struct GeometryReaderNode { std::function<View(Size)> content; };
struct FixedFrameNode { FixedFrame frame; View content; };
struct FlexibleFrameNode { FlexibleFrame frame; View content; };
struct PaddingNode { EdgeInsets insets; View content; };
struct BackgroundNode { View behind; Alignment alignment; View content; };
struct EnvironmentNode {
  std::optional<Font> font{};
  std::optional<Color> foreground{};
  std::optional<std::optional<int>> lineLimit{};
  std::optional<bool> monospacedDigit{};
  std::optional<double> minimumScaleFactor{};
  View content{};
};
struct LinkNode { Url destination; View label; };
struct WidgetURLNode { Url url; View content; };
struct AccessibilityNode {
  std::optional<AccessibilityChildren> children{};
  std::optional<TextContent> label{};
  View content{};
};
struct IdentityNode { std::string id; View content; };
struct HiddenNode { View content; };
struct ContainerBackgroundNode { Color color; ContainerBackgroundPlacement placement; View content; };
// Built by the layout engine from the widget environment of the drawing (LayoutServices::widget).
struct WidgetEnvironmentReaderNode { std::function<View(const WidgetEnvironment&)> content; };

// Every kind of node, once: NodeKind and Node's variant are both made from this list, in its order,
// so a node's kind is the index of its alternative. A new primitive is its struct above and a line
// here; the compiler then names every switch over NodeKind that must handle it.
#define HOST_VIEW_NODE_KINDS(KIND)                          \
  KIND(empty, EmptyNode)                                    \
  KIND(vstack, VStackNode)                                  \
  KIND(hstack, HStackNode)                                  \
  KIND(zstack, ZStackNode)                                  \
  KIND(group, GroupNode)                                    \
  KIND(spacer, SpacerNode)                                  \
  KIND(text, TextNode)                                      \
  KIND(label, LabelNode)                                    \
  KIND(symbol, SymbolNode)                                  \
  KIND(image, ImageNode)                                    \
  KIND(rectangle, RectangleNode)                            \
  KIND(capsule, CapsuleNode)                                \
  KIND(geometryReader, GeometryReaderNode)                  \
  KIND(fixedFrame, FixedFrameNode)                          \
  KIND(flexibleFrame, FlexibleFrameNode)                    \
  KIND(padding, PaddingNode)                                \
  KIND(background, BackgroundNode)                          \
  KIND(environment, EnvironmentNode)                        \
  KIND(link, LinkNode)                                      \
  KIND(widgetURL, WidgetURLNode)                            \
  KIND(accessibility, AccessibilityNode)                    \
  KIND(identity, IdentityNode)                              \
  KIND(containerBackground, ContainerBackgroundNode)        \
  KIND(widgetEnvironmentReader, WidgetEnvironmentReaderNode) \
  KIND(fittingVStack, FittingVStackNode)                    \
  KIND(hidden, HiddenNode)

enum class NodeKind : std::uint8_t {
#define HOST_VIEW_NODE_KIND_NAME(kind, type) kind,
  HOST_VIEW_NODE_KINDS(HOST_VIEW_NODE_KIND_NAME)
#undef HOST_VIEW_NODE_KIND_NAME
};

namespace detail {
// The list's types as a variant; the first parameter only absorbs the list's leading comma.
template <class Ignored, class... Nodes>
using NodeVariant = std::variant<Nodes...>;
}  // namespace detail

struct Node {
#define HOST_VIEW_NODE_TYPE(kind, type) , type
  detail::NodeVariant<void HOST_VIEW_NODE_KINDS(HOST_VIEW_NODE_TYPE)> value;
#undef HOST_VIEW_NODE_TYPE

  NodeKind kind() const { return static_cast<NodeKind>(value.index()); }
};

// Factories.
View EmptyView();
View VStack(VStackOptions options, std::vector<View> children);
View HStack(HStackOptions options, std::vector<View> children);
View ZStack(ZStackOptions options, std::vector<View> children);
View Spacer(SpacerOptions options = {});
View Text(std::string verbatim);  // shown unchanged, never looked up
View Text(LocalizedKey key);      // looked up in the string catalog
View Label(TextContent title, std::string symbol);
View SymbolImage(std::string name);  // sized by the environment's font
View Image(ImageOptions options);
View Rectangle(const Color& fill);
View CapsuleFill(const Color& fill);
View CapsuleStrokeBorder(const Color& stroke, double lineWidth);
View GeometryReader(std::function<View(Size)> content);
// Rows are built only when the layout reaches them, so rows that are not shown cost nothing.
View FittingVStack(FittingVStackOptions options, std::size_t count, std::function<View(std::size_t)> row,
                   std::function<View(std::size_t hidden)> overflow);
View Link(const Url& destination, View label);
// A view made when the host draws, from the family and rendering mode it draws in.
View WidgetEnvironmentReader(std::function<View(const WidgetEnvironment&)> content);

// One row per item, each identified by id(item), spliced into the enclosing stack.
template <class Items, class IdOf, class RowOf>
View ForEach(const Items& items, IdOf idOf, RowOf rowOf) {
  std::vector<View> rows;
  for (const auto& item : items) rows.push_back(rowOf(item).id(std::string(idOf(item))));
  return View(Node{GroupNode{std::move(rows)}});
}

}  // namespace host
