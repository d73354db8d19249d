#include "host/text/pango_text_measurer.hpp"

#include <algorithm>
#include <functional>

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
  result.drawnText = result.truncated ? drawnText(layout) : key.text;
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

void PangoTextMeasurer::clearCache() {
  std::lock_guard lock(mutex_);
  cache_.clear();
  uses_.clear();
  symbolSizes_.clear();
}

std::string PangoTextMeasurer::family(const TextStyle& style) const {
  std::lock_guard lock(mutex_);
  return pango_.loadedFamily(style.font, style.monospacedDigits);
}

}  // namespace host
