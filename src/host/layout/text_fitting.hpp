#pragma once
// Fitting a text to the width it is given: measuring it once per width (and not at all where an
// earlier measurement holds), shrinking it down to its minimum scale before cutting it off, and
// shaping no more of it than could ever show.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/layout/text_measurer.hpp"
#include "host/view/font.hpp"
#include "host/view/geometry.hpp"

namespace host {

// One distinct text (after lookup) in one style, with what it measured at each width asked.
struct MeasuredText {
  std::string text;
  TextStyle style;
  std::optional<int> lineLimit;
  double minimumScale = 1;
  std::vector<std::pair<double, TextMeasurement>> measured;

  // The text set in `width` (kInfinity: its ideal width); valid until the next call.
  const TextMeasurement& at(double width, const TextMeasurer& measurer);
};

// How many bytes of `text` could ever show in `visible` points, set in `font` scaled down at most
// to `minimumScale` and within `lineLimit` lines; clusters stay whole.
std::size_t visibleLength(std::string_view text, const Font& font, double minimumScale, std::optional<int> lineLimit,
                          Size visible, const TextMeasurer& measurer);

}  // namespace host
