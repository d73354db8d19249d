#pragma once
// How many leading rows of a fitting stack (view.hpp, FittingVStack) show in a given length.
//
// Every row shows when all of them fit, spacing included. Otherwise the overflow view stands
// after the shown rows for the ones left out, and as many leading rows show as fit whole together
// with it; with no room even for it, the overflow view shows alone. Rows are asked for their length
// in order and only as far as needed: at most one row past the last that fits.
#include <cstddef>
#include <vector>

namespace host {

struct FittingRows {
  std::size_t shown = 0;  // the leading rows that show
  bool overflow = false;  // whether the overflow view stands after them, for count - shown rows
};

// rowLength(i) is row i's length; overflowLength(hidden) that of the overflow view for `hidden`
// rows left out.
template <class RowLength, class OverflowLength>
FittingRows fitRows(std::size_t count, double length, double spacing, RowLength&& rowLength,
                    OverflowLength&& overflowLength) {
  constexpr double kSlack = 1e-9;  // lengths that add up to the room exactly fit
  std::vector<double> ends;        // ends[i]: where row i ends, from the top
  double end = 0;
  while (ends.size() < count) {
    const double next = (ends.empty() ? 0 : end + spacing) + rowLength(ends.size());
    if (next > length + kSlack) break;
    end = next;
    ends.push_back(end);
  }
  if (ends.size() == count) return {count, false};
  std::size_t shown = ends.size();
  while (shown > 0 && ends[shown - 1] + spacing + overflowLength(count - shown) > length + kSlack) --shown;
  return {shown, true};
}

}  // namespace host
