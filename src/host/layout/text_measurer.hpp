#pragma once
// How the layout engine learns the size of a text or a symbol. The engine depends only on this
// interface: its tests use a fake, and drawing uses the Pango measurer.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "host/view/font.hpp"
#include "host/view/geometry.hpp"

namespace host {

struct TextStyle {
  Font font;
  bool monospacedDigits = false;  // OpenType "tnum"
  friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// Mixes `value` into the running hash `seed` (the boost hash_combine recipe).
inline void hashMix(std::size_t& seed, std::size_t value) {
  seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

// What caches of texts in a style key by: the text, the style and the line limit.
inline std::size_t hashText(std::string_view text, const TextStyle& style, std::optional<int> lineLimit) {
  std::size_t h = std::hash<std::string_view>{}(text);
  hashMix(h, std::hash<double>{}(style.font.size));
  hashMix(h, static_cast<std::size_t>(style.font.weight) * 4 + static_cast<std::size_t>(style.font.design) * 2 +
                 (style.monospacedDigits ? 1 : 0));
  hashMix(h, lineLimit ? static_cast<std::size_t>(*lineLimit) + 1 : 0);
  return h;
}

struct TextMeasurement {
  Size size;              // of the text as drawn, within the width it was given
  std::string drawnText;  // the text as drawn: with a trailing "…" when cut off
  bool truncated = false;
  int lineCount = 1;
  double baseline = 0;    // from the top of the first line
  // The fraction of the style's font size the text is set at: below 1 when the layout engine shrank
  // it to fit (View::minimumScaleFactor). Measurers leave it at 1.
  double fontScale = 1;
};

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // maxWidth may be kInfinity (the text's ideal, unwrapped width). With lineLimit 1 the text stays
  // on one line and what does not fit is cut off with a trailing ellipsis; without one it wraps.
  // The layout engine reuses a measurement that was not cut off for any width from the measured
  // width up to the width it was taken at, as greedy line breaking gives the same lines there.
  virtual TextMeasurement measure(std::string_view text, const TextStyle& style, double maxWidth,
                                  std::optional<int> lineLimit) const = 0;
  // The box a symbol image takes when sized by `font`.
  virtual Size symbolSize(const Font& font) const = 0;
  // The length in bytes of the first `count` grapheme clusters of `text` (all of it when it has
  // fewer), so a text can be cut without splitting a character as the reader sees it. By default
  // clusters are taken to be code points.
  virtual std::size_t graphemePrefix(std::string_view text, std::size_t count) const;
  // Told before a layout pass measures: about how many distinct texts it holds, so a measurer
  // that caches can keep them all between passes rather than evict the ones the pass will ask next.
  virtual void expectTexts(std::size_t /*count*/) const {}
};

}  // namespace host
