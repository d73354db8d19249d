#pragma once
// How a vertical or horizontal stack shares its length among its children, along its axis.
//
// 1. The spacing goes between every two adjacent children, spacers included, and every spacer's
//    minimum length is set aside.
// 2. The other children are served from the least flexible (maximum minus minimum) to the most,
//    ties in document order. Each is proposed what remains divided by the children still to serve,
//    and what it chooses is taken off what remains.
// 3. The spacers share what is left equally, none going below its minimum.
//
// The lengths may add up to more than `length` when the children cannot shrink that far.
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace host {

struct StackItem {
  double min = 0;  // length chosen when proposed 0
  double max = 0;  // length chosen when proposed infinity
  bool spacer = false;
};

// `choose(i, proposal)` is the length non-spacer child i chooses when proposed `proposal` (never
// negative; kInfinity when the stack itself is proposed infinity). Returns every child's length.
std::vector<double> shareStackSpace(std::span<const StackItem> items, double length, double spacing,
                                    const std::function<double(std::size_t, double)>& choose);

}  // namespace host
