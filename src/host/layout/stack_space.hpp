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
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

namespace host {

struct StackItem {
  double min = 0;  // length chosen when proposed 0
  double max = 0;  // length chosen when proposed infinity
  bool spacer = false;
};

// A borrowed `double(std::size_t child, double proposal)`: the length non-spacer child `child`
// chooses when proposed `proposal`. Cheaper than std::function on this hot path; valid for the
// call it is passed to.
class ChooseLength {
 public:
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, ChooseLength>>>
  ChooseLength(F&& f)  // NOLINT: implicit, so a lambda can be passed directly
      : object_(const_cast<void*>(static_cast<const void*>(&f))),
        call_([](void* object, std::size_t child, double proposal) {
          return (*static_cast<std::remove_reference_t<F>*>(object))(child, proposal);
        }) {}
  double operator()(std::size_t child, double proposal) const { return call_(object_, child, proposal); }

 private:
  void* object_;
  double (*call_)(void*, std::size_t, double);
};

// Writes every child's length into `lengths` (one per item). Proposals are never negative, and
// kInfinity when `length` is.
void shareStackSpace(std::span<const StackItem> items, double length, double spacing, ChooseLength choose,
                     std::span<double> lengths);

inline std::vector<double> shareStackSpace(std::span<const StackItem> items, double length, double spacing,
                                           ChooseLength choose) {
  std::vector<double> lengths(items.size());
  shareStackSpace(items, length, spacing, choose, lengths);
  return lengths;
}

}  // namespace host
