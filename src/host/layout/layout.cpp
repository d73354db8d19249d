#include "host/layout/layout.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/layout/axis.hpp"
#include "host/layout/fitting_rows.hpp"
#include "host/layout/size_cache.hpp"
#include "host/layout/small_buffer.hpp"
#include "host/layout/stack_space.hpp"
#include "host/layout/text_fitting.hpp"

namespace host {
namespace {

constexpr double kLabelGap = 4;            // between a label's symbol and its title
constexpr double kUnspecifiedLength = 10;  // a shape or reader proposed nothing on an axis
constexpr double kMaxVisibleLength = 32767;  // no drawing surface is larger, in points at scale 1

// What modifiers hand down to the texts, labels and symbols inside them; nearest setting wins.
struct Environment {
  Font font = kBodyFont;
  Color foreground = Color::primary();
  std::optional<int> lineLimit{};
  bool monospacedDigit = false;
  double minimumScaleFactor = 1;
};

// A view node with its environment applied, groups spliced and environment nodes gone: what the
// sizing and placing steps work on. Items live in one vector and refer to their children by range.
struct Item {
  NodeKind kind = NodeKind::empty;  // the node's, or text and symbol for a label's two parts
  Axis spacerAxis = Axis::none;  // spacers: the axis of the stack they sit in
  const Node* node = nullptr;    // the view node, for its options
  std::uint32_t childBegin = 0;  // range in Engine::children_
  std::uint32_t childEnd = 0;
  std::uint32_t text = 0;         // texts: index in Engine::texts_
  std::uint32_t environment = 0;  // geometry readers, fitting stacks: index in Engine::environments_
  std::uint32_t fitting = 0;      // fitting stacks: index in Engine::fittings_
  const std::string* symbol = nullptr;
  Font font{};
  Rgba color{};
  // Whether the size chosen can change with the proposed width (height). Sizes are memoised with
  // the axes an item ignores left out of the key, which keeps nested stacks from multiplying the
  // proposals their descendants see.
  bool dependsOnWidth = true;
  bool dependsOnHeight = true;
  SizeCache cache{};
  // Stacks: the children's lengths of the latest arrangement, which placing reuses when it places
  // the stack at that same proposal (the usual case: the final size is the last one asked).
  bool arranged = false;
  SizeCache::Key arrangedFor{};
  std::uint32_t arrangedLengths = 0;  // offset in Engine::lengths_
};

// A fitting stack's rows and overflow views, resolved as sizing first reaches them.
struct FittingEntry {
  std::vector<std::uint32_t> rows;                                  // items of rows 0, 1, ...
  std::vector<std::pair<std::size_t, std::uint32_t>> overflows;     // by the number left out
};

Point aligned(Point origin, Size room, Size child, Alignment alignment) {
  return {origin.x + (room.width - child.width) * fraction(alignment.horizontal),
          origin.y + (room.height - child.height) * fraction(alignment.vertical)};
}

// The engine's work vectors. One set per thread outlives the passes, emptied after each but keeping
// its capacity (up to kKeptItems items), so a large tree does not fault in fresh pages every pass.
struct Scratch {
  static constexpr std::size_t kKeptItems = std::size_t{1} << 18;
  std::vector<Item> items;
  std::vector<std::uint32_t> children;
  std::vector<MeasuredText> texts;
  std::unordered_multimap<std::size_t, std::uint32_t> textIndex;
  std::vector<double> lengths;
  std::vector<Environment> environments;
  std::vector<View> keepAlive;
  bool inUse = false;

  void clear() {
    if (items.capacity() > kKeptItems) {
      *this = Scratch{};
      return;
    }
    items.clear();
    children.clear();
    texts.clear();
    textIndex.clear();
    lengths.clear();
    environments.clear();
    keepAlive.clear();
  }
};

class Engine {
 public:
  Engine(const LayoutServices& services, Scratch& scratch)
      : services_(services), items_(scratch.items), children_(scratch.children), texts_(scratch.texts),
        textIndex_(scratch.textIndex), lengths_(scratch.lengths), environments_(scratch.environments),
        keepAlive_(scratch.keepAlive) {}

  LayoutTree run(const View& view, const ProposedSize& p) {
    // Items and children come one per view node at most (environment nodes leave none), so one
    // count up front spares the regrowth of these vectors in large trees.
    const std::size_t nodes = nodeCount(view);
    items_.reserve(nodes);
    children_.reserve(nodes);
    lengths_.reserve(nodes);
    visible_ = {std::min(p.width.value_or(kMaxVisibleLength), kMaxVisibleLength),
                std::min(p.height.value_or(kMaxVisibleLength), kMaxVisibleLength)};
    std::uint32_t root = resolve(view, Environment{}, Axis::none);
    services_.measurer.expectTexts(texts_.size());
    // A node per item at most, and the few of each geometry reader's content, built when placed.
    tree_.nodes.reserve(items_.size() + 4 * environments_.size() + 16);
    tree_.size = sizeOf(root, p);
    place(root, p, {0, 0}, kNoParent, 0);
    return std::move(tree_);
  }

 private:
  // ---- Step 1: resolve views into items -------------------------------------------------------

