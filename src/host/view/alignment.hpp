#pragma once
// Alignments. Each axis is a fraction (leading 0, centre 0.5, trailing 1), so one code path places
// a child at the leading edge, the centre or the trailing edge of the room it is given.

namespace host {

enum class HorizontalAlignment { leading, center, trailing };
enum class VerticalAlignment { top, center, bottom };

constexpr double fraction(HorizontalAlignment a) {
  return a == HorizontalAlignment::leading ? 0.0 : a == HorizontalAlignment::center ? 0.5 : 1.0;
}
constexpr double fraction(VerticalAlignment a) {
  return a == VerticalAlignment::top ? 0.0 : a == VerticalAlignment::center ? 0.5 : 1.0;
}

struct Alignment {
  HorizontalAlignment horizontal = HorizontalAlignment::center;
  VerticalAlignment vertical = VerticalAlignment::center;

  static constexpr Alignment center() { return {}; }
  // Leading horizontally, centred vertically.
  static constexpr Alignment leading() { return {HorizontalAlignment::leading, VerticalAlignment::center}; }
  static constexpr Alignment trailing() { return {HorizontalAlignment::trailing, VerticalAlignment::center}; }
  static constexpr Alignment top() { return {HorizontalAlignment::center, VerticalAlignment::top}; }
  static constexpr Alignment bottom() { return {HorizontalAlignment::center, VerticalAlignment::bottom}; }
  static constexpr Alignment topLeading() { return {HorizontalAlignment::leading, VerticalAlignment::top}; }
  static constexpr Alignment bottomLeading() { return {HorizontalAlignment::leading, VerticalAlignment::bottom}; }

  friend constexpr bool operator==(const Alignment&, const Alignment&) = default;
};

}  // namespace host
