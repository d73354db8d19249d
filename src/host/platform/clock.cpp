#include "host/platform/clock.hpp"

#include <chrono>

namespace host {

Instant systemNow() {
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  return Instant::fromUnixSeconds(std::chrono::duration<double>(sinceEpoch).count());
}

}  // namespace host
