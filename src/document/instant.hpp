#pragma once
// Instants in the status document are the host's instants: seconds since 2001-01-01 00:00:00 UTC.
#include "host/platform/instant.hpp"

namespace zuvo {

using Instant = host::Instant;

// 4001-01-01 00:00:00 UTC: the reset moment of a window that never resets.
inline constexpr Instant kFarFuture{63113904000.0};

}  // namespace zuvo