  // The nodes of the view tree, not counting what readers build when laid out.
  static std::size_t nodeCount(const View& view) {
    return std::visit(
        [](const auto& n) -> std::size_t {
          std::size_t count = 1;
          auto add = [&count](const auto& member) {
            using M = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<M, View>) count += nodeCount(member);
            else if constexpr (std::is_same_v<M, std::vector<View>>)
              for (const View& child : member) count += nodeCount(child);
          };
          if constexpr (requires { n.children; }) add(n.children);
          if constexpr (requires { n.content; }) add(n.content);
          if constexpr (requires { n.label; }) add(n.label);
          if constexpr (requires { n.behind; }) add(n.behind);
          if constexpr (std::is_same_v<std::decay_t<decltype(n)>, LabelNode>) count += 2;  // symbol, title
          return count;
        },
        view.node().value);
  }

  std::string formatted(const TextContent& content) const {
    if (const auto* verbatim = std::get_if<std::string>(&content)) return *verbatim;
    return services_.strings.format(std::get<LocalizedKey>(content));
  }

  std::uint32_t add(Item item) {
    items_.push_back(std::move(item));
    return static_cast<std::uint32_t>(items_.size() - 1);
  }

  // Calls f for each child of a stack, with groups spliced in and empty views left out.
  template <class F>
  static void forEachSpliced(const std::vector<View>& children, F&& f) {
    for (const View& child : children) {
      const auto& value = child.node().value;
      if (std::holds_alternative<EmptyNode>(value)) continue;
      if (const auto* group = std::get_if<GroupNode>(&value)) forEachSpliced(group->children, f);
      else f(child);
    }
  }

  std::uint32_t container(const Node* node, const std::vector<View>& children, const Environment& env,
                          Axis childAxis) {
    std::size_t count = 0;
    forEachSpliced(children, [&](const View&) { ++count; });
    std::uint32_t index = add(Item{.kind = node->kind(), .node = node});
    auto begin = static_cast<std::uint32_t>(children_.size());
    children_.resize(children_.size() + count);
    std::uint32_t slot = begin;
    forEachSpliced(children, [&](const View& child) { children_[slot++] = resolve(child, env, childAxis); });
    items_[index].childBegin = begin;
    items_[index].childEnd = slot;
    return index;
  }

  std::uint32_t wrapper(const Node* node, std::initializer_list<std::uint32_t> kids) {
    std::uint32_t index = add(Item{.kind = node->kind(), .node = node});
    items_[index].childBegin = static_cast<std::uint32_t>(children_.size());
    children_.insert(children_.end(), kids);
    items_[index].childEnd = static_cast<std::uint32_t>(children_.size());
    return index;
  }

  // A text is shaped only as far as could ever show within the root's proposal.
  std::size_t visibleLength(std::string_view text, const Environment& env) const {
    return host::visibleLength(text, env.font, env.minimumScaleFactor, env.lineLimit, visible_, services_.measurer);
  }

  // A verbatim text is cut before it is copied: a name may be megabytes long.
  std::uint32_t textItem(const TextContent& content, const Environment& env) {
    std::string text;
    if (const auto* verbatim = std::get_if<std::string>(&content)) {
      text.assign(*verbatim, 0, visibleLength(*verbatim, env));
    } else {
      text = formatted(content);
      text.resize(visibleLength(text, env));
    }
    TextStyle style{.font = env.font, .monospacedDigits = env.monospacedDigit};
    const double minimumScale = env.minimumScaleFactor;
    const std::size_t hash = hashText(text, style, env.lineLimit);
    auto [first, last] = textIndex_.equal_range(hash);
    auto same = std::find_if(first, last, [&](const auto& indexed) {
      const MeasuredText& known = texts_[indexed.second];
      return known.text == text && known.style == style && known.lineLimit == env.lineLimit &&
             known.minimumScale == minimumScale;
    });
    std::uint32_t entry = 0;
    if (same != last) {
      entry = same->second;
    } else {
      entry = static_cast<std::uint32_t>(texts_.size());
      texts_.push_back({std::move(text), style, env.lineLimit, minimumScale, {}});
      textIndex_.emplace(hash, entry);
    }
    return add(Item{.kind = NodeKind::text, .text = entry, .font = env.font,
                    .color = env.foreground.resolve(services_.appearance)});
  }

  std::uint32_t symbolItem(const std::string& name, const Environment& env) {
    return add(Item{.kind = NodeKind::symbol, .symbol = &name, .font = env.font,
                    .color = env.foreground.resolve(services_.appearance)});
  }

  // `axis` is the axis of the nearest enclosing stack, which a spacer inside grows along.
  std::uint32_t resolve(const View& view, const Environment& env, Axis axis) {
    std::uint32_t index = resolveNode(view, env, axis);
    settleDependence(index);
    return index;
  }

