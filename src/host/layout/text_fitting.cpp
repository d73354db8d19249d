#include "host/layout/text_fitting.hpp"

#include <algorithm>
#include <cmath>

namespace host {
namespace {

// A text cut off at its full size, set smaller until it fits, down to its minimum scale; cut off
// there if it still does not. Widths scale with the size, so the first try usually fits.
TextMeasurement shrunkToFit(const MeasuredText& entry, double width, TextMeasurement cut, const TextMeasurer& measurer) {
  const double ideal = measurer.measure(entry.text, entry.style, kInfinity, entry.lineLimit).size.width;
  const double lines = entry.lineLimit ? std::max(*entry.lineLimit, 1) : 1;
  double scale = ideal > 0 ? std::clamp(width * lines / ideal, entry.minimumScale, 1.0) : entry.minimumScale;
  for (int attempt = 0; attempt < 6; ++attempt) {
    TextStyle style = entry.style;
    style.font.size *= scale;
    TextMeasurement m = measurer.measure(entry.text, style, width, entry.lineLimit);
    m.fontScale = scale;
    if (!m.truncated || scale <= entry.minimumScale) return m;
    cut = std::move(m);
    scale = attempt == 4 ? entry.minimumScale : std::max(entry.minimumScale, scale * 0.97);
  }
  return cut;
}

}  // namespace

// Measuring is the costly part of layout, so a text is measured once per width, and not at all
// for a width at which an earlier measurement already holds: a text that fitted, uncut, in
// `measuredWidth` breaks its lines the same way in any width from its own width up to that.
const TextMeasurement& MeasuredText::at(double width, const TextMeasurer& measurer) {
  for (const auto& [measuredWidth, m] : measured)
    if (measuredWidth == width ||
        (!m.truncated && m.fontScale == 1 && m.size.width <= width && width <= measuredWidth))  // shrunk: exact widths only
      return m;
  if (measured.empty()) measured.reserve(4);
  TextMeasurement m = measurer.measure(text, style, width, lineLimit);
  if (m.truncated && minimumScale < 1 && std::isfinite(width)) m = shrunkToFit(*this, width, std::move(m), measurer);
  measured.emplace_back(width, std::move(m));
  return measured.back().second;
}

// No glyph of a text face advances less than a twentieth of its size (zero-width characters
// aside), no line is less than half its size high, and nothing shows beyond the visible size.
// (What a text is cut to is also what its run reports and accessibility reads.)
std::size_t visibleLength(std::string_view text, const Font& font, double minimumScale, std::optional<int> lineLimit,
                          Size visible, const TextMeasurer& measurer) {
  const double size = std::max(font.size * minimumScale, 0.5);
  const double perLine = std::floor(visible.width / (size / 20)) + 1;
  const double lines = lineLimit && *lineLimit > 0 ? *lineLimit : std::floor(visible.height / (size / 2)) + 1;
  const double graphemes = std::clamp(perLine * lines, 1024.0, 1e9);  // short texts are never cut
  if (static_cast<double>(text.size()) <= graphemes) return text.size();  // a cluster is at least one byte
  return measurer.graphemePrefix(text, static_cast<std::size_t>(graphemes));
}

}  // namespace host
