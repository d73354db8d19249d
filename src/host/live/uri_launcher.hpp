#pragma once
// Opening a URL from the live window without ever blocking its main loop: the opener (xdg-open,
// found on PATH) is spawned and reaped by a child watch of the main loop. A failure is reported on
// stderr, one line per failed open; the window carries on.
#include <string>
#include <vector>

#include "host/platform/url.hpp"

namespace host {

void openUrlAsync(const Url& url, const std::string& opener = "xdg-open");

// Environment variables the process set for its own toolkit (renderer, backend), which the
// applications it opens must not inherit. Set once, before the first open.
void hideFromOpenedApplications(std::vector<std::string> variables);

}  // namespace host