  void settleDependence(std::uint32_t index) {
    Item& item = items_[index];
    auto depends = [&](bool width, bool height) {
      item.dependsOnWidth = width;
      item.dependsOnHeight = height;
    };
    auto anyChild = [&](bool Item::*axis) {
      for (std::uint32_t i = item.childBegin; i < item.childEnd; ++i)
        if (items_[children_[i]].*axis) return true;
      return false;
    };
    auto childOf = [&](std::uint32_t n = 0) -> const Item& { return items_[children_[item.childBegin + n]]; };
    switch (item.kind) {
      case NodeKind::empty:
      case NodeKind::symbol: depends(false, false); break;
      case NodeKind::text: depends(true, false); break;
      case NodeKind::image: {
        bool resizable = std::get<ImageNode>(item.node->value).options.resizable;
        depends(resizable, resizable);
        break;
      }
      case NodeKind::spacer:
        depends(item.spacerAxis != Axis::vertical, item.spacerAxis != Axis::horizontal);
        break;
      case NodeKind::rectangle:
      case NodeKind::capsule:
      case NodeKind::geometryReader:
      case NodeKind::fittingVStack: depends(true, true); break;
      case NodeKind::vstack:
      case NodeKind::hstack:
      case NodeKind::zstack:
      case NodeKind::group:
      case NodeKind::label: depends(anyChild(&Item::dependsOnWidth), anyChild(&Item::dependsOnHeight)); break;
      case NodeKind::fixedFrame: {
        const FixedFrame& f = std::get<FixedFrameNode>(item.node->value).frame;
        depends(!f.width && childOf().dependsOnWidth, !f.height && childOf().dependsOnHeight);
        break;
      }
      case NodeKind::flexibleFrame: {
        const FlexibleFrame& f = std::get<FlexibleFrameNode>(item.node->value).frame;
        depends(childOf().dependsOnWidth || f.minWidth || f.idealWidth || f.maxWidth,
                childOf().dependsOnHeight || f.minHeight || f.idealHeight || f.maxHeight);
        break;
      }
      case NodeKind::background: depends(childOf(1).dependsOnWidth, childOf(1).dependsOnHeight); break;
      case NodeKind::padding:
      case NodeKind::link:
      case NodeKind::widgetURL:
      case NodeKind::accessibility:
      case NodeKind::identity:
      case NodeKind::hidden: depends(childOf().dependsOnWidth, childOf().dependsOnHeight); break;
      case NodeKind::environment:
      case NodeKind::containerBackground:
      case NodeKind::widgetEnvironmentReader: break;  // resolved into their content: never an item
    }
  }

  std::uint32_t resolveNode(const View& view, const Environment& env, Axis axis) {
    const Node* node = &view.node();
    return std::visit(
        [&](const auto& n) -> std::uint32_t {
          using T = std::decay_t<decltype(n)>;
          if constexpr (std::is_same_v<T, EmptyNode>) {
            return add(Item{.kind = node->kind(), .node = node});
          } else if constexpr (std::is_same_v<T, VStackNode>) {
            return container(node, n.children, env, Axis::vertical);
          } else if constexpr (std::is_same_v<T, HStackNode>) {
            return container(node, n.children, env, Axis::horizontal);
          } else if constexpr (std::is_same_v<T, ZStackNode> || std::is_same_v<T, GroupNode>) {
            // A group outside a stack overlaps its children, centred.
            return container(node, n.children, env, Axis::none);
          } else if constexpr (std::is_same_v<T, SpacerNode>) {
            return add(Item{.kind = node->kind(), .spacerAxis = axis, .node = node});
          } else if constexpr (std::is_same_v<T, TextNode>) {
            return textItem(n.content, env);
          } else if constexpr (std::is_same_v<T, LabelNode>) {
            std::uint32_t symbol = symbolItem(n.symbol, env);
            std::uint32_t title = textItem(n.title, env);
            settleDependence(symbol);
            settleDependence(title);
            return wrapper(node, {symbol, title});
          } else if constexpr (std::is_same_v<T, SymbolNode>) {
            return symbolItem(n.name, env);
          } else if constexpr (std::is_same_v<T, ImageNode>) {
            return add(Item{.kind = node->kind(), .node = node});
          } else if constexpr (std::is_same_v<T, RectangleNode>) {
            return add(Item{.kind = node->kind(), .node = node});
          } else if constexpr (std::is_same_v<T, CapsuleNode>) {
            return add(Item{.kind = node->kind(), .node = node});
          } else if constexpr (std::is_same_v<T, GeometryReaderNode>) {
            environments_.push_back(env);
            return add(Item{.kind = node->kind(), .node = node,
                            .environment = static_cast<std::uint32_t>(environments_.size() - 1)});
          } else if constexpr (std::is_same_v<T, HiddenNode>) {
            return wrapper(node, {resolve(n.content, env, axis)});
          } else if constexpr (std::is_same_v<T, FittingVStackNode>) {
            environments_.push_back(env);
            fittings_.emplace_back();
            return add(Item{.kind = node->kind(), .node = node,
                            .environment = static_cast<std::uint32_t>(environments_.size() - 1),
                            .fitting = static_cast<std::uint32_t>(fittings_.size() - 1)});
          } else if constexpr (std::is_same_v<T, FixedFrameNode>) {
            return wrapper(node, {resolve(n.content, env, axis)});
          } else if constexpr (std::is_same_v<T, FlexibleFrameNode>) {
            return wrapper(node, {resolve(n.content, env, axis)});
          } else if constexpr (std::is_same_v<T, PaddingNode>) {
            return wrapper(node, {resolve(n.content, env, axis)});
          } else if constexpr (std::is_same_v<T, BackgroundNode>) {
            std::uint32_t behind = resolve(n.behind, env, Axis::none);
            return wrapper(node, {behind, resolve(n.content, env, axis)});
          } else if constexpr (std::is_same_v<T, EnvironmentNode>) {
            Environment inner = env;
            if (n.font) inner.font = *n.font;
            if (n.foreground) inner.foreground = *n.foreground;
            if (n.lineLimit) inner.lineLimit = *n.lineLimit;
            if (n.monospacedDigit) inner.monospacedDigit = *n.monospacedDigit;
            if (n.minimumScaleFactor)
              inner.minimumScaleFactor = std::isfinite(*n.minimumScaleFactor) ? std::clamp(*n.minimumScaleFactor, 0.01, 1.0) : 1;
            return resolve(n.content, inner, axis);
          } else if constexpr (std::is_same_v<T, LinkNode>) {
            return wrapper(node, {resolve(n.label, env, axis)});
          } else if constexpr (std::is_same_v<T, WidgetURLNode>) {
            return wrapper(node, {resolve(n.content, env, axis)});
          } else if constexpr (std::is_same_v<T, AccessibilityNode>) {
            return wrapper(node, {resolve(n.content, env, axis)});
          } else if constexpr (std::is_same_v<T, ContainerBackgroundNode>) {
            // The widget canvas draws it behind the whole widget; in the tree it is its content.
            return resolve(n.content, env, axis);
          } else if constexpr (std::is_same_v<T, WidgetEnvironmentReaderNode>) {
            View content = n.content(services_.widget);
            keepAlive_.push_back(content);
            return resolve(content, env, axis);
          } else {
            static_assert(std::is_same_v<T, IdentityNode>);
            return wrapper(node, {resolve(n.content, env, axis)});
          }
        },
        node->value);
  }

