#pragma once
// The layout engine: turns a view tree into a laid-out display list (layout_tree.hpp) by the
// propose-and-choose model. A parent proposes a size to each child, the child chooses its own size,
// and the parent places it. Text is looked up in the string catalog and measured through the
// TextMeasurer, each distinct text once per width per pass; colours are resolved against
// `appearance`, so a change of appearance is a fresh, cheap layout.
//
//   LayoutServices services{.measurer = pango, .strings = catalog, .assets = assets,
//                           .appearance = Appearance::dark()};
//   LayoutTree tree = layout(view, Size{170, 170}, services);
//
// A proposal axis may be unspecified (the view's ideal size), 0 (its smallest) or kInfinity (its
// largest). What each view chooses:
// - VStack, HStack: see stack_space.hpp; they report their children's lengths plus the spacing,
//   and the widest (tallest) child across; children are aligned across by the stack's alignment.
// - ZStack: every child is proposed the whole proposal; the stack is as large as its largest child.
// - Spacer: its minimum length along the stack's axis, or more when proposed more; 0 across.
//   Outside a stack it takes the proposal on both axes.
// - Text: proposed a width, it wraps (or, with a line limit, cuts off with "…") and reports the
//   measured size; unspecified or infinite width is its unwrapped ideal.
// - Label: a symbol and its title side by side, 4 points apart, centred vertically; the title gets
//   what the symbol leaves.
// - Symbol: TextMeasurer::symbolSize of the font. Image: its intrinsic size; resizable, the
//   proposal; resizable with a content mode, the intrinsic size scaled to fit (or fill) the
//   proposed axes, so a width alone sets the height by the aspect ratio.
// - Rectangle, capsule, geometry reader: the proposal (10 points on an unspecified axis). A
//   geometry reader builds its content for that size and places it top-leading.
// - Fixed frame: proposes its width/height (or the proposal on an axis it leaves open), reports them
//   (or the child's), places the child by its alignment.
// - Flexible frame, per axis with proposal p (its ideal when p is unspecified): the child is
//   proposed p clamped to [min, max]; the frame takes the child's length c, then max(min, min(c, p))
//   when a minimum is set, then min(max, max(that, p)) when a maximum is set; so both bounds clamp
//   the proposal, and a maximum of kInfinity takes all that is offered.
// - Padding: proposes the proposal less the insets (never below 0) and adds them back.
// - Background: as large as its content; what lies behind is proposed exactly that size.
// - Link, accessibility, identity, widget URL, environment: as large as what they wrap. Hidden: as
//   large too, and it leaves no node, so nothing of it is drawn, tapped or read.
// - Fitting stack: proposed a height, the leading rows that fit whole, else an overflow view for
//   the rest (fitting_rows.hpp); rows are proposed the width and their ideal height and are built
//   and resolved only when sizing reaches them. Proposed no height, every row. Proposed an unbounded
//   height it takes it all, like a frame with an unbounded maximum, so a stack serves it last with
//   what its other children leave, and no row is laid out just to learn its largest size.
// - Text with a minimum scale factor and a line limit: when cut off at its size, it is set smaller,
//   down to that factor, until it fits; its run carries the size it is set at.
// - Texts are measured only as far as could show within the root's proposal (see visibleLength).
// - Rows (ForEach) and other groups are spliced into the stack around them; empty views leave
//   no child and so no spacing. A group outside any stack overlaps its children like a ZStack.
// The widget-wide URL: the first widgetURL met in document order, a modifier's content counting
// before the modifier, so the innermost of nested ones wins.
//
// Where this engine differs from the toolkit it imitates:
// - Stacks set aside every spacer's minimum first and serve the spacers after all other children,
//   so a text beside a spacer gets the whole free length before the spacer grows; the toolkit
//   serves spacers among the others by flexibility.
// - No default spacing: a stack's spacing is the number it is given (8 unless set), whatever the
//   children; no pixel rounding of frames; no layout priorities, fixedSize or alignment guides.
// - Text never truncates to fit a proposed height: only a line limit cuts it off.
// - Spacers are 0 across their stack's axis; an unspecified proposal gives shapes and geometry
//   readers 10 points.
#include <optional>

#include "host/view/appearance.hpp"
#include "host/layout/asset_catalog.hpp"
#include "host/view/geometry.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/view/string_catalog.hpp"
#include "host/layout/text_measurer.hpp"
#include "host/view/view.hpp"
#include "host/view/widget_environment.hpp"

namespace host {

struct LayoutServices {
  const TextMeasurer& measurer;
  const StringCatalog& strings;
  const AssetCatalog& assets;
  Appearance appearance = Appearance::light();
  // What widget environment readers in the view are built from.
  WidgetEnvironment widget{};
};

// A proposal; an unspecified axis asks for the view's ideal length.
struct ProposedSize {
  std::optional<double> width{};
  std::optional<double> height{};

  ProposedSize() = default;
  ProposedSize(std::optional<double> w, std::optional<double> h) : width(w), height(h) {}
  ProposedSize(Size size) : width(size.width), height(size.height) {}  // NOLINT: a size is a proposal
  friend bool operator==(const ProposedSize&, const ProposedSize&) = default;
};

// Lays `view` out in the size it chooses for `proposal`, its top-left at the origin.
LayoutTree layout(const View& view, ProposedSize proposal, const LayoutServices& services);

}  // namespace host
