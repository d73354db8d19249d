#pragma once
// The TextMeasurer that the real host lays out with: Pango shaping with the faces and features
// described in pango_text_layout.hpp. Measurements are cached by text, style, width and line
// limit, so a layout pass that asks twice, or a later pass over the same texts, shapes once. When
// full, the cache forgets the measurement used longest ago; it holds at least a few times the texts
// of the latest layout pass (expectTexts), so repeated passes over a large tree keep hitting.
//
// Thread-safety: one measurer may be shared by several threads; its Pango objects and cache sit
// behind a mutex, so calls run one at a time. Give each busy thread its own measurer for parallelism.
#include <cstddef>
#include <list>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/text/pango_text_layout.hpp"
#include "host/layout/text_measurer.hpp"

namespace host {

class PangoTextMeasurer final : public TextMeasurer {
 public:
  TextMeasurement measure(std::string_view text, const TextStyle& style, double maxWidth,
                          std::optional<int> lineLimit) const override;
  // A square as tall as the font's ascent: a symbol stands as high as the letters beside it, and
  // our symbol artwork is drawn on a square canvas.
  Size symbolSize(const Font& font) const override;
  // Clusters as Pango finds them (its cursor positions), reading only as far as needed.
  std::size_t graphemePrefix(std::string_view text, std::size_t count) const override;
  void expectTexts(std::size_t count) const override;

  // Forgets every measurement (after fonts change; benchmarks use it to measure shaping).
  void clearCache();

  // The family of the face a style is set in on this system (pango_text_layout.hpp says why).
  std::string family(const TextStyle& style) const;

 private:
  struct Key {
    std::string text;
    TextStyle style;
    double maxWidth = 0;
    std::optional<int> lineLimit;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  struct Entry {
    TextMeasurement measurement;
    std::list<const Key*>::iterator use;  // its place in uses_
  };
  // Enough for every text of a few widgets; a larger layout raises it to kPerText times its
  // texts (each is measured at a few widths), up to kCacheBound whatever the tree.
  static constexpr std::size_t kCacheLimit = 4096;
  static constexpr std::size_t kPerText = 4;
  static constexpr std::size_t kCacheBound = std::size_t{1} << 18;  // some 50 MB of measurements

  mutable std::mutex mutex_;
  mutable PangoTextLayout pango_;
  mutable std::unordered_map<Key, Entry, KeyHash> cache_;
  mutable std::list<const Key*> uses_;  // the cache's keys, most recently used first
  mutable std::size_t capacity_ = kCacheLimit;
  mutable std::vector<std::pair<Font, Size>> symbolSizes_;  // a handful of fonts at most
};

}  // namespace host