  // ---- Step 2: sizes ---------------------------------------------------------------------------

  const TextMeasurement& measured(std::uint32_t entry, double width) {
    return texts_[entry].at(width, services_.measurer);
  }

  std::uint32_t child(std::uint32_t index, std::uint32_t n = 0) const {
    return children_[items_[index].childBegin + n];
  }

  // The proposal with the axes an item ignores left out: what its sizes are memoised by.
  ProposedSize relevant(const Item& item, const ProposedSize& proposal) const {
    return {item.dependsOnWidth ? proposal.width : std::nullopt, item.dependsOnHeight ? proposal.height : std::nullopt};
  }

  Size sizeOf(std::uint32_t index, const ProposedSize& proposal) {
    const Item& item = items_[index];
    ProposedSize p = relevant(item, proposal);
    SizeCache::Key key = SizeCache::key(p);
    if (const Size* cached = item.cache.find(key)) return *cached;
    Size size = computeSize(index, p);
    items_[index].cache.store(key, size);
    return size;
  }

  struct StackShape {
    Axis axis;
    double spacing;
    double alignment;  // fraction across the axis
  };

  StackShape stackShape(const Item& item) const {
    if (item.kind == NodeKind::vstack) {
      const auto& o = std::get<VStackNode>(item.node->value).options;
      return {Axis::vertical, o.spacing, fraction(o.alignment)};
    }
    if (item.kind == NodeKind::hstack) {
      const auto& o = std::get<HStackNode>(item.node->value).options;
      return {Axis::horizontal, o.spacing, fraction(o.alignment)};
    }
    return {Axis::horizontal, kLabelGap, 0.5};  // label
  }

  bool isSpacer(std::uint32_t index) const { return items_[index].kind == NodeKind::spacer; }
  double spacerMinimum(std::uint32_t index) const {
    return std::get<SpacerNode>(items_[index].node->value).options.minLength;
  }

  std::uint32_t childCount(std::uint32_t index) const { return items_[index].childEnd - items_[index].childBegin; }

  // Each child's length along the stack's axis for proposal p; returns the stack's size.
  Size arrange(std::uint32_t index, const ProposedSize& p, std::span<double> lengths) {
    StackShape shape = stackShape(items_[index]);
    std::uint32_t begin = items_[index].childBegin, end = items_[index].childEnd;
    std::optional<double> offered = along(shape.axis, p), crossOffered = across(shape.axis, p);
    bool Item::*dependsAlong = shape.axis == Axis::vertical ? &Item::dependsOnHeight : &Item::dependsOnWidth;
    if (!offered) {
      for (std::uint32_t i = begin; i < end; ++i) {
        std::uint32_t c = children_[i];
        lengths[i - begin] = isSpacer(c) ? spacerMinimum(c)
                                         : along(shape.axis, sizeOf(c, proposal(shape.axis, std::nullopt, crossOffered)));
      }
    } else {
      SmallBuffer<StackItem, 32> stackItems(end - begin);
      for (std::uint32_t i = begin; i < end; ++i) {
        std::uint32_t c = children_[i];
        StackItem& item = stackItems[i - begin];
        if (isSpacer(c)) {
          item = {.min = spacerMinimum(c), .max = kInfinity, .spacer = true};
        } else if (!(items_[c].*dependsAlong)) {
          double length = along(shape.axis, sizeOf(c, proposal(shape.axis, std::nullopt, crossOffered)));
          item = {.min = length, .max = length};
        } else {
          item = {.min = along(shape.axis, sizeOf(c, proposal(shape.axis, 0.0, crossOffered))),
                  .max = along(shape.axis, sizeOf(c, proposal(shape.axis, kInfinity, crossOffered)))};
        }
      }
      auto choose = [&](std::size_t i, double length) {
        return along(shape.axis, sizeOf(children_[begin + i], proposal(shape.axis, length, crossOffered)));
      };
      shareStackSpace(stackItems.span(), *offered, shape.spacing, choose, lengths);
    }
    double total = 0, thickness = 0;
    for (std::uint32_t i = begin; i < end; ++i) {
      double length = lengths[i - begin];
      total += length;
      if (isSpacer(children_[i])) continue;  // 0 across
      thickness = std::max(thickness, across(shape.axis, sizeOf(children_[i], proposal(shape.axis, length, crossOffered))));
    }
    if (end - begin > 1) total += shape.spacing * static_cast<double>(end - begin - 1);
    return shape.axis == Axis::vertical ? Size{thickness, total} : Size{total, thickness};
  }

