#include "host/text/pango_text_measurer.hpp"

#include <functional>

namespace host {

std::size_t PangoTextMeasurer::KeyHash::operator()(const Key& key) const {
  std::size_t h = std::hash<std::string>{}(key.text);
  auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
  mix(std::hash<double>{}(key.style.font.size));
  mix(static_cast<std::size_t>(key.style.font.weight) * 4 + static_cast<std::size_t>(key.style.font.design) * 2 +
      (key.style.monospacedDigits ? 1 : 0));
  mix(std::hash<double>{}(key.maxWidth));
  mix(key.lineLimit ? static_cast<std::size_t>(*key.lineLimit) + 1 : 0);
  return h;
}

TextMeasurement PangoTextMeasurer::measure(std::string_view text, const TextStyle& style, double maxWidth,
                                           std::optional<int> lineLimit) const {
  Key key{std::string(text), style, maxWidth, lineLimit};
  std::lock_guard lock(mutex_);
  if (auto found = cache_.find(key); found != cache_.end()) return found->second;

  PangoLayout* layout = pango_.layout(text, style, maxWidth, lineLimit);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  TextMeasurement result;
  // The logical box starts at x 0 for left-aligned text; its width is the widest line.
  result.size = {fromPangoUnits(logical.x + logical.width), fromPangoUnits(logical.height)};
  result.truncated = pango_layout_is_ellipsized(layout);
  result.drawnText = result.truncated ? drawnText(layout) : key.text;
  result.lineCount = pango_layout_get_line_count(layout);
  result.baseline = fromPangoUnits(pango_layout_get_baseline(layout));

  if (cache_.size() >= kCacheLimit) cache_.clear();
  cache_.emplace(std::move(key), result);
  return result;
}

Size PangoTextMeasurer::symbolSize(const Font& font) const {
  std::lock_guard lock(mutex_);
  for (const auto& [known, size] : symbolSizes_)
    if (known == font) return size;
  const double side = pango_.ascent(font);
  symbolSizes_.emplace_back(font, Size{side, side});
  return symbolSizes_.back().second;
}

void PangoTextMeasurer::clearCache() {
  std::lock_guard lock(mutex_);
  cache_.clear();
  symbolSizes_.clear();
}

std::string PangoTextMeasurer::family(const TextStyle& style) const {
  std::lock_guard lock(mutex_);
  return pango_.loadedFamily(style.font, style.monospacedDigits);
}

}  // namespace host
