#pragma once
// The system font by size, weight and design.

namespace host {

enum class FontWeight { regular, medium, semibold, bold };
enum class FontDesign { standard, rounded };

struct Font {
  double size = 13;
  FontWeight weight = FontWeight::regular;
  FontDesign design = FontDesign::standard;

  static constexpr Font system(double size, FontWeight weight = FontWeight::regular,
                               FontDesign design = FontDesign::standard) {
    return {size, weight, design};
  }
  friend constexpr bool operator==(const Font&, const Font&) = default;
};

// The font a text takes when no ancestor sets one.
inline constexpr Font kBodyFont = Font::system(13);

}  // namespace host