  Size stackSize(std::uint32_t index, const ProposedSize& p) {
    Item& item = items_[index];
    if (!item.arranged) {
      item.arrangedLengths = static_cast<std::uint32_t>(lengths_.size());
      lengths_.resize(lengths_.size() + childCount(index));
    }
    SmallBuffer<double, 32> lengths(childCount(index));
    Size size = arrange(index, p, lengths.span());
    Item& arranged = items_[index];
    std::copy(lengths.span().begin(), lengths.span().end(), lengths_.begin() + arranged.arrangedLengths);
    arranged.arranged = true;
    arranged.arrangedFor = SizeCache::key(p);
    return size;
  }

  // ---- Fitting stacks: rows resolved and sized only as far as the height offered reaches ------

  std::uint32_t fittingRow(std::uint32_t index, std::size_t row) {
    const auto& node = std::get<FittingVStackNode>(items_[index].node->value);
    const std::uint32_t entry = items_[index].fitting;
    while (fittings_[entry].rows.size() <= row) {
      const View view = node.row(fittings_[entry].rows.size());
      keepAlive_.push_back(view);
      const Environment env = environments_[items_[index].environment];  // resolving may add environments
      const std::uint32_t resolved = resolve(view, env, Axis::vertical);
      fittings_[entry].rows.push_back(resolved);
    }
    return fittings_[entry].rows[row];
  }

  std::uint32_t fittingOverflow(std::uint32_t index, std::size_t hidden) {
    const std::uint32_t entry = items_[index].fitting;
    for (const auto& [count, item] : fittings_[entry].overflows)
      if (count == hidden) return item;
    const View overflow = std::get<FittingVStackNode>(items_[index].node->value).overflow(hidden);
    keepAlive_.push_back(overflow);
    const Environment env = environments_[items_[index].environment];
    const std::uint32_t resolved = resolve(overflow, env, Axis::vertical);
    fittings_[entry].overflows.emplace_back(hidden, resolved);
    return resolved;
  }

  // The rows shown for proposal p, then the overflow view when there is one; rows are proposed
  // the width and their ideal height, as in a stack offered no height.
  std::vector<std::uint32_t> fittingChildren(std::uint32_t index, const ProposedSize& p) {
    const auto& node = std::get<FittingVStackNode>(items_[index].node->value);
    const ProposedSize rowProposal{p.width, std::nullopt};
    auto rowLength = [&](std::size_t i) { return sizeOf(fittingRow(index, i), rowProposal).height; };
    auto overflowLength = [&](std::size_t hidden) { return sizeOf(fittingOverflow(index, hidden), rowProposal).height; };
    FittingRows fit{node.count, false};
    if (p.height) fit = fitRows(node.count, *p.height, node.options.spacing, rowLength, overflowLength);
    std::vector<std::uint32_t> shown;
    shown.reserve(fit.shown + 1);
    for (std::size_t i = 0; i < fit.shown; ++i) shown.push_back(fittingRow(index, i));
    if (fit.overflow) shown.push_back(fittingOverflow(index, node.count - fit.shown));
    return shown;
  }

  Size fittingSize(std::uint32_t index, const ProposedSize& p) {
    // Like a frame with an unbounded maximum height, it takes all of an unbounded offer, so a stack
    // serves it after its other children, and it never lays out every row to learn its largest size.
    if (p.height && std::isinf(*p.height)) return {p.width.value_or(0), kInfinity};
    const double spacing = std::get<FittingVStackNode>(items_[index].node->value).options.spacing;
    const ProposedSize rowProposal{p.width, std::nullopt};
    Size size{};
    const auto shown = fittingChildren(index, p);
    for (std::uint32_t c : shown) {
      const Size s = sizeOf(c, rowProposal);
      size = {std::max(size.width, s.width), size.height + s.height};
    }
    if (shown.size() > 1) size.height += spacing * static_cast<double>(shown.size() - 1);
    return size;
  }

