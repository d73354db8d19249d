#pragma once
// Lengths along and across a stack's axis, and a frame's bounds on one axis: what lets the layout
// engine write one code path for both stacks and both sides of a frame.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "host/layout/layout.hpp"
#include "host/view/geometry.hpp"
#include "host/view/view.hpp"

namespace host {

// A stack's axis; none outside every stack, where a spacer grows both ways.
enum class Axis : std::uint8_t { none, horizontal, vertical };

inline double along(Axis axis, Size s) { return axis == Axis::vertical ? s.height : s.width; }
inline double across(Axis axis, Size s) { return axis == Axis::vertical ? s.width : s.height; }
inline std::optional<double> along(Axis axis, const ProposedSize& p) { return axis == Axis::vertical ? p.height : p.width; }
inline std::optional<double> across(Axis axis, const ProposedSize& p) { return axis == Axis::vertical ? p.width : p.height; }
inline ProposedSize proposal(Axis axis, std::optional<double> alongLength, std::optional<double> acrossLength) {
  return axis == Axis::vertical ? ProposedSize(acrossLength, alongLength) : ProposedSize(alongLength, acrossLength);
}

// A flexible frame's bounds on one axis.
struct AxisBounds {
  std::optional<double> min, ideal, max;
};

inline AxisBounds widthBounds(const FlexibleFrame& f) { return {f.minWidth, f.idealWidth, f.maxWidth}; }
inline AxisBounds heightBounds(const FlexibleFrame& f) { return {f.minHeight, f.idealHeight, f.maxHeight}; }

// What the frame proposes its content: the proposal (its ideal when unspecified) within the bounds.
inline std::optional<double> clampedProposal(std::optional<double> p, const AxisBounds& b) {
  if (!p) p = b.ideal;
  if (p && b.min && *p < *b.min) p = b.min;
  if (p && b.max && *p > *b.max) p = b.max;
  return p;
}

// The frame's own length, proposed p, around content of length `child`.
inline double flexibleLength(std::optional<double> p, const AxisBounds& b, double child) {
  if (!b.min && !b.max) return p ? child : b.ideal.value_or(child);
  double offered = p ? *p : b.ideal.value_or(child);
  double length = child;
  if (b.min) length = std::max(*b.min, std::min(length, offered));
  if (b.max) length = std::min(*b.max, std::max(length, offered));
  return length;
}

}  // namespace host
