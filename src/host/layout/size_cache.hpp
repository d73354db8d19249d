#pragma once
// A view's sizes memoised by the proposal they answer. The layout engine sizes every item for a
// handful of proposals per pass (its minimum, maximum and final proposals), so a few slots, reused
// round-robin, keep layout linear in the tree.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "host/layout/layout.hpp"
#include "host/view/geometry.hpp"

namespace host {

struct SizeCache {
  static constexpr std::size_t kSlots = 6;
  // A proposal as two bit patterns, an unspecified axis as a pattern no length has, so a lookup is
  // two integer compares per slot.
  struct Key {
    std::uint64_t width = 0, height = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };
  static constexpr std::uint64_t kUnspecified = 0x7FF8'DEAD'0000'0001;
  static std::uint64_t bits(std::optional<double> length) {
    return length ? std::bit_cast<std::uint64_t>(*length + 0.0) : kUnspecified;  // + 0.0: -0 is 0
  }
  static Key key(const ProposedSize& p) { return {bits(p.width), bits(p.height)}; }

  std::array<Key, kSlots> keys{};
  std::array<Size, kSlots> sizes{};
  std::uint8_t count = 0;
  std::uint8_t next = 0;

  const Size* find(Key k) const {
    for (std::size_t i = 0; i < count; ++i)
      if (keys[i] == k) return &sizes[i];
    return nullptr;
  }
  void store(Key k, Size s) {
    keys[next] = k;
    sizes[next] = s;
    next = static_cast<std::uint8_t>((next + 1) % kSlots);
    if (count < kSlots) ++count;
  }
};

}  // namespace host