  void placeFitting(std::uint32_t index, const ProposedSize& p, Rect frame, std::size_t parent, int depth) {
    const auto& options = std::get<FittingVStackNode>(items_[index].node->value).options;
    const ProposedSize rowProposal{p.width, std::nullopt};
    double y = frame.y;
    for (std::uint32_t c : fittingChildren(index, p)) {
      const Size s = sizeOf(c, rowProposal);
      place(c, rowProposal, {frame.x + (frame.width - s.width) * fraction(options.alignment), y}, parent, depth);
      y += s.height + options.spacing;
    }
  }

  Size imageSize(const ImageOptions& o, const ProposedSize& p) const {
    Size intrinsic = services_.assets.imageSize(o.name).value_or(Size{});
    if (!o.resizable) return intrinsic;
    if (!o.contentMode) return {p.width.value_or(intrinsic.width), p.height.value_or(intrinsic.height)};
    if (intrinsic.width <= 0 || intrinsic.height <= 0) return {};
    std::optional<double> scale;
    auto consider = [&](std::optional<double> offered, double length) {
      if (!offered) return;
      double s = *offered / length;
      if (!scale) scale = s;
      else scale = *o.contentMode == ContentMode::fit ? std::min(*scale, s) : std::max(*scale, s);
    };
    consider(p.width, intrinsic.width);
    consider(p.height, intrinsic.height);
    double s = scale.value_or(1.0);
    return {intrinsic.width * s, intrinsic.height * s};
  }

  Size computeSize(std::uint32_t index, const ProposedSize& p) {
    const Item& item = items_[index];
    switch (item.kind) {
      case NodeKind::empty: return {};
      case NodeKind::vstack:
      case NodeKind::hstack:
      case NodeKind::label: return stackSize(index, p);
      case NodeKind::zstack:
      case NodeKind::group: {
        Size size{};
        for (std::uint32_t i = item.childBegin, end = item.childEnd; i < end; ++i) {
          Size s = sizeOf(children_[i], p);
          size = {std::max(size.width, s.width), std::max(size.height, s.height)};
        }
        return size;
      }
      case NodeKind::spacer: {
        double minimum = spacerMinimum(index);
        auto grow = [&](std::optional<double> offered) { return std::max(minimum, offered.value_or(minimum)); };
        if (item.spacerAxis == Axis::none) return {grow(p.width), grow(p.height)};
        double length = grow(along(item.spacerAxis, p));
        return item.spacerAxis == Axis::vertical ? Size{0, length} : Size{length, 0};
      }
      case NodeKind::text: return measured(item.text, p.width.value_or(kInfinity)).size;
      case NodeKind::fittingVStack: return fittingSize(index, p);
      case NodeKind::symbol: return services_.measurer.symbolSize(item.font);
      case NodeKind::image: return imageSize(std::get<ImageNode>(item.node->value).options, p);
      case NodeKind::rectangle:
      case NodeKind::capsule:
      case NodeKind::geometryReader:
        return {p.width.value_or(kUnspecifiedLength), p.height.value_or(kUnspecifiedLength)};
      case NodeKind::fixedFrame: {
        const FixedFrame& f = std::get<FixedFrameNode>(item.node->value).frame;
        Size c = sizeOf(child(index), {f.width ? f.width : p.width, f.height ? f.height : p.height});
        return {f.width.value_or(c.width), f.height.value_or(c.height)};
      }
      case NodeKind::flexibleFrame: {
        const FlexibleFrame& f = std::get<FlexibleFrameNode>(item.node->value).frame;
        AxisBounds w = widthBounds(f), h = heightBounds(f);
        Size c = sizeOf(child(index), {clampedProposal(p.width, w), clampedProposal(p.height, h)});
        return {flexibleLength(p.width, w, c.width), flexibleLength(p.height, h, c.height)};
      }
      case NodeKind::padding: {
        const EdgeInsets& e = std::get<PaddingNode>(item.node->value).insets;
        Size c = sizeOf(child(index), paddedProposal(p, e));
        return {c.width + e.leading + e.trailing, c.height + e.top + e.bottom};
      }
      case NodeKind::background: return sizeOf(child(index, 1), p);
      case NodeKind::link:
      case NodeKind::widgetURL:
      case NodeKind::accessibility:
      case NodeKind::identity:
      case NodeKind::hidden: return sizeOf(child(index), p);
      case NodeKind::environment:
      case NodeKind::containerBackground:
      case NodeKind::widgetEnvironmentReader: break;  // resolved into their content: never an item
    }
    return {};
  }

  static ProposedSize paddedProposal(const ProposedSize& p, const EdgeInsets& e) {
    auto less = [](std::optional<double> length, double insets) -> std::optional<double> {
      if (!length) return std::nullopt;
      return std::max(0.0, *length - insets);
    };
    return {less(p.width, e.leading + e.trailing), less(p.height, e.top + e.bottom)};
  }

  // ---- Step 3: placing and writing the display list ---------------------------------------------

  std::size_t emit(LayoutKind kind, std::size_t parent, int depth, Rect frame, LayoutPayload payload = {}) {
    tree_.nodes.push_back(LayoutNode{.kind = kind, .parent = parent, .depth = depth, .subtreeEnd = 0,
                                     .frame = frame, .payload = std::move(payload)});
    return tree_.nodes.size() - 1;
  }

