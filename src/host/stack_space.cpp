#include "host/stack_space.hpp"

#include <algorithm>
#include <cmath>

namespace host {
namespace {

double flexibility(const StackItem& item) { return item.max == item.min ? 0 : item.max - item.min; }

// Equal shares of `total`, except that a spacer whose minimum exceeds its share keeps its minimum
// and the others share the rest.
void shareAmongSpacers(std::span<const StackItem> items, std::span<const std::size_t> spacers, double total,
                       std::vector<double>& lengths) {
  std::vector<std::size_t> byMinimum(spacers.begin(), spacers.end());
  std::stable_sort(byMinimum.begin(), byMinimum.end(),
                   [&](std::size_t a, std::size_t b) { return items[a].min > items[b].min; });
  std::size_t left = byMinimum.size();
  for (std::size_t i : byMinimum) {
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

std::vector<double> shareStackSpace(std::span<const StackItem> items, double length, double spacing,
                                    const std::function<double(std::size_t, double)>& choose) {
  std::vector<double> lengths(items.size(), 0.0);
  if (items.empty()) return lengths;

  std::vector<std::size_t> others;
  std::vector<std::size_t> spacers;
  double spacerMinimums = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].spacer) {
      spacers.push_back(i);
      spacerMinimums += items[i].min;
    } else {
      others.push_back(i);
    }
  }
  std::stable_sort(others.begin(), others.end(),
                   [&](std::size_t a, std::size_t b) { return flexibility(items[a]) < flexibility(items[b]); });

  double remaining = length - spacing * static_cast<double>(items.size() - 1) - spacerMinimums;
  std::size_t left = others.size();
  for (std::size_t i : others) {
    double proposal = std::max(0.0, remaining / static_cast<double>(left));
    lengths[i] = choose(i, proposal);
    if (std::isfinite(remaining)) remaining -= lengths[i];  // an infinite length stays infinite
    --left;
  }
  if (!spacers.empty()) shareAmongSpacers(items, spacers, spacerMinimums + std::max(0.0, remaining), lengths);
  return lengths;
}

}  // namespace host
