#pragma once
// The host's absolute time: seconds, as a 64-bit float, since the reference moment
// 2001-01-01 00:00:00 UTC. Fractions are allowed; moments before the reference are negative.
#include <compare>

namespace host {

struct Instant {
  double secondsSinceReference{};

  // The reference moment lies this many seconds after the Unix epoch.
  static constexpr double kUnixEpochOffset = 978307200.0;

  static constexpr Instant fromUnixSeconds(double unixSeconds) {
    return Instant{unixSeconds - kUnixEpochOffset};
  }
  constexpr double unixSeconds() const { return secondsSinceReference + kUnixEpochOffset; }

  constexpr Instant operator+(double seconds) const { return Instant{secondsSinceReference + seconds}; }
  friend constexpr auto operator<=>(const Instant&, const Instant&) = default;
};

}  // namespace host
