#include "host/text/pango_text_measurer.hpp"

#include <algorithm>
#include <functional>
#include <vector>

namespace host {

std::size_t PangoTextMeasurer::KeyHash::operator()(const Key& key) const {
  std::size_t h = hashText(key.text, key.style, key.lineLimit);
  hashMix(h, std::hash<double>{}(key.maxWidth));
  return h;
}

TextMeasurement PangoTextMeasurer::measure(std::string_view text, const TextStyle& style, double maxWidth,
                                           std::optional<int> lineLimit) const {
  Key key{std::string(text), style, maxWidth, lineLimit};
  std::lock_guard lock(mutex_);
  if (auto found = cache_.find(key); found != cache_.end()) {
    uses_.splice(uses_.begin(), uses_, found->second.use);
    return found->second.measurement;
  }

  PangoLayout* layout = pango_.layout(text, style, maxWidth, lineLimit);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  TextMeasurement result;
  // The logical box starts at x 0 for left-aligned text; its width is the widest line.
  result.size = {fromPangoUnits(logical.x + logical.width), fromPangoUnits(logical.height)};
  result.truncated = pango_layout_is_ellipsized(layout);
  result.drawnText = result.truncated ? pango_.drawnText() : key.text;
  if (result.truncated) {
    // What is drawn is the drawn text set again at this width (cairo_drawer.cpp); without the white
    // space it lost before the ellipsis it may be narrower, and the frame follows it.
    pango_layout_get_extents(pango_.layout(result.drawnText, style, maxWidth, lineLimit), nullptr, &logical);
    result.size.width = fromPangoUnits(logical.x + logical.width);
  }
  result.lineCount = pango_layout_get_line_count(layout);
  result.baseline = fromPangoUnits(pango_layout_get_baseline(layout));

  while (cache_.size() >= capacity_) {
    cache_.erase(cache_.find(*uses_.back()));
    uses_.pop_back();
  }
  auto [stored, _] = cache_.emplace(std::move(key), Entry{result, {}});
  uses_.push_front(&stored->first);
  stored->second.use = uses_.begin();
  return result;
}

void PangoTextMeasurer::expectTexts(std::size_t count) const {
  std::lock_guard lock(mutex_);
  capacity_ = std::clamp(std::min(count, kCacheBound) * kPerText, kCacheLimit, kCacheBound);
}

Size PangoTextMeasurer::symbolSize(const Font& font) const {
  std::lock_guard lock(mutex_);
  for (const auto& [known, size] : symbolSizes_)
    if (known == font) return size;
  const double side = pango_.ascent(font);
  symbolSizes_.emplace_back(font, Size{side, side});
  return symbolSizes_.back().second;
}

std::size_t PangoTextMeasurer::graphemePrefix(std::string_view text, std::size_t count) const {
  // A cluster boundary depends on the characters around it, never on any far ahead, so a window
  // of the text's head finds every boundary before its last character. Windows start at a few
  // bytes per cluster and double while clusters run long.
  if (count == 0) return 0;
  std::size_t window = count * 4 + 16;
  std::vector<PangoLogAttr> attrs;
  while (true) {
    if (window >= text.size()) window = text.size();
    // Whole code points only: back up to the start of one.
    std::size_t end = window;
    while (end < text.size() && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    const std::string_view head = text.substr(0, end);
    if (!g_utf8_validate(head.data(), static_cast<gssize>(head.size()), nullptr))
      return TextMeasurer::graphemePrefix(text, count);  // not UTF-8: code points will do
    const auto characters = static_cast<std::size_t>(g_utf8_strlen(head.data(), static_cast<gssize>(head.size())));
    attrs.resize(characters + 1);
    pango_get_log_attrs(head.data(), static_cast<int>(head.size()), -1, pango_language_get_default(), attrs.data(),
                        static_cast<int>(attrs.size()));
    // Positions 1 .. characters - 1 are sure; the one at the window's end is not, unless it is the text's end.
    const std::size_t sure = end == text.size() ? characters : characters - (characters > 0);
    std::size_t seen = 0;
    const char* p = head.data();
    for (std::size_t i = 1; i <= sure; ++i) {
      p = g_utf8_next_char(p);
      if (attrs[i].is_cursor_position && ++seen == count) return static_cast<std::size_t>(p - head.data());
    }
    if (end == text.size()) return text.size();
    window = std::max(window * 2, end + 8);
  }
}

void PangoTextMeasurer::clearCache() {
  std::lock_guard lock(mutex_);
  cache_.clear();
  uses_.clear();
  symbolSizes_.clear();
}

std::string PangoTextMeasurer::family(const TextStyle& style) const {
  std::lock_guard lock(mutex_);
  return pango_.loadedFamily(style.font);
}

}  // namespace host