  // The kind of node an item leaves in the tree; none for those that leave none.
  static std::optional<LayoutKind> layoutKind(NodeKind kind) {
    switch (kind) {
      case NodeKind::empty:
      case NodeKind::widgetURL:
      case NodeKind::hidden:
      case NodeKind::environment:
      case NodeKind::containerBackground:
      case NodeKind::widgetEnvironmentReader: return std::nullopt;
      case NodeKind::vstack: return LayoutKind::vstack;
      case NodeKind::hstack: return LayoutKind::hstack;
      case NodeKind::zstack:
      case NodeKind::group: return LayoutKind::zstack;
      case NodeKind::label: return LayoutKind::label;
      case NodeKind::spacer: return LayoutKind::spacer;
      case NodeKind::text: return LayoutKind::text;
      case NodeKind::symbol: return LayoutKind::symbol;
      case NodeKind::image: return LayoutKind::image;
      case NodeKind::rectangle: return LayoutKind::rectangle;
      case NodeKind::capsule: return LayoutKind::capsule;
      case NodeKind::geometryReader: return LayoutKind::geometryReader;
      case NodeKind::fixedFrame:
      case NodeKind::flexibleFrame: return LayoutKind::frame;
      case NodeKind::padding: return LayoutKind::padding;
      case NodeKind::background: return LayoutKind::background;
      case NodeKind::link: return LayoutKind::link;
      case NodeKind::accessibility: return LayoutKind::accessibility;
      case NodeKind::identity: return LayoutKind::identity;
      case NodeKind::fittingVStack: return LayoutKind::vstack;
    }
    return std::nullopt;
  }

  LayoutPayload payload(std::uint32_t index, const ProposedSize& p) {
    const Item& item = items_[index];
    const Appearance& appearance = services_.appearance;
    switch (item.kind) {
      case NodeKind::text: {
        const TextMeasurement& m = measured(item.text, p.width.value_or(kInfinity));
        const MeasuredText& entry = texts_[item.text];
        Font font = item.font;
        font.size *= m.fontScale;
        return TextRun{.text = entry.text, .drawnText = m.drawnText, .font = font,
                       .tabularDigits = entry.style.monospacedDigits, .color = item.color,
                       .lineLimit = entry.lineLimit, .truncated = m.truncated, .lineCount = m.lineCount,
                       .baseline = m.baseline};
      }
      case NodeKind::symbol: return SymbolRun{.name = *item.symbol, .font = item.font, .color = item.color};
      case NodeKind::image: return ImageRun{.name = std::get<ImageNode>(item.node->value).options.name};
      case NodeKind::rectangle:
        return RectangleFill{.fill = std::get<RectangleNode>(item.node->value).fill.resolve(appearance)};
      case NodeKind::capsule: {
        const auto& c = std::get<CapsuleNode>(item.node->value);
        CapsuleShape shape;
        if (c.fill) shape.fill = c.fill->resolve(appearance);
        if (c.stroke) {
          shape.stroke = c.stroke->resolve(appearance);
          shape.lineWidth = c.lineWidth;
        }
        return shape;
      }
      case NodeKind::link: return LinkTarget{.url = std::get<LinkNode>(item.node->value).destination};
      case NodeKind::accessibility: {
        const auto& a = std::get<AccessibilityNode>(item.node->value);
        AccessibilityInfo info{.children = a.children};
        if (a.label) info.label = formatted(*a.label);
        return info;
      }
      case NodeKind::identity: return RowIdentity{.id = std::get<IdentityNode>(item.node->value).id};
      case NodeKind::empty:
      case NodeKind::vstack:
      case NodeKind::hstack:
      case NodeKind::zstack:
      case NodeKind::group:
      case NodeKind::spacer:
      case NodeKind::label:
      case NodeKind::geometryReader:
      case NodeKind::fixedFrame:
      case NodeKind::flexibleFrame:
      case NodeKind::padding:
      case NodeKind::background:
      case NodeKind::environment:
      case NodeKind::widgetURL:
      case NodeKind::containerBackground:
      case NodeKind::widgetEnvironmentReader:
      case NodeKind::fittingVStack:
      case NodeKind::hidden: break;  // structural, or no node at all
    }
    return {};
  }

  void placeStack(std::uint32_t index, const ProposedSize& p, Rect frame, std::size_t parent, int depth) {
    StackShape shape = stackShape(items_[index]);
    SmallBuffer<double, 32> lengths(childCount(index));
    const Item& item = items_[index];
    if (item.arranged && item.arrangedFor == SizeCache::key(relevant(item, p))) {
      std::copy_n(lengths_.begin() + item.arrangedLengths, lengths.size(), lengths.span().begin());
    } else {
      arrange(index, p, lengths.span());
    }
    double position = shape.axis == Axis::vertical ? frame.y : frame.x;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
      std::uint32_t c = children_[items_[index].childBegin + i];
      ProposedSize childProposal = proposal(shape.axis, lengths[i], across(shape.axis, p));
      double thickness = across(shape.axis, sizeOf(c, childProposal));
      double room = across(shape.axis, frame.size());
      double offset = (room - thickness) * shape.alignment;
      Point origin = shape.axis == Axis::vertical ? Point{frame.x + offset, position} : Point{position, frame.y + offset};
      place(c, childProposal, origin, parent, depth);
      position += lengths[i] + shape.spacing;
    }
  }

