#include "host/layout/stack_space.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "host/layout/small_buffer.hpp"

namespace host {
namespace {

double flexibility(const StackItem& item) { return item.max == item.min ? 0 : item.max - item.min; }

// Stable, and fast for the handful of children a stack has.
template <class Less>
void insertionSort(std::span<std::uint32_t> order, Less less) {
  for (std::size_t i = 1; i < order.size(); ++i) {
    std::uint32_t value = order[i];
    std::size_t j = i;
    for (; j > 0 && less(value, order[j - 1]); --j) order[j] = order[j - 1];
    order[j] = value;
  }
}

// Equal shares of `total`, except that a spacer whose minimum exceeds its share keeps its minimum
// and the others share the rest.
void shareAmongSpacers(std::span<const StackItem> items, std::span<std::uint32_t> spacers, double total,
                       std::span<double> lengths) {
  insertionSort(spacers, [&](std::uint32_t a, std::uint32_t b) { return items[a].min > items[b].min; });
  std::size_t left = spacers.size();
  for (std::uint32_t i : spacers) {
    if (std::isinf(total)) {
      lengths[i] = total;
      continue;
    }
    double share = total / static_cast<double>(left);
    lengths[i] = std::max(items[i].min, share);
    total -= lengths[i];
    --left;
  }
}

}  // namespace

void shareStackSpace(std::span<const StackItem> items, double length, double spacing, ChooseLength choose,
                     std::span<double> lengths) {
  if (items.empty()) return;

  // Other children from the front, spacers from the back.
  SmallBuffer<std::uint32_t, 32> order(items.size());
  std::size_t others = 0, spacerBegin = items.size();
  double spacerMinimums = 0;
  for (std::uint32_t i = 0; i < items.size(); ++i) {
    if (items[i].spacer) {
      order[--spacerBegin] = i;
      spacerMinimums += items[i].min;
    } else {
      order[others++] = i;
    }
  }
  std::span<std::uint32_t> served = order.span().first(others);
  std::span<std::uint32_t> spacers = order.span().subspan(spacerBegin);
  std::reverse(spacers.begin(), spacers.end());  // back into document order
  insertionSort(served, [&](std::uint32_t a, std::uint32_t b) { return flexibility(items[a]) < flexibility(items[b]); });

  double remaining = length - spacing * static_cast<double>(items.size() - 1) - spacerMinimums;
  std::size_t left = served.size();
  for (std::uint32_t i : served) {
    double proposal = std::max(0.0, remaining / static_cast<double>(left));
    lengths[i] = choose(i, proposal);
    if (std::isfinite(remaining)) remaining -= lengths[i];  // an infinite length stays infinite
    --left;
  }
  if (!spacers.empty()) shareAmongSpacers(items, spacers, spacerMinimums + std::max(0.0, remaining), lengths);
}

}  // namespace host
