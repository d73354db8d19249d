#pragma once
// Sizes, points and rectangles in layout points, with the widget's top-left corner as origin.
#include <cstdint>
#include <limits>

namespace host {

inline constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double maxX() const { return x + width; }
  double maxY() const { return y + height; }
  Size size() const { return {width, height}; }
  // Half-open on the far edges, so two adjacent rectangles never both hold a point.
  bool contains(Point p) const { return p.x >= x && p.y >= y && p.x < maxX() && p.y < maxY(); }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct EdgeInsets {
  double top = 0;
  double leading = 0;
  double bottom = 0;
  double trailing = 0;
  friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// A set of edges, for insets on chosen edges: Edges::leading | Edges::trailing.
enum class Edges : std::uint8_t {
  top = 1,
  leading = 2,
  bottom = 4,
  trailing = 8,
  horizontal = leading | trailing,
  vertical = top | bottom,
  all = top | leading | bottom | trailing,
};

constexpr Edges operator|(Edges a, Edges b) {
  return static_cast<Edges>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
constexpr bool contains(Edges set, Edges edge) {
  return (static_cast<std::uint8_t>(set) & static_cast<std::uint8_t>(edge)) == static_cast<std::uint8_t>(edge);
}

}  // namespace host
