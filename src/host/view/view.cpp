#include "host/view/view.hpp"

namespace host {
namespace {

View make(auto&& node) { return View(Node{std::forward<decltype(node)>(node)}); }

// Environment modifiers on an environment node merge into it, so a chain of .font().lineLimit()
// stays one node.
EnvironmentNode environmentOf(const View& view) {
  if (const auto* env = std::get_if<EnvironmentNode>(&view.node().value)) return *env;
  return EnvironmentNode{.content = view};
}

AccessibilityNode accessibilityOf(const View& view) {
  if (const auto* a11y = std::get_if<AccessibilityNode>(&view.node().value)) return *a11y;
  return AccessibilityNode{.content = view};
}

}  // namespace

View::View() : node_(std::make_shared<const Node>(Node{EmptyNode{}})) {}
View::View(Node node) : node_(std::make_shared<const Node>(std::move(node))) {}

View View::frame(const FixedFrame& f) const { return make(FixedFrameNode{f, *this}); }
View View::frame(const FlexibleFrame& f) const { return make(FlexibleFrameNode{f, *this}); }
View View::padding(const EdgeInsets& insets) const { return make(PaddingNode{insets, *this}); }
View View::padding(Edges edges, double length) const {
  EdgeInsets insets{
      .top = contains(edges, Edges::top) ? length : 0,
      .leading = contains(edges, Edges::leading) ? length : 0,
      .bottom = contains(edges, Edges::bottom) ? length : 0,
      .trailing = contains(edges, Edges::trailing) ? length : 0,
  };
  return padding(insets);
}
View View::background(View behind, Alignment alignment) const {
  return make(BackgroundNode{std::move(behind), alignment, *this});
}
View View::background(const Color& color) const { return background(Rectangle(color)); }

View View::font(const Font& font) const {
  auto env = environmentOf(*this);
  if (!env.font) env.font = font;
  else return make(EnvironmentNode{.font = font, .content = *this});
  return make(std::move(env));
}
View View::foregroundStyle(const Color& color) const {
  auto env = environmentOf(*this);
  if (env.foreground) return make(EnvironmentNode{.foreground = color, .content = *this});
  env.foreground = color;
  return make(std::move(env));
}
View View::lineLimit(std::optional<int> lines) const {
  auto env = environmentOf(*this);
  if (env.lineLimit) return make(EnvironmentNode{.lineLimit = lines, .content = *this});
  env.lineLimit = lines;
  return make(std::move(env));
}
View View::monospacedDigit() const {
  auto env = environmentOf(*this);
  env.monospacedDigit = true;
  return make(std::move(env));
}

View View::minimumScaleFactor(double factor) const {
  auto env = environmentOf(*this);
  if (env.minimumScaleFactor) return make(EnvironmentNode{.minimumScaleFactor = factor, .content = *this});
  env.minimumScaleFactor = factor;
  return make(std::move(env));
}

View View::accessibilityElement(AccessibilityChildren children) const {
  auto a11y = accessibilityOf(*this);
  a11y.children = children;
  return make(std::move(a11y));
}
View View::accessibilityLabel(TextContent label) const {
  auto a11y = accessibilityOf(*this);
  a11y.label = std::move(label);
  return make(std::move(a11y));
}
View View::widgetURL(const Url& url) const { return make(WidgetURLNode{url, *this}); }
View View::hidden() const { return make(HiddenNode{*this}); }
View View::containerBackground(const Color& color, ContainerBackgroundPlacement placement) const {
  return make(ContainerBackgroundNode{color, placement, *this});
}
View View::id(std::string identity) const { return make(IdentityNode{std::move(identity), *this}); }

View EmptyView() { return View(); }
View VStack(VStackOptions options, std::vector<View> children) {
  return make(VStackNode{options, std::move(children)});
}
View HStack(HStackOptions options, std::vector<View> children) {
  return make(HStackNode{options, std::move(children)});
}
View ZStack(ZStackOptions options, std::vector<View> children) {
  return make(ZStackNode{options, std::move(children)});
}
View Spacer(SpacerOptions options) { return make(SpacerNode{options}); }
View Text(std::string verbatim) { return make(TextNode{TextContent(std::move(verbatim))}); }
View Text(LocalizedKey key) { return make(TextNode{TextContent(std::move(key))}); }
View Label(TextContent title, std::string symbol) { return make(LabelNode{std::move(title), std::move(symbol)}); }
View SymbolImage(std::string name) { return make(SymbolNode{std::move(name)}); }
View Image(ImageOptions options) { return make(ImageNode{std::move(options)}); }
View Rectangle(const Color& fill) { return make(RectangleNode{fill}); }
View CapsuleFill(const Color& fill) { return make(CapsuleNode{.fill = fill}); }
View CapsuleStrokeBorder(const Color& stroke, double lineWidth) {
  return make(CapsuleNode{.stroke = stroke, .lineWidth = lineWidth});
}
View GeometryReader(std::function<View(Size)> content) { return make(GeometryReaderNode{std::move(content)}); }
View FittingVStack(FittingVStackOptions options, std::size_t count, std::function<View(std::size_t)> row,
                   std::function<View(std::size_t)> overflow) {
  return make(FittingVStackNode{options, count, std::move(row), std::move(overflow)});
}
View Link(const Url& destination, View label) { return make(LinkNode{destination, std::move(label)}); }
View WidgetEnvironmentReader(std::function<View(const WidgetEnvironment&)> content) {
  return make(WidgetEnvironmentReaderNode{std::move(content)});
}

}  // namespace host
