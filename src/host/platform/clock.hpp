#pragma once
// Reading the current time. Code that stamps or compares moments takes a Clock, so that tests can
// hand it a fixed or stepping one; the system clock is the default everywhere else.
#include <functional>

#include "host/platform/instant.hpp"

namespace host {

using Clock = std::function<Instant()>;

// The wall clock of the system, read anew on every call.
Instant systemNow();
inline Clock systemClock() { return &systemNow; }

}  // namespace host
