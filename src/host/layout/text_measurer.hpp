#pragma once
// How the layout engine learns the size of a text or a symbol. The engine depends only on this
// interface: its tests use a fake, and drawing uses the Pango measurer.
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
};

}  // namespace host
