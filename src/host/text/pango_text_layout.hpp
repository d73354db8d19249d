#pragma once
// How a text becomes a PangoLayout. The measurer and the drawer both go through here, so what is
// measured is what is drawn, to the last Pango unit.
//
// Faces. The system font is Inter (regular, medium, semibold, bold). The rounded design uses
// Quicksand: of the rounded families Debian packages, it pairs best with Inter (normal width, open
// round shapes; Dosis is condensed, Comfortaa very wide and stylised) and it has regular, medium
// and bold. It has no semibold, so semibold takes its bold, which, Quicksand being a light design,
// reads as a semibold beside Inter. None of those rounded families has tabular figures, so a rounded
// text asking for tabular digits is set in Inter, where "tnum" keeps every digit the same width: a
// column of figures that jitters is worse than a square terminal. Without Quicksand, rounded falls
// back to Inter.
//
// Units. Sizes are absolute, so a 12-point font is 12 layout units whatever the resolution, and
// metric hinting and glyph-position rounding are off, so a layout measures the same at every scale.
#include <memory>
#include <optional>
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

  // The family asked for a font on this system, after the fallbacks described above.
  std::string family(const Font& font, bool tabularDigits) const;
  // The family of the face that Pango actually loads for it.
  std::string loadedFamily(const Font& font, bool tabularDigits) const;

  // Font metrics of a style, in layout units.
  double ascent(const Font& font) const;

  // Follow the transformation and target of `cr` when drawing there (the metrics stay the same).
  void updateForCairo(cairo_t* cr);

  PangoContext* context() const { return context_; }

 private:
  PangoFontDescription* description(const Font& font, bool tabularDigits) const;

  PangoFontMap* fontMap_ = nullptr;
  PangoContext* context_ = nullptr;
  PangoLayout* layout_ = nullptr;
  bool hasRounded_ = false;
  bool hasRoundedMediumFamily_ = false;  // older Quicksand packages name the medium face apart
};

// What `layout` draws: its text, with the elided part replaced by an ellipsis.
std::string drawnText(PangoLayout* layout);

// Layout units to Pango units, rounding down: never more room than was offered.
int toPangoUnitsFloor(double value);
inline double fromPangoUnits(int value) { return static_cast<double>(value) / PANGO_SCALE; }

}  // namespace host
