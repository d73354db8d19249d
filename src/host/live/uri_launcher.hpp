#pragma once
// Opening a URL from the live window without ever blocking its main loop: the opener (xdg-open,
// found on PATH) is spawned and reaped by a child watch of the main loop. A failure is reported on
// stderr, one line per failed open; the window carries on.
#include <string>

#include "host/platform/url.hpp"

namespace host {

void openUrlAsync(const Url& url, const std::string& opener = "xdg-open");

}  // namespace host
