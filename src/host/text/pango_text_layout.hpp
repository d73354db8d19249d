#pragma once
// How a text becomes a PangoLayout. The measurer and the drawer both go through here, so what is
// measured is what is drawn, to the last Pango unit.
//
// Faces. The system font is Inter (regular, medium, semibold, bold). The rounded design uses
// Quicksand: of the rounded families Debian packages, it pairs best with Inter (normal width, open
// round shapes; Dosis is condensed, Comfortaa very wide and stylised) and it has regular, medium
// and bold. It has no semibold, so semibold takes its bold, which, Quicksand being a light design,
// reads as a semibold beside Inter. Without Quicksand, rounded falls back to Inter.
//
// Tabular digits. Asked for, a text gets the OpenType feature "tnum". A face where that does not
// give every digit one advance (none of the packaged rounded faces has the feature) gets each
// digit letter-spaced out to the advance of its widest digit instead, so figures line up in any
// face. Pango drops a line's outer half letter spacing, so such a text is bracketed in zero-width
// word joiners while it is laid out; readers never see them.
//
// Units. Sizes are absolute, so a 12-point font is 12 layout units whatever the resolution, and
// metric hinting and glyph-position rounding are off, so a layout measures the same at every scale.
#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>
#include <string>
#include <string_view>

#include <pango/pangocairo.h>

#include "host/view/font.hpp"
#include "host/layout/text_measurer.hpp"

namespace host {

inline constexpr const char* kSystemFamily = "Inter";
inline constexpr const char* kRoundedFamily = "Quicksand";
inline constexpr const char* kEllipsis = "\u2026";

// One font map, context and reusable layout. Not thread-safe: each user holds its own.
class PangoTextLayout {
 public:
  PangoTextLayout();
  ~PangoTextLayout();
  PangoTextLayout(const PangoTextLayout&) = delete;
  PangoTextLayout& operator=(const PangoTextLayout&) = delete;

  // The reusable layout set up for `text`: wrapped by word at `width` (kInfinity: never wraps);
  // with a line limit, cut off at that many lines with a trailing ellipsis. Valid until the next call.
  PangoLayout* layout(std::string_view text, const TextStyle& style, double width, std::optional<int> lineLimit);

  // What `layout` (the last one set up) draws: its text, with the elided part replaced by an
  // ellipsis, white space before the ellipsis left out.
  std::string drawnText() const;

  // The family asked for a font on this system, after the fallbacks described above.
  std::string family(const Font& font) const;
  // The family of the face that Pango actually loads for it.
  std::string loadedFamily(const Font& font) const;

  // Font metrics of a style, in layout units.
  double ascent(const Font& font) const;

  // Follow the transformation and target of `cr` when drawing there (the metrics stay the same).
  void updateForCairo(cairo_t* cr);

  PangoContext* context() const { return context_; }

 private:
  PangoFontDescription* description(const Font& font) const;

  // Each digit's advance with "tnum" on, in Pango units; `even` when they are all the same.
  struct DigitAdvances {
    std::array<int, 10> advance{};
    int widest = 0;
    bool even = true;
  };
  const DigitAdvances& digitAdvances(const Font& font);
  // Letter spacing that widens every digit of `text` to the widest one's advance.
  void spaceDigits(PangoAttrList* attributes, std::string_view text, std::size_t offset, const Font& font);

  PangoFontMap* fontMap_ = nullptr;
  PangoContext* context_ = nullptr;
  PangoLayout* layout_ = nullptr;
  bool hasRounded_ = false;
  bool hasRoundedMediumFamily_ = false;  // older Quicksand packages name the medium face apart
  std::vector<std::pair<Font, DigitAdvances>> digitAdvances_;  // a handful of fonts at most
  std::size_t prefixBytes_ = 0;  // word joiner put before the text of the current layout
  std::size_t textBytes_ = 0;    // the text's own length in the current layout
};

// Layout units to Pango units, rounding down: never more room than was offered.
int toPangoUnitsFloor(double value);
inline double fromPangoUnits(int value) { return static_cast<double>(value) / PANGO_SCALE; }

}  // namespace host