  void placeAligned(std::uint32_t c, const ProposedSize& childProposal, Rect frame, Alignment alignment,
                    std::size_t parent, int depth) {
    Size size = sizeOf(c, childProposal);
    place(c, childProposal, aligned({frame.x, frame.y}, frame.size(), size, alignment), parent, depth);
  }

  void place(std::uint32_t index, const ProposedSize& p, Point origin, std::size_t parent, int depth) {
    Size size = sizeOf(index, p);
    Rect frame{origin.x, origin.y, size.width, size.height};
    const NodeKind kind = items_[index].kind;
    const Node* node = items_[index].node;

    if (kind == NodeKind::widgetURL) {
      place(child(index), p, origin, parent, depth);
      if (!tree_.widgetURL) tree_.widgetURL = std::get<WidgetURLNode>(node->value).url;
      return;
    }
    const std::optional<LayoutKind> laidOut = layoutKind(kind);
    if (!laidOut) return;  // empty and hidden views: nothing of them or in them is drawn, tapped or read

    std::size_t self = emit(*laidOut, parent, depth, frame, payload(index, p));
    int inner = depth + 1;
    switch (kind) {
      case NodeKind::vstack:
      case NodeKind::hstack:
      case NodeKind::label: placeStack(index, p, frame, self, inner); break;
      case NodeKind::fittingVStack: placeFitting(index, p, frame, self, inner); break;
      case NodeKind::zstack:
      case NodeKind::group: {
        Alignment alignment = std::holds_alternative<ZStackNode>(node->value)
                                  ? std::get<ZStackNode>(node->value).options.alignment
                                  : Alignment::center();
        for (std::uint32_t i = items_[index].childBegin; i < items_[index].childEnd; ++i)
          placeAligned(children_[i], p, frame, alignment, self, inner);
        break;
      }
      case NodeKind::geometryReader: {
        const auto& reader = std::get<GeometryReaderNode>(node->value);
        keepAlive_.push_back(reader.content(size));
        Environment env = environments_[items_[index].environment];
        std::uint32_t content = resolve(keepAlive_.back(), env, Axis::none);
        place(content, size, origin, self, inner);
        break;
      }
      case NodeKind::fixedFrame: {
        const FixedFrame& f = std::get<FixedFrameNode>(node->value).frame;
        placeAligned(child(index), {f.width ? f.width : p.width, f.height ? f.height : p.height}, frame,
                     f.alignment, self, inner);
        break;
      }
      case NodeKind::flexibleFrame: {
        const FlexibleFrame& f = std::get<FlexibleFrameNode>(node->value).frame;
        placeAligned(child(index), {clampedProposal(p.width, widthBounds(f)), clampedProposal(p.height, heightBounds(f))},
                     frame, f.alignment, self, inner);
        break;
      }
      case NodeKind::padding: {
        const EdgeInsets& e = std::get<PaddingNode>(node->value).insets;
        place(child(index), paddedProposal(p, e), {origin.x + e.leading, origin.y + e.top}, self, inner);
        break;
      }
      case NodeKind::background: {
        placeAligned(child(index, 0), size, frame, std::get<BackgroundNode>(node->value).alignment, self, inner);
        place(child(index, 1), p, origin, self, inner);
        break;
      }
      case NodeKind::link:
      case NodeKind::accessibility:
      case NodeKind::identity: place(child(index), p, origin, self, inner); break;
      case NodeKind::spacer:
      case NodeKind::text:
      case NodeKind::symbol:
      case NodeKind::image:
      case NodeKind::rectangle:
      case NodeKind::capsule: break;  // nothing inside
      case NodeKind::empty:
      case NodeKind::environment:
      case NodeKind::widgetURL:
      case NodeKind::containerBackground:
      case NodeKind::widgetEnvironmentReader:
      case NodeKind::hidden: break;  // no node of their own: handled above
    }
    tree_.nodes[self].subtreeEnd = tree_.nodes.size();
  }

  const LayoutServices& services_;
  std::vector<Item>& items_;
  std::vector<std::uint32_t>& children_;
  std::vector<MeasuredText>& texts_;
  std::unordered_multimap<std::size_t, std::uint32_t>& textIndex_;  // hashText -> index in texts_
  std::vector<double>& lengths_;  // stacks' latest arrangements (Item::arrangedLengths)
  std::vector<Environment>& environments_;
  std::vector<View>& keepAlive_;  // readers' content, built during resolving and placing
  std::vector<FittingEntry> fittings_;
  Size visible_{};  // the root's proposal, bounded: nothing beyond it can show
  LayoutTree tree_;
};

}  // namespace

LayoutTree layout(const View& view, ProposedSize proposal, const LayoutServices& services) {
  thread_local Scratch kept;
  Scratch own;  // a layout started while one runs on this thread (from a reader's content) gets its own
  Scratch& scratch = kept.inUse ? own : kept;
  scratch.inUse = true;
  struct Release {
    Scratch& scratch;
    ~Release() {
      scratch.clear();
      scratch.inUse = false;
    }
  } release{scratch};
  return Engine(services, scratch).run(view, proposal);
}

}  // namespace host
